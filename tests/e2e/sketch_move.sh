#!/usr/bin/env bash
# Starts the sketch editor on an empty drawing in its own X server, joins
# two rectangles with a connector and drags the first rectangle with the
# pointer. Without "undo" the dump must show the rectangle at its new place
# and the connector's end on it; with "undo" the editor undoes the drag
# before it closes, and both must be back where they were.
set -euo pipefail

app=$1
check=$2
work=$3
mode=${4:-move}
source "$(dirname "$0")/sketch_session.sh"

two_rectangles_and_connector
click "$x1" "$y1"
xdotool mousemove --window "$win" $(( (x1 + x2) / 2 )) $(( (y1 + y2) / 2 )); sleep 0.2
click "$x2" "$y2"

# The pointer: press on the first rectangle and drag it down and right.
click $(centre_of tool:Pointer)
dx=60; dy=90
xdotool mousemove --window "$win" "$x1" "$y1"; sleep 0.2
xdotool mousedown 1; sleep 0.2
for i in 1 2 3 4 5 6; do
  xdotool mousemove --window "$win" $(( x1 + dx * i / 6 )) $(( y1 + dy * i / 6 )); sleep 0.1
done
xdotool mouseup 1; sleep 0.3
if [ "$mode" = undo ]; then
  xdotool windowfocus --sync "$win" key ctrl+z; sleep 0.3
  dx=0; dy=0
fi
# Away from the symbols, so the outline of no mark covers the line's middle.
xdotool mousemove --window "$win" $(( vx + 5 )) $(( vy + 5 )); sleep 0.2

dump_window
quit_editor

read_two_rectangles_and_connector
IFS=, read -r l t r b <<<"$(value window "$r1")"
cx=$(( (l + r) / 2 )); cy=$(( (t + b) / 2 ))
near() { local d=$(( $1 - $2 )); [ "${d#-}" -le 2 ]; }
near "$cx" $(( x1 + dx )) && near "$cy" $(( y1 + dy )) ||
  fail "the first rectangle is centred on ($cx,$cy), not on ($(( x1 + dx )),$(( y1 + dy )))"
[ "$(value x "$line"),$(value y "$line")" = "$(value x "$r1"),$(value y "$r1")" ] ||
  fail "the connector's first end is not on the first rectangle"
[ "$(value x2 "$line"),$(value y2 "$line")" = "$(value x "$r2"),$(value y "$r2")" ] ||
  fail "the connector's second end left the second rectangle"

"$check" "$work/shot.png" "$work/dump.txt" --lines Connector || fail "the editor's screenshot"
if [ -n "$have_xwd" ]; then
  "$check" "$work/screen.xwd" "$work/dump.txt" --lines Connector || fail "the X server's window dump"
fi
echo "PASS ($mode): the first rectangle at ($cx,$cy), the connector on both rectangles"
