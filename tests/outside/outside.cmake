# tests/outside/outside.cmake - projects outside the quarvex tree that use the toolkit: one test builds
# each (tests/outside/build.sh; the FetchContent one is configured only), then e2e.OutsideProject starts
# every program they made under Wine.
foreach(way subdirectory fetchcontent package)
  add_test(NAME outside.build.${way}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/build.sh ${way} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
                   "${CMAKE_BUILD_TYPE}" "${CMAKE_CXX_COMPILER_LAUNCHER}")
  set_tests_properties(outside.build.${way} PROPERTIES FIXTURES_SETUP vrx_outside TIMEOUT 900 RUN_SERIAL TRUE)
endforeach()

add_executable(vrx_outside_tests ${CMAKE_CURRENT_LIST_DIR}/outside_e2e_test.cpp ${PROJECT_SOURCE_DIR}/tests/e2e/driver.cpp)
target_link_libraries(vrx_outside_tests PRIVATE GTest::gtest_main ${VRX_SYSTEM_LIBS})
target_include_directories(vrx_outside_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(vrx_outside_tests PRIVATE UNICODE _UNICODE NOMINMAX)
target_link_options(vrx_outside_tests PRIVATE ${VRX_STATIC_LINK})
gtest_discover_tests(vrx_outside_tests TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES RUN_SERIAL TRUE TIMEOUT 180 FIXTURES_REQUIRED vrx_outside
                     FAIL_REGULAR_EXPRESSION ${VRX_GTEST_FAILED})
