#!/usr/bin/env bash
# The data comparison on two small build folders of its own: the same data passes, and every file
# that differs or exists on one side only is named, in every data folder and the built-in font.
set -euo pipefail
compare="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for build in gcc clang; do
  mkdir -p "$root/$build"/{gfx/menu,anim,music,sfx,generated}
  printf 'png' >"$root/$build/gfx/menu/title.png"
  printf 'vba' >"$root/$build/anim/animchr.vba"
  printf 'ogg' >"$root/$build/music/menu.ogg"
  printf 'wav' >"$root/$build/sfx/sting.wav"
  printf 'font' >"$root/$build/generated/font_glyphs.cpp"
done
bash "$compare" "$root/gcc" "$root/clang" | grep -q "all 5 data files are the same"

printf 'PNG' >"$root/clang/gfx/menu/title.png"
printf 'fonT' >"$root/clang/generated/font_glyphs.cpp"
rm "$root/gcc/sfx/sting.wav"
printf 'new' >"$root/gcc/anim/extra.vba"
if output=$(bash "$compare" "$root/gcc" "$root/clang"); then
  echo "differing data passed the comparison"; exit 1
fi
grep -qx "differs: gfx/menu/title.png" <<<"$output"
grep -qx "differs: generated/font_glyphs.cpp" <<<"$output"
grep -qx "only in $root/clang: sfx/sting.wav" <<<"$output"
grep -qx "only in $root/gcc: anim/extra.vba" <<<"$output"
grep -q "4 of 6 data files differ" <<<"$output"
if grep -q "music/menu.ogg" <<<"$output"; then
  echo "a file that is the same was named"; exit 1
fi

mkdir "$root/empty"
if output=$(bash "$compare" "$root/gcc" "$root/empty"); then
  echo "a folder without data passed the comparison"; exit 1
fi
grep -q "no generated data in $root/empty" <<<"$output"
echo "data comparison: equal data passes, differing and one-sided files are named"
