// tests/windows/harness.h - runs the toolkit inside the test program: start-up, pumping the main
// thread, running code as the user routine on the worker thread, and Exit.
#pragma once

#include <windows.h>

#include <functional>

// Starts the toolkit in this process (main window, worker thread); the start-up status
int harness_start(void);
// Dispatches the main thread's messages for about ms milliseconds
void harness_pump(int ms);
// Pumps until done() is true or ms pass; true when done() became true
bool harness_pump_until(const std::function<bool()> &done, int ms);
// Runs body as the user routine on the worker thread (as Start would) and waits until it returns;
// false when it did not return within ms
bool harness_run_on_worker(const std::function<void()> &body, int ms = 20000);
// Chooses Exit and runs the message loop to its end, then the shutdown; true when the loop ended
bool harness_exit(void);
// Sets or clears the Ctrl key in this thread's key state, as GetKeyState reads it
void harness_hold_ctrl(bool down);
// The routine Start runs in this test program (empty unless a test sets it)
extern std::function<void()> harness_user_routine;
