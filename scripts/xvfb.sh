# scripts/xvfb.sh - sourced: starts and stops a private Xvfb display (scripts/with-xvfb.sh, scripts/run.sh).
#
# The display's screen is 1280x1054 and its one monitor 1280x1024: Wine sizes everything by the
# monitor, so the programs and the tests see a 1280x1024 screen, while the 30 rows below it hold what
# Wine places past the monitor's bottom edge.
# NOTE: Wine reports SM_CYFULLSCREEN as the monitor height + 11 (1035 on 1280x1024, whatever the work
#       area), so the main window, which rests on that line, reaches 30 rows below the monitor. On a
#       plain 1280x1024 screen its lower part, status line included, would not be on the display.
# NOTE: -noreset: an X server resets when its last client leaves, which drops the monitor set here
#       before the first Wine program connects.

xvfb_screen=1280x1054
xvfb_monitor=1280x1024

# Starts Xvfb on a free display number and sets DISPLAY, xvfb_pid and xvfb_log; 1 when it cannot
xvfb_start() {
  local fdfile
  xvfb_log=$repo_root/build/xvfb.log
  mkdir -p "$repo_root/build"
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${xvfb_screen}x24" -nolisten tcp -noreset 3>"$fdfile" 2>"$xvfb_log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then
    rm -f "$fdfile"
    echo "xvfb: Xvfb did not start within 10 s; the end of $xvfb_log:" >&2
    tail -n 15 "$xvfb_log" | sed 's/^/  | /' >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  # The monitor: a mode of its size on the one output, inside the taller screen
  local w=${xvfb_monitor%x*} h=${xvfb_monitor#*x}
  xrandr --newmode "$xvfb_monitor" 0 "$w" 0 0 0 "$h" 0 0 0 &&
    xrandr --addmode screen "$xvfb_monitor" &&
    xrandr --fb "$xvfb_screen" --output screen --mode "$xvfb_monitor" || {
      echo "xvfb: could not set the ${xvfb_monitor} monitor on display $DISPLAY (xrandr, above)" >&2
      return 1
    }
}

# Stops the Xvfb that xvfb_start started
xvfb_stop() {
  local pid=${xvfb_pid:-}
  xvfb_pid=
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0   # already gone
  # Xvfb ends on the TERM just sent, so its exit status says nothing
  wait "$pid" 2>/dev/null || return 0
}
