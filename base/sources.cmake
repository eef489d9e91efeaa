# base/sources.cmake - what every subsystem uses: conversions, status line, message pump, window snapping, flags.
list(APPEND VRX_CORE_SOURCES base/snap_core.cpp base/status_field.cpp)
list(APPEND VRX_WIN32_SOURCES base/helpers.cpp base/window_snap.cpp)
