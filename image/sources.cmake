# image/sources.cmake - image window records, display, files and clipboard, window procedure, menus, click wait.
list(APPEND VRX_CORE_SOURCES image/image_layout.cpp image/point_tool_core.cpp image/window_input_core.cpp)
list(APPEND VRX_WIN32_SOURCES
  image/click_wait.cpp image/clipboard.cpp image/image_files.cpp image/image_menus.cpp
  image/image_table.cpp image/image_window.cpp)
