#!/usr/bin/env bash
# Builds the menu and the sample disc, then starts the menu in its window on the sample disc with a scratch
# Windows machine under build/. A first argument that is no option names another disc: a folder or a disc
# image (build/sample-disc.iso and build/sample-disc.cue are the sample disc's, built when named). Extra
# arguments go to norva (for example --machine DIR, --clock 21:00, or --headless to drive it by script
# commands from standard input).
#
# Wine runs the disc's Windows programs (tools/install-deps.sh installs it with the rest); a machine (Wine
# prefix) that does not exist yet is prepared once with wineboot before the menu starts, and one in which a
# Windows program does not start is repaired (the scratch one is made again).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# Configured once: the build re-runs the configuration by itself when a CMake file changes.
if [[ ! -f build/build.ninja ]] || ! grep -qs '^NORVA_WARNINGS_AS_ERRORS:BOOL=ON' build/CMakeCache.txt; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVA_WARNINGS_AS_ERRORS=ON --log-level=WARNING
fi
disc=build/sample-disc
if [[ $# -gt 0 && "$1" != -* ]]; then
  disc="$1"
  shift
fi
targets=(norva sample_disc)
[[ "$disc" == build/sample-disc.* || "$disc" == "$PWD/build/sample-disc."* ]] && targets+=(sample_disc_images)
cmake --build build -j"$(nproc)" --target "${targets[@]}"

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
# Wine takes only an absolute prefix.
machine="$(realpath -m "$machine")"

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

# The machine is checked on every start: a Windows program of the sample disc has to run in it. A prefix can
# look whole and still fail every program ("could not load kernel32.dll"), for example one made while Wine's
# 32-bit half was missing, whose syswow64 stayed empty.
probe="$PWD/build/sample-programs/game.exe"
is_windows_program() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null) || return 1
  [[ -n "${header// /}" && "$(od -An -c -j"${header// /}" -N4 "$1" 2>/dev/null | tr -d ' ')" == 'PE\0\0' ]]
}
machine_runs_programs() {
  [[ -f "$machine/system.reg" && -f "$machine/drive_c/windows/system32/kernel32.dll" ]] || return 1
  # A 64-bit prefix runs the 32-bit programs, which are all of a real disc's, from syswow64.
  if grep -qs '^#arch=win64' "$machine/system.reg"; then
    [[ -f "$machine/drive_c/windows/syswow64/kernel32.dll" ]] || return 1
  fi
  # Without mingw-w64 the disc's programs are placeholders, which tell nothing about the machine.
  is_windows_program "$probe" || return 0
  local name="norva-check.$$" ok=1
  mkdir -p "$machine/drive_c/windows/temp/$name"
  WINEPREFIX="$machine" timeout 60 "$runner" "$probe" "/marker=C:\\windows\\temp\\$name" >/dev/null 2>&1 || true
  [[ -f "$machine/drive_c/windows/temp/$name/game.txt" ]] && ok=0
  rm -rf "${machine:?}/drive_c/windows/temp/$name"
  return $ok
}
# wineboot -i makes a new prefix, -u brings an existing one up to date (it puts the system files back).
run_wineboot() {
  # Without the .NET and HTML engines, which Wine would offer to download.
  WINEPREFIX="$machine" WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" "$runner" wineboot "$1" \
    >/dev/null 2>&1 || true
  # The registry is written out when Wine's server ends; the menu reads it from the files.
  WINEPREFIX="$machine" "$wineserver" -w || true
}

if [[ -n "$runner" ]]; then
  # One start at a time prepares or repairs a machine; the others wait for it, then only check.
  mkdir -p build
  exec 9>build/.machine.lock
  if ! flock -n 9; then
    echo "norva: waiting for another start that is preparing the Windows machine..." >&2
    flock 9
  fi
  scratch=""
  [[ "$machine" == "$PWD/build/machine" ]] && scratch=1
  start=$SECONDS
  prepared="" works=""
  if [[ ! -f "$machine/system.reg" ]]; then
    echo "norva: preparing the Windows machine in $machine (once; about 15 s)..." >&2
    [[ -z "$scratch" ]] || rm -rf "${machine:?}" # a half-made one
    mkdir -p "$machine"
    run_wineboot -i
    prepared=1
  elif machine_runs_programs; then
    works=1
  elif [[ ! -x /usr/lib/wine/wine ]]; then
    : # no repair helps; said below
  elif [[ -n "$scratch" ]]; then
    echo "norva: the Windows machine in $machine is broken (Windows programs do not start); making it again..." >&2
    WINEPREFIX="$machine" "$wineserver" -k 2>/dev/null || true
    rm -rf "${machine:?}"
    mkdir -p "$machine"
    run_wineboot -i
    prepared=1
  else
    # Not ours to delete: Wine puts its system files back, which it does only for a prefix it takes for an
    # older one.
    echo "norva: Windows programs do not start in $machine; repairing it with wineboot -u..." >&2
    rm -f "$machine/.update-timestamp"
    run_wineboot -u
    prepared=1
  fi
  if [[ -z "$works" ]]; then
    if [[ -n "$prepared" ]] && machine_runs_programs; then
      echo "norva: the Windows machine is ready ($((SECONDS - start)) s)" >&2
    elif [[ ! -x /usr/lib/wine/wine ]]; then
      echo "norva: Wine's 32-bit half (wine32:i386) is missing: Windows programs cannot start in $machine" >&2
    else
      echo "norva: Windows programs still do not start in $machine; the menu runs, but cannot start them" >&2
    fi
  fi
  exec 9>&-
fi

if [[ " $* " == *" --headless "* && -t 0 ]]; then
  echo "norva: headless; type commands (dump, click NAME, key Down, quit)" >&2
fi
exec build/src/app/norva --disc "$disc" "${extra[@]}" "$@"
