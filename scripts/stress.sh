#!/usr/bin/env bash
# scripts/stress.sh - the long runs of make stress (label stress), on the display and prefix that
# scripts/with-xvfb.sh set up.
#
# NOTE: the stress program runs inside a Wine virtual desktop. On a bare display, once a window slot's
#       handle passes 0x80000000 (some 10,000 leak cycles reuse one slot that often), Wine activates
#       each new window about ten times over and the cycles slow tenfold (docs/wine-notes.md, "Long
#       runs"); in a virtual desktop the pace holds. Only this program is affected: the key is Wine's
#       per-program setting.
set -euo pipefail
build=$1
desktop() {
  wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 ||
    { echo "stress: Wine's registry did not take $1\\$2; the stress program needs its virtual desktop" >&2; exit 1; }
}
desktop 'HKCU\Software\Wine\Explorer\Desktops' quarvex-stress 1280x1024
desktop 'HKCU\Software\Wine\AppDefaults\vrx_stress_tests.exe\Explorer' Desktop quarvex-stress
exec ctest --test-dir "$build" --output-on-failure -V -L stress
