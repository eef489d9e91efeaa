#!/usr/bin/env bash
# scripts/run.sh - starts one of the programs under Wine, on $DISPLAY or on a private Xvfb display.
#
# Uses the run prefix build/wineprefix. On a desktop ($DISPLAY set) the program's windows are managed
# by the desktop's window manager; on the private display, which has none, Wine manages them itself
# (Managed=N; with a window manager missing, each closed window would wait 2 s for it).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exe=$1
name=$(basename "$exe")
[ -f "$exe" ] || { echo "run: $exe is not built; 'make run' builds it" >&2; exit 1; }
"$(dirname "$0")/wine-prefix.sh"

# Sets whether the window manager manages the program's windows (Y or N), in the run prefix
set_managed() {
  local want=$1 mark=$WINEPREFIX/.quarvex-managed out
  [ -f "$mark" ] && [ "$(cat "$mark")" = "$want" ] && return 0
  if ! out=$(env DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$want" /f 2>&1); then
    echo "run: could not set Managed=$want in $WINEPREFIX:" >&2
    echo "$out" | iconv -f CP932 -t UTF-8 -c | sed 's/^/  | /' >&2
    exit 1
  fi
  echo "$want" >"$mark"
}

if [ -n "${DISPLAY:-}" ]; then
  # NOTE: WINEDEBUG=-all silences Wine's own "cannot open display" message: check the display first.
  if ! why=$(xdpyinfo -display "$DISPLAY" 2>&1 >/dev/null); then
    echo "run: \$DISPLAY is '$DISPLAY', but no X server answers there:" >&2
    echo "run:   ${why:-xdpyinfo failed}" >&2
    echo "run: run it from a terminal of your desktop, or without a display: DISPLAY= make run" >&2
    exit 1
  fi
  set_managed Y
  echo "run: starting $name on your display $DISPLAY (prefix $WINEPREFIX)"
  exec wine "$exe"
fi

. "$(dirname "$0")/xvfb.sh"
trap xvfb_stop EXIT
xvfb_start
set_managed N
echo "run: no DISPLAY set; $name runs on the private display $DISPLAY (prefix $WINEPREFIX)"
echo "run: to look at it, in another terminal: xwd -root -display $DISPLAY | convert xwd:- shot.png"
echo "run: it ends with the program's Exit, or Ctrl+C here"
rc=0
wine "$exe" || rc=$?
# Wine's helpers for this display (explorer) may still run and report the lost X connection.
echo "run: $name ended (exit code $rc); stopping the private display $DISPLAY"
exit "$rc"
