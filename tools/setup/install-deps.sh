#!/usr/bin/env bash
# Installs the Debian packages the build, the data generation and the tests need, when missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang
  libsdl2-dev libpng-dev libvorbis-dev libogg-dev
  libenet-dev libenet-doc
  libcairo2-dev librsvg2-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev xvfb xauth xdotool
  iproute2 nftables
)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
