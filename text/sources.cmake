# text/sources.cmake - text windows, line input and console commands, log files, the window report.
list(APPEND VRX_CORE_SOURCES text/cell_layout.cpp text/key_ring.cpp text/line_editor.cpp text/window_report.cpp)
list(APPEND VRX_WIN32_SOURCES text/text_window.cpp text/text_print.cpp text/console_input.cpp
     text/console_commands.cpp text/log_file.cpp text/report_command.cpp)
