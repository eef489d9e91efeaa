# scripts/packages.sh - sourced: installs Debian packages as root or through sudo, saying what it does.
#
# The caller sets pkg_who (the name its messages start with). apt's output goes to build/apt.log; when
# apt fails, its last lines are shown.
pkg_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
pkg_log=$pkg_root/build/apt.log

# Makes sure commands can run as root: as root, through sudo without a password, or through sudo
# asking for one on a terminal; stops with the reason when none of these works
need_root() {
  local why
  [ "$(id -u)" -ne 0 ] || return 0
  if ! command -v sudo >/dev/null; then
    echo "$pkg_who: installing needs root, and sudo is not installed: run this as root." >&2
    exit 1
  fi
  why=$(sudo -n true 2>&1) && return 0
  if [ -t 0 ]; then
    echo "$pkg_who: installing needs root; sudo asks for your password" >&2
    sudo -v && return 0
    echo "$pkg_who: sudo refused; run this as root instead." >&2
    exit 1
  fi
  echo "$pkg_who: installing needs root, and sudo cannot ask for a password without a terminal:" >&2
  echo "$pkg_who:   sudo says: $why" >&2
  echo "$pkg_who: run 'sudo -v' first and then this again in the same terminal, or run it as root." >&2
  exit 1
}

# Runs a command as root (after need_root)
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

# Runs apt-get as root with its output in the log; on failure shows apt's last lines and stops
apt_run() {
  local rc=0
  echo "=== $(date '+%F %T') apt-get $*" >>"$pkg_log"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" >>"$pkg_log" 2>&1 </dev/null || rc=$?
  [ "$rc" -eq 0 ] && return 0
  echo "$pkg_who: FAILED: apt-get $* (exit code $rc); the last lines of $pkg_log:" >&2
  tail -n 20 "$pkg_log" | sed 's/^/  | /' >&2
  exit 1
}

# Installs those of the packages given that are missing, saying which
apt_install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if ! command -v apt-get >/dev/null; then
    echo "$pkg_who: no apt-get here (this set-up is for Debian 12); install these yourself: ${missing[*]}" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$pkg_log")"
  need_root
  echo "$pkg_who: installing ${#missing[@]} packages: ${missing[*]}"
  echo "$pkg_who: apt-get update and install; a few minutes on a fresh machine (log in $pkg_log)"
  apt_run update
  apt_run install -y --no-install-recommends "${missing[@]}"
  echo "$pkg_who: packages installed"
}
