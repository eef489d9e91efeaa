# cmake/vrxlibConfig.cmake - the package config of an installed VRXLIB: find_package(vrxlib CONFIG) gives
# the targets vrxlib::vrxlib (one-colour VRX_DrawBox), vrxlib::vrxlib_border_fill (border-and-fill form)
# and the function vrx_add_program. The MinGW-w64 toolchain file lies beside this file.
include(${CMAKE_CURRENT_LIST_DIR}/vrxlibTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/vrx_program.cmake)
