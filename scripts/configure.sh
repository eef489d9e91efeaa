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
rc=0
cmake -S . -B "$dir" "$@" >"$dir/configure.log" 2>&1 || rc=$?
if [ "$rc" -ne 0 ]; then
  echo "build: FAILED: cmake -S . -B $dir $* (exit code $rc); the end of $dir/configure.log:" >&2
  tail -n 25 "$dir/configure.log" | sed 's/^/  | /' >&2
  exit 1
fi
