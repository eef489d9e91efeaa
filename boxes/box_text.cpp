// boxes/box_text.cpp - window texts read and written in full as ANSI text, and the boxes' one-item
// pop-up menus.
//
// NOTE: labels and captions may be longer than the 256-unit buffers of the shell's helpers; these
//       convert through buffers sized to the text, so nothing is cut.

#include "boxes/boxes.h"
#include "host/host.h"

#include <vector>

// The whole text of window w, converted to the ANSI code page (empty for no window)
std::string window_text_ansi(HWND w) {
    if (!w) return std::string();
    int units = GetWindowTextLengthW(w);
    if (units <= 0) return std::string();
    std::vector<wchar_t> wide((size_t)units + 1);
    units = GetWindowTextW(w, wide.data(), units + 1);
    if (units <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string narrow((size_t)bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

// Sets the text of window w from ANSI text of any length
void set_window_text_ansi(HWND w, const char *text) {
    if (!w) return;
    if (!text) text = "";
    int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        SetWindowTextW(w, L"");
        return;
    }
    std::vector<wchar_t> wide((size_t)units);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
    SetWindowTextW(w, wide.data());
}

// Shows a one-item pop-up menu at the cursor, owned by w; the choice arrives as WM_COMMAND
void track_single_item_menu(HWND w, int id, const char *text) {
    HMENU menu = CreatePopupMenu();
    add_menu_item(menu, 0, MENU_ENABLED, id, text);
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, w, nullptr);
    DestroyMenu(menu);
}
