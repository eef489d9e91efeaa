// tests/e2e/driver.h - starts the real programs in the test prefix and drives them from outside, as a
// person would: their windows found by process, keys through the system's input queue, and what they
// leave read back (status line, message boxes, the clipboard, files on drive C:, the console's log).
#pragma once

#include "base/command_ids.h"
#include "tests/support/win32.h"

#include <functional>
#include <initializer_list>
#include <string>

// A started program: its process and its main window once it has dropped into place
struct Program {
    PROCESS_INFORMATION process = {};
    HWND main_window = nullptr;
};

const unsigned RED = 0xFF0000, BLUE = 0x0000FF, WHITE = 0xFFFFFF;

// Starts exe (a path below this program's folder, which is also its current folder, where its logs
// go; an old VRXLIB0.LOG is removed first); true once the status line shows the colour depth
bool start_program(Program *p, const wchar_t *exe);
// Waits up to ms for the program to end; its exit code, or -1 when it still runs
int wait_exit(Program *p, int ms);
// Ends the program if it still runs and releases its handles
void stop_program(Program *p);
// Sleeps ms (bench/bench_driver.cpp)
inline void pause_ms(int ms) { Sleep((DWORD)ms); }

// The main window's status line without its centring spaces
std::wstring status_line(HWND main_window);
// Waits until the status line starts with text; true when it did
inline bool wait_status(const Program &p, const std::wstring &text) {
    return until([&] { return status_line(p.main_window).rfind(text, 0) == 0; });
}
// The first top-level window of process pid of class cls whose caption starts with title (null: any)
HWND find_window(DWORD pid, const wchar_t *cls, const wchar_t *title = nullptr);
// Waits for such a window of the program (a pop-up menu is "#32768"); null when none came within 10 s
HWND wait_window(const Program &p, const wchar_t *cls, const wchar_t *title = nullptr);
// Waits for the program's "Pause" message box and gives its text (empty: none); presses OK when ok
std::wstring pause_box(const Program &p, bool ok);

// Presses a chord through the input queue into target, made foreground first (null: where the keyboard
// is): keys down in order, up in reverse
void press(HWND target, std::initializer_list<WORD> keys);
// Types text character by character into target, made foreground first ('\r' is Enter)
void type_text(HWND target, const wchar_t *text);
// A posted left (or right) click at client point (x, y) of window w
void click(HWND w, int x, int y, bool right = false);

// A packed DIB of width x height: red left of column width / 2, blue from there; 24-bit, or 8-bit with
// a two-colour table
std::string pair_dib(int width, int height, int bits);
// Writes a packed DIB as a BMP file; true when written
bool write_bmp(const wchar_t *path, const std::string &dib);
// Ctrl+C in an image window, then pixel (x, y) of the 24- or 8-bit picture it copied, 0x00RRGGBB (~0u:
// none came)
unsigned copied_pixel(HWND image, int x, int y);
// Pixel (x, y) of an image file, 0x00RRGGBB; its size into *w, *h (0 when it cannot be read)
unsigned file_pixel(const wchar_t *path, int x, int y, UINT *w, UINT *h);
// Waits until the log of text window 0 (in this program's folder) holds text
bool log_holds(const std::string &text);
