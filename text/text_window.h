// text/text_window.h - the 256 text window slots and the calls the text modules share.
//
// Thread: the worker thread owns the text windows; the main thread reads in_use to find a free number
// and prints and reads its prompts in them (text/console.h).

#pragma once

#include <windows.h>

#define VRX_MAX_TEXT_WINDOWS 256

// One text window slot
struct TextWindowRecord {
    int in_use;                        // 1 while the slot holds an open text window
    int width, height;                 // client size, also the backing bitmap's
    int cursor_x, cursor_y;            // where the next character goes (top of the row)
    int cell_width, cell_height;       // one character cell of the OEM fixed font
    unsigned int text_color;           // 0x00RRGGBB
    unsigned int back_color;           // 0x00RRGGBB behind drawn characters
    unsigned int text_color_stack[8];  // entry 0 the most recent
    unsigned int back_color_stack[8];
    HWND window;
    HDC memory_dc;                     // holds the backing bitmap, black brush and OEM fixed font
    HDC window_dc;                     // the window's own DC, kept while it is open
    HBITMAP bitmap;
    HGDIOBJ previous_bitmap;           // what memory_dc held before the bitmap
};

extern TextWindowRecord vrx_text_windows[VRX_MAX_TEXT_WINDOWS];
extern int vrx_current_text_window;   // the text window that printing and line input act on

//----------------------------------------------------------------------------------
// Text windows (text/text_window.cpp)
//----------------------------------------------------------------------------------

// Empties the text window table, the console's last line and the log states; reads the log folder
void text_startup(void);
// Window procedure of class vrx_twi
LRESULT CALLBACK text_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Number of the open slot showing window w, -1 if none
int find_text_window(HWND w);
// True when n names an open slot
bool text_window_open(int n);
// The lowest text window number whose slot is free, -1 when all 256 are open
int lowest_free_text_window(void);
// Scrolls text window n by a row when its cursor row touches the bottom; 1 if it scrolled
int scroll_text_window(int n);
// Draws one UTF-16 unit at (x, y) in dc and invalidates cells cells of the current text window there
void draw_text_cells(wchar_t character, HDC dc, int x, int y, int cells);
// Applies the record's colours to its memory DC
void apply_text_colors(TextWindowRecord *r);
