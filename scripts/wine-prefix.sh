#!/usr/bin/env bash
# scripts/wine-prefix.sh - creates the private Wine prefix once and configures it.
#
# The prefix lives in build/wineprefix and is reused; the marker file says it is complete.
# NOTE: "ＭＳ ゴシック" is not installed on Linux; the replacement maps it onto IPAGothic so the
#       TrueType text font and dialogs asking for it get a real Japanese Gothic face.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

marker="$WINEPREFIX/.quarvex-ready-2"
[ -f "$marker" ] && exit 0

echo "wine: creating the prefix $WINEPREFIX (once)"
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || DISPLAY= wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Gothic' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
# Windows not handed to a window manager: without one (Xvfb), destroying a managed window waits 2 s
# for a withdrawn state that never comes.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# No crash dialog: a crashing test program must end, not wait for a click.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$marker"
