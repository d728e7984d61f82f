#!/usr/bin/env bash
# Starts the sketch editor on an empty drawing in its own X server, places
# two rectangles, joins them with the connector tool by clicking on each,
# and checks that the document holds a line whose ends hang on the two
# rectangles and that the pictures show it between them.
set -euo pipefail

app=$1
check=$2
work=$3
source "$(dirname "$0")/sketch_session.sh"

two_rectangles_and_connector
# A little off the centres: the ends still land on the symbols' positions.
click $(( x1 + 4 )) $(( y1 - 3 ))
xdotool mousemove --window "$win" $(( (x1 + x2) / 2 )) $(( (y1 + y2) / 2 )); sleep 0.2
click $(( x2 - 5 )) $(( y2 + 2 ))

dump_window
quit_editor

read_two_rectangles_and_connector
[ "$(value end1 "$line")" = "Rectangle#$(value id "$r1")" ] || fail "the first end does not hang on the first rectangle"
[ "$(value end2 "$line")" = "Rectangle#$(value id "$r2")" ] || fail "the second end does not hang on the second rectangle"
[ "$(value x "$line"),$(value y "$line")" = "$(value x "$r1"),$(value y "$r1")" ] || fail "the first end is not at the rectangle"
[ "$(value x2 "$line"),$(value y2 "$line")" = "$(value x "$r2"),$(value y "$r2")" ] || fail "the second end is not at the rectangle"

"$check" "$work/shot.png" "$work/dump.txt" --lines Connector || fail "the editor's screenshot"
if [ -n "$have_xwd" ]; then
  "$check" "$work/screen.xwd" "$work/dump.txt" --lines Connector || fail "the X server's window dump"
fi
echo "PASS: a connector from ($x1,$y1) to ($x2,$y2)"
