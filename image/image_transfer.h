// image/image_transfer.h - pictures entering and leaving the toolkit: the clipboard and dropped files.

#pragma once

#include <windows.h>

// Main thread: the clipboard's picture into the first free image window
void main_window_paste(void);
// Main thread: each dropped image file into the next free image window
void main_window_drop(HDROP drop);
// Worker thread: copies bitmap into the current image at (0, 0) and deletes it
void paste_bitmap_into_current(HBITMAP bitmap);
// A new bitmap of the clipboard's picture (CF_DIB checked, or CF_BITMAP); count gets its colour entries
HBITMAP get_clipboard_bitmap(HWND owner, RGBQUAD *table, int *count);
// Pastes the clipboard's picture into image n at (x, y); at -1 the person clicks the place
void paste_clipboard_image(int n, int x, int y);
// Copies image n to the clipboard as a packed DIB; 0, or 1 when it could not
int copy_image_to_clipboard(int n);
