# scripts/wine-env.sh - sourced: the environment every Wine run of this project uses.
#
# Two private prefixes under build/, kept apart so that tests never touch what a person runs:
#   build/wineprefix       `make run` and running by hand: windows managed by the desktop's window
#                          manager, the conversion's output in its drive_c/quarvex_out.jpg
#   build/wineprefix-test  the Windows and end-to-end tests, on the private Xvfb display; its own
#                          wineserver, which the test run stops at its end, and its own drive C:
# QUARVEX_WINE_USE=test (set by scripts/with-xvfb.sh for everything it starts) picks the test prefix.
# No Wine debug output, and the Japanese locale so that the ANSI code page is 932 and the program's
# cp932 texts show right.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
run_prefix=$repo_root/build/wineprefix
test_prefix=$repo_root/build/wineprefix-test
if [ "${QUARVEX_WINE_USE:-run}" = test ]; then
  export WINEPREFIX=$test_prefix
else
  export WINEPREFIX=$run_prefix
fi
export WINEDEBUG=-all
export WINEARCH=win64
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
