#!/usr/bin/env bash
# Makes the Debian package from a built tree (default build-release), checks it and its desktop files with
# lintian, desktop-file-validate and appstreamcli, installs it on this machine, starts the installed
# /usr/bin/norva headless on the sample disc's image (built by tools/test.sh into build/) and removes the
# package again. The installed program has to find its helpers in its own install: the build tree is moved
# aside meanwhile, so that the paths compiled in for the build cannot serve them. Needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:-build-release}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
SECONDS=0

rm -rf "$tree/package"
(cd "$tree" && cpack -G DEB -B package >/dev/null)
deb=$(echo "$tree"/package/norva_*.deb)
dpkg-deb -f "$deb" Package Version Depends Recommends
# Errors fail; warnings are shown (CI's log keeps them).
lint=0
lintian --fail-on error "$deb" 2>&1 | grep -v '^running with root privileges' || lint=${PIPESTATUS[0]}
((lint == 0)) || exit 1
echo "check-package: package made and linted after ${SECONDS} s"

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "./$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q norva >/dev/null' EXIT
desktop-file-validate /usr/share/applications/org.norva.Norva.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.norva.Norva.metainfo.xml
# The package's MIME types reached the system's database.
grep -q ':application/x-nrg:\*\.nrg$' /usr/share/mime/globs2
! command -v man >/dev/null || man -l /usr/share/man/man1/norva.1.gz >/dev/null

# The installed program on the sample disc's image (served by its own norva-disc) shows what the build's
# program shows.
script=$'wait 1500\nclick PlayImage\nwait 500\ndump\n'
run() { printf '%s' "$script" | "$1" --headless --clock 12:00 --disc "$image" --machine "$machine"; }
machine=$(mktemp -d)
image=$(realpath build/sample-disc.iso)
expected=$(run build/src/app/norva)
rm -rf "$machine" && mkdir "$machine"
aside="$(realpath "$tree").aside"
[[ "$image" == "$(realpath "$tree")"/* ]] && image="$aside/${image#"$(realpath "$tree")"/}"
mv "$tree" "$aside"
status=0
actual=$(run /usr/bin/norva) || status=$?
mv "$aside" "$tree"
rm -rf "$machine"
if ((status != 0)) || [[ "$actual" != "$expected" || "$actual" != *'"app_title":"Norva CD'* ]]; then
  echo "check-package: the installed norva ended with $status, its dump:" >&2
  echo "$actual" >&2
  exit 1
fi
echo "check-package: the installed norva runs on the sample disc; all done after ${SECONDS} s"
