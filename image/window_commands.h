// image/window_commands.h - the image window's own commands: Load, Save as, Cut, Copy, Paste, the zoom
// items, Zoom..., Resize..., Destroy and Clipping.
//
// Thread: the worker thread (inside the image window procedure).
// Each is a handler of the image window's command table (image/image_menus.cpp): it gets the image the
// table picked, the window and the command's own argument, and returns true when the table's repaint
// should follow. After a dialog or a prompt a handler goes on only while w still shows image n.

#pragma once

#include <windows.h>

// Load image file: the dialog, then the file into image n, which stays current
bool load_command(int n, HWND w, int);
// Save as: the dialog, whose filter chooses the format (JPEG at quality 100); a failed save is reported
bool save_command(int n, HWND w, int);
// Destroy: closes the image
bool destroy_command(int n, HWND w, int);
// Zoom: 50%, Zoom:100%, Zoom:200%: shows the image at zoom
bool zoom_command(int n, HWND w, int zoom);
// Zoom...: the zoom typed in the console
bool zoom_prompt_command(int n, HWND w, int);
// Resize...: the new raster size typed in the console
bool resize_prompt_command(int n, HWND w, int);
// Copy: the image onto the clipboard
bool copy_command(int n, HWND w, int);
// Cut: the copy, then the raster cleared once the copy is on the clipboard
bool cut_command(int n, HWND w, int);
// Paste: the clipboard's picture at a clicked point (at_click 1) or at the top-left corner (0)
bool paste_command(int n, HWND w, int at_click);
// Clipping: a dragged rectangle copied into a new window in the lowest free slot
bool clipping_command(int n, HWND w, int);
