#!/usr/bin/env bash
# Runs the reference check (cmake/run_doxygen.cmake) on a small tree with
# planted faults: each must fail naming the header, the clean tree must pass.
# Usage: check_docs_test.sh CMAKE DOXYGEN PYTHON
set -uo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
cmake="$1" doxygen="$2" python="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/docs" "$work/scripts" "$work/src/velloran/tools" "$work/src/velloran-qt" "$work/gen/velloran"
cp "$repo/docs/Doxyfile.in" "$repo/docs/reference.dox" "$work/docs/"
cp "$repo/scripts/doc-group-filter" "$repo/scripts/check-doc-classes" "$work/scripts/"
printf '#pragma once\n' > "$work/gen/velloran/version.h"
header="$work/src/velloran/tools/planted.h"

# The clean header: a documented class whose members need no comment, and a
# private helper struct that stays out of the reference.
clean() {
  cat > "$header" <<'H'
#pragma once
namespace vl {

/// A documented tool.
class TPlanted {
public:
    void Run();
private:
    struct TEntry { int x = 0; };
};

} // namespace vl
H
}

# plant TEXT: puts TEXT (lines) into the namespace, before the clean class.
plant() {
  clean
  printf '%s\n' "$1" > "$work/planted.txt"
  sed -i "/^namespace vl {\$/r $work/planted.txt" "$header"
}

# expect NAME STATUS PATTERN
expect() {
  local out status
  out="$("$cmake" -DDOXYGEN="$doxygen" -DPYTHON="$python" -DSOURCE_DIR="$work" \
    -DOUTPUT_DIR="$work/out" -DVERSION=0.0.0 -DVERSION_HEADER="$work/gen/velloran/version.h" \
    -P "$repo/cmake/run_doxygen.cmake" 2>&1)"
  status=$?
  if { [[ $2 -eq 0 ]] && [[ $status -ne 0 ]]; } || { [[ $2 -ne 0 ]] && [[ $status -eq 0 ]]; } ||
     ! grep -qE -- "$3" <<<"$out"; then
    echo "FAIL $1: exit $status, output:"; echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

clean
expect "documented class passes" 0 "API reference: "
# The folder's module lists the class.
if grep -q 'classvl_1_1TPlanted' "$work/out/html/group__tools.html" 2>/dev/null; then
  echo "ok   class in its folder's module"
else
  echo "FAIL class in its folder's module"; failures=$((failures + 1))
fi

plant 'class TBare {
public:
    void Go();
};'
expect "undocumented class" 1 "planted.h:3: warning: Compound vl::TBare is not documented"

plant 'class EBare : public TPlanted { using TPlanted::TPlanted; };'
expect "undocumented class without members" 1 "planted.h:[0-9]+: class vl::EBare has no description"

plant 'enum class TBareKind { bkOne, bkTwo };'
expect "undocumented enum" 1 "planted.h:3: .*TBareKind"

plant '/// Runs \param Speed fast.
void Fast(int Rate);'
expect "documentation error" 1 "planted.h:[0-9]+: warning: .*Speed"

exit $(( failures > 0 ))
