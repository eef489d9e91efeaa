# text/sources.cmake - text windows, line input and console commands, log files, window information.
list(APPEND VRX_WIN32_SOURCES text/text_window.cpp)
list(APPEND VRX_CORE_SOURCES text/window_info_report.cpp)
list(APPEND VRX_WIN32_SOURCES text/window_info.cpp)
