#!/usr/bin/env bash
# scripts/configure.sh - configures one CMake build tree: scripts/configure.sh <build dir> [cmake options]
#
# Runs `cmake -S . -B <dir>` every time: on a configured tree that is a quick check, and a tree whose
# first configuration was cut short is made whole again. The generator is CMake's choice, or
# $CMAKE_GENERATOR (Ninja, say). CMake's output goes to <dir>/configure.log; a failure shows its end.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
mkdir -p "$dir"
[ -f "$dir/CMakeCache.txt" ] || echo "build: configuring $dir (once)"
# Compiles go through ccache when it is there: the projects the tests build from outside the tree compile
# the toolkit's files again with the same flags and take them from the cache.
# NOTE: with -g, ccache hashes the working directory, in which the build trees differ, unless told not to.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER="env;CCACHE_NOHASHDIR=1;ccache"
            -DCMAKE_CXX_COMPILER_LAUNCHER="env;CCACHE_NOHASHDIR=1;ccache")
fi
rc=0
cmake -S . -B "$dir" "${launcher[@]}" "$@" >"$dir/configure.log" 2>&1 || rc=$?
if [ "$rc" -ne 0 ]; then
  echo "build: FAILED: cmake -S . -B $dir $* (exit code $rc); the end of $dir/configure.log:" >&2
  tail -n 25 "$dir/configure.log" | sed 's/^/  | /' >&2
  exit 1
fi
