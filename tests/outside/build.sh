#!/usr/bin/env bash
# tests/outside/build.sh - builds a project that lives outside the quarvex tree and uses the toolkit the way
# its author would: from an empty folder, with the MinGW-w64 toolchain file, and no network.
#
# Usage: tests/outside/build.sh <way> <quarvex-sources> <quarvex-build> [<build-type> [<compiler-launcher>]]
#   subdirectory  add_subdirectory of the quarvex sources
#   fetchcontent  FetchContent from the local sources, with the tests switched on but no GoogleTest sources,
#                 which a project that adds quarvex must still be able to configure; configured only, as
#                 what it builds is what subdirectory builds
#   package       cmake --install of <quarvex-build>, then find_package(vrxlib) with the toolchain file that
#                 the install put beside the package config
# The project goes to <quarvex-build>/outside/<way>/project, its build to .../build.
set -euo pipefail
way=$1 src=$(realpath "$2") build=$(realpath "$3") build_type=${4:-Release} launcher=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$build/outside/$way
rm -rf "$work" && mkdir -p "$work/project"
cp "$here/$way/CMakeLists.txt" "$here/hello.c" "$work/project/"

toolchain=$src/cmake/mingw-w64.cmake
args=(-DCMAKE_BUILD_TYPE="$build_type" -DQUARVEX_DIR="$src")
[[ -n $launcher ]] && args+=(-DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
case $way in
  fetchcontent) args+=(-DVRX_TESTS=ON -DVRX_GOOGLETEST_DIR="$work/no-googletest") ;;
  package)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    toolchain=$work/prefix/lib/cmake/vrxlib/mingw-w64.cmake
    args+=(-DCMAKE_PREFIX_PATH="$work/prefix") ;;
esac
cmake -S "$work/project" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${args[@]}" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
if [[ $way == fetchcontent ]]; then
  grep -q 'GoogleTest sources not found' "$work/configure.log" || { echo "no warning about GoogleTest"; exit 1; }
  targets=$(cmake --build "$work/build" --target help)
  grep -qx '\.\.\. hello' <<<"$targets" || { echo "no target hello"; exit 1; }
  exit 0
fi
cmake --build "$work/build" -j2 >"$work/build.log" 2>&1 || { tail -50 "$work/build.log"; exit 1; }
ls "$work/build"/*.exe
