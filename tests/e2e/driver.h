// tests/e2e/driver.h - starts the real programs and drives them from outside, as a person would.
#pragma once

#include <windows.h>

#include <string>

// A started program: its process and the main window once it has dropped into place
struct Program {
    PROCESS_INFORMATION process = {};
    HWND main_window = nullptr;
};

// Starts quarvex.exe or quarvex-swap.exe from the folder of this test program; waits for the main window
bool start_program(Program *p, const wchar_t *exe_name, int wait_ms = 10000);
// Waits for the program to end; its exit code, or -1 when it did not end within ms
int wait_exit(Program *p, int ms);
// Ends the program if it still runs and releases its handles
void stop_program(Program *p);
// The UTF-16 text of a window
std::wstring window_text(HWND w);
// The status line text without its centring spaces
std::wstring status_line(HWND main_window);
// Sleeps while pumping this process's messages
void pause_ms(int ms);
// Presses keys through the system's input queue; vks are held down in order, then released
void press_keys(HWND target, std::initializer_list<WORD> vks);
// Types text through the system's input queue as a person would, one character after the other
// ('\r' is Enter), into the window target brought to the foreground
void type_text(HWND target, const wchar_t *text);
// The top-level window of process pid with class and title (title may be null); null when it has none
HWND find_window(DWORD pid, const wchar_t *cls, const wchar_t *title);
// Waits up to ms for a top-level window of the program with class and title (title may be null)
HWND wait_window(const Program &p, const wchar_t *cls, const wchar_t *title, int ms);
// The log file of text window n, in the folder the programs start from (this program's folder)
std::wstring log_path(int n);
// The text of log n, its CRLF line ends read back as "\n"; empty when there is none
std::string read_log(int n);
// Waits up to ms until log n holds text
bool log_holds(int n, const std::string &text, int ms = 5000);
// Waits until the status line shows "Input text", then posts text and Enter to text window 0 of the
// same program and waits for the line to be taken; false when no line input came
bool answer_prompt(HWND main_window, const wchar_t *text);
// Pixel (x, y) of the clipboard's 24-bit CF_DIB (an image window's Copy) as 0x00RRGGBB, or 0xFFFFFFFF
// when there is none; the picture's width into *width
unsigned clipboard_pixel(int x, int y, int *width = nullptr);
// The colour of pixel (x, y) of an image file as 0x00RRGGBB (0 when it cannot be read); its size into *w, *h
unsigned file_pixel(const wchar_t *path, int x, int y, UINT *w, UINT *h);
