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

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/bootstrap installs it)"
    exit 77
  fi
done

mkdir -p "$work"
rm -f "$work"/*
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log "$work"/dump.txt; do [ -s "$f" ] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

wait_for() {
  local tries=$(( $1 * 10 )); shift
  until "$@"; do
    tries=$(( tries - 1 ))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 15 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

"$app" --empty --dump --screenshot "$work/shot.png" >"$work/dump.txt" 2>"$work/sketch.log" &
app_pid=$!
wait_for 30 grep -qs '^ready ' "$work/dump.txt" || fail "the editor did not get ready"

ready=$(grep '^ready ' "$work/dump.txt")
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$ready"; }
win=$(field window)
IFS=, read -r bx by bw bh <<<"$(field tool:Rectangle)"
IFS=, read -r sx sy sw sh <<<"$(field action:Snap)"
IFS=, read -r vx vy vw vh <<<"$(field view)"
[ -n "$win" ] && [ -n "$bw" ] && [ -n "$sw" ] && [ -n "$vw" ] || fail "unexpected layout line: $ready"

click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
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

click $(( sx + sw / 2 )) $(( sy + sh / 2 ))
click $(( bx + bw / 2 )) $(( by + bh / 2 ))
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

key ctrl+q
wait_for 15 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the editor did not close on ctrl+q"
wait "$app_pid" || fail "the editor exited with an error"
app_pid=""

grep -q '^objects 2$' "$work/dump.txt" || fail "undo did not remove the third rectangle"
"$check" "$work/shot.png" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the editor's screenshot"
echo "PASS: saved, opened, saved again identically; undo removed the last rectangle"
