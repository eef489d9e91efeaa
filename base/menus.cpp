// base/menus.cpp - pop-up menus built by position and shown at the cursor.
//
// Thread: the thread that owns the menu's window.

#include "base/menus.h"

#include "base/text_convert.h"

// Inserts a string item by position with a state and an identifier
void add_menu_item(HMENU menu, int position, int state, int id, const char *text) {
    wchar_t wide[256];
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
    item.fType = MFT_STRING;
    item.fState = (UINT)state;
    item.wID = (UINT)id;
    item.dwTypeData = narrow_to_wide(text, wide, 256);
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// Inserts a separator by position
void add_menu_separator(HMENU menu, int position) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// Inserts an item opening submenu by position
void add_submenu(HMENU menu, HMENU submenu, int position, const char *text) {
    wchar_t wide[256];
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE | MIIM_SUBMENU;
    item.fType = MFT_STRING;
    item.hSubMenu = submenu;
    item.dwTypeData = narrow_to_wide(text, wide, 256);
    InsertMenuItemW(menu, (UINT)position, TRUE, &item);
}

// Shows menu at the cursor, owned by w, then destroys it
void track_menu_at_cursor(HMENU menu, HWND w) {
    if (!menu) return;
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, w, nullptr);
    DestroyMenu(menu);
}
