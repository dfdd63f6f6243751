#!/usr/bin/env bash
# The headless runner built for node plays a 60 s four-bot match and must write the same trace and
# the same pictures, byte for byte, as the native runner: the wasm build plays the same game.
# Usage: node-runner-test.sh NATIVE_BUILD WEB_BUILD
set -euo pipefail
native=$(cd "$1" && pwd)
web=$2
kSkip=77
if ! command -v node >/dev/null || ! command -v emcc >/dev/null; then
  echo "SKIPPED: no web toolchain (emscripten, node) could be installed here"
  exit $kSkip
fi
runner=$web/skullgnawer-headless.js
[[ -f $runner ]] || { echo "$runner is missing: run make web"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The match draws only around the three shots, spread over the minute.
run() {
  local name=$1
  shift
  "$@" --data "$native" --match 2:4 --bots 4 --seconds 60 --no-draw --trace "$work/$name.jsonl" \
    --shot 5000:"$work/$name-5.png" --shot 30000:"$work/$name-30.png" \
    --shot 59000:"$work/$name-59.png" >"$work/$name.out" 2>&1 ||
    { echo "the $name runner failed:"; cat "$work/$name.out"; exit 1; }
}
run native "$native/skullgnawer-headless"
run node node --no-experimental-fetch "$runner"
[[ $(wc -l <"$work/native.jsonl") -gt 3000 ]] || { echo "the native trace is too short"; exit 1; }
status=0
for file in .jsonl -5.png -30.png -59.png; do
  if ! cmp "$work/native$file" "$work/node$file"; then
    echo "native$file and node$file differ"
    status=1
  fi
done
[[ $status -eq 0 ]] && echo "trace ($(wc -l <"$work/native.jsonl") frames) and 3 shots identical"
exit $status
