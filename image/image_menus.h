// image/image_menus.h - the two pop-up menus of image windows and the commands behind them.

#pragma once

#include <windows.h>

// Builds the context menu (right click) of image window w
HMENU build_context_menu(HWND w);
// Builds the Process menu (Ctrl+right or middle click) of image n
HMENU build_process_menu(int n);
// Carries out a menu command or posted shortcut on image window w; unknown ids are ignored
void image_command(HWND w, int id);
