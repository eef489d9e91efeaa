#!/usr/bin/env bash
# scripts/run.sh - starts one of the programs under Wine, on $DISPLAY or on a private Xvfb display.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exe=$1
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi
echo "run: no DISPLAY set; starting $(basename "$exe") on a private Xvfb display."
echo "run: to look at it, run in another terminal:  x11vnc -display <the display below>  (or xwd -root -display ...)"
exec "$(dirname "$0")/with-xvfb.sh" bash -c 'echo "run: display $DISPLAY"; wine "$0"' "$exe"
