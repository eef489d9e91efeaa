// image/image_transfer.h - pictures entering the toolkit from outside: the clipboard and dropped files.

#pragma once

#include <windows.h>
#include <shellapi.h>

// Main thread: the clipboard's picture into the first free image window
void main_window_paste(void);
// Main thread: each dropped image file into the next free image window
void main_window_drop(HDROP drop);
// Worker thread: copies bitmap into the current image at (0, 0) and deletes it
void paste_bitmap_into_current(HBITMAP bitmap);
