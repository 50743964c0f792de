#!/bin/sh
# The check on the sample disc with one planted fault of each class: each is reported under its section and
# key, every line of --json is one object, and the exit status tells errors and unreadable discs apart. With
# xorriso (third argument) and FUSE, the same disc as an ISO image gives the same findings, less those about
# letter case, which an image does not tell apart; so do the sample disc's own ISO and BIN/CUE images.
set -eu
norva=$1
sample=$2
xorriso=${3:-}
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
mv "$work/disc/DEMOS/Castle/castle.exe" "$work/disc/DEMOS/Castle/CASTLE.EXE"
printf '[Demo9]\r\nName=x\r\n' >> "$ini"
mkdir -p "$work/disc/Norva/Small/broken.bmp"
sed -i '0,/^Picture=castle/s//Picture=broken/' "$ini"
# Pictures: a thumbnail that does not decode.
printf 'BMnonsense' > "$work/disc/Norva/Small/pirates01.bmp"
# Archives: a damaged archive (Demo1) and an UnpackedSize that disagrees with a sound one (Demo2's).
arch=$(ls "$work"/disc/DEMOS/Skyhopper/*.rar | head -1)
head -c 200 "$arch" > "$arch.cut" && mv "$arch.cut" "$arch"
sed -i '/^\[Demo2\]/,/^UnpackedSize=/s/^UnpackedSize=[0-9]*/UnpackedSize=12345/' "$ini"
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
# expect SECTION KEY [TEXT]: a finding under that section and key, whose message holds TEXT.
expect() {
  grep "\"section\":\"$1\",\"key\":\"$2\"" "$work/out.json" | grep -qF -- "${3:-}" ||
    { echo "not reported: [$1] $2 ${3:-}"; fail=1; }
}
expect Shot3 ""
expect Main CD
expect Demo1 DirDetect
expect Demo1 Date
expect Demo1 Gamenme
expect Demo9 ""
expect Demo3 Picture
expect Demo2 Picture
expect Demo1 InstallName "skyhopper.rar is damaged"
expect Demo2 UnpackedSize "12345 but the archive holds 77767 bytes"
expect Demo3 InstallName "under another letter case"
expect Demo3 Uninstall
expect Demo1b Name
grep -v '^{"severity":"[a-z]*","section":"[^"]*","key":"[^"]*","message":".*"}$' "$work/out.json" &&
  { echo "a line is not one finding object"; fail=1; }
"$norva" --check "$work/nowhere" >/dev/null 2>&1 && { echo "an unreadable disc passed"; fail=1; }
[ $fail = 0 ] || { cat "$work/out.json"; exit 1; }

# The same disc as an image, served through the menu's FUSE mount.
if [ -z "$xorriso" ] || [ ! -x "$xorriso" ]; then
  echo "skipped the image run: no xorriso to make the image"
elif [ ! -c /dev/fuse ] || [ ! -r /dev/fuse ] || [ ! -w /dev/fuse ]; then
  echo "skipped the image run: /dev/fuse is missing or not usable"
else
  "$xorriso" -as mkisofs -quiet -input-charset UTF-8 -output-charset UTF-8 -J -joliet-long -r \
    -V PLANTED -o "$work/disc.iso" "$work/disc" >/dev/null 2>&1
  set +e
  "$norva" --check "$work/disc.iso" --json > "$work/image.json"
  status=$?
  set -e
  [ "$status" = 1 ] || { echo "image: exit status $status, wanted 1"; exit 1; }
  grep -v 'under another letter case' "$work/out.json" > "$work/folder.json"
  diff "$work/folder.json" "$work/image.json" || { echo "the image's findings differ from the folder's"; exit 1; }
  # The sample disc's own images, the ISO and the BIN/CUE the build makes: clean, as the folder is.
  "$norva" --check "$sample" --json > "$work/sample.json"
  for image in "$sample.iso" "$sample.cue"; do
    [ -f "$image" ] || { echo "skipped $image: the build made no such image"; continue; }
    "$norva" --check "$image" --json > "$work/sample-image.json" || { echo "$image has errors"; exit 1; }
    diff "$work/sample.json" "$work/sample-image.json" || { echo "$image differs from the folder"; exit 1; }
  done
fi
