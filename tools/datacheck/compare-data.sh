#!/usr/bin/env bash
# Compares the generated data of two build folders byte for byte: the pictures, animations, music
# and sounds the game reads, and the built-in font compiled into it. Names every file that differs
# or is missing on one side; exits 1 when there is any.
# Usage: compare-data.sh FIRST_BUILD SECOND_BUILD
set -euo pipefail
first=${1:?usage: compare-data.sh FIRST_BUILD SECOND_BUILD}
second=${2:?usage: compare-data.sh FIRST_BUILD SECOND_BUILD}
folders=(gfx anim music sfx)
font=generated/font_glyphs.cpp

# Every data file of a build, relative to it, one a line, sorted.
data_files() {
  (
    cd "$1" || exit 0
    find "${folders[@]}" -type f 2>/dev/null || true
    if [[ -f $font ]]; then echo "$font"; fi
  ) | LC_ALL=C sort
}

for build in "$first" "$second"; do
  if [[ -z $(data_files "$build") ]]; then
    echo "no generated data in $build"
    exit 1
  fi
done

bad=0
total=0
while IFS= read -r file; do
  total=$((total + 1))
  if [[ ! -f $first/$file ]]; then
    echo "only in $second: $file"
  elif [[ ! -f $second/$file ]]; then
    echo "only in $first: $file"
  elif ! cmp -s "$first/$file" "$second/$file"; then
    echo "differs: $file"
  else
    continue
  fi
  bad=$((bad + 1))
done < <(LC_ALL=C sort -u <(data_files "$first") <(data_files "$second"))

if [[ $bad -gt 0 ]]; then
  echo "$bad of $total data files differ between $first and $second"
  exit 1
fi
echo "all $total data files are the same in $first and $second"
