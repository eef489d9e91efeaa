# cmake/googletest.cmake - GoogleTest built from Debian's googletest sources for the current target.
#
# NOTE: without the sources a top-level configure stops (make test needs them); inside another project
#       the tests are left out with a warning instead, so a parent that set VRX_TESTS still configures.
set(VRX_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${VRX_GOOGLETEST_DIR}/CMakeLists.txt)
  if(PROJECT_IS_TOP_LEVEL)
    message(FATAL_ERROR "GoogleTest sources not found at ${VRX_GOOGLETEST_DIR}")
  endif()
  message(WARNING "quarvex: GoogleTest sources not found at ${VRX_GOOGLETEST_DIR}; its tests are left out")
  set(VRX_TESTS OFF)
  return()
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VRX_GOOGLETEST_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
