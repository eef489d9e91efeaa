#!/usr/bin/env bash
# tests/floors/run-fixture.sh - runs scripts/check-floors.sh on the fixture: the planted faults must be
# reported exactly, by kind and file, with exit 1; the fixture without its planted lines must pass with 0.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
planted="app-include app/routine.cpp
app-include examples/sample.c
call text/print.cpp
include base/flags.cpp
include boxes/box.cpp
native imaging/pixels.cpp"

# Copies the fixture to $1 (without the planted lines when $2 is clean), compiles it as CMake lays out the
# Windows and the native objects, and runs the check on it
check() {
  cp -r "$here/fixture" "$1" && cd "$1" || return 2
  [[ $2 == clean ]] && grep -rlZ 'planted:' . | xargs -0 sed -i '/planted:/d'
  for src in $(find imaging base text boxes image host app -name '*.cpp'); do
    obj=win/CMakeFiles/fixture.dir/$src.obj
    mkdir -p "${obj%/*}" && g++ -std=c++17 -c -I. -Iinclude "$src" -o "$obj" || return 2
    [[ $src == imaging/* ]] && mkdir -p native/CMakeFiles/core.dir/imaging && cp "$obj" "native/CMakeFiles/core.dir/$src.o"
  done
  "$here/../../scripts/check-floors.sh" . win native 2>/dev/null
}
got=$(check "$tmp/planted" planted); rc=$?
found=$(awk '{ sub(/:.*/, "", $2); print $1, $2 }' <<<"$got" | LC_ALL=C sort)
pass=0; [[ $rc == 1 && $found == "$planted" ]] && pass=1 || printf 'planted faults: exit %s, reported:\n%s\n' "$rc" "$got"
got=$(check "$tmp/clean" clean); rc=$?
[[ $rc == 0 && -z $got ]] && pass=$((pass + 1)) || printf 'clean fixture: exit %s, reported:\n%s\n' "$rc" "$got"
echo "floors: $pass passed, $((2 - pass)) failed"
(( pass == 2 ))
