#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing: Wine runs the Windows programs
# (the run command, the tests against a real prefix), MinGW-w64 builds the sample disc's programs.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev python3
  libjpeg62-turbo-dev libarchive-dev libarchive-tools libdeflate-dev zlib1g-dev libavutil-dev
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev lame fonts-dejavu-core
  wine wine64 gcc-mingw-w64-x86-64
  clang libclang-rt-14-dev)
# One query for all of them: the run command asks every time it starts.
installed=$'\n'"$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)"$'\n'
missing=()
for p in "${packages[@]}"; do
  [[ "$installed" == *$'\n'"$p installed"$'\n'* ]] || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
