// tests/windows/boxes_menu.h - reading and answering the pop-up menu that a box tracks on the worker
// thread, from the test's main thread.
#pragma once

#include "tests/windows/harness.h"

#include <windows.h>

#include <string>

// The pop-up menu the worker thread tracks, once it shows; its first item's text and identifier
// NOTE: the menu is read through its window (class #32768) and MN_GETHMENU, from the main thread.
inline bool shown_menu(std::wstring *text, UINT *id) {
    HWND m = nullptr;
    if (!harness_pump_until([&] { return (m = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(m); }, 5000))
        return false;
    HMENU menu = (HMENU)SendMessageW(m, MN_GETHMENU, 0, 0);
    wchar_t t[64] = {};
    GetMenuStringW(menu, 0, t, 64, MF_BYPOSITION);
    *text = t;
    *id = GetMenuItemID(menu, 0);
    return true;
}

// Chooses the highlighted-next item of the tracked menu (Down, Enter) or dismisses it (Escape)
inline void answer_menu(bool choose) {
    HWND m = FindWindowW(L"#32768", nullptr);
    if (choose) {
        PostMessageW(m, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(m, WM_KEYDOWN, VK_RETURN, 0);
    } else {
        PostMessageW(m, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    harness_pump_until([] { return FindWindowW(L"#32768", nullptr) == nullptr ||
                                   !IsWindowVisible(FindWindowW(L"#32768", nullptr)); }, 5000);
    harness_pump(200);
}

