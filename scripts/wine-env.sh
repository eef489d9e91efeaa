# scripts/wine-env.sh - sourced: the environment every Wine run of this project uses.
#
# A private prefix under build/, no Wine debug output, and the Japanese locale so that the
# ANSI code page is 932 and the program's cp932 texts show right.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEARCH=win64
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
