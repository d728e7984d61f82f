# Sourced by the end-to-end scripts: starts the sketch editor in an X server
# of its own with --empty --dump --screenshot and offers what the scripts
# drive it with. Expects app, work; sets win and the layout line.

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
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

"$app" --empty --dump --screenshot "$work/shot.png" >"$work/dump.txt" 2>"$work/sketch.log" &
app_pid=$!
wait_for 30 grep -qs '^ready ' "$work/dump.txt" || fail "the editor did not get ready"

ready=$(grep '^ready ' "$work/dump.txt")
# A field of the layout line: window, view, tool:<name>, action:<name>.
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$ready"; }
win=$(field window)
[ -n "$win" ] || fail "unexpected layout line: $ready"

# The centre of a tool bar button or action, as "x y".
centre_of() {
  local x y w h
  IFS=, read -r x y w h <<<"$(field "$1")"
  [ -n "$w" ] || fail "no $1 in the layout line: $ready"
  echo "$(( x + w / 2 )) $(( y + h / 2 ))"
}

click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }

# Snaps to the grid and places two rectangles at (x1, y1) and (x2, y2), a
# quarter and three quarters across the view, then picks the connector.
two_rectangles_and_connector() {
  IFS=, read -r vx vy vw vh <<<"$(field view)"
  [ -n "$vw" ] || fail "unexpected layout line: $ready"
  click $(centre_of action:Snap)
  click $(centre_of tool:Rectangle)
  x1=$(( vx + vw / 4 )); y1=$(( vy + vh / 3 ))
  x2=$(( vx + vw * 3 / 4 )); y2=$(( vy + vh * 2 / 3 ))
  click "$x1" "$y1"
  click "$x2" "$y2"
  click $(centre_of tool:Connector)
}

# A field of a dumped object line: value x "$r1".
value() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }

# From the dump: the two rectangles' lines (r1, r2) and the connector's (line).
read_two_rectangles_and_connector() {
  grep -q '^objects 3$' "$work/dump.txt" || fail "the document should hold two rectangles and a connector"
  r1=$(grep "^object creator=Rectangle " "$work/dump.txt" | sed -n 1p)
  r2=$(grep "^object creator=Rectangle " "$work/dump.txt" | sed -n 2p)
  line=$(grep '^object creator=Connector ' "$work/dump.txt") || fail "no connector in the document"
}

# The X server's own picture of the window, when xwd is there.
have_xwd=""
dump_window() {
  if command -v xwd >/dev/null; then
    xwd -silent -id "$win" -out "$work/screen.xwd" && have_xwd=1
  fi
}

# Closes the editor with its key; it then writes the document dump. Unsaved
# changes make it ask first: they are dropped.
quit_editor() {
  xdotool key ctrl+q
  local ask
  if ask=$(timeout 3 xdotool search --sync --onlyvisible --name '^Sketch$' | head -n1); then
    xdotool windowfocus --sync "$ask" key alt+d
  fi
  wait_for 15 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the editor did not close on ctrl+q"
  wait "$app_pid" || fail "the editor exited with an error"
  app_pid=""
}
