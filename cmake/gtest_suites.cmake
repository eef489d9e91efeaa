# cmake/gtest_suites.cmake - one CTest test per GoogleTest suite, so a test program starts once per suite
# (the toolkit's start pays the 1.06 s drop-in) instead of once per test.
#
# vrx_add_suite_tests(<target> <prefix> [PER_TEST <regex>] [PROPERTIES <ctest properties>...])
#   Reads the TEST/TEST_F/TEST_P lines of the target's *_test.cpp sources. Every suite becomes the test
#   <prefix><Suite>, run with --gtest_filter=Suite.*:*/Suite.*:*/Suite/*; suites whose name matches the
#   PER_TEST regex get one test per case instead (<prefix><Suite>.<Name>). A test fails on a non-zero
#   exit code, on GoogleTest's failure line (a program that fails and then crashes while it exits can
#   leave Wine with code 0) and when its filter selects no test. Editing a source configures again, so
#   a renamed or removed test does not linger as a test that runs nothing.
function(vrx_add_suite_tests target prefix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "PER_TEST" "PROPERTIES")
  get_target_property(sources ${target} SOURCES)
  set(suites)
  set(cases)
  foreach(source ${sources})
    if(NOT source MATCHES "_test\\.cpp$")
      continue()
    endif()
    if(NOT IS_ABSOLUTE ${source})
      set(source ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+, *[A-Za-z0-9_]+\\)")
    foreach(line ${lines})
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\2;\\3" pair "${line}")
      list(GET pair 0 suite)
      list(GET pair 1 name)
      if(arg_PER_TEST AND suite MATCHES "${arg_PER_TEST}")
        list(APPEND cases "${suite}.${name}")
      else()
        list(APPEND suites ${suite})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite ${suites})
    add_test(NAME ${prefix}${suite} COMMAND ${target} "--gtest_filter=${suite}.*:*/${suite}.*:*/${suite}/*")
    list(APPEND names ${prefix}${suite})
  endforeach()
  foreach(case ${cases})
    add_test(NAME ${prefix}${case} COMMAND ${target} --gtest_filter=${case}:*/${case}/*)
    list(APPEND names ${prefix}${case})
  endforeach()
  if(names)
    set_tests_properties(${names} PROPERTIES FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Running 0 tests from" ${arg_PROPERTIES})
  endif()
endfunction()
