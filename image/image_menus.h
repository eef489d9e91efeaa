// image/image_menus.h - the image window's commands: one table builds the context menu, the Process menu
// and the dispatch, with how each command picks its image and what it repaints.
//
// Thread: the worker thread (inside the image window procedure).

#pragma once

#include <windows.h>

// Builds the context menu (right click) of image window w, with a check mark at the zoom it shows
HMENU build_context_menu(HWND w);
// Builds the Process menu (Ctrl+right or middle click) of image n; "Information..." depends on its depth
HMENU build_process_menu(int n);
// Carries out a menu command or posted shortcut on image window w; ids without a command are ignored
void image_command(HWND w, int id);
