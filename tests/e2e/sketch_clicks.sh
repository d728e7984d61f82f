#!/usr/bin/env bash
# Starts the sketch editor on an empty drawing in its own X server, turns
# snapping off, clicks the rectangle tool's button and then twice into the
# drawing, closes the editor with its key and lets the checker compare the
# editor's screenshot, the X server's window dump and the document with the
# clicks.
set -euo pipefail

app=$1
check=$2
work=$3
source "$(dirname "$0")/sketch_session.sh"

IFS=, read -r vx vy vw vh <<<"$(field view)"
[ -n "$vw" ] || fail "unexpected layout line: $ready"

# Snapping is on by default; off, the symbols land exactly on the clicks.
click $(centre_of action:Snap)
click $(centre_of tool:Rectangle)
x1=$(( vx + vw / 3 )); y1=$(( vy + vh / 3 ))
x2=$(( vx + vw * 2 / 3 )); y2=$(( vy + vh * 3 / 5 ))
click "$x1" "$y1"
click "$x2" "$y2"

dump_window
quit_editor

"$check" "$work/shot.png" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the editor's screenshot"
if [ -n "$have_xwd" ]; then
  "$check" "$work/screen.xwd" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the X server's window dump"
fi
echo "PASS: two rectangles at ($x1,$y1) and ($x2,$y2)"
