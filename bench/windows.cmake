# bench/windows.cmake - the Windows programs of `make bench`, in the Windows build but outside its
# default targets (EXCLUDE_FROM_ALL): the normal build and its tests never build or run them.
#
# vrx_bench_driver works the real programs from outside (with the end-to-end test driver) and times the
# GDI+ encoder and GDI rescale references; vrx_bench_requests hosts the toolkit to time the request
# hand-over; vrx_bench_phases(_swap) time each step of the conversion inside a process that hosts the
# toolkit. They land beside quarvex.exe, where the driver starts the programs from.
add_executable(vrx_bench_driver EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/bench_driver.cpp
               ${PROJECT_SOURCE_DIR}/tests/e2e/driver.cpp)
target_include_directories(vrx_bench_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(vrx_bench_driver PRIVATE UNICODE _UNICODE NOMINMAX)
target_link_libraries(vrx_bench_driver PRIVATE ${VRX_SYSTEM_LIBS})
target_link_options(vrx_bench_driver PRIVATE ${VRX_STATIC_LINK})
add_dependencies(vrx_bench_driver quarvex quarvex-swap)

add_executable(vrx_bench_requests EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/request_bench.cpp ${VRX_VARIANT_SOURCES})
target_compile_definitions(vrx_bench_requests PRIVATE VRX_SWAP_VARIANT=0)
target_link_libraries(vrx_bench_requests PRIVATE vrx_toolkit)
target_link_options(vrx_bench_requests PRIVATE ${VRX_STATIC_LINK})

# vrx_bench_phases (quarvex's calls) and vrx_bench_phases_swap (quarvex-swap's) host the toolkit and
# time each step of the conversion beside the encoder alone.
foreach(variant 0 1)
  set(name vrx_bench_phases)
  if(variant)
    set(name vrx_bench_phases_swap)
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/phase_bench.cpp
                 ${PROJECT_SOURCE_DIR}/app/stereo_canvas.cpp ${VRX_VARIANT_SOURCES})
  target_compile_definitions(${name} PRIVATE VRX_SWAP_VARIANT=${variant})
  target_link_libraries(${name} PRIVATE vrxlib)
  target_link_options(${name} PRIVATE ${VRX_STATIC_LINK})
endforeach()
