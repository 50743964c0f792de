#!/usr/bin/env bash
# Builds the menu and the sample disc, then starts the menu in its window on the sample disc with a scratch
# Windows machine under build/. Extra arguments go to norva (for example --machine DIR, --clock 21:00, or
# --headless to drive it by script commands from standard input).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVA_WARNINGS_AS_ERRORS=ON --log-level=WARNING
cmake --build build -j"$(nproc)" --target norva sample_disc
machine=()
[[ " $* " == *" --machine "* || -n "${WINEPREFIX:-}" ]] || machine=(--machine build/machine)
if [[ " $* " == *" --headless "* && -t 0 ]]; then
  echo "norva: headless; type commands (dump, click NAME, key Down, quit)" >&2
fi
exec build/src/app/norva --disc build/sample-disc "${machine[@]}" "$@"
