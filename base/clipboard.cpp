// base/clipboard.cpp - handing blocks to the clipboard.
//
// Thread: any (the owner window's thread).
// NOTE: a block is built before the clipboard is opened and emptied, so a failure on the way leaves the
//       clipboard's old contents; the clipboard is never held open across a message box.

#include "base/clipboard.h"

#include <cstring>

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

// Empties the clipboard and gives it block in format
int hand_block_to_clipboard(HWND owner, UINT format, HGLOBAL block) {
    if (!open_clipboard(owner)) {
        GlobalFree(block);
        return 1;
    }
    EmptyClipboard();
    int status = 0;
    if (!SetClipboardData(format, block)) {
        GlobalFree(block);
        status = 3;
    }
    CloseClipboard();
    return status;
}

// Puts text on the clipboard as ANSI text
int put_text_on_clipboard(HWND owner, const std::string &text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    char *bytes = block ? (char *)GlobalLock(block) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        return 2;
    }
    memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return hand_block_to_clipboard(owner, CF_TEXT, block);
}
