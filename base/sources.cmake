# base/sources.cmake - what every subsystem uses: conversions, status line, message pump, window snapping,
# clipboard hand-over, menus, the clock and the process-wide flags.
list(APPEND VRX_CORE_SOURCES base/snap_core.cpp base/status_field.cpp base/number_text.cpp)
list(APPEND VRX_WIN32_SOURCES base/clipboard.cpp base/clock.cpp base/menus.cpp base/message_pump.cpp
     base/process.cpp base/routine_control.cpp base/row_split.cpp base/status_line.cpp base/text_convert.cpp
     base/window_snap.cpp)
