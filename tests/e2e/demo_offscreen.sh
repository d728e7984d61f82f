#!/usr/bin/env bash
# The demo command without a display: it runs the editor offscreen, says
# where the screenshot is, and the screenshot shows the sample drawing.
set -euo pipefail

demo=$1
build=$2
check=$3
work=$4

mkdir -p "$work"
rm -f "$work"/*
shot=$work/demo.png
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

env -u DISPLAY -u WAYLAND_DISPLAY VELLORAN_BUILD_DIR="$build" VELLORAN_DEMO_SCREENSHOT="$shot" \
  "$demo" --dump >"$work/out.txt"
if ! grep -qF "$shot" "$work/out.txt"; then
  echo "FAIL: the demo did not say where the screenshot is"
  cat "$work/out.txt"
  exit 1
fi
"$check" "$shot" "$work/out.txt"
echo "PASS: $shot"
