# cmake/windows.cmake - the toolkit, the two programs and the tests that run under Windows (or Wine).
#
# The toolkit is compiled once (vrxlib_objects) and archived three ways:
#   vrxlib              the whole toolkit with the one-colour VRX_DrawBox and the program entry
#   vrxlib_border_fill  the same with the border-and-fill VRX_DrawBox (VRX_SWAP_VARIANT 1)
#   vrx_toolkit         without the box call's files and the entry, for the test programs, which host
#                       the toolkit themselves and compile the box call's files with their own form
# vrxlib and vrxlib_border_fill (with vrx_core) are what cmake --install puts in place.
set(VRX_SYSTEM_LIBS gdiplus comdlg32 shell32 gdi32 user32 kernel32 ole32)
if(MINGW)
  # Statically linked: the programs run on a bare Windows without MinGW's DLLs.
  set(VRX_STATIC_LINK -static -static-libgcc -static-libstdc++)
endif()
include(GNUInstallDirs)

# Inside another project only the archives its programs link are built.
if(NOT VRX_INSTALL)
  set(VRX_ON_DEMAND EXCLUDE_FROM_ALL)
endif()

add_library(vrxlib_objects OBJECT ${VRX_ON_DEMAND} ${VRX_WIN32_SOURCES})
target_link_libraries(vrxlib_objects PRIVATE vrx_core)
target_compile_definitions(vrxlib_objects PRIVATE UNICODE _UNICODE NOMINMAX)

# One archive of the whole toolkit, with the box call's form swap (0 or 1)
function(vrx_toolkit_library name swap)
  add_library(${name} STATIC ${VRX_ON_DEMAND} $<TARGET_OBJECTS:vrxlib_objects> ${VRX_VARIANT_SOURCES}
              ${VRX_PROGRAM_SOURCES})
  add_library(vrxlib::${name} ALIAS ${name})
  target_compile_definitions(${name} PRIVATE UNICODE _UNICODE NOMINMAX PUBLIC VRX_SWAP_VARIANT=${swap})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                             $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC vrx_core ${VRX_SYSTEM_LIBS})
  if(MINGW)
    # NOTE: WinMain lives in the archive, and MinGW's start-up code asks for it only after the archive
    #       has been read; naming it up front makes the linker take it. A project without C++ links
    #       with the C driver, which leaves the C++ runtime out, so the archive names it.
    target_link_options(${name} INTERFACE -Wl,-u,WinMain)
    target_link_libraries(${name} INTERFACE stdc++)
  endif()
endfunction()
vrx_toolkit_library(vrxlib 0)
vrx_toolkit_library(vrxlib_border_fill 1)

if(VRX_INSTALL)
  install(TARGETS vrxlib vrxlib_border_fill vrx_core EXPORT vrxlibTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/vrxlib.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  set(VRX_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vrxlib)
  install(EXPORT vrxlibTargets NAMESPACE vrxlib:: DESTINATION ${VRX_PACKAGE_DIR})
  include(CMakePackageConfigHelpers)
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/vrxlibConfigVersion.cmake
                                   COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/vrxlibConfig.cmake ${PROJECT_SOURCE_DIR}/cmake/vrx_program.cmake
          ${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake ${PROJECT_BINARY_DIR}/vrxlibConfigVersion.cmake
          DESTINATION ${VRX_PACKAGE_DIR})
endif()

if(VRX_TESTS)
  # The end-to-end tests start the programs and the examples.
  set(VRX_PROGRAMS ON)
  set(VRX_EXAMPLES ON)
endif()
if(VRX_PROGRAMS)
  vrx_add_program(quarvex ${VRX_CENTRE_APP_SOURCES})
  vrx_add_program(quarvex-swap BORDER_FILL_BOX ${VRX_SWAP_APP_SOURCES})
endif()
if(VRX_EXAMPLES)
  add_subdirectory(examples)
endif()

if(VRX_TESTS)
  add_library(vrx_toolkit STATIC $<TARGET_OBJECTS:vrxlib_objects>)
  target_link_libraries(vrx_toolkit PUBLIC vrx_core ${VRX_SYSTEM_LIBS})
  target_compile_definitions(vrx_toolkit PUBLIC UNICODE _UNICODE NOMINMAX)

  # In-process tests: real windows, DCs, DIB sections, GDI+ files and the clipboard. Each GoogleTest suite
  # runs in a process of its own that starts the toolkit once; a suite named Exit* runs each of its tests
  # in a process of its own, since Exit ends the toolkit.
  file(GLOB VRX_WINDOWS_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/windows/*.cpp)
  add_executable(vrx_windows_tests ${VRX_WINDOWS_TESTS} ${VRX_VARIANT_SOURCES})
  target_compile_definitions(vrx_windows_tests PRIVATE VRX_SWAP_VARIANT=0)
  target_link_libraries(vrx_windows_tests PRIVATE vrx_toolkit GTest::gtest)
  target_link_options(vrx_windows_tests PRIVATE ${VRX_STATIC_LINK})
  vrx_add_suite_tests(vrx_windows_tests windows. PER_TEST "^Exit" PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
  # NOTE: a test program that fails and then crashes while it exits leaves Wine with code 0, so a
  #       failure is also read from GoogleTest's output.
  set(VRX_GTEST_FAILED "\\[  FAILED  \\]")

  # End-to-end tests: start the real programs, the examples and the programs of projects outside this
  # tree (built by the outside.* tests first, from empty folders) and drive them from outside.
  file(GLOB VRX_E2E_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
  add_executable(vrx_e2e_tests ${VRX_E2E_TESTS})
  target_link_libraries(vrx_e2e_tests PRIVATE GTest::gtest_main ${VRX_SYSTEM_LIBS})
  target_include_directories(vrx_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(vrx_e2e_tests PRIVATE UNICODE _UNICODE NOMINMAX)
  target_link_options(vrx_e2e_tests PRIVATE ${VRX_STATIC_LINK})
  add_dependencies(vrx_e2e_tests quarvex quarvex-swap vrx_examples)
  vrx_add_suite_tests(vrx_e2e_tests "e2e." PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
  foreach(way subdirectory package fetchcontent)
    add_test(NAME outside.${way} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/outside/build.sh ${way} ${PROJECT_SOURCE_DIR}
             ${PROJECT_BINARY_DIR} "${CMAKE_BUILD_TYPE}" "${CMAKE_CXX_COMPILER_LAUNCHER}")
    set_tests_properties(outside.${way} PROPERTIES FIXTURES_SETUP vrx_outside RUN_SERIAL TRUE TIMEOUT 600)
  endforeach()
  set_tests_properties(e2e.Routines PROPERTIES FIXTURES_REQUIRED vrx_outside)
  # The benchmark programs of `make bench`, built only on request.
  include(${PROJECT_SOURCE_DIR}/bench/windows.cmake)

  # Long runs for make stress (label "stress", left out of make test): the leak cycles and the two-thread
  # run; STRESS_CYCLES and STRESS_SECONDS change their length.
  file(GLOB VRX_STRESS_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/stress/*_test.cpp)
  add_executable(vrx_stress_tests ${VRX_STRESS_TESTS} ${PROJECT_SOURCE_DIR}/tests/windows/harness.cpp ${VRX_VARIANT_SOURCES})
  target_compile_definitions(vrx_stress_tests PRIVATE VRX_SWAP_VARIANT=0)
  target_link_libraries(vrx_stress_tests PRIVATE vrx_toolkit GTest::gtest psapi)
  target_link_options(vrx_stress_tests PRIVATE ${VRX_STATIC_LINK})
  vrx_add_suite_tests(vrx_stress_tests stress. PROPERTIES RUN_SERIAL TRUE TIMEOUT 14400 LABELS stress)
endif()
