#!/usr/bin/env bash
# Builds the menu and the sample disc, then starts the menu in its window on the sample disc with a scratch
# Windows machine under build/. Extra arguments go to norva (for example --machine DIR, --clock 21:00, or
# --headless to drive it by script commands from standard input).
#
# Wine runs the disc's Windows programs (tools/install-deps.sh installs it with the rest); a machine (Wine
# prefix) that does not exist yet is prepared once with wineboot before the menu starts.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# Configured once: the build re-runs the configuration by itself when a CMake file changes.
if [[ ! -f build/build.ninja ]] || ! grep -qs '^NORVA_WARNINGS_AS_ERRORS:BOOL=ON' build/CMakeCache.txt; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVA_WARNINGS_AS_ERRORS=ON --log-level=WARNING
fi
cmake --build build -j"$(nproc)" --target norva sample_disc

# The machine: --machine DIR, else $WINEPREFIX, else a scratch one in the build folder.
machine=""
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
  [[ "${args[i]}" == "--machine" && $((i + 1)) -lt ${#args[@]} ]] && machine="${args[i + 1]}"
done
extra=()
if [[ -z "$machine" ]]; then
  machine="${WINEPREFIX:-$PWD/build/machine}"
  [[ -n "${WINEPREFIX:-}" ]] || extra=(--machine "$machine")
fi

# The runner: wine on the PATH, else Debian's 64-bit loader (the wine package that provides the command may
# be missing while wine64 is there).
runner=""
if command -v wine >/dev/null; then
  runner="$(command -v wine)"
elif [[ -x /usr/lib/wine/wine64 ]]; then
  runner=/usr/lib/wine/wine64
  [[ " $* " == *" --runner "* ]] || extra+=(--runner "$runner")
fi
wineserver="$(dirname "$runner")/wineserver"
[[ -x "$wineserver" ]] || wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"

# Quiet Wine, and no entries in the desktop's own menus for the shortcuts that the disc's setups make.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d}"

if [[ -n "$runner" && ! -f "$machine/system.reg" ]]; then
  echo "norva: preparing the Windows machine in $machine (once; this takes a minute)..." >&2
  start=$SECONDS
  mkdir -p "$machine"
  # Without the .NET and HTML engines, which Wine would offer to download.
  WINEPREFIX="$machine" WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" "$runner" wineboot -i >/dev/null 2>&1
  # The registry is written out when Wine's server ends; the menu reads it from the files.
  WINEPREFIX="$machine" "$wineserver" -w
  if [[ -f "$machine/system.reg" ]]; then
    echo "norva: the Windows machine is ready ($((SECONDS - start)) s)" >&2
  else
    echo "norva: wineboot could not prepare $machine; Windows programs may not run" >&2
  fi
fi

if [[ " $* " == *" --headless "* && -t 0 ]]; then
  echo "norva: headless; type commands (dump, click NAME, key Down, quit)" >&2
fi
exec build/src/app/norva --disc build/sample-disc "${extra[@]}" "$@"
