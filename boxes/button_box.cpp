// boxes/button_box.cpp - the one button box (class vrx_bb, "ButtonBox"): a grid of up to 256 push
// buttons numbered row by row, whose presses the toolkit counts for the user routine.
//
// Thread: the worker thread.
// NOTE: a click gives the keyboard focus back to the box, so Esc, X, S and C keep reaching the main
//       window and the digit keys keep counting presses.

#include "boxes/boxes.h"

#include "base/command_ids.h"
#include "base/process.h"
#include "base/text_convert.h"
#include "base/window_snap.h"
#include "text/console.h"
#include "vrxlib.h"

#include <windowsx.h>

//----------------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------------
#define BB_STYLE (WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)

HWND vrx_button_box_window;
ButtonBoxRecord vrx_button_box = {1, 1, 1, BB_BUTTON_WIDTH, BB_BUTTON_HEIGHT};

//----------------------------------------------------------------------------------
// Layout
//----------------------------------------------------------------------------------

// The outer size of a box whose client area is width x height
static SIZE outer_size(int width, int height) {
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, BB_STYLE, FALSE, 0);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Moves every button to its place for the current button size
static void place_buttons(void) {
    ButtonBoxRecord &bb = vrx_button_box;
    for (int i = 0; i < bb.count; i++) {
        BoxRect r = bb_button_rect(bb.nx, bb.button_width, bb.button_height, i);
        if (bb.buttons[i]) MoveWindow(bb.buttons[i], r.x, r.y, r.width, r.height, TRUE);
    }
}

// The number of the button whose window is b, or -1
static int button_of_window(HWND b) {
    if (!b) return -1;
    for (int i = 0; i < vrx_button_box.count; i++)
        if (vrx_button_box.buttons[i] == b) return i;
    return -1;
}

//----------------------------------------------------------------------------------
// Calls for user routines
//----------------------------------------------------------------------------------

// Opens the button box of nx x ny buttons (at most 256) at screen position (x, y)
void VRX_OpenButtonBox(int x, int y, int nx, int ny) {
    if (vrx_button_box_window || !bb_counts_valid(nx, ny)) return;
    ButtonBoxRecord &bb = vrx_button_box;
    bb.nx = nx;
    bb.ny = ny;
    bb.count = nx * ny;
    bb.rename_button = 0;
    for (int i = 0; i < BB_MAX_BUTTONS; i++) {
        bb.buttons[i] = nullptr;
        bb.presses[i] = 0;
    }
    BoxSize client = bb_client_size(nx, ny, bb.button_width, bb.button_height);
    SIZE outer = outer_size(client.width, client.height);
    HWND w = CreateWindowExW(0, L"vrx_bb", L"ButtonBox", BB_STYLE, x, y, outer.cx, outer.cy, vrx_main_window,
                             nullptr, vrx_instance, nullptr);
    if (!w) return;
    for (int row = 0; row < ny; row++) {
        for (int column = 0; column < nx; column++) {
            int i = row * nx + column;
            wchar_t caption[8];
            wsprintfW(caption, L"%d", i);
            BoxRect r = bb_button_rect(nx, bb.button_width, bb.button_height, i);
            bb.buttons[i] = CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE,
                                            r.x, r.y, r.width, r.height, w, (HMENU)(INT_PTR)i, vrx_instance, nullptr);
        }
    }
    vrx_button_box_window = w;
    snap_register(w, SNAP_RANK_BUTTON_BOX);
    UpdateWindow(w);
    SetForegroundWindow(w);
}

// Closes the button box
void VRX_CloseButtonBox(void) {
    HWND w = vrx_button_box_window;
    if (!w) return;
    snap_unregister(w);
    if (!DestroyWindow(w))
        MessageBoxW(vrx_main_window, L"DestroyWindow[BB] error", L"VRXLIB error!", MB_ICONERROR);
    vrx_button_box_window = nullptr;
    for (HWND &b : vrx_button_box.buttons) b = nullptr;
}

// Gives the box a client area of width x height; the buttons share it
void VRX_ResizeButtonBox(int width, int height) {
    if (!vrx_button_box_window) return;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width > BB_MAX_CLIENT) width = BB_MAX_CLIENT;
    if (height > BB_MAX_CLIENT) height = BB_MAX_CLIENT;
    SIZE outer = outer_size(width, height);
    SetWindowPos(vrx_button_box_window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sets the caption of button i; a line feed starts a new caption line
void VRX_SetButtonBoxTitle(int i, const char *caption) {
    if (!vrx_button_box_window || i < 0 || i >= vrx_button_box.count) return;
    set_window_text_ansi(vrx_button_box.buttons[i], caption);
}

// How often button i has been pressed since the box opened (0 when there is no such button)
int VRX_GetButtonBoxCount(int i) {
    if (i < 0 || i >= BB_MAX_BUTTONS) return 0;
    return vrx_button_box.presses[i];
}

// Sets the press count of button i back to 0
void VRX_ClearButtonBoxCount(int i) {
    if (i >= 0 && i < BB_MAX_BUTTONS) vrx_button_box.presses[i] = 0;
}

//----------------------------------------------------------------------------------
// Renaming
//----------------------------------------------------------------------------------

// Prompts in the console for a new caption of button i and sets it
void rename_button(int i) {
    bool button = vrx_button_box_window && i >= 0 && i < vrx_button_box.count;
    std::string caption = button ? window_text_ansi(vrx_button_box.buttons[i]) : std::string();
    char answer[256];
    VRX_ShowConsole();
    console_ask(answer, "%d '%s' ->", i, caption.c_str());
    // NOTE: the prompt pumps messages; the box may have been closed or reopened meanwhile.
    if (!answer[0] || !vrx_button_box_window || i < 0 || i >= vrx_button_box.count) return;
    set_window_text_ansi(vrx_button_box.buttons[i], answer);
}

//----------------------------------------------------------------------------------
// Message handlers
//----------------------------------------------------------------------------------

static void destroy_box(void) { VRX_CloseButtonBox(); }
static void rename_chosen_button(void) { rename_button(vrx_button_box.rename_button); }

// The box's commands: the frame's pop-up menu offers Destroy (also Ctrl+Q), the client area's Rename
static const BoxCommand button_box_commands[] = {
    {IDM_BB_DESTROY, "&Destroy\tCtrl+Q", destroy_box},
    {IDM_BB_RENAME, "Rename", rename_chosen_button},
};

// Destroy, Rename, and the count of a clicked button
static LRESULT on_command(HWND w, int id, HWND control, UINT code) {
    if (run_box_command(button_box_commands, 2, id) && id == IDM_BB_DESTROY) return 0;
    if (code == BN_CLICKED) {
        int i = button_of_window(control);
        if (i >= 0) vrx_button_box.presses[i]++;
        if (vrx_button_box_window == w) SetFocus(w);
    }
    return 0;
}

// Ctrl+Q closes the box; Esc, X, S and C go on to the main window
static LRESULT on_key_down(HWND w, UINT key, LPARAM lp) {
    if (ctrl_held()) {
        if (key == 'Q') PostMessageW(w, WM_CLOSE, 0, 0);
        return 0;
    }
    if (key == VK_ESCAPE || key == 'X' || key == 'S' || key == 'C')
        PostMessageW(vrx_main_window, WM_KEYDOWN, key, lp);
    return 0;
}

// A digit counts a press of the button with that number
static LRESULT on_char(UINT c) {
    if (c >= '0' && c <= '9') vrx_button_box.presses[c - '0']++;
    return 0;
}

// The button under a client point of the box
static int button_at(int x, int y) {
    ButtonBoxRecord &bb = vrx_button_box;
    return bb_button_at(x, y, bb.nx, bb.ny, bb.button_width, bb.button_height);
}

// Chooses the button under the point for renaming and offers Rename
static LRESULT on_right_click(HWND w, int x, int y) {
    vrx_button_box.rename_button = button_at(x, y);
    show_box_command_menu(w, button_box_commands[1]);
    return 0;
}

// Shares the new client area among the buttons
static LRESULT on_size(UINT type, int width, int height) {
    ButtonBoxRecord &bb = vrx_button_box;
    if (type == SIZE_MINIMIZED || bb.nx < 1 || bb.ny < 1) return 0;
    bb_resize_buttons(width, height, bb.nx, bb.ny, &bb.button_width, &bb.button_height);
    place_buttons();
    return 0;
}

// Window procedure of class vrx_bb
LRESULT CALLBACK button_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:       return on_command(w, GET_WM_COMMAND_ID(wp, lp), GET_WM_COMMAND_HWND(wp, lp),
                                             GET_WM_COMMAND_CMD(wp, lp));
    case WM_KEYDOWN:       return on_key_down(w, (UINT)wp, lp);
    case WM_CHAR:          return on_char((UINT)wp);
    case WM_LBUTTONDBLCLK: rename_button(button_at(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))); return 0;
    case WM_RBUTTONDOWN:   return on_right_click(w, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_NCRBUTTONDOWN: show_box_command_menu(w, button_box_commands[0]); return 0;
    case WM_SIZE:          return on_size((UINT)wp, LOWORD(lp), HIWORD(lp));
    case WM_MOVE:          rebuild_layout(); return 0;
    case WM_MOVING:        snap_window_rect(w, (RECT *)lp); return 0;
    case WM_CLOSE:         VRX_CloseButtonBox(); return 0;
    case WM_DESTROY:       return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}
