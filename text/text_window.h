// text/text_window.h - the 256 text window slots and the calls the text modules share.

#pragma once

#include <windows.h>

#define VRX_MAX_TEXT_WINDOWS 256

#define IDM_TW_DESTROY  1006
#define IDM_TW_ABOUT    1020
#define IDM_TW_STARTLOG 1024
#define IDM_TW_STOPLOG  1025
#define IDM_TW_COMMAND  1029
#define IDM_TW_COPYLOG  1030
#define IDM_TW_SELECT   1069

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
// Text window (text/text_window.cpp)
//----------------------------------------------------------------------------------

// Empties the text window table and the last console line
void clear_text_tables(void);
// Window procedure of class vrx_twi
LRESULT CALLBACK text_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Number of the open slot showing window w, -1 if none
int find_text_window(HWND w);
// True when n names an open slot
bool text_window_open(int n);
// Scrolls text window n by a row when its cursor row touches the bottom; 1 if it scrolled
int scroll_text_window(int n);
// Draws one UTF-16 unit at (x, y) in dc and invalidates cells cells of the current text window there
void draw_text_cells(wchar_t character, HDC dc, int x, int y, int cells);
// Applies the record's colours to its memory DC
void apply_text_colors(TextWindowRecord *r);

//----------------------------------------------------------------------------------
// Console input (text/console_input.cpp)
//----------------------------------------------------------------------------------

// Empties the keyboard ring, the recall request and the last line
void clear_console_input(void);
// Character message of any text window: feeds a waiting line input
void console_feed_char(wchar_t unit);
// Key down of any text window while a line input waits: Up arrow recalls, Ctrl+V pastes
void console_key_down(UINT key);
// True when the last line input ended with Enter (not by Exit, a closed window or no window)
bool console_input_completed(void);

//----------------------------------------------------------------------------------
// Log files (text/log_file.cpp)
//----------------------------------------------------------------------------------

// Log state of window number n: 0 none, 1 logging, 2 stopped
int log_state(int n);
// Writes narrow text to n's log while it is logging
void log_write(int n, const char *text);
