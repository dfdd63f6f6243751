#!/usr/bin/env bash
# The layer check on a small tree of its own: a clean tree passes, and an include that runs upward
# or from one screen into another is named with its file and line.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{media,entities,menu,tutorial}
printf '#include "media/a.h"\n' >"$tree/entities/ok.cpp"
printf '#pragma once\n#include <vector>\n' >"$tree/media/a.h"
"$check" "$tree"

printf '// first\n#include "entities/ok.h"\n' >"$tree/media/up.cpp"
printf '#include "menu/menu.h"\n' >"$tree/tutorial/side.cpp"
if output=$("$check" "$tree"); then
  echo "an upward include passed the check"; exit 1
fi
grep -q "media/up.cpp:2: 'media' may not include 'entities/'" <<<"$output"
grep -q "tutorial/side.cpp:1: 'tutorial' may not include 'menu/'" <<<"$output"
echo "layer check: clean tree passes, upward and sideways includes are named"
