#!/usr/bin/env bash
# Installs the Debian packages the build, the data generation and the tests need, when missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang ccache
  libsdl2-dev libpng-dev libvorbis-dev libogg-dev
  libenet-dev libenet-doc
  libcairo2-dev librsvg2-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev xvfb xauth xdotool
  iproute2 nftables
)
# The browser build and its tests: emscripten, a browser to drive, and apt-get source for the
# libraries tools/web/build-deps.sh builds for the web. Without them the rest still works.
web_packages=(emscripten chromium dpkg-dev nodejs)
missing=()
web_missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
for package in "${web_packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || web_missing+=("$package")
done
[[ ${#missing[@]} -eq 0 && ${#web_missing[@]} -eq 0 ]] && exit 0
if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [[ ${#web_missing[@]} -gt 0 ]]; then
  echo "Installing for the browser build: ${web_missing[*]}"
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${web_missing[@]}" ||
    echo "The web toolchain could not be installed: make web fails and its tests are skipped"
fi
