#!/usr/bin/env bash
# Installs the Debian packages Corvana needs to build, run and test, when they are missing:
# clang for the fuzz targets, dpkg-dev and file for the Debian package, the validators for the
# installed desktop entry and metainfo. Qt's speech headers include a header of Qt Declarative
# that Debian's qt6-speech-dev does not pull in, hence qt6-declarative-dev.
set -euo pipefail
packages=(cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-speech-dev qt6-declarative-dev libqt6sql6-sqlite libgif-dev libcmark-dev libarchive-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-wine
  clang libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
