#!/usr/bin/env bash
# Builds the browser page into OUT (index.html, index.js, index.wasm, index.data) and the headless
# runner for node beside it, from the data a native build generated.
# Usage: build-page.sh NATIVE_BUILD OUT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
native=$(cd "$1" && pwd)
out=$2
source "$here/env.sh"
bash "$here/build-deps.sh"
for data in gfx anim music sfx generated/font_glyphs.cpp; do
  [[ -e $native/$data ]] || { echo "$native/$data is missing: build the game natively first"; exit 1; }
done
if [[ ! -f $out/CMakeCache.txt ]]; then
  emcmake cmake -S "$source" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DSKULL_WEB_PREFIX="$SKULL_WEB_PREFIX" -DSKULL_NATIVE_BUILD="$native" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$SKULL_WEB_EMULATOR"
fi
# The data package is made when the page links; newer data means linking again.
if [[ -f $out/index.html && -n $(find "$native"/{gfx,anim,music,sfx} -newer "$out/index.html" | head -1) ]]; then
  rm "$out/index.html"
fi
nice cmake --build "$out" -j"${JOBS:-2}" --target skullgnawer skullgnawer-headless
echo "The page is in $out/index.html"
