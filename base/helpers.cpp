// base/helpers.cpp - small helpers every module uses: the millisecond clock, narrow window texts,
// the status line, menu items by position, and VRX_Pause.
//
// NOTE: the toolkit's narrow strings are in the ANSI code page (932 for the program's own Japanese
//       texts); every call into the window system converts through fixed 256-unit buffers.

#include "host/host.h"
#include "base/status_field.h"
#include "vrxlib.h"

#include <cstdio>

//----------------------------------------------------------------------------------
// Clock
//----------------------------------------------------------------------------------

// Milliseconds from the performance counter, as a signed 32-bit value
int get_milliseconds(void) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (int)(long long)((double)now.QuadPart * vrx_ms_per_tick);
}

//----------------------------------------------------------------------------------
// Text conversion
//----------------------------------------------------------------------------------

// Converts ANSI text to UTF-16 into dst (count units, terminated); returns dst
wchar_t *narrow_to_wide(const char *text, wchar_t *dst, int count) {
    if (count <= 0) return dst;
    dst[0] = 0;
    if (!text) return dst;
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, dst, count);
    if (n == 0) {
        // Too long for dst: convert what fits and cut there.
        int len = (int)strnlen(text, (size_t)count - 1);
        n = MultiByteToWideChar(CP_ACP, 0, text, len, dst, count - 1);
        dst[n > 0 ? n : 0] = 0;
    }
    dst[count - 1] = 0;
    return dst;
}

// Converts UTF-16 text to ANSI into dst (count bytes, terminated); returns dst
char *wide_to_narrow(const wchar_t *text, char *dst, int count) {
    if (count <= 0) return dst;
    dst[0] = 0;
    if (!text) return dst;
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, dst, count, nullptr, nullptr);
    if (n == 0) {
        // Too long for dst: convert whole characters while they fit.
        int len = (int)wcslen(text);
        while (len > 0 && (n = WideCharToMultiByte(CP_ACP, 0, text, len, dst, count - 1, nullptr, nullptr)) == 0)
            len--;
        dst[n > 0 ? n : 0] = 0;
    }
    dst[count - 1] = 0;
    return dst;
}

// Reads at most max UTF-16 units of a window's text into dst as ANSI text of at most max bytes
void get_window_text_narrow(HWND w, char *dst, int max) {
    if (!dst || max <= 0) return;
    wchar_t wide[256];
    int units = max < 256 ? max : 256;
    GetWindowTextW(w, wide, units);
    wide_to_narrow(wide, dst, max);
}

// Sets a window's text from ANSI text (at most 255 characters)
void set_window_text_narrow(HWND w, const char *text) {
    wchar_t wide[256];
    SetWindowTextW(w, narrow_to_wide(text, wide, 256));
}

//----------------------------------------------------------------------------------
// Status line
//----------------------------------------------------------------------------------

// Shows a narrow text on the status line, centred by leading spaces
void set_status_text(const char *text) {
    char field[VRX_STATUS_FIELD];
    format_status_field(text, field);
    wchar_t wide[VRX_STATUS_FIELD];
    SetWindowTextW(vrx_status_window, narrow_to_wide(field, wide, VRX_STATUS_FIELD));
}

// Puts "%d-bit color" back on the status line
void restore_status_text(void) {
    char text[16];
    snprintf(text, sizeof text, "%d-bit color", vrx_color_bits);
    set_status_text(text);
}

//----------------------------------------------------------------------------------
// Menus
//----------------------------------------------------------------------------------

// Inserts a string item by position with a state (0 enabled, 3 greyed) and an identifier
void add_menu_item(HMENU menu, int position, int state, int id, const char *text) {
    wchar_t wide[256];
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
    item.fType = MFT_STRING;
    item.fState = (UINT)state;
    item.wID = (UINT)id;
    item.dwTypeData = narrow_to_wide(text, wide, 256);
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// Inserts a separator by position
void add_menu_separator(HMENU menu, int position) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// Inserts an item opening submenu by position
void add_submenu(HMENU menu, HMENU submenu, int position, const char *text) {
    wchar_t wide[256];
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE | MIIM_SUBMENU;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu;
    item.dwTypeData = narrow_to_wide(text, wide, 256);
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// True while the Ctrl key is held down
bool ctrl_held(void) { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// Opens the clipboard for owner, trying again for about 200 ms while another program holds it
// NOTE: a program (or the system's clipboard manager) opens the clipboard for a moment after every
//       change, so a paste or copy right after one can find it taken.
bool open_clipboard(HWND owner) {
    for (int tries = 0; tries < 20; tries++) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

//----------------------------------------------------------------------------------
// Calls for user routines
//----------------------------------------------------------------------------------

// Shows text in a message box titled "Pause" and waits for OK; blocks only the calling thread
void VRX_Pause(const char *text) {
    wchar_t wide[256];
    MessageBoxW(nullptr, narrow_to_wide(text, wide, 256), L"Pause", MB_OK);
}
