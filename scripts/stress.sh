#!/usr/bin/env bash
# scripts/stress.sh - the long runs of make stress (label stress), on the display and prefix that
# scripts/with-xvfb.sh set up.
#
# NOTE: the stress program runs inside a Wine virtual desktop. Without a window manager, Wine takes an
#       X focus change between the windows of two threads for a switch to another program and sends
#       the foreground to the desktop; after some 10,000 leak cycles this turns into an activation
#       storm that slows each cycle tenfold and takes GDI objects (docs/wine-notes.md, "Long runs").
#       In a virtual desktop Wine keeps activation to itself. Only this program is affected: the key
#       is Wine's per-program setting.
set -euo pipefail
build=$1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v quarvex-stress /d 1280x1024 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\AppDefaults\vrx_stress_tests.exe\Explorer' /v Desktop /d quarvex-stress /f >/dev/null 2>&1
exec ctest --test-dir "$build" --output-on-failure -V -L stress
