// tests/windows/worker_dialog.h - finds a common dialog that the worker thread has opened, from another
// thread of the test, so that the test can fill it in or close it.
#pragma once

#include "tests/windows/toolkit.h"

#include <windows.h>

#include <string>

// The first visible dialog window of the worker thread, waiting up to ms for it; nullptr when none came
inline HWND find_worker_dialog(int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        HWND found = nullptr;
        EnumThreadWindows(vrx_worker_id, [](HWND w, LPARAM lp) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (std::wstring(cls) == L"#32770" && IsWindowVisible(w)) { *(HWND *)lp = w; return FALSE; }
            return TRUE;
        }, (LPARAM)&found);
        if (found) return found;
        Sleep(10);
    }
    return nullptr;
}
