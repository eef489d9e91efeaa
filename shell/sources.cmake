# shell/sources.cmake - program entry, main window, worker thread and requests, layout registry, helpers.
list(APPEND VRX_CORE_SOURCES shell/layout_core.cpp shell/status_text.cpp)
list(APPEND VRX_WIN32_SOURCES
  shell/helpers.cpp shell/interactive_create.cpp shell/layout.cpp shell/main_window.cpp
  shell/startup.cpp shell/worker.cpp)
list(APPEND VRX_PROGRAM_SOURCES shell/entry.cpp)
