#!/bin/sh
# The real Wine prefix of one test run, for the tests that check what Wine itself does: made once by
# wineboot before them ("setup DIR"), its wineserver ended after them ("cleanup DIR"). Where Wine is not
# installed nothing is made, and those tests skip themselves.
set -eu
action=$1
dir=$2
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if ! command -v wineboot >/dev/null 2>&1 || ! command -v wineserver >/dev/null 2>&1; then
  echo "Wine is not installed: the tests against a real Wine prefix will be skipped"
  rm -rf "$dir"
  exit 0
fi
case "$action" in
  setup)
    rm -rf "$dir"
    mkdir -p "$dir"
    start=$(date +%s%N)
    if ! wineboot -i >"$dir/wineboot.log" 2>&1; then
      cat "$dir/wineboot.log"
      exit 1
    fi
    wineserver -w  # the registry files are complete once the server has saved them and ended
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    echo "$ms" >"$dir/made-in-ms"
    echo "made the scratch Wine prefix $WINEPREFIX with wineboot in $ms ms"
    ;;
  cleanup)
    wineserver -k 2>/dev/null || true
    ;;
esac
