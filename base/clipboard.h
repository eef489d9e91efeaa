// base/clipboard.h - handing blocks to the clipboard: opened with an owner, filled only once the block is
// ready, the block freed when the clipboard does not take it.
//
// Thread: any (the owner window's thread).

#pragma once

#include <windows.h>

#include <string>

// Opens the clipboard for owner, trying again for about 200 ms while another program holds it
bool open_clipboard(HWND owner);
// Empties the clipboard and gives it block in format; 0 done, 1 the clipboard could not be opened,
// 3 it refused the block. The block is freed whenever the clipboard did not take it.
int hand_block_to_clipboard(HWND owner, UINT format, HGLOBAL block);
// Puts text on the clipboard as ANSI text (CF_TEXT); 0 done, 1 not opened, 2 no memory, 3 refused
int put_text_on_clipboard(HWND owner, const std::string &text);
