// tests/support/win32.h - what the in-process harness and the driver of the real programs both need: a
// wait on a condition, a window's text and a block put on the clipboard.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

// Waits on the calling thread, without pumping, until done() holds or ms pass; true when it held
inline bool until(const std::function<bool()> &done, int ms = 10000) {
    for (DWORD end = GetTickCount() + (DWORD)ms; !done(); Sleep(2))
        if ((int)(end - GetTickCount()) < 0) return done();
    return true;
}

// The caption of a window, or the text of a control
inline std::wstring window_text(HWND w) {
    wchar_t text[512] = L"";
    GetWindowTextW(w, text, 512);
    return text;
}

// Puts one block on the clipboard, alone
inline void put_clipboard(UINT format, const void *bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (OpenClipboard(nullptr)) EmptyClipboard(), SetClipboardData(format, block), CloseClipboard();
}
