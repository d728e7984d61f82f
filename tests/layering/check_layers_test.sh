#!/usr/bin/env bash
# Runs scripts/check-layers on planted faults in a copy of the core's tree:
# each must fail and name the file and line, and the clean copy must pass.
set -uo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
check="$repo/scripts/check-layers"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fresh() {
  rm -rf "$work/velloran"
  cp -r "$repo/src/velloran" "$work/velloran"
}

# expect NAME STATUS PATTERN: runs the check on the copy, wants that exit
# status and PATTERN in its output.
expect() {
  local out status
  out="$(python3 "$check" "$work/velloran" 2>&1)"
  status=$?
  if [[ $status -ne $2 ]] || ! grep -qE -- "$3" <<<"$out"; then
    echo "FAIL $1: exit $status, output:"; echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

fresh
expect "clean tree passes" 0 "includes point down only"

fresh
line=$(( $(wc -l < "$work/velloran/foundations/round.h") + 1 ))
echo '#include "velloran/tools/creator.h"' >> "$work/velloran/foundations/round.h"
expect "upward include" 1 "^foundations/round.h:$line: foundations/ includes tools/creator.h"

fresh
echo '#include <velloran/view/draw_box.h>' >> "$work/velloran/objects/object.cpp"
expect "angle-bracket include" 1 "^objects/object.cpp:[0-9]+: objects/ includes view/draw_box.h"

fresh
# With the order turned round the includes that point down now point up,
# and a planted back edge closes a cycle.
tac "$repo/src/velloran/LAYERS" > "$work/velloran/LAYERS"
echo '#include "velloran/tools/creator.h"' >> "$work/velloran/foundations/round.h"
expect "cycle between folders" 1 "folders form a cycle: .*foundations/round.h:[0-9]+"

fresh
echo '#include "velloran/platform/detail/emf_records.h"' >> "$work/velloran/platform/canvas.h"
expect "public header includes detail" 1 "^platform/canvas.h:[0-9]+: public header includes internal"

fresh
mkdir "$work/velloran/extras" && echo '#pragma once' > "$work/velloran/extras/x.h"
expect "folder missing from the order" 1 "extras/x.h: folder 'extras' is not listed"

echo "$((6 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
