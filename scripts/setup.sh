#!/usr/bin/env bash
# scripts/setup.sh - installs what building, running and testing quarvex needs on Debian 12.
#
# Idempotent and quiet: when everything is present it prints nothing and changes nothing.
# Works as root or through sudo (asking for a password only on a terminal; CI has none).
set -euo pipefail
pkg_who=setup
. "$(dirname "$0")/packages.sh"

packages=(
  cmake make g++ googletest                       # native build and unit tests
  ccache                                          # the toolkit compiled once for the builds of one run
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev # Windows cross build
  wine wine64                                     # running the Windows programs
  xvfb xauth x11-utils x11-apps x11-xserver-utils # private display (xrandr), display checks, screenshots
  xdotool procps                                  # input on the display, the prefix's diagnostics (ps)
  imagemagick                                     # independent picture checks and screenshots
  libbenchmark-dev python3                        # make bench: Google Benchmark, the report
  fonts-ipafont-gothic locales                    # Japanese Gothic face, ja_JP.UTF-8
)
apt_install "${packages[@]}"

# The ANSI code page under Wine is 932 only when the ja_JP.UTF-8 locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  mkdir -p "$(dirname "$pkg_log")"
  need_root
  as_root sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >>"$pkg_log" 2>&1 || {
    echo "setup: FAILED: locale-gen; the last lines of $pkg_log:" >&2
    tail -n 10 "$pkg_log" | sed 's/^/  | /' >&2
    exit 1
  }
fi
