// base/menus.h - pop-up menus built by position and shown at the cursor.
//
// Thread: the thread that owns the menu's window.

#pragma once

#include <windows.h>

#define MENU_ENABLED     0      // add_menu_item states
#define MENU_GREYED      3      // MFS_GRAYED | MFS_DISABLED

// Inserts a string item by position with a state (0 enabled, 3 greyed, MFS_CHECKED) and an identifier
void add_menu_item(HMENU menu, int position, int state, int id, const char *text);
// Inserts a separator by position
void add_menu_separator(HMENU menu, int position);
// Inserts an item opening submenu by position
void add_submenu(HMENU menu, HMENU submenu, int position, const char *text);
// Shows menu at the cursor, owned by w, then destroys it (and its submenus); the choice arrives as WM_COMMAND
void track_menu_at_cursor(HMENU menu, HWND w);
