# host/sources.cmake - start-up and shutdown, main window, worker thread and requests, creation prompts,
# the main window's paste and drop, the window report's snapshot.
list(APPEND VRX_WIN32_SOURCES host/interactive_create.cpp host/main_window.cpp host/main_transfer.cpp host/startup.cpp host/worker.cpp
     host/window_snapshot.cpp)
list(APPEND VRX_PROGRAM_SOURCES host/entry.cpp)
