#!/usr/bin/env bash
# Every folder of src/ is a layer and may include only its own folder and the layers below it.
# Prints each include that runs upward or sideways (one screen into another) as FILE:LINE and
# exits non-zero when there is one.
set -euo pipefail
src="${1:-$(dirname "$0")/../../src}"

# Rank of each folder, bottom first; folders of one rank may not include each other.
declare -A rank=(
  [media]=0
  [vgp]=1 [anim]=1
  [core]=2
  [resources]=3
  [entities]=4
  [field]=5
  [net]=6
  [game]=7 [menu]=7 [tutorial]=7 [server]=7
  [app]=8
)

status=0
while IFS=: read -r file line text; do
  from=${file#"$src"/}
  from=${from%%/*}
  to=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
  if [[ -z ${rank[$from]+x} ]]; then
    echo "$file: folder '$from' has no layer; add it to $0"
    status=1
  elif [[ -z ${rank[$to]+x} ]]; then
    echo "$file:$line: includes '$to/', which is no layer"
    status=1
  elif [[ $to != "$from" && ${rank[$to]} -ge ${rank[$from]} ]]; then
    echo "$file:$line: '$from' may not include '$to/' (a layer above or beside it)"
    status=1
  fi
done < <(grep -rnE '^\s*#\s*include "[a-z_]+/' "$src" --include='*.h' --include='*.cpp')
exit $status
