// text/text_window.cpp - text windows: the slot table, opening, closing and selecting, painting from
// the backing bitmap, resizing, the window's keys, pop-up menu and commands.
//
// Thread: the worker thread.

#include "text/text_window.h"

#include "base/command_ids.h"
#include "base/menus.h"
#include "base/process.h"
#include "base/window_snap.h"
#include "text/console.h"
#include "text/log_file.h"
#include "text/report_command.h"
#include "vrxlib.h"

#include <windowsx.h>

#include <cstdio>

TextWindowRecord vrx_text_windows[VRX_MAX_TEXT_WINDOWS];
int vrx_current_text_window;

//----------------------------------------------------------------------------------
// Table
//----------------------------------------------------------------------------------

// Empties the text window table, the console's last line and the log states; reads the log folder
void text_startup(void) {
    for (TextWindowRecord &r : vrx_text_windows) r = TextWindowRecord{};
    vrx_current_text_window = 0;
    clear_console_input();
    logs_startup();
}

// The lowest text window number whose slot is free, -1 when all 256 are open
int lowest_free_text_window(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++)
        if (!vrx_text_windows[n].in_use) return n;
    return -1;
}

// True when n names an open slot
bool text_window_open(int n) { return n >= 0 && n < VRX_MAX_TEXT_WINDOWS && vrx_text_windows[n].in_use; }

// Number of the open slot showing window w, -1 if none
int find_text_window(HWND w) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++)
        if (vrx_text_windows[n].in_use && vrx_text_windows[n].window == w) return n;
    return -1;
}

// GDI colour of a 0x00RRGGBB value
static COLORREF to_colorref(unsigned int c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// Applies the record's colours to its memory DC
void apply_text_colors(TextWindowRecord *r) {
    SetTextColor(r->memory_dc, to_colorref(r->text_color));
    SetBkColor(r->memory_dc, to_colorref(r->back_color));
    SetBkMode(r->memory_dc, OPAQUE);
}

// Gets the window DC and a memory DC with a new width x height backing bitmap, brush and font
static bool create_backing(TextWindowRecord *r) {
    r->window_dc = GetDC(r->window);
    r->memory_dc = CreateCompatibleDC(r->window_dc);
    r->bitmap = CreateCompatibleBitmap(r->window_dc, r->width > 0 ? r->width : 1, r->height > 0 ? r->height : 1);
    if (!r->memory_dc || !r->bitmap) return false;
    SelectObject(r->memory_dc, GetStockObject(BLACK_BRUSH));
    SelectObject(r->memory_dc, GetStockObject(OEM_FIXED_FONT));
    r->previous_bitmap = SelectObject(r->memory_dc, r->bitmap);
    return true;
}

// Puts the original bitmap back and releases the memory DC, the bitmap and the window DC
static void release_backing(TextWindowRecord *r) {
    if (r->memory_dc) {
        if (r->previous_bitmap) SelectObject(r->memory_dc, r->previous_bitmap);
        DeleteDC(r->memory_dc);
    }
    if (r->bitmap) DeleteObject(r->bitmap);
    if (r->window_dc) ReleaseDC(r->window, r->window_dc);
    r->memory_dc = nullptr;
    r->window_dc = nullptr;
    r->bitmap = nullptr;
    r->previous_bitmap = nullptr;
}

//----------------------------------------------------------------------------------
// Opening, closing, selecting
//----------------------------------------------------------------------------------

// Opens text window n; 0 created, 1 already open (brought forward and made current)
int VRX_OpenTextWindow(int n, int x, int y, int width, int height) {
    if (n < 0 || n >= VRX_MAX_TEXT_WINDOWS) return 1;
    TextWindowRecord *r = &vrx_text_windows[n];
    if (r->in_use) {
        vrx_current_text_window = n;
        SetForegroundWindow(r->window);
        return 1;
    }
    if (width < 0) width = 400;
    if (height < 0) height = 300;
    *r = TextWindowRecord{};
    r->width = width;
    r->height = height;
    vrx_current_text_window = n;
    r->text_color = 0xFFFFFF;
    r->back_color = 0;

    wchar_t title[256];
    _snwprintf(title, 256, L"TextWindow %d", n);
    title[255] = 0;
    DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    RECT outer = {0, 0, width, height};
    AdjustWindowRect(&outer, style, FALSE);
    bool system_place = x < 0 || y < 0;
    r->window = CreateWindowExW(0, L"vrx_twi", title, style, system_place ? CW_USEDEFAULT : x,
                                system_place ? CW_USEDEFAULT : y, outer.right - outer.left,
                                outer.bottom - outer.top, vrx_main_window, nullptr, vrx_instance, nullptr);
    if (!r->window) return 2;
    if (!create_backing(r)) {
        release_backing(r);
        DestroyWindow(r->window);
        r->window = nullptr;
        return 2;
    }
    r->cursor_x = r->cursor_y = 0;
    apply_text_colors(r);
    TEXTMETRICW tm;
    GetTextMetricsW(r->memory_dc, &tm);
    r->cell_width = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    r->cell_height = tm.tmHeight > 0 ? tm.tmHeight : 12;
    for (int i = 0; i < 8; i++) {
        r->text_color_stack[i] = r->text_color;
        r->back_color_stack[i] = r->back_color;
    }
    r->in_use = 1;
    snap_register(r->window, SNAP_RANK_TEXT(n));
    rebuild_layout();
    UpdateWindow(r->window);
    SetForegroundWindow(r->window);
    return 0;
}

// Brings the current text window forward, or opens text window 0 centred on the screen
void VRX_ShowConsole(void) {
    if (text_window_open(vrx_current_text_window)) {
        SetForegroundWindow(vrx_text_windows[vrx_current_text_window].window);
        return;
    }
    VRX_OpenTextWindow(0, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 200, GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 150,
                       400, 300);
}

// Closes text window n; 1 when it is not open
// NOTE: a line input waiting in this window ends without a line; the log file stays as it is.
int VRX_CloseTextWindow(int n) {
    if (!text_window_open(n)) return 1;
    TextWindowRecord *r = &vrx_text_windows[n];
    r->in_use = 0;
    if (vrx_current_text_window == n) {
        for (int i = 0; i < VRX_MAX_TEXT_WINDOWS; i++) {
            if (vrx_text_windows[i].in_use) {
                vrx_current_text_window = i;
                break;
            }
        }
    }
    int owner = n + 1;
    vrx_input_owner.compare_exchange_strong(owner, 0, std::memory_order_acq_rel);
    release_backing(r);
    HWND w = r->window;
    r->window = nullptr;
    snap_unregister(w);
    DestroyWindow(w);
    rebuild_layout();
    return 0;
}

// Makes text window n current; 1 when it is not open
int VRX_SelectTextWindow(int n) {
    if (!text_window_open(n)) return 1;
    vrx_current_text_window = n;
    return 0;
}

//----------------------------------------------------------------------------------
// Drawing helpers
//----------------------------------------------------------------------------------

// Scrolls text window n by a row when its cursor row touches the bottom; 1 if it scrolled
int scroll_text_window(int n) {
    if (!text_window_open(n)) return 0;
    TextWindowRecord *r = &vrx_text_windows[n];
    if (r->cursor_y + r->cell_height < r->height) return 0;
    BitBlt(r->memory_dc, 0, 0, r->width, r->cursor_y - r->cell_height, r->memory_dc, 0, r->cell_height, SRCCOPY);
    r->cursor_y -= r->cell_height;
    RECT band = {0, r->cursor_y, r->width, r->height};
    FillRect(r->memory_dc, &band, (HBRUSH)GetStockObject(BLACK_BRUSH));
    return 1;
}

// Draws one UTF-16 unit at (x, y) in dc and invalidates cells cells of the current text window there
void draw_text_cells(wchar_t character, HDC dc, int x, int y, int cells) {
    TextOutW(dc, x, y, &character, 1);
    if (!text_window_open(vrx_current_text_window)) return;
    TextWindowRecord *r = &vrx_text_windows[vrx_current_text_window];
    RECT cell = {x, y, x + cells * r->cell_width, y + r->cell_height};
    InvalidateRect(r->window, &cell, FALSE);
}

//----------------------------------------------------------------------------------
// Window procedure
//----------------------------------------------------------------------------------

// Copies the invalid rectangle from the backing bitmap
static void on_paint(HWND w) {
    int n = find_text_window(w);
    if (n < 0) {
        ValidateRect(w, nullptr);
        return;
    }
    TextWindowRecord *r = &vrx_text_windows[n];
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, r->memory_dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    EndPaint(w, &ps);
}

// New client size: a new black backing bitmap, output restarts at the top left
static void on_size(HWND w, UINT, int cx, int cy) {
    int n = find_text_window(w);
    if (n < 0) return;
    TextWindowRecord *r = &vrx_text_windows[n];
    r->width = cx;
    r->height = cy;
    release_backing(r);
    create_backing(r);
    RECT all = {0, 0, cx, cy};
    if (r->memory_dc) FillRect(r->memory_dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    r->cursor_x = r->cursor_y = 0;
    if (r->memory_dc) apply_text_colors(r);
    rebuild_layout();
    InvalidateRect(w, nullptr, FALSE);
}

// Moved: the layout registry follows
static void on_move(HWND, int, int) { rebuild_layout(); }

// Close box: closes this window's slot
static void on_close(HWND w) {
    int n = find_text_window(w);
    if (n >= 0) VRX_CloseTextWindow(n);
    else DestroyWindow(w);
}

// Typed character: goes to a waiting line input
static void on_char(HWND, TCHAR ch, int) { console_feed_char((wchar_t)ch); }

//----------------------------------------------------------------------------------
// Commands: one table builds the pop-up menu, the Ctrl shortcuts and the dispatch
//----------------------------------------------------------------------------------

// The check mark of a menu item for window n (0 none, MFS_CHECKED)
typedef int (*CommandCheck)(int n);
static int check_current(int n) { return n == vrx_current_text_window ? MFS_CHECKED : 0; }
static int check_logging(int n) { return log_state(n) == 1 ? MFS_CHECKED : 0; }
static int check_stopped(int n) { return log_state(n) == 2 ? MFS_CHECKED : 0; }

// About: the banner line in green on grey
static void show_about(int n) {
    vrx_current_text_window = n;
    VRX_PushTextColor(0x50FF50, 0x505050);
    VRX_Printf("VRXLIB - quarvex image workbench toolkit (qx)\n");
    VRX_PopTextColor();
}

static void select_window(int n) { vrx_current_text_window = n; }
static void window_info(int n) { vrx_current_text_window = n; text_window_info(n); }
static void run_command(int) { VRX_RunCommand(); }
static void start_log(int n) { VRX_StartLog(n); }
static void stop_log(int n) { VRX_StopLog(n); }
static void copy_log(int n) { VRX_CopyLog(n); }
static void destroy_window(int n) { VRX_CloseTextWindow(n); }

// One command of a text window: id, menu text (%d: the window's number), Ctrl shortcut, check, handler
struct TextCommand {
    int id;
    const char *text;
    char shortcut;
    CommandCheck check;
    void (*run)(int n);
};

// The pop-up menu's items top to bottom; id 0 is a separator
static const TextCommand text_commands[] = {
    {IDM_TW_SELECT, "&Select\tCtrl+S", 'S', check_current, select_window},
    {IDM_WINDOWINFO, "&Window Info.\tCtrl+W", 'W', nullptr, window_info},
    {IDM_TW_COMMAND, "Command", 0, nullptr, run_command},
    {0, nullptr, 0, nullptr, nullptr},
    {IDM_TW_STARTLOG, "Start Log", 0, check_logging, start_log},
    {IDM_TW_STOPLOG, "Stop Log", 0, check_stopped, stop_log},
    {IDM_TW_COPYLOG, "&Copy VRXLIB%d.LOG\tCtrl+C", 'C', nullptr, copy_log},
    {0, nullptr, 0, nullptr, nullptr},
    {IDM_TW_ABOUT, "&About VRXLIB\tCtrl+A", 'A', nullptr, show_about},
    {0, nullptr, 0, nullptr, nullptr},
    {IDM_TW_DESTROY, "&Destroy\tCtrl+Q", 'Q', nullptr, destroy_window},
};

// Keys: line input keys while one waits, else shortcuts and keys forwarded to the main window
static void on_key_down(HWND w, UINT vk, BOOL, int, UINT) {
    if (vrx_input_owner.load(std::memory_order_acquire) != 0) {
        console_key_down(vk);
        return;
    }
    if (ctrl_held()) {
        for (const TextCommand &c : text_commands)
            if (c.id && c.shortcut == (char)vk) PostMessageW(w, WM_COMMAND, (WPARAM)c.id, 0);
        return;
    }
    if (vk == VK_ESCAPE || vk == 'X' || vk == 'S' || vk == 'C') PostMessageW(vrx_main_window, WM_KEYDOWN, vk, 0);
    else if (vk == VK_SPACE) VRX_Printf("caputure\n");
}

// Right click: the pop-up menu, unless a line input or a point tool waits
static void on_right_button(HWND w, BOOL, int, int, UINT) {
    if (vrx_input_owner.load(std::memory_order_acquire) != 0 || vrx_waiting.load(std::memory_order_acquire) != 0)
        return;
    int n = find_text_window(w);
    if (n < 0) return;
    HMENU menu = CreatePopupMenu();
    int position = 0;
    for (const TextCommand &c : text_commands) {
        if (!c.id) {
            add_menu_separator(menu, position++);
            continue;
        }
        char text[64];
        snprintf(text, sizeof text, c.text, n);
        add_menu_item(menu, position++, c.check ? c.check(n) : MENU_ENABLED, c.id, text);
    }
    track_menu_at_cursor(menu, w);
}

// Commands of the menu and the shortcuts, for this window's slot
static void on_command(HWND w, int id, HWND, UINT) {
    int n = find_text_window(w);
    if (n < 0) return;
    for (const TextCommand &c : text_commands)
        if (c.id && c.id == (id & 0xFFFF)) c.run(n);
}

// Window procedure of class vrx_twi
LRESULT CALLBACK text_window_proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return 0;
    case WM_DESTROY: return 0;
    HANDLE_MSG(w, WM_MOVE, on_move);
    case WM_MOVING: snap_window_rect(w, (RECT *)lParam); return TRUE;
    HANDLE_MSG(w, WM_SIZE, on_size);
    case WM_PAINT: on_paint(w); return 0;
    HANDLE_MSG(w, WM_CLOSE, on_close);
    HANDLE_MSG(w, WM_CHAR, on_char);
    HANDLE_MSG(w, WM_KEYDOWN, on_key_down);
    HANDLE_MSG(w, WM_RBUTTONDOWN, on_right_button);
    HANDLE_MSG(w, WM_COMMAND, on_command);
    default: return DefWindowProcW(w, msg, wParam, lParam);
    }
}
