# cmake/native.cmake - the Windows-free core and its unit tests, built for the host with sanitizers.
set(VRX_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(vrx_core PRIVATE ${VRX_SANITIZE})
target_link_options(vrx_core PUBLIC ${VRX_SANITIZE})

if(VRX_TESTS)
  file(GLOB VRX_NATIVE_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*.cpp)
  add_executable(vrx_native_tests ${VRX_NATIVE_TESTS} ${VRX_APP_CORE_SOURCES})
  target_compile_options(vrx_native_tests PRIVATE ${VRX_SANITIZE})
  # The test of the cheatsheet reads vrxlib.h, docs/api.md and examples/ from the sources.
  target_compile_definitions(vrx_native_tests PRIVATE VRX_SOURCE_ROOT="${PROJECT_SOURCE_DIR}")
  target_link_libraries(vrx_native_tests PRIVATE vrx_core GTest::gtest_main)
  gtest_discover_tests(vrx_native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
endif()
