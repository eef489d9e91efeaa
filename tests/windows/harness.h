// tests/windows/harness.h - the toolkit hosted inside the test program, started once per process and
// reset between cases, with one reader each for the status line and dialogs (captions and the wait on a
// condition are in tests/support/win32.h), the ways a person gives input (clicks, typed lines, drops, the
// clipboard) and one DIB builder for clipboard pictures. What one test file alone uses (the menu reader,
// the clicks a point tool waits for, Ctrl+key on the worker) lives in that file.
//
// Thread: the test's main thread is the toolkit's main thread; "on the worker" means as the user routine.
#pragma once

#include "tests/support/win32.h"
#include "tests/windows/toolkit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Starts the toolkit at the first call, then closes every window, box and log and puts the drawing
// state, the current image and text window, the console, the dialogs and the clipboard back as start-up
// left them; false when the toolkit cannot start or the worker does not answer
bool harness_reset(void);
// Every test of a suite starts from harness_reset
struct Toolkit : testing::Test {
    void SetUp() override { ASSERT_TRUE(harness_reset()); }
};
// The exit code Exit ended the process with after terminating the worker; -1 while it has not
extern int harness_end_code;
// Chooses Exit and runs the message loop to its end; true when the loop saw its quit message
bool harness_exit(void);
// Pumps the main thread's messages until done() holds or ms pass; true when it held
bool harness_pump_until(const std::function<bool()> &done, int ms = 5000);
// Runs body as the user routine on the worker (as Start does) and pumps until it returned
bool harness_run_on_worker(const std::function<void()> &body, int ms = 20000);
// Makes body the user routine and, with start, chooses Start without waiting for the routine
void harness_start_routine(std::function<void()> body, bool start = true);
// Posts command id to window w from the worker and waits until it has returned; every dialog it opens
// is passed to fill (may be null), its "caption: message" recorded into *seen, then closed with IDOK
// when fill returns true, else with IDCANCEL
bool harness_command(HWND w, int id, std::function<bool(HWND)> fill = nullptr, std::vector<std::wstring> *seen = nullptr);
// Sets or clears Ctrl in the calling thread's key state, as GetKeyState reads it
void harness_hold_ctrl(bool down);

// The main window's status line without its centring spaces
std::string status_text(void);
// The number of top-level windows of class cls in this process
int harness_window_count(const wchar_t *cls);
// Pixel (x, y) of image n as stored (8-bit: the index); 0xDEADBEEF outside or when n is not open
uint32_t image_pixel(int n, int x, int y);
// The colour image n shows at (x, y): 32-bit pixels without their top byte, 8-bit through the table
uint32_t image_colour(int n, int x, int y);
// A file's bytes ("" when it cannot be read)
std::string file_bytes(const std::string &path);

// The first visible dialog (class #32770) of thread tid, waiting up to ms for it; null when none came
HWND find_dialog(DWORD tid, int ms = 10000);
// "caption: message" of a dialog (the message of a message box, empty for others)
std::wstring dialog_text(HWND d);
// Types path into the file name field of a file dialog; true
bool type_file_name(HWND d, const std::wstring &path);

// Posts a pointer move and a left click (right: a right click) at client (x, y) of w
void post_click(HWND w, int x, int y, bool right = false);
// Types each answer and Enter, from a new thread, into the window of the next line input that begins
std::thread harness_answer_prompts(std::vector<std::wstring> answers);
// A DROPFILES block naming files, as the shell hands it to a window (the receiver frees it)
HDROP harness_drop_of(const std::vector<std::wstring> &files);

// The path of a file of tests/data/bad/ (on drive Z: under Wine)
std::wstring data_file(const char *name);

// The 3 x 2 picture of the clipboard tests, top row first: two colours, so that every depth holds it
extern const uint32_t kPicture[2][3];
// A packed DIB of kPicture as a header describes it, good or malformed
struct DibSpec {
    unsigned bits = 24, compression = 0;   // 1, 4, 8, 24 or 32; BI_RGB 0, BI_RLE8 1, BI_JPEG 4
    int width = 3, height = 2;
    unsigned used = 0;                     // biClrUsed
    long long cut = 0;                     // bytes taken off the end
    bool top_down = false;
};
// Puts the packed DIB of d on the clipboard as CF_DIB
void put_picture(const DibSpec &d = {});
