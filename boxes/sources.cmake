# boxes/sources.cmake - the input box and the button box.
list(APPEND VRX_CORE_SOURCES boxes/box_geometry.cpp)
list(APPEND VRX_WIN32_SOURCES boxes/box_commands.cpp boxes/input_box.cpp boxes/button_box.cpp)
