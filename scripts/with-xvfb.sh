#!/usr/bin/env bash
# scripts/with-xvfb.sh - runs a command on a private Xvfb display of 1280x1024x24, then stops it.
#
# Xvfb picks a free display number itself (-displayfd), so two runs never clash. The display,
# its Wine programs and this prefix's wineserver are gone when the command ends.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
stop() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -f "$fdfile"
}
trap stop EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
[ -s "$fdfile" ] || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$fdfile")"
echo "with-xvfb: private display $DISPLAY" >&2
# One persistent wineserver for the whole run: each program then starts in a fraction of a second.
"$(dirname "$0")/wine-prefix.sh"
wineserver -p
"$@"
