#!/usr/bin/env bash
# scripts/plant-faults.sh - plants each fault of a list alone into a copy of the tree and runs the tests
# on it, to show which faults the suite catches.
#
# Usage: scripts/plant-faults.sh [--list FILE] [ID ...]
#   FILE  the fault list (tests/planted-faults.tsv): one fault a line, tab-separated:
#         id, file, text to find (exactly once; <NL> stands for a line break), its replacement, what a
#         user would notice
#   ID    only these faults (all by default)
# Each fault is applied to a clean checkout of HEAD in build/plant/src, then the native tests run, and
# when they pass, the Windows and end-to-end tests; the first failing test counts as the catch. The
# report goes to build/plant/report.md. Long: a fault the native tests miss costs a whole Windows run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/tests/planted-faults.tsv
if [ "${1:-}" = "--list" ]; then list=$(realpath "$2"); shift 2; fi
only=" $* "
work=$root/build/plant
src=$work/src
mkdir -p "$work"
# NOTE: no CCACHE_BASEDIR: it makes the compile commands relative, and so __FILE__, which the Windows
#       tests' harness uses to find its data files.
export CCACHE_NOHASHDIR=1
launcher=$(command -v ccache >/dev/null && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")

# A clean checkout of HEAD, kept from run to run so that only the changed files are rebuilt
if [ ! -d "$src/.git" ] && [ ! -f "$src/.git" ]; then
  git -C "$root" worktree add --detach "$src" HEAD >/dev/null
fi
git -C "$src" checkout -q --detach "$(git -C "$root" rev-parse HEAD)"
git -C "$src" checkout -q -- .

# Configures both builds once
cmake -S "$src" -B "$src/build/native" -DCMAKE_BUILD_TYPE=Debug $launcher >/dev/null || exit 2
cmake -S "$src" -B "$src/build/windows" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >/dev/null || exit 2

# Builds and runs one layer; prints nothing when every test passed, else the first failing test
# ("!build" when the planted tree does not build)
run_layer() {
  local dir=$1 log=$2; shift 2
  cmake --build "$dir" -j2 >"$log" 2>&1 || { echo "!build"; return; }
  if (cd "$dir" && "$@" ctest --stop-on-failure -LE stress) >>"$log" 2>&1; then return; fi
  local name
  name=$(sed -n '/The following tests FAILED:/{n;p;q}' "$log" | sed -E 's/^[[:space:]]*[0-9]+ - ([^ ]+).*/\1/')
  echo "${name:-a test run that did not finish}"
}

report=$work/report.md
printf '| Fault | Where | What a user would notice | Result | Caught by |\n|---|---|---|---|---|\n' >"$report"
caught=0 total=0
while IFS=$'\t' read -r id file find replace what; do
  case "$id" in ''|'#'*) continue;; esac
  [ "$only" = "  " ] || [[ $only == *" $id "* ]] || continue
  total=$((total + 1))
  git -C "$src" checkout -q -- .
  find=${find//<NL>/$'\n'} replace=${replace//<NL>/$'\n'}
  count=$(FIND="$find" perl -0ne 'print scalar(() = /\Q$ENV{FIND}\E/g)' "$src/$file" 2>/dev/null)
  if [ "$count" != 1 ]; then
    echo "$id: the text to find occurs ${count:-0} times in $file, not once" >&2
    printf '| %s | %s | %s | does not apply | |\n' "$id" "$file" "$what" >>"$report"
    continue
  fi
  FIND="$find" REPL="$replace" perl -0pi -e 's/\Q$ENV{FIND}\E/$ENV{REPL}/' "$src/$file"
  echo "plant: $id ($file): $what" >&2
  by=$(run_layer "$src/build/native" "$work/$id-native.log")
  [ -n "$by" ] || by=$(run_layer "$src/build/windows" "$work/$id-windows.log" "$src/scripts/with-xvfb.sh")
  if [ "$by" = "!build" ]; then result="does not build"; by=
  elif [ -n "$by" ]; then caught=$((caught + 1)); result=caught
  else result=survived; fi
  echo "plant: $id $result ${by:+by $by}" >&2
  printf '| %s | %s | %s | %s | %s |\n' "$id" "$file" "$what" "$result" "$by" >>"$report"
done <"$list"
git -C "$src" checkout -q -- .
printf '\n%d of %d faults caught (HEAD %s, %s)\n' "$caught" "$total" "$(git -C "$src" rev-parse --short HEAD)" "$(date -u +%F)" >>"$report"
cat "$report"
[ "$caught" = "$total" ]
