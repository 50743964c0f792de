#!/usr/bin/env bash
# Builds the menu and starts it on the sample disc with a scratch Windows machine under build/.
# Extra arguments go to norva (for example --machine DIR or --clock 21:00).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target norva
disc=tests/data/disc
machine=()
[[ " $* " == *" --machine "* || -n "${WINEPREFIX:-}" ]] || machine=(--machine build/machine)
# Until the window exists the menu runs headless: it reads commands (see README) from standard input.
if [ -t 0 ]; then
  echo "norva: headless; type commands (dump, click NAME, key Down, quit)" >&2
fi
exec build/src/app/norva --headless --disc "$disc" "${machine[@]}" "$@"
