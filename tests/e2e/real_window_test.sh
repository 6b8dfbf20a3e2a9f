#!/usr/bin/env bash
# Drives the real program in a real X window the way an organiser does, with
# xdotool under Xvfb, and checks what it leaves behind from outside: the
# results text file, the chart PNG, the clipboard and the screen.
#
# usage: real_window_test.sh <program> <make-sample> <work folder>
set -euo pipefail

program=$(realpath "$1")
make_sample=$(realpath "$2")
work=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
"$make_sample" "$work" > /dev/null
cp "$source_dir/sample/google_charts.txt" "$work/"
hotlap="$work/hotlap"

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# A display of our own; its number is chosen to stay clear of a desktop's.
display=":$((57 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2> /dev/null || true
  kill "$xvfb_pid" 2> /dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo > /dev/null 2>&1 || fail "Xvfb did not start"

# Without a window manager the client area sits where the program put the
# window: its outer corner at (5, 5), no decorations.
ox=5
oy=5
click() { xdotool mousemove $((ox + $1)) $((oy + $2)) click 1; }
click_step() { click 535 672; }    # StepButton at (510, 660), 50 x 24
click_action() { click 745 672; }  # ActionButton at (720, 660), 50 x 24
settle() { sleep "${1:-1.5}"; }
pixel() {  # pixel <png> <x> <y>  ->  r,g,b
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
expect_pixel() {  # expect_pixel <png> <x> <y> <r,g,b> <what>
  local got
  got=$(pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$5: pixel ($2, $3) is $got, expected $4"
}

step "start the program in $work"
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$program") > "$work/program.log" 2>&1 &
program_pid=$!
xdotool search --sync --onlyvisible --name '^Torvanic Hotlap Check$' > /dev/null
settle 1

step "Load: choose the hotlap folder"
click_step
xdotool search --sync --onlyvisible --name '^Directory$' > /dev/null
settle 1
xdotool key ctrl+a
xdotool type --delay 20 "$hotlap"
xdotool key Return
settle 2

entries=$(find "$hotlap" -mindepth 1 -maxdepth 1 -type d | wc -l)
[ "$entries" -ge 2 ] || fail "the sample folder has $entries entries"

import -window root "$work/screen-entry1.png"
convert "$work/screen-entry1.png" -crop 1020x730+0+0 +repage "$work/window-entry.png"
# Map view at (490, 5): the text band's background; settings view at (5, 570):
# the panel colour; progress view at (490, 598): the bar's colours.
expect_pixel "$work/screen-entry1.png" $((ox + 492)) $((oy + 558)) "0,100,150" "map text band"
expect_pixel "$work/screen-entry1.png" $((ox + 7)) $((oy + 572)) "212,208,200" "settings panel"
expect_pixel "$work/screen-entry1.png" $((ox + 491)) $((oy + 599)) "160,180,200" "progress bar"

step "open the first entry's screenshot and click it away"
click 240 180
viewer=$(xdotool search --sync --onlyvisible --name '^Screen [0-9]+ x [0-9]+$' | head -1)
title=$(xdotool getwindowname "$viewer")
geometry=$(xdotool getwindowgeometry "$viewer")
size=$(echo "$geometry" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p')
[ "$title" = "Screen ${size/x/ x }" ] || fail "viewer '$title' has the size $size"
xdotool mousemove 20 20 click 1
settle 1
if xdotool search --onlyvisible --name '^Screen [0-9]+ x [0-9]+$' > /dev/null 2>&1; then
  fail "the viewer is still open"
fi

step "Penalty on entry 1, then Next through every entry"
click_action
settle 0.5
for _ in $(seq 2 "$entries"); do
  click_step
  settle
done
import -window root "$work/screen-last-entry.png"

step "End"
click_step
settle 2
name=$(ls "$hotlap" | sed -n 's/\.txt$//p' | head -1)
report="$hotlap/$name.txt"
chart="$hotlap/$name.png"
[ -f "$report" ] || fail "no results text file in $hotlap"
[ -f "$chart" ] || fail "no chart PNG in $hotlap"
ranked=$(grep -c '^[0-9]* - ' "$report" || true)
# Every sample entry has a lap: one ranking line each, or Next did not step.
[ "$ranked" -eq "$entries" ] || fail "the report ranks $ranked laps of $entries entries"
grep -q ' ##' "$report" || fail "the penalised driver is not marked"
grep -q '^[0-9]* - 6000 .* ##' "$report" || fail "the penalty time is not in the ranking"
import -window root "$work/screen-end.png"
convert "$work/screen-end.png" -crop 1020x730+0+0 +repage "$work/window-end.png"
# The chart replaces the map at (490, 5): white background, a blue first bar.
expect_pixel "$work/screen-end.png" $((ox + 492)) $((oy + 8)) "255,255,255" "chart background"

step "Google, then Clip"
click_action
settle 1
click_action
settle 1
clip=$(xclip -o -selection clipboard)
case "$clip" in
  h*chd=t:*) ;;
  *) fail "clipboard holds '${clip:0:80}'" ;;
esac
[[ "$clip" != *$'\n'* ]] || fail "the clipboard text has line breaks"
import -window root "$work/screen-clip.png"

step "quit"
click_step
for _ in $(seq 50); do kill -0 "$program_pid" 2> /dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2> /dev/null; then fail "the program did not end"; fi
wait "$program_pid" || fail "the program ended with exit code $?"
program_pid=
echo "PASS: real window test ($entries entries)"
