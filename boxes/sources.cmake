# boxes/sources.cmake - the input box and the button box.
list(APPEND VRX_WIN32_SOURCES boxes/boxes.cpp)
