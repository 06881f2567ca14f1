#!/usr/bin/env bash
# Makes the README's pictures again: the program with examples/monotoni.txt piped in, in a window
# under Xvfb, photographed once the polygon is drawn (docs/screenshot.png) and at the fourth of its
# seven steps (docs/step.png). Needs the build from scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
display=":$((200 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program=
trap 'kill $program 2>/dev/null; sleep 0.3; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display ./build/triangulacija < examples/monotoni.txt > /dev/null &
program=$!
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka' | head -n 1)
sleep 1
DISPLAY=$display import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"
DISPLAY=$display xdotool key --window "$window" --delay 100 Right Right Right Right sleep 0.5
DISPLAY=$display import -window "$window" docs/step.png
echo "wrote docs/step.png"
