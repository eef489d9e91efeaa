// image/clipboard.h - pictures between the clipboard and image windows: copy as a packed DIB, paste from
// CF_DIB or CF_BITMAP.
//
// Thread: the worker thread, but get_clipboard_bitmap and bitmap_size, which the main window's paste uses
// on the main thread too.

#pragma once

#include <windows.h>

// A new bitmap of the clipboard's picture (CF_DIB checked, or CF_BITMAP), owned by the caller; count gets
// its colour entries (table has room for 256)
HBITMAP get_clipboard_bitmap(HWND owner, RGBQUAD *table, int *count);
// The size of a bitmap
SIZE bitmap_size(HBITMAP bitmap);
// Copies bitmap into the current image at (0, 0) and deletes it
void paste_bitmap_into_current(HBITMAP bitmap);
// Pastes the clipboard's picture into image n at (x, y); at -1 the person clicks the place
void paste_clipboard_image(int n, int x, int y);
// Copies image n to the clipboard as a packed DIB; 0, or 1 when it could not
int copy_image_to_clipboard(int n);
