# tests/floors/floors.cmake - the floor check as tests: the fixture in the native build, the real tree in the
# Windows build, read with the native build beside it (make test builds that one first).
if(CMAKE_HOST_UNIX AND NOT WIN32)
  add_test(NAME floors.fixture COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run-fixture.sh)
elseif(CMAKE_HOST_UNIX)
  set(VRX_NATIVE_BUILD ${PROJECT_BINARY_DIR}/../native CACHE PATH "The native build the floor check reads")
  add_test(NAME floors.tree COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../../scripts/check-floors.sh
           ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${VRX_NATIVE_BUILD})
endif()
