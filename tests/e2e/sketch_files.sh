#!/usr/bin/env bash
# Starts the sketch editor on an empty drawing in its own X server, draws two
# rectangles, saves them, starts a new drawing, opens the file again and
# saves it under a second name (the two files must be identical), draws a
# third rectangle and undoes it; the editor then closes without asking and
# its document holds the first two rectangles.
set -euo pipefail

app=$1
check=$2
work=$3

source "$(dirname "$0")/sketch_session.sh"

key() { xdotool windowfocus --sync "$win" key "$@"; sleep 0.3; }
title() { xdotool getwindowname "$win"; }

# Types a path into the file dialog titled $1 and accepts it.
in_dialog() {
  local dlg
  dlg=$(timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n1) || fail "no dialog \"$1\""
  xdotool windowfocus --sync "$dlg"
  sleep 0.3
  xdotool key --window "$dlg" ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 0.5
}

IFS=, read -r vx vy vw vh <<<"$(field view)"
click $(centre_of action:Snap)
click $(centre_of tool:Rectangle)
x1=$(( vx + vw / 3 )); y1=$(( vy + vh / 3 ))
x2=$(( vx + vw * 2 / 3 )); y2=$(( vy + vh * 3 / 5 ))
click "$x1" "$y1"
click "$x2" "$y2"
[[ "$(title)" == Untitled\** ]] || fail "a drawn, unsaved drawing is titled '$(title)'"

key ctrl+s
in_dialog "Save drawing" "$work/first.vld"
wait_for 10 test -s "$work/first.vld" || fail "nothing was saved"
[[ "$(title)" == "first.vld – Sketch" ]] || fail "after saving the title is '$(title)'"

key ctrl+n
[[ "$(title)" == "Untitled – Sketch" ]] || fail "after New the title is '$(title)'"
key ctrl+o
in_dialog "Open drawing" "$work/first.vld"
[[ "$(title)" == "first.vld – Sketch" ]] || fail "after opening the title is '$(title)'"
key ctrl+shift+s
in_dialog "Save drawing" "$work/second.vld"
wait_for 10 test -s "$work/second.vld" || fail "Save As wrote nothing"
cmp -s "$work/first.vld" "$work/second.vld" || fail "the opened drawing is not the saved one"

modified() { [[ "$(title)" == second.vld\** ]]; }
# Without a window manager nobody gives the focus back after a dialog; a
# click into a window without it only takes the focus.
xdotool windowfocus --sync "$win"
click $(( vx + vw / 2 )) $(( vy + vh * 4 / 5 ))
wait_for 5 modified || fail "a new symbol leaves the title '$(title)'"
key ctrl+z
[[ "$(title)" == "second.vld – Sketch" ]] || fail "after undo the title is '$(title)'"

# Nothing unsaved: the editor closes without asking.
xdotool key ctrl+q
wait_for 15 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the editor did not close on ctrl+q"
wait "$app_pid" || fail "the editor exited with an error"
app_pid=""

grep -q '^objects 2$' "$work/dump.txt" || fail "undo did not remove the third rectangle"
"$check" "$work/shot.png" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the editor's screenshot"
echo "PASS: saved, opened, saved again identically; undo removed the last rectangle"
