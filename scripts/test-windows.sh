#!/usr/bin/env bash
# scripts/test-windows.sh - the Windows-side test layers of a build tree, one after the other, each
# announced with its number of tests; run on the private display by scripts/with-xvfb.sh.
#
#   scripts/test-windows.sh <build dir>     (the long runs, label "stress", are left out)
#
# Both layers run even when the first fails; the exit code says whether all passed.
set -euo pipefail
dir=$1
layers=(
  "windows|Windows tests (tests/windows: the toolkit in-process, under Wine)"
  "e2e|end-to-end tests (tests/e2e: the real programs driven from outside)"
)
failed=()
total=0
for layer in "${layers[@]}"; do
  prefix=${layer%%|*}
  what=${layer#*|}
  # NOTE: listing the tests runs each test program once under Wine (GoogleTest discovery at test time);
  #       CTest keeps the list, so the run below does not list them again.
  #       A listing that fails is shown by the run itself.
  n=$(ctest --test-dir "$dir" -N -LE stress -R "^$prefix\\." | sed -n 's/^Total Tests: //p') || n=
  echo "test: $what, ${n:-an unknown number of} tests"
  total=$(( total + ${n:-0} ))
  ctest --test-dir "$dir" --output-on-failure -LE stress -R "^$prefix\\." || failed+=("$prefix")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "test: FAILED in the layer(s): ${failed[*]} (screenshots of failures in build/screenshots/)" >&2
  exit 1
fi
echo "test: all $total Windows and end-to-end tests passed"
