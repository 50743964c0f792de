#!/bin/sh
# The check on the sample disc with one planted fault of each class: each is reported under its section and
# key, every line of --json is one object, and the exit status tells errors and unreadable discs apart.
set -eu
norva=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$sample" "$work/disc"
ini="$work/disc/Norva/NORVAXP.INI"

"$norva" --check "$work/disc" >/dev/null || { echo "the clean sample disc has errors"; exit 1; }

# Catalog form: a count above the sections, a misspelt key, a bad number, a bad date, a bad issue code.
sed -i 's/^Shots=2/Shots=3/; s/^CD=1206/CD=12-06/' "$ini"
sed -i '0,/^DirDetect=5/s//DirDetect=5x/' "$ini"
sed -i '0,/^Date=1106/s//Date=11ab/' "$ini"
sed -i '0,/^GameName=skyhop.exe/s//Gamenme=skyhop.exe/' "$ini"
# Files: a missing readme (Extra), a setup only under another case (Demo3), a folder named as a picture.
rm -f "$work"/disc/Extra/*/readme.txt 2>/dev/null || true
printf '[Demo9]\r\nName=x\r\n' >> "$ini"
mkdir -p "$work/disc/Norva/Small/broken.bmp"
sed -i '0,/^Picture=castle/s//Picture=broken/' "$ini"
# Pictures: a thumbnail that does not decode.
printf 'BMnonsense' > "$work/disc/Norva/Small/pirates01.bmp"
# Archives: a damaged archive and an UnpackedSize that disagrees.
arch=$(ls "$work"/disc/DEMOS/Skyhopper/*.rar | head -1)
head -c 200 "$arch" > "$arch.cut" && mv "$arch.cut" "$arch"
sed -i '0,/^UnpackedSize=[0-9]*/s//UnpackedSize=12345/' "$ini"
# Install rules: an uninstall command aimed at the Windows folder, a registry root key.
sed -i '0,/^Uninstall=FWcastle.ini/s//Uninstall=DC:\\windows,RMD\\SOFTWARE/' "$ini"
# Code page: a byte without a character in Windows-1250.
printf '[Demo1b]\r\nName=\201\r\n' >> "$ini"

set +e
"$norva" --check "$work/disc" --json > "$work/out.json"
status=$?
set -e
[ "$status" = 1 ] || { echo "exit status $status, wanted 1"; exit 1; }
fail=0
expect() {
  grep -q "\"section\":\"$1\",\"key\":\"$2\"" "$work/out.json" || { echo "not reported: [$1] $2"; fail=1; }
}
expect Shot3 ""
expect Main CD
expect Demo1 DirDetect
expect Demo1 Date
expect Demo1 Gamenme
expect Demo9 ""
expect Demo3 Picture
expect Demo2 Picture
expect Demo1 InstallName
expect Demo3 Uninstall
expect Demo1b Name
grep -v '^{"severity":"[a-z]*","section":"[^"]*","key":"[^"]*","message":".*"}$' "$work/out.json" &&
  { echo "a line is not one finding object"; fail=1; }
"$norva" --check "$work/nowhere" >/dev/null 2>&1 && { echo "an unreadable disc passed"; fail=1; }
[ $fail = 0 ] || { cat "$work/out.json"; exit 1; }
