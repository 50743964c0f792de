#!/bin/sh
# The window at rest as a user has it: the built menu on the sample disc on an X server (a private Xvfb
# unless DISPLAY names one), music on, measured for SECONDS (default 20) after a settling time of 6 s (the
# music and the border animations have started by then). Prints the CPU share of one core and the memory.
#
#   bench/window_idle.sh [BUILD_DIR] [SECONDS] [-- NORVA_OPTIONS...]
set -eu
build=${1:-build}
seconds=${2:-20}
shift 2 2>/dev/null || shift $#
[ "${1:-}" = "--" ] && shift
scratch=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :77 -screen 0 1920x1200x24 >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:77
  sleep 1
fi
"$build/src/app/norva" --disc "$build/sample-disc" --machine "$scratch/machine" --runner true "$@" \
  >"$scratch/out" 2>&1 &
pid=$!
sleep 6
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
# Most of the resident memory is the libraries' code (shared with other programs); the private part is the
# menu's own.
private=$(awk '/^Anonymous/ {print $2}' "/proc/$pid/smaps_rollup")
echo "idle window for ${seconds} s: CPU $(echo "$before $after $hz $seconds" | awk '{printf "%.2f", ($2 - $1) * 100 / $3 / $4}')% of one core," \
  "resident memory $((rss / 1024)) MB (peak $((peak / 1024)) MB), of it private $((private / 1024)) MB"
if [ -s "$scratch/out" ]; then
  echo "the menu printed:"
  cat "$scratch/out"
fi
