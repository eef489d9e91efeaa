// boxes/box_commands.cpp - the boxes' commands: each box lists its commands once, and its one-item pop-up
// menus and its dispatch are both made from that list.
//
// Thread: the worker thread.

#include "boxes/boxes.h"

#include "base/menus.h"

// Shows a one-item pop-up menu of command at the cursor, owned by w; the choice arrives as WM_COMMAND
void show_box_command_menu(HWND w, const BoxCommand &command) {
    HMENU menu = CreatePopupMenu();
    add_menu_item(menu, 0, MENU_ENABLED, command.id, command.text);
    track_menu_at_cursor(menu, w);
}

// Carries out the command of id among count commands; false when none has that id
bool run_box_command(const BoxCommand *commands, int count, int id) {
    for (int i = 0; i < count; i++) {
        if (commands[i].id == id) {
            commands[i].run();
            return true;
        }
    }
    return false;
}
