#!/usr/bin/env bash
# Starts the game in a window; without a display, shows a short headless session instead.
set -euo pipefail
build=${1:-build}
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/skullgnawer"
fi
shots="$build/demo"
mkdir -p "$shots"
echo "No display found: running a headless session instead."
"$build/skullgnawer-headless" --seconds 8 --shot "1000:$shots/splash.png" --shot "7000:$shots/later.png" \
  --trace "$shots/trace.jsonl"
echo "Screenshots: $shots/splash.png $shots/later.png"
