// tests/windows/harness.h - runs the toolkit inside the test program: start-up, pumping the main
// thread, running code as the user routine on the worker thread, and Exit.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>
#include <string>
#include <vector>

// Starts the toolkit in this process (main window, worker thread); the start-up status
// NOTE: Exit after a terminated worker ends the process at once; here it only records the exit code.
int harness_start(void);
// The exit code Exit ended the process with after terminating the worker; -1 while it has not
extern int harness_end_code;
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

// A DROPFILES block naming files, as the shell hands it to a window (the receiver frees it)
HDROP harness_drop_of(const std::vector<std::wstring> &files);
// How many top-level windows of class cls this process has
int harness_window_count(const wchar_t *cls);
// Waits on the calling thread, without pumping, up to ms for done(); true when it became true
bool harness_wait_for(const std::function<bool()> &done, int ms = 5000);
// Answers the console prompts of a main-window creation command in turn from a new thread: each
// answer and Enter typed into text window 0 once a line input waits
std::thread harness_answer_prompts(std::vector<std::wstring> answers);
