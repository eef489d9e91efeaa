#!/usr/bin/env bash
# scripts/wine-run.sh - runs one Windows test program under Wine (CTest's cross-compiling emulator).
#
# Uses the test prefix (build/wineprefix-test) and the display of the test run; when the program fails,
# a screenshot of the display is kept in build/screenshots/ for the person reading the failure.
set -uo pipefail
export QUARVEX_WINE_USE=test
. "$(dirname "$0")/wine-env.sh"
"$(dirname "$0")/wine-prefix.sh" || exit 1

# NOTE: Wine's helper processes (explorer, services) outlive the program and inherit its output;
#       writing to a file instead of CTest's pipe keeps CTest from waiting for them.
out=$(mktemp)
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
if [ "$rc" -ne 0 ] && [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
  shots="$repo_root/build/screenshots"
  mkdir -p "$shots"
  name=$(basename "$1" .exe)
  for a in "$@"; do case "$a" in --gtest_filter=*) name="${a#--gtest_filter=}";; esac; done
  file="$shots/$(echo "$name" | tr -c 'A-Za-z0-9._-' '_')-$(date +%H%M%S).png"
  if why=$(import -window root -display "$DISPLAY" "$file" 2>&1); then
    echo "screenshot of the display: $file"
  else
    echo "no screenshot of the display: $why"
  fi
fi
exit "$rc"
