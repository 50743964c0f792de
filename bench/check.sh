#!/bin/sh
# The catalog check's speed: `norva --check` on the sample disc, and on a DVD-size disc made from it whose
# catalog fills every page to its capacity (275 items, each cloned from a sample item of its kind, so that
# every item's files, pictures and archive are really looked up, decoded and walked). Prints the mean wall
# time of RUNS runs (default 10) of each.
#
#   bench/check.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-10}
norva="$build/src/app/norva"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$build/sample-disc" "$scratch/dvd"
python3 - "$build/sample-disc/Norva/NORVAXP.INI" "$scratch/dvd/Norva/NORVAXP.INI" <<'PY'
import re, sys
text = open(sys.argv[1], 'rb').read().decode('cp1250')
sections = {}
for m in re.finditer(r'^\[([^\]]+)\]\r?\n(.*?)(?=^\[|\Z)', text, re.S | re.M):
    sections[m.group(1)] = m.group(2)
kinds = [('Demos', 'Demo', 30), ('Shareware', 'Share', 25), ('Shots', 'Shot', 35), ('Movies', 'Movie', 30),
         ('Readers', 'Reader', 40), ('Fulls', 'Full', 15), ('Drivers', 'Driver', 20), ('Extra', 'Extra', 15),
         ('Extra2', 'Extra2', 15)]
main = sections['Main']
out = []
for count_key, prefix, capacity in kinds:
    main = re.sub(r'^%s=.*$' % count_key, '%s=%d' % (count_key, capacity), main, flags=re.M)
    samples = [body for name, body in sections.items() if re.fullmatch(prefix + r'\d+', name)]
    for n in range(1, capacity + 1):
        out.append('[%s%d]\r\n%s' % (prefix, n, samples[(n - 1) % len(samples)]))
updates = sections['Updates']
lines = [l for l in updates.splitlines() if l.startswith('Update')]
main = re.sub(r'^Updates=.*$', 'Updates=50', main, flags=re.M)
out.append('[Updates]\r\n' + ''.join('Update%d=%s\r\n' % (n, lines[(n - 1) % len(lines)].split('=', 1)[1])
                                     for n in range(1, 51)))
open(sys.argv[2], 'wb').write(('[Main]\r\n' + main + ''.join(out)).encode('cp1250'))
PY
measure() {
  start=$(date +%s%N)
  i=0
  while [ $i -lt "$runs" ]; do
    "$norva" --check "$1" >/dev/null 2>&1 || true
    i=$((i + 1))
  done
  end=$(date +%s%N)
  echo "$2: $(( (end - start) / runs / 1000000 )) ms a check"
}
measure "$build/sample-disc" "sample disc"
measure "$scratch/dvd" "DVD-size catalog (275 items, 50 updates)"
