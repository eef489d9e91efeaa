#!/usr/bin/env bash
# scripts/stress.sh - the long runs of make stress (label stress), on the display and prefix that
# scripts/with-xvfb.sh set up.
#
# NOTE: the stress program runs inside a Wine virtual desktop. On a bare display, once a window slot's
#       handle passes 0x80000000 (some 10,000 leak cycles reuse one slot that often), Wine activates
#       each new window about ten times over and the cycles slow tenfold (docs/wine-notes.md, "Long
#       runs"); in a virtual desktop the pace holds. The leak run now also keeps its handles below that
#       turn (tests/stress/stress_test.cpp); the desktop stays, as the setting the full run passed in.
#       Only this program is affected: the test prefix (scripts/wine-prefix.sh) holds Wine's
#       per-program setting for it.
set -euo pipefail
build=$1
exec ctest --test-dir "$build" --output-on-failure -V -L stress
