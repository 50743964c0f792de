#!/bin/sh
# A stand-in for Wine in tests: "Windows programs" are shell scripts. Called as
#   fake_runner.sh <host path of the program> <arguments...>
# in the program's working folder with WINEPREFIX set. Every call is noted in $WINEPREFIX/fake_runner.log;
# a first word that is no file (rundll32, msiexec, start) is only noted.
log="${WINEPREFIX:-.}/fake_runner.log"
printf '%s|%s\n' "$(pwd)" "$*" >> "$log"
program="$1"
[ $# -gt 0 ] && shift
if [ -f "$program" ]; then
  exec /bin/sh "$program" "$@"
fi
exit 0
