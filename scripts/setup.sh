#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Molvane
# need, skipping those already installed. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libfltk1.3-dev fonts-wqy-microhei
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev openssl python3
  clang libclang-rt-14-dev
  xvfb xdotool x11-utils imagemagick libx11-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
