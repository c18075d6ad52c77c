#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need. Safe to run again:
# when everything is there it asks the package mirror nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libexpat1-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick
  # The Windows installer and the portable package.
  nsis zip unzip
  # Wine's own fonts (the caption buttons' symbols among them), and Japanese texts in the Wine
  # screenshots and end-to-end runs.
  fonts-wine fonts-ipafont-gothic
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
