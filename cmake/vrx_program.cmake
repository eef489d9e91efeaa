# cmake/vrx_program.cmake - vrx_add_program, the one call a project needs to build a routine into a program.
#
#   vrx_add_program(<name> [BORDER_FILL_BOX] <sources>...)
#
# Makes <name>, a Windows GUI program (statically linked: it runs on a bare Windows without DLLs beside
# it) that hosts the user_routine defined in <sources>. VRX_DrawBox takes the one-colour form; with
# BORDER_FILL_BOX the form with a border colour and a fill colour (VRX_SWAP_VARIANT is 1 in the sources).
#
# Used by quarvex's own build and by the package config of an installed toolkit (find_package(vrxlib)),
# where the targets vrxlib::vrxlib and vrxlib::vrxlib_border_fill come from.
function(vrx_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BORDER_FILL_BOX" "" "")
  if(NOT WIN32)
    message(FATAL_ERROR "vrx_add_program(${name}) makes a Windows program: configure for Windows, e.g. with "
                        "-DCMAKE_TOOLCHAIN_FILE=<quarvex>/cmake/mingw-w64.cmake")
  endif()
  if(NOT arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vrx_add_program(${name}): no sources")
  endif()
  add_executable(${name} WIN32 ${arg_UNPARSED_ARGUMENTS})
  if(arg_BORDER_FILL_BOX)
    target_link_libraries(${name} PRIVATE vrxlib::vrxlib_border_fill)
  else()
    target_link_libraries(${name} PRIVATE vrxlib::vrxlib)
  endif()
  if(MINGW)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  set_property(TARGET ${name} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endfunction()
