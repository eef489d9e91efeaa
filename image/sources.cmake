# image/sources.cmake - image window records, display, files and clipboard, window procedure, menus, click
# wait, and in image/commands/ the drawing and Process-menu commands.
# VRX_VARIANT_SOURCES hold the two forms of VRX_DrawBox: compiled once per form (the libraries vrxlib and
# vrxlib_border_fill, and each test program), with VRX_SWAP_VARIANT 0 or 1.
list(APPEND VRX_CORE_SOURCES image/zoom_fit.cpp image/file_name.cpp image/packed_dib.cpp
     image/point_tool_core.cpp image/key_map.cpp)
list(APPEND VRX_WIN32_SOURCES
  image/click_wait.cpp image/clipboard.cpp image/file_dialogs.cpp image/image_files.cpp image/image_menus.cpp
  image/image_table.cpp image/image_window.cpp image/routine_files.cpp image/routine_points.cpp
  image/window_commands.cpp
  image/commands/current_primitives.cpp image/commands/color_dialog.cpp image/commands/tt_text.cpp
  image/commands/bitmap_text.cpp image/commands/process_commands.cpp image/commands/routine_drawing.cpp)
list(APPEND VRX_VARIANT_SOURCES image/commands/draw_box.cpp image/commands/draw_commands.cpp)
