#!/usr/bin/env bash
# scripts/setup.sh - installs what building and testing quarvex needs on Debian 12.
#
# Idempotent and quiet: when everything is present it prints nothing and changes nothing.
# Works as root or through sudo (non-interactive; CI has no terminal).
set -euo pipefail

packages=(
  cmake make g++ googletest                       # native build and unit tests
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev # Windows cross build
  wine wine64                                     # running the Windows programs
  xvfb xauth x11-utils x11-apps xdotool           # private display, screenshots, input
  imagemagick                                     # independent picture checks and screenshots
  libbenchmark-dev                                # Google Benchmark, for make bench
  fonts-ipafont-gothic locales                    # Japanese Gothic face, ja_JP.UTF-8
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq >/dev/null
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The ANSI code page under Wine is 932 only when the ja_JP.UTF-8 locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
