// base/status_line.h - the main window's status line: prompts and the colour depth shown there.
//
// Thread: any (the line is a control of the main thread; setting its text from the worker is a sent
// message, answered by the main thread's pump).

#pragma once

#include <windows.h>

extern HWND vrx_status_window;   // the status line control, made by the main window

// Shows a narrow text on the status line, centred by leading spaces
void set_status_text(const char *text);
// Puts "%d-bit color" back on the status line
void restore_status_text(void);
