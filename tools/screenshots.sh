#!/usr/bin/env bash
# Takes the screenshots of the software centres' description (desktop/screenshots/) from the window on the
# sample disc, on a virtual X server: the demos page by day, and the full games page at night with its second
# game selected. Needs Xvfb, xdotool and ImageMagick's import and convert.
set -euo pipefail
cd "$(dirname "$0")/.."
out=desktop/screenshots
display=:${SCREENSHOT_DISPLAY:-98}
cmake --build build --target norva sample_disc
Xvfb "$display" -screen 0 1400x1000x24 >/dev/null 2>&1 &
xvfb=$!
machine=$(mktemp -d)
trap 'kill $xvfb; rm -rf "$machine"' EXIT
sleep 2
export DISPLAY=$display WINEDEBUG=-all

# Starts the menu, lets `act` (the window's left and top given) click, and saves the window as $1.
shoot() {
  local file=$1 clock=$2 act=$3
  build/src/app/norva --disc build/sample-disc --machine "$machine" --clock "$clock" &
  local menu=$!
  sleep 6
  local window
  window=$(xdotool search --name '^Norva CD' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  $act "$X" "$Y"
  sleep 2
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$file"
  kill $menu
  wait $menu || true
}
day() { :; }
night() {
  xdotool mousemove $(($1 + 662)) $(($2 + 325)) click 1  # the full games' page key
  sleep 2
  xdotool mousemove $(($1 + 200)) $(($2 + 282)) click 1  # the list's second game
}
shoot norva-demos.png 14:00 day
shoot norva-night.png 22:00 night
