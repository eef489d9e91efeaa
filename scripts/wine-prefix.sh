#!/usr/bin/env bash
# scripts/wine-prefix.sh - creates a private Wine prefix once and configures it.
#
# Makes the prefix that scripts/wine-env.sh picks (build/wineprefix, or build/wineprefix-test when
# QUARVEX_WINE_USE=test) and marks it complete; a prefix without the mark is left from an interrupted
# or failed creation and is made afresh. Every step's command and output go to a log beside the prefix
# (build/wineprefix.log, build/wineprefix-test.log); a failing step is tried once more, and a second
# failure shows the command, its exit code and the log's last lines.
#
# NOTE: `wineboot -i` returns while the new prefix's helper processes (services, explorer, plugplay)
#       still run, and the wineserver of this Wine package (started with -p0) shuts down a few seconds
#       after the last of them. Each step therefore waits for that server to end (`wineserver -w`)
#       before the next starts, so every registry change talks to a settled server, and the last wait
#       is what writes the registry to disk.
# NOTE: "ＭＳ ゴシック" is not installed on Linux; the replacement maps it onto IPAGothic so the
#       TrueType text font and dialogs asking for it get a real Japanese Gothic face.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

marker="$WINEPREFIX/.quarvex-ready-4"
[ -f "$marker" ] && exit 0
use=${QUARVEX_WINE_USE:-run}
log="$WINEPREFIX.log"
mkdir -p "$(dirname "$WINEPREFIX")"
# One creator at a time (a test run and wine-run.sh may both arrive here)
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$marker" ] && exit 0

# Wine's own messages only; Debian's wine wrapper adds a hint about wine32 to them, which the failure
# report leaves out.
export WINEDEBUG=fixme-all
hint='wine32 is missing|multiarch needs to be enabled|dpkg --add-architecture|apt-get install wine32'

# Stops with the cause: what failed, the command, its exit code and the end of the log
fail() {
  {
    echo "wine: FAILED: $1"
    echo "wine:   command:   $2"
    echo "wine:   exit code: $3"
    echo "wine:   last lines of $log:"
    grep -Ev "$hint" "$log" | tail -n 25 | sed 's/^/    | /'
    echo "wine: the prefix is left unfinished; the next run makes it afresh."
  } >&2
  exit 1
}

# Waits, at most 120 s, until the prefix's wineserver and every process in it have ended
settle() {
  local rc=0
  timeout 120 wineserver -w || rc=$?
  if [ "$rc" -eq 124 ]; then
    echo "the prefix's wineserver still runs after 120 s; Wine processes on this machine:"
    ps -eo pid,etime,args | grep -E '[w]ineserver|[.]exe' || echo "(none found)"
  fi
  return "$rc"
}

# Runs a Windows console program; its messages, written in the console code page 932, as UTF-8
in_utf8() {
  local out rc=0
  out=$(mktemp)
  "$@" >"$out" 2>&1 || rc=$?
  iconv -f CP932 -t UTF-8 -c "$out"
  rm -f "$out"
  return "$rc"
}

# Runs one step with its output in the log; a failure is tried once more after the prefix's
# wineserver has ended (or, when it does not end, has been stopped)
step() {
  local what=$1 try rc
  shift
  for try in 1 2; do
    printf '\n=== %s (try %d): %s\n' "$what" "$try" "$*" >>"$log"
    rc=0
    "$@" >>"$log" 2>&1 </dev/null || rc=$?
    echo "=== exit code $rc" >>"$log"
    [ "$rc" -eq 0 ] && return 0
    if [ "$try" -eq 1 ]; then
      echo "wine: $what failed (exit code $rc); trying once more" >&2
      settle >>"$log" 2>&1 || wineserver -k >>"$log" 2>&1 || echo "=== wineserver -k: no server was running" >>"$log"
    fi
  done
  fail "$what" "$*" "$rc"
}

started=$SECONDS
echo "wine: creating the prefix $WINEPREFIX (once, 10-30 s; log in $log)"
echo "=== $(date '+%F %T') creating $WINEPREFIX for use '$use'; $(WINEDEBUG=-all wine --version)" >"$log"
if compgen -G "$WINEPREFIX/.quarvex-ready-*" >/dev/null && [ -f "$WINEPREFIX/system.reg" ]; then
  # A prefix of an earlier checkout: complete, only its settings change.
  echo "=== reusing the complete prefix of an earlier version" >>"$log"
elif [ -e "$WINEPREFIX" ]; then
  echo "wine: removing the unfinished prefix left by an earlier run"
  step "wait for the unfinished prefix's processes to end" settle
  rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
# DISPLAY= keeps wineboot's "updating the configuration" window off the user's desktop.
step "create the prefix (wineboot -i)" env DISPLAY= wineboot -i
step "wait for wineboot's helper processes to end (wineserver -w)" settle

# The settings, as a registry file (UTF-16 with its byte order mark, for the full-width face name)
settings="$WINEPREFIX/quarvex-settings.reg"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"ＭＳ ゴシック"="IPAGothic"\r\n"MS Gothic"="IPAGothic"\r\n\r\n'
  # No crash dialog: a crashing program must end, not wait for a click.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
  if [ "$use" = test ]; then
    # Windows not handed to a window manager: on the tests' display there is none, and destroying a
    # managed window waits 2 s for a withdrawn state that never comes. (The run prefix gets this per
    # run from scripts/run.sh: managed on a desktop, unmanaged on a private display.)
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    # The stress program alone runs in a virtual desktop (scripts/stress.sh says why).
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"quarvex-stress"="1280x1024"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\vrx_stress_tests.exe\\Explorer]\r\n"Desktop"="quarvex-stress"\r\n\r\n'
  fi
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$settings"
step "apply the registry settings (reg import)" in_utf8 env DISPLAY= wine reg import "Z:${settings//\//\\}"
step "save the registry (wineserver -w)" settle

# The settings must be in the saved registry, or the prefix is not what the programs and tests expect.
grep -q '^"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" ||
  fail "find ShowCrashDialog in $WINEPREFIX/user.reg after the import" "grep ShowCrashDialog user.reg" 1
if [ "$use" = test ]; then
  grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" ||
    fail "find Managed=N in $WINEPREFIX/user.reg after the import" "grep Managed user.reg" 1
  grep -q '^"Desktop"="quarvex-stress"' "$WINEPREFIX/user.reg" ||
    fail "find the stress program's desktop in $WINEPREFIX/user.reg after the import" "grep quarvex-stress user.reg" 1
fi
rm -f "$WINEPREFIX"/.quarvex-ready-*
touch "$marker"
echo "wine: the prefix is ready ($(( SECONDS - started )) s)"
