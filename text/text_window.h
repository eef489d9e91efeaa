// text/text_window.h - the 256 text window slots.

#pragma once

#include <windows.h>

#define VRX_MAX_TEXT_WINDOWS 256

// One text window slot
struct TextWindowRecord {
    int in_use;     // 1 while the slot holds an open text window
    HWND window;
};

extern TextWindowRecord vrx_text_windows[VRX_MAX_TEXT_WINDOWS];
extern int vrx_current_text_window;   // the text window that printing and line input act on

// Empties the text window table and the last console line
void clear_text_tables(void);
// Window procedure of class vrx_twi
LRESULT CALLBACK text_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
