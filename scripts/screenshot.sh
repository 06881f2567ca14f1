#!/usr/bin/env bash
# Makes the README's pictures again: the program with examples/monotoni.txt piped in, in a window
# under Xvfb, photographed once the polygon is drawn (docs/screenshot.png), at the fourth of its
# seven steps (docs/step.png), and in the middle of a drag of vertex 3 onto the grid, level with
# vertex 8 (docs/edit.png); and examples/w.txt at the sixth step of its partition into monotone pieces
# (docs/partition.png) and at its last, the pieces tinted (docs/pieces.png); examples/cesalj.txt at a
# page of its three-colouring (docs/colouring.png) and at its guards (docs/guards.png); task 4712 in the exercise,
# a step asked (docs/exercise-question.png) and answered (docs/exercise-answer.png); and the page in a
# browser (docs/browser.png), at the example's fourth step. Needs the builds of scripts/setup.sh and
# scripts/web.sh, and Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
display=":$((200 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program=
# The program runs in a folder of its own: a polygon left unsaved when it is ended is written there.
repository=$(pwd)
scratch=$(mktemp -d)
trap 'kill $program 2>/dev/null; sleep 0.3; kill $xvfb 2>/dev/null || true; rm -rf "$scratch"' EXIT
start() {  # the polygon's file (/dev/null for none), then the program's options
  local input=$1
  shift
  (cd "$scratch" && export DISPLAY=$display && exec "$repository/build/triangulacija" "$@" < "$input" > /dev/null) &
  program=$!
}
sleep 1
start "$repository/examples/monotoni.txt"
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka' | head -n 1)
sleep 1
DISPLAY=$display import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"
DISPLAY=$display xdotool key --window "$window" --delay 100 Right Right Right Right sleep 0.5
DISPLAY=$display import -window "$window" docs/step.png
echo "wrote docs/step.png"

# Editing with the grid on: the picture lies above the footer's grey line; vertex 3, (1, 7), is
# taken there and dragged to (2, 6), the button still down for the picture.
DISPLAY=$display xdotool key --window "$window" --delay 100 End e g sleep 0.5
DISPLAY=$display import -window "$window" ppm:- | convert ppm:- -crop 1x700+2+0 txt:- \
  | awk -F'[,:]' '/#8C8C8C/ { row = $2 } END { print row }' > /tmp/footer_row.$$
footer=$(cat /tmp/footer_row.$$)
rm -f /tmp/footer_row.$$
place() {  # window position of the polygon point ($1, $2): bounds x -4..7, y 0..10, in the picture
  awk -v x="$1" -v y="$2" -v h="$footer" 'BEGIN {
    eye = 10; if (11 * h / 1024 > eye) eye = 11 * h / 1024
    scale = (h / 2) / (eye * 0.5773502691896258)
    printf "%d %d", 512 + (x - 1.5) * scale + 0.5, h / 2 - 1 - (y - 5) * scale + 0.5 }'
}
read -r x0 y0 <<<"$(place 1 7)"
read -r x1 y1 <<<"$(place 2 6)"
DISPLAY=$display xdotool mousemove --window "$window" "$x0" "$y0" sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove --window "$window" $(( (x0 + x1) / 2 )) $(( (y0 + y1) / 2 )) sleep 0.2 \
  mousemove --window "$window" "$x1" "$y1" sleep 0.5
DISPLAY=$display import -window "$window" docs/edit.png
DISPLAY=$display xdotool mouseup 1
echo "wrote docs/edit.png"

# The W, cut into monotone pieces: the page that says why, then six steps of the partition.
kill "$program" 2>/dev/null || true
sleep 0.5
start "$repository/examples/w.txt"
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka' | head -n 1)
sleep 1
DISPLAY=$display xdotool key --window "$window" --delay 100 Right Right Right Right Right Right Right sleep 0.5
DISPLAY=$display import -window "$window" docs/partition.png
echo "wrote docs/partition.png"
# Its last partition page: the pieces tinted, the last edge struck in the sweep line's panel.
DISPLAY=$display xdotool key --window "$window" --delay 100 Right Right Right Right sleep 0.5
DISPLAY=$display import -window "$window" docs/pieces.png
echo "wrote docs/pieces.png"

# The comb of twelve, guarded: a page of its colouring (the sixth triangle of ten) and its guards,
# the lesson's last page.
kill "$program" 2>/dev/null || true
sleep 0.5
start "$repository/examples/cesalj.txt"
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka' | head -n 1)
sleep 1
DISPLAY=$display xdotool key --window "$window" --delay 100 Left sleep 0.5
DISPLAY=$display import -window "$window" docs/guards.png
echo "wrote docs/guards.png"
DISPLAY=$display xdotool key --window "$window" --delay 100 Left Left Left Left Left sleep 0.5
DISPLAY=$display import -window "$window" docs/colouring.png
echo "wrote docs/colouring.png"

# The exercise on task 4712: the full picture answered (D), then the second step asked, vertex 4
# chosen (typed, then a space), and the answer given (Enter), wrong: 4 is the swept vertex's neighbour.
kill "$program" 2>/dev/null || true
sleep 0.5
start /dev/null --zadatak 4712
window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka' | head -n 1)
sleep 1
DISPLAY=$display xdotool key --window "$window" --delay 100 v d Right Right 4 space sleep 0.5
DISPLAY=$display import -window "$window" docs/exercise-question.png
echo "wrote docs/exercise-question.png"
DISPLAY=$display xdotool key --window "$window" --delay 100 Return sleep 0.5
DISPLAY=$display import -window "$window" docs/exercise-answer.png
echo "wrote docs/exercise-answer.png"

# The same program in a browser, opened from a link at the example's fourth step (page 5).
vertices=$(tail -n +2 examples/monotoni.txt | awk '{ printf "%s%s,%s", (NR > 1 ? ";" : ""), $1, $2 }')
profile=$(mktemp -d)
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$profile" --window-size=1384,700 \
  --virtual-time-budget=3000 --screenshot="$(pwd)/docs/browser.png" \
  "file://$(pwd)/build-web/triangulacija.html#p=5&v=$vertices" >/dev/null 2>&1
rm -rf "$profile"
echo "wrote docs/browser.png"

# The page on a phone, a tablet and a projector (docs/phone.png, docs/tablet.png, docs/projector.png).
node tests/web/browser_test.mjs pictures build-web/triangulacija.html build/triangulacija examples docs
