# cmake/mingw-w64.cmake - cross-compiling the Windows programs on Linux with MinGW-w64 (posix threads).
#
# Usable by any project: cmake -S <project> -B <build> -DCMAKE_TOOLCHAIN_FILE=<quarvex>/cmake/mingw-w64.cmake
# (an installed toolkit has a copy beside its package config, lib/cmake/vrxlib/mingw-w64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages such as an installed vrxlib are found where CMAKE_PREFIX_PATH names them, not only under the root.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Test programs run under Wine on the private display (scripts/wine-run.sh), when this file is used
# from its place in the quarvex sources.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
endif()
