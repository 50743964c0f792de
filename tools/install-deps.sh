#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing: Wine runs the Windows programs
# (the run command, the tests against a real prefix) with its 32-bit half, since every program on a real disc
# is a 32-bit one; MinGW-w64 builds the sample disc's programs, NSIS and wixl make its installer-tool setups;
# xdg-utils opens readmes and web pages; xorriso makes the sample disc's ISO, and libcdio-utils, bchunk, iat,
# mdf2iso and ccd2iso read back the disc images the tests write; libiso9660 and libfuse3 serve disc images as
# folders (norva-disc), fuse3 brings the fusermount3 that mounts them without root; the window gives fontconfig
# (libfontconfig-dev) a configuration of its own.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev python3
  libjpeg62-turbo-dev libarchive-dev libarchive-tools libdeflate-dev zlib1g-dev libavutil-dev
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libfontconfig-dev lame fonts-dejavu-core xdg-utils
  wine wine64 wine32:i386 gcc-mingw-w64-i686 gcc-mingw-w64-x86-64 nsis wixl
  xorriso libcdio-utils bchunk iat mdf2iso ccd2iso libcdio-dev libiso9660-dev libfuse3-dev fuse3
  clang libclang-rt-14-dev)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# Wine's 32-bit half comes from the i386 architecture of the same archive.
changed=0
if [[ "$(dpkg --print-architecture)" != i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture for Wine's 32-bit half" >&2
  $sudo dpkg --add-architecture i386
  changed=1
fi
# One query for all of them: the run command asks every time it starts.
installed=$'\n'"$(dpkg-query -W -f='${Package}:${Architecture} ${db:Status-Status}\n' \
  "${packages[@]}" 2>/dev/null || true)"$'\n'
missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}
  # Packages without an architecture in the list count as installed in any architecture.
  if [[ "$p" == *:* ]]; then
    [[ "$installed" == *$'\n'"$p installed"$'\n'* ]] || missing+=("$p")
  else
    [[ "$installed" =~ $'\n'"$name":[a-z0-9]+\ installed$'\n' ]] || missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  changed=1
fi
if ((changed)); then
  $sudo apt-get update
fi
if ((${#missing[@]})); then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
