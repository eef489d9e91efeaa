# text/sources.cmake - text windows, line input and console commands, log files, window information.
list(APPEND VRX_CORE_SOURCES text/text_layout.cpp)
list(APPEND VRX_WIN32_SOURCES text/text_window.cpp text/text_print.cpp text/console_input.cpp
     text/console_commands.cpp text/log_file.cpp text/report_command.cpp)
list(APPEND VRX_CORE_SOURCES text/window_info_report.cpp)
list(APPEND VRX_WIN32_SOURCES text/window_info.cpp)
