#!/usr/bin/env bash
# Starts the sketch editor on an empty drawing in its own X server, places a
# label with the label tool, double-clicks it with the pointer and types a new
# text into the dialog; saves the drawing, starts a new one, opens the file
# again and checks that the document holds the typed text when the editor
# closes.
set -euo pipefail

app=$1
work=$2
source "$(dirname "$0")/sketch_session.sh"

IFS=, read -r vx vy vw vh <<<"$(field view)"
[ -n "$vw" ] || fail "unexpected layout line: $ready"

title() { xdotool getwindowname "$win"; }
title_is() { [[ "$(title)" == $1 ]]; }
# Waits for the editor's title to match the pattern $1; $2 says what happened.
expect_title() { wait_for 10 title_is "$1" || fail "$2 the title is '$(title)'"; }
key() { xdotool windowfocus --sync "$win" key "$@"; }

# Types a path into the file dialog titled $1, accepts it and waits for the
# dialog to go.
in_dialog() {
  local dlg
  dlg=$(timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1) || fail "no dialog \"$1\""
  xdotool windowfocus --sync "$dlg"
  xdotool key --window "$dlg" ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
  wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null" || fail "the dialog \"$1\" stayed open"
}

# Off, the label's corner lands exactly on the click; closer, it is a target.
click $(centre_of action:Snap)
click $(centre_of action:ZoomIn)
click $(centre_of action:ZoomIn)
click $(centre_of tool:Label)
x=$(( vx + vw / 2 )); y=$(( vy + vh / 2 ))
click "$x" "$y"
click $(centre_of tool:Pointer)
# The label grows right and up from its corner (the origin is at the bottom).
xdotool mousemove --window "$win" $(( x + 3 )) $(( y - 3 )) click --repeat 2 --delay 60 1
dlg=$(timeout 10 xdotool search --sync --onlyvisible --name '^Edit text$' | head -n1) || fail "no text dialog opened"
xdotool windowfocus --sync "$dlg"
xdotool key ctrl+a
xdotool type --delay 20 "Meeting room"
xdotool key ctrl+Return
wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Edit text$' >/dev/null" || fail "the text dialog stayed open"
expect_title 'Untitled\** – Sketch' "after typing the text"

# Without a window manager the focus does not come back by itself; the
# pointer's click into an empty corner does nothing else.
click $(( vx + 5 )) $(( vy + 5 ))
key ctrl+shift+s
in_dialog "Save drawing" "$work/label.vld"
expect_title "label.vld – Sketch" "after saving"
test -s "$work/label.vld" || fail "nothing was saved"

key ctrl+n
expect_title "Untitled – Sketch" "after New"
key ctrl+o
in_dialog "Open drawing" "$work/label.vld"
expect_title "label.vld – Sketch" "after opening"

# Nothing unsaved: the editor closes without asking.
xdotool windowfocus --sync "$win"
quit_editor

grep -q '^objects 1$' "$work/dump.txt" || fail "the opened drawing does not hold just the label"
grep -q '^object creator=Label .* text=Meeting room$' "$work/dump.txt" || fail "the opened label does not hold the typed text"
echo "PASS: a label's typed text saved and opened again"
