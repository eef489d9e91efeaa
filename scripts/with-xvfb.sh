#!/usr/bin/env bash
# scripts/with-xvfb.sh - runs a command on a private Xvfb display with the test prefix, then stops both.
#
# Everything the command starts uses build/wineprefix-test (QUARVEX_WINE_USE=test) and one persistent
# wineserver of that prefix, so each program starts in a fraction of a second. Xvfb picks a free
# display number itself (-displayfd), so two runs never clash. At the end only that wineserver is
# stopped: a program of `make run` (build/wineprefix, another wineserver) keeps running.
set -euo pipefail
export QUARVEX_WINE_USE=test
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"

"$(dirname "$0")/wine-prefix.sh"
server_started=
stop() {
  if [ -n "$server_started" ]; then
    # NOTE: WINEPREFIX is the test prefix here; -k ends its server and every program in it, nothing else.
    wineserver -k || echo "with-xvfb: the test prefix's wineserver had already ended" >&2
    wineserver -w
  fi
  xvfb_stop
}
trap stop EXIT
xvfb_start
echo "with-xvfb: private display $DISPLAY, prefix $WINEPREFIX" >&2
wineserver -p
server_started=1
"$@"
