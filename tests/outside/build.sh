#!/usr/bin/env bash
# tests/outside/build.sh - builds tests/outside/ from an empty folder as a project outside the tree would,
# with no network: add_subdirectory of the sources, or find_package of `cmake --install <build>` with the
# toolchain file the install put beside the package, or FetchContent (configured only, with the tests
# switched on and no GoogleTest sources, which a project that adds quarvex must still configure).
#   tests/outside/build.sh subdirectory|package|fetchcontent <sources> <build> <build type> [<launcher>]
# The project goes to <build>/outside/<way>/project, its build to .../build.
set -euo pipefail
way=$1 src=$2 work=$3/outside/$1
rm -rf "$work" && mkdir -p "$work/project" && cp "$(dirname "$0")"/{CMakeLists.txt,hello.c} "$work/project/"
args=(-DWAY="$way" -DQUARVEX_DIR="$src" -DCMAKE_BUILD_TYPE="$4" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake"
      -DCMAKE_C_COMPILER_LAUNCHER="${5:-}" -DCMAKE_CXX_COMPILER_LAUNCHER="${5:-}" -DVRX_TESTS=ON -DVRX_GOOGLETEST_DIR="$work/none")
if [ "$way" = package ]; then
  cmake --install "$3" --prefix "$work/prefix" >/dev/null
  args+=(-DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_TOOLCHAIN_FILE="$work/prefix/lib/cmake/vrxlib/mingw-w64.cmake")
fi
cmake -S "$work/project" -B "$work/build" "${args[@]}" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
target=hello; [ "$way" = package ] && target=hello_border_fill   # only the program e2e.Routines starts
[ "$way" = fetchcontent ] || cmake --build "$work/build" -j2 --target $target >>"$work/log" 2>&1 || { tail -40 "$work/log"; exit 1; }
