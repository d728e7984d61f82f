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

# Waits up to $1 seconds for the command in the remaining arguments.
wait_for() {
  local tries=$(( $1 * 10 )); shift
  until "$@"; do
    tries=$(( tries - 1 ))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# Xvfb chooses a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 15 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
# Under LeakSanitizer, leaks of the desktop libraries are not the editor's.
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

# Snapping is on by default; off, the symbols land exactly on the clicks.
click $(( sx + sw / 2 )) $(( sy + sh / 2 ))
click $(( bx + bw / 2 )) $(( by + bh / 2 ))
x1=$(( vx + vw / 3 )); y1=$(( vy + vh / 3 ))
x2=$(( vx + vw * 2 / 3 )); y2=$(( vy + vh * 3 / 5 ))
click "$x1" "$y1"
click "$x2" "$y2"

# What the X server shows, besides the picture the editor takes of itself.
have_xwd=""
if command -v xwd >/dev/null; then
  xwd -silent -id "$win" -out "$work/screen.xwd" && have_xwd=1
fi

xdotool key ctrl+q
# The drawing was never saved: the editor asks, and the changes are dropped.
if ask=$(timeout 10 xdotool search --sync --onlyvisible --name '^Sketch$' | head -n1); then
  xdotool windowfocus --sync "$ask" key alt+d
fi
wait_for 15 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the editor did not close on ctrl+q"
wait "$app_pid" || fail "the editor exited with an error"
app_pid=""

"$check" "$work/shot.png" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the editor's screenshot"
if [ -n "$have_xwd" ]; then
  "$check" "$work/screen.xwd" "$work/dump.txt" Rectangle "$x1,$y1" "$x2,$y2" || fail "the X server's window dump"
fi
echo "PASS: two rectangles at ($x1,$y1) and ($x2,$y2)"
