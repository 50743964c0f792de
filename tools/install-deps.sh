#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing. With --wine also Wine, which
# runs the Windows programs of the sample disc (tools/run.sh, and CI for the end-to-end test); without it the
# menu and every other test work, and the tests that need Wine are skipped.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev python3
  libjpeg62-turbo-dev libarchive-dev zlib1g-dev libavutil-dev
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev lame fonts-dejavu-core
  gcc-mingw-w64-x86-64)
for arg in "$@"; do
  case "$arg" in
    --wine) packages+=(wine wine64) ;;
    *) echo "usage: tools/install-deps.sh [--wine]" >&2; exit 2 ;;
  esac
done
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
