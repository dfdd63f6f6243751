#!/usr/bin/env bash
# Starts the game in a window; without a display, plays a short scripted session headless instead
# and prints where its screenshots are.
set -euo pipefail
build=${1:-build}
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/skullgnawer"
fi
demo="$build/demo"
mkdir -p "$demo"
# The pointer wanders over the menu after the start-up picture has faded.
cat > "$demo/input.txt" <<'SCRIPT'
5200 mouse 400 300
6000 mouse 260 180
7000 mouse 520 420
SCRIPT
echo "No display found: playing a short headless session instead."
shots=()
args=()
for ms in 1500 3000 5500 8000; do
  shots+=("$demo/shot-$ms.png")
  args+=(--shot "$ms:$demo/shot-$ms.png")
done
status=0
"$build/skullgnawer-headless" --input "$demo/input.txt" --seconds 9 --trace "$demo/trace.jsonl" \
  "${args[@]}" || status=$?
echo "Screenshots:"
for shot in "${shots[@]}"; do
  if [[ -f "$shot" ]]; then echo "  $(realpath "$shot")"; fi
done
echo "Trace: $(realpath "$demo/trace.jsonl")"
exit "$status"
