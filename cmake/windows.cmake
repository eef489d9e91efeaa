# cmake/windows.cmake - the toolkit, the two programs and the tests that run under Windows (or Wine).
set(VRX_SYSTEM_LIBS gdiplus comdlg32 shell32 gdi32 user32 kernel32 ole32)
if(MINGW)
  # Statically linked: the programs run on a bare Windows without MinGW's DLLs.
  set(VRX_STATIC_LINK -static -static-libgcc -static-libstdc++)
endif()

# The toolkit minus the variant-dependent files, shared by both programs and the tests.
add_library(vrxlib STATIC ${VRX_WIN32_SOURCES})
target_link_libraries(vrxlib PUBLIC vrx_core ${VRX_SYSTEM_LIBS})
target_compile_definitions(vrxlib PUBLIC UNICODE _UNICODE NOMINMAX)

# Builds one program: the toolkit, its variant files with VRX_SWAP_VARIANT, and its user routine
function(vrx_add_program name swap)
  add_executable(${name} WIN32 ${VRX_PROGRAM_SOURCES} ${VRX_VARIANT_SOURCES} ${ARGN})
  target_compile_definitions(${name} PRIVATE VRX_SWAP_VARIANT=${swap})
  target_link_libraries(${name} PRIVATE vrxlib)
  target_link_options(${name} PRIVATE ${VRX_STATIC_LINK})
endfunction()

vrx_add_program(quarvex 0 ${VRX_CENTRE_APP_SOURCES})
vrx_add_program(quarvex-swap 1 ${VRX_SWAP_APP_SOURCES})

if(VRX_TESTS)
  # In-process tests: real windows, DCs, DIB sections, GDI+ files and the clipboard.
  file(GLOB VRX_WINDOWS_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
  list(APPEND VRX_WINDOWS_TESTS ${CMAKE_SOURCE_DIR}/app/stereo_pair.cpp ${CMAKE_SOURCE_DIR}/tests/stress/leak_cycles.cpp)
  add_executable(vrx_windows_tests ${VRX_WINDOWS_TESTS} ${VRX_VARIANT_SOURCES})
  target_compile_definitions(vrx_windows_tests PRIVATE VRX_SWAP_VARIANT=0)
  target_link_libraries(vrx_windows_tests PRIVATE vrxlib GTest::gtest psapi)
  target_link_options(vrx_windows_tests PRIVATE ${VRX_STATIC_LINK})
  gtest_discover_tests(vrx_windows_tests TEST_PREFIX "windows." DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 120 PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)

  # End-to-end tests: start the real programs and drive them from outside.
  file(GLOB VRX_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  add_executable(vrx_e2e_tests ${VRX_E2E_TESTS})
  target_link_libraries(vrx_e2e_tests PRIVATE GTest::gtest_main ${VRX_SYSTEM_LIBS})
  target_include_directories(vrx_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(vrx_e2e_tests PRIVATE UNICODE _UNICODE NOMINMAX)
  target_link_options(vrx_e2e_tests PRIVATE ${VRX_STATIC_LINK})
  # A program whose user routine blocks in VRX_Pause, for the Exit timing.
  vrx_add_program(vrx_pause_probe 0 ${CMAKE_SOURCE_DIR}/tests/e2e/probe/pause_routine.cpp)
  # A program whose user routine opens image window 0 and returns, for Exit in its dialogs and tools.
  vrx_add_program(vrx_image_probe 0 ${CMAKE_SOURCE_DIR}/tests/e2e/probe/image_routine.cpp)
  add_dependencies(vrx_e2e_tests quarvex quarvex-swap vrx_pause_probe vrx_image_probe)
  gtest_discover_tests(vrx_e2e_tests TEST_PREFIX "e2e." DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 120 PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
  # The benchmark programs of `make bench`, built only on request.
  include(${CMAKE_SOURCE_DIR}/bench/windows.cmake)

  # Long runs for make stress (label "stress", left out of make test): 20000 leak cycles and the
  # two-thread test; STRESS_CYCLES and STRESS_SECONDS change their length.
  file(GLOB VRX_STRESS_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/stress/*_test.cpp)
  add_executable(vrx_stress_tests ${VRX_STRESS_TESTS} ${CMAKE_SOURCE_DIR}/tests/stress/leak_cycles.cpp
                 ${CMAKE_SOURCE_DIR}/tests/windows/harness.cpp ${VRX_VARIANT_SOURCES})
  target_compile_definitions(vrx_stress_tests PRIVATE VRX_SWAP_VARIANT=0)
  target_link_libraries(vrx_stress_tests PRIVATE vrxlib GTest::gtest psapi)
  target_link_options(vrx_stress_tests PRIVATE ${VRX_STATIC_LINK})
  gtest_discover_tests(vrx_stress_tests TEST_PREFIX "stress." DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 120 PROPERTIES RUN_SERIAL TRUE TIMEOUT 14400 LABELS stress)
endif()
