// boxes/boxes.h - the one input box and the one button box: their state, read by the host (the window
// information snapshot, the requests that reopen them).
//
// Thread: the worker thread owns both boxes.

#pragma once

#include <windows.h>

#include "boxes/box_geometry.h"

//----------------------------------------------------------------------------------
// Input box
//----------------------------------------------------------------------------------

// The input box's state besides its window; the widths survive closing and reopening
struct InputBoxRecord {
    int items;                       // 1..30 while open
    int label_width, edit_width;     // pixels
    HWND labels[IB_MAX_ITEMS];
    HWND edits[IB_MAX_ITEMS];
    char *values[IB_MAX_ITEMS];      // 256 bytes each while the box is open, else null
    HWND last_focus;                 // the edit that last received the keyboard focus
    int rename_item;                 // the item chosen by the right mouse button
    int sizing_edge;                 // the edge of the last sizing drag (WMSZ_ code)
};

extern HWND vrx_input_box_window;    // 0 while no input box is open
extern InputBoxRecord vrx_input_box;

// Window procedure of class vrx_ib
LRESULT CALLBACK input_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Prompts in the console for a new label of item i and sets it; a row without an item changes nothing
void rename_input_box_item(int i);

//----------------------------------------------------------------------------------
// Button box
//----------------------------------------------------------------------------------

// The button box's state besides its window; the button size survives closing and reopening
struct ButtonBoxRecord {
    int nx, ny, count;               // columns, rows, nx * ny
    int button_width, button_height; // pixels
    HWND buttons[BB_MAX_BUTTONS];
    int presses[BB_MAX_BUTTONS];     // press counts, 0 at opening
    int rename_button;               // the button chosen by the right mouse button
};

extern HWND vrx_button_box_window;   // 0 while no button box is open
extern ButtonBoxRecord vrx_button_box;

// Window procedure of class vrx_bb
LRESULT CALLBACK button_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Prompts in the console for a new caption of button i and sets it
void rename_button(int i);

//----------------------------------------------------------------------------------
// Commands (boxes/box_commands.cpp)
//----------------------------------------------------------------------------------

// One command of a box: id, menu text, handler
struct BoxCommand {
    int id;
    const char *text;
    void (*run)(void);
};

// Shows a one-item pop-up menu of command at the cursor, owned by w; the choice arrives as WM_COMMAND
void show_box_command_menu(HWND w, const BoxCommand &command);
// Carries out the command of id among count commands; false when none has that id
bool run_box_command(const BoxCommand *commands, int count, int id);
