#!/usr/bin/env bash
# Starts the game in a window; without a display, four bots play a match headless instead, and
# the screenshots and the winner are printed.
set -euo pipefail
build=${1:-build}
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/skullgnawer"
fi
demo="$build/demo"
mkdir -p "$demo"
runner="$build/skullgnawer-headless"
match=(--match "${LEVEL:-0}:4" --bots 4 --seconds 1800)
echo "No display found: four bots play a match headless instead."

# A pass without drawing finds out how long the match lasts; the second pass plays it again (play
# is the same either way) and draws only the frames it takes shots of, the last one the winner.
"$runner" "${match[@]}" --no-draw --trace "$demo/plan.jsonl"
end=$(tail -n 1 "$demo/plan.jsonl" | sed -E 's/^\{"t": ([0-9]+).*/\1/')
winner=$(tail -n 1 "$demo/plan.jsonl" | grep -oE '"slot": [0-9], "state": [0-9]+' |
  grep -v '"state": 13' | head -n 1 | grep -oE '"slot": [0-9]' | grep -oE '[0-9]') || true

shots=()
args=()
for ms in 8000 $((end * 2 / 5)) $((end * 4 / 5)) "$end"; do
  shots+=("$demo/shot-$ms.png")
  args+=(--shot "$ms:$demo/shot-$ms.png")
done
"$runner" "${match[@]}" --no-draw --trace "$demo/trace.jsonl" "${args[@]}"
echo "Screenshots:"
for shot in "${shots[@]}"; do
  if [[ -f "$shot" ]]; then echo "  $(realpath "$shot")"; fi
done
echo "Trace: $(realpath "$demo/trace.jsonl")"
if [[ -n "$winner" ]]; then
  echo "Winner: player $((winner + 1)) after $((end / 60000)) min $((end / 1000 % 60)) s"
else
  echo "No winner: the last players fell together"
fi
