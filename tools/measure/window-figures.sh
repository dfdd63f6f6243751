#!/bin/bash
# The whole-program figures of the real windowed game on a virtual X server: time from launch to
# the first frame, frame rate, and peak memory over a session that plays the tutorial for a while
# and then a four-player match.
#   tools/measure/window-figures.sh [BUILD_DIR]
set -euo pipefail

# Runs on the virtual display.
session() {
  local build=$1
  SKULLGNAWER_STATS=1 SDL_AUDIODRIVER=dummy "$build/skullgnawer" &
  local game=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^SKULLGNAWER$' | head -1)
  # Held over a few frames: the menu reads the button once per frame. Panels need a moment to
  # slide and fade in.
  click() {
    xdotool mousemove --window "$window" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.15 mouseup 1
    sleep 3
  }
  # What the screen showed, to check the session went where it should.
  shot() {
    ! command -v import >/dev/null || import -window root "$PWD/$1.png" && echo "$PWD/$1.png"
  }
  sleep 1
  click 400 300 # past the splash
  click 408 236 # play
  click 255 220 # the tutorial
  click 250 372 # asked for a player count on the way, as any choice here is
  sleep 10
  shot tutorial
  xdotool windowfocus --sync "$window" keydown Escape sleep 0.2 keyup Escape
  sleep 3
  click 408 236 # play
  click 535 420 # the first level
  click 250 372 # four players
  sleep 6
  shot match
  sleep 9
  "$build/tools/closewindow/closewindow" SKULLGNAWER
  wait $game
}

if [ "${1:-}" = --on-display ]; then
  session "$2"
  exit
fi
build=$(realpath "${1:-build}")
script=$(realpath "$0")
for tool in xvfb-run xdotool; do
  command -v $tool >/dev/null || { echo "needs $tool (make setup installs it)"; exit 1; }
done
cd "$(mktemp -d)"
xvfb-run -a -s "-screen 0 1024x768x24" "$script" --on-display "$build"
