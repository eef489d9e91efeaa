// boxes/input_box.cpp - the one input box (class vrx_ib, "InputBox"): a column of 1 to 30 labelled
// edit fields whose texts the toolkit keeps as item values for the user routine.
//
// Thread: the worker thread.
// NOTE: the box registers its window with the message pump, which passes its messages through the
//       dialog-message handling, so Tab moves between the edits and Enter arrives as command 1 without
//       a control.
// NOTE: item values exist only while the box is open; every access checks for that, since edits still
//       report losing the focus while the box is being destroyed.

#include "boxes/boxes.h"

#include "base/command_ids.h"
#include "base/menus.h"
#include "base/message_pump.h"
#include "base/number_text.h"
#include "base/process.h"
#include "base/text_convert.h"
#include "base/window_snap.h"
#include "text/console.h"
#include "vrxlib.h"

#include <windowsx.h>

#include <cstdlib>
#include <cstring>

//----------------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------------
#define IB_STYLE        (WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)
#define IB_EDIT_ID_BASE 100          // control identifier of item 0's edit
#define IB_VALUE_BYTES  256

HWND vrx_input_box_window;
InputBoxRecord vrx_input_box = {1, IB_LABEL_WIDTH, IB_EDIT_WIDTH};

//----------------------------------------------------------------------------------
// Layout
//----------------------------------------------------------------------------------

// The outer size of a box whose client area is size
static SIZE outer_size(BoxSize size) {
    RECT r = {0, 0, size.width, size.height};
    AdjustWindowRectEx(&r, IB_STYLE, FALSE, 0);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Moves every label and edit to its place for the current column widths
static void place_controls(void) {
    InputBoxRecord &ib = vrx_input_box;
    for (int i = 0; i < ib.items; i++) {
        BoxRect l = ib_label_rect(ib.label_width, i);
        BoxRect e = ib_edit_rect(ib.label_width, ib.edit_width, i);
        if (ib.labels[i]) MoveWindow(ib.labels[i], l.x, l.y, l.width, l.height, TRUE);
        if (ib.edits[i]) MoveWindow(ib.edits[i], e.x, e.y, e.width, e.height, TRUE);
    }
}

// The item whose edit is window e, or -1
static int item_of_edit(HWND e) {
    if (!e) return -1;
    for (int i = 0; i < vrx_input_box.items; i++)
        if (vrx_input_box.edits[i] == e) return i;
    return -1;
}

// Copies the text of item i's edit into its value, when the box is open
static void store_item_value(int i) {
    InputBoxRecord &ib = vrx_input_box;
    if (!vrx_input_box_window || i < 0 || i >= ib.items || !ib.values[i]) return;
    wchar_t wide[IB_VALUE_BYTES];
    GetWindowTextW(ib.edits[i], wide, IB_VALUE_BYTES);
    wide_to_narrow(wide, ib.values[i], IB_VALUE_BYTES);
}

//----------------------------------------------------------------------------------
// Calls for user routines
//----------------------------------------------------------------------------------

// Opens the input box with items labelled fields (clamped to 1..30) at screen position (x, y)
void VRX_OpenInputBox(int x, int y, int items) {
    if (vrx_input_box_window) return;
    InputBoxRecord &ib = vrx_input_box;
    ib.items = ib_clamp_items(items);
    ib.last_focus = nullptr;
    ib.rename_item = 0;
    for (int i = 0; i < IB_MAX_ITEMS; i++) ib.labels[i] = ib.edits[i] = nullptr;
    SIZE outer = outer_size(ib_client_size(ib.label_width, ib.edit_width, ib.items));
    HWND w = CreateWindowExW(0, L"vrx_ib", L"InputBox", IB_STYLE, x, y, outer.cx, outer.cy, vrx_main_window,
                             nullptr, vrx_instance, nullptr);
    if (!w) return;
    for (int i = 0; i < ib.items; i++) {
        wchar_t label[16];
        wsprintfW(label, L"Item %d", i);
        BoxRect l = ib_label_rect(ib.label_width, i);
        ib.labels[i] = CreateWindowExW(0, L"STATIC", label, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, l.x, l.y,
                                       l.width, l.height, w, nullptr, vrx_instance, nullptr);
        ib.values[i] = (char *)calloc(IB_VALUE_BYTES, 1);
        if (ib.values[i]) strcpy(ib.values[i], "0");
        BoxRect e = ib_edit_rect(ib.label_width, ib.edit_width, i);
        ib.edits[i] = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, e.x, e.y,
                                      e.width, e.height, w, (HMENU)(INT_PTR)(IB_EDIT_ID_BASE + i), vrx_instance,
                                      nullptr);
    }
    vrx_input_box_window = w;
    pump_set_dialog(w);
    snap_register(w, SNAP_RANK_INPUT_BOX);
    UpdateWindow(w);
    SetForegroundWindow(w);
    SetFocus(ib.edits[0]);
}

// Closes the input box and frees its item values
void VRX_CloseInputBox(void) {
    HWND w = vrx_input_box_window;
    if (!w) return;
    pump_set_dialog(nullptr);
    snap_unregister(w);
    if (!DestroyWindow(w))
        MessageBoxW(vrx_main_window, L"DestroyWindow[IB] Error", L"VRXLIB Error!", MB_ICONERROR);
    // NOTE: the box is forgotten only now: its edits report losing the focus while it is destroyed.
    vrx_input_box_window = nullptr;
    InputBoxRecord &ib = vrx_input_box;
    for (int i = 0; i < IB_MAX_ITEMS; i++) {
        free(ib.values[i]);
        ib.values[i] = nullptr;
        ib.labels[i] = ib.edits[i] = nullptr;
    }
    ib.last_focus = nullptr;
}

// Sets the label and edit widths and lays the box out for them (they also serve the next box)
void VRX_ResizeInputBox(int isize, int esize) {
    InputBoxRecord &ib = vrx_input_box;
    ib.label_width = ib_clamp_column(isize);
    ib.edit_width = ib_clamp_column(esize);
    if (!vrx_input_box_window) return;
    place_controls();
    SIZE outer = outer_size(ib_client_size(ib.label_width, ib.edit_width, ib.items));
    SetWindowPos(vrx_input_box_window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sets the label of item i
void VRX_SetInputBoxTitle(int i, const char *title) {
    if (!vrx_input_box_window || i < 0 || i >= vrx_input_box.items) return;
    set_window_text_ansi(vrx_input_box.labels[i], title);
}

// Item i's value: the text its field had when it last lost the focus ("" when there is no such item)
const char *VRX_GetInputBoxText(int i) {
    if (!vrx_input_box_window || i < 0 || i >= vrx_input_box.items || !vrx_input_box.values[i]) return "";
    return vrx_input_box.values[i];
}

// Item i's value read as a number as atoi does (0 when there is no such item)
int VRX_GetInputBoxValue(int i) { return parse_number(VRX_GetInputBoxText(i)); }

//----------------------------------------------------------------------------------
// Renaming
//----------------------------------------------------------------------------------

// Prompts in the console for a new label of item i and sets it; a row without an item changes nothing
void rename_input_box_item(int i) {
    bool item = vrx_input_box_window && i >= 0 && i < vrx_input_box.items;
    std::string label = item ? window_text_ansi(vrx_input_box.labels[i]) : std::string();
    char answer[256];
    VRX_ShowConsole();
    console_ask(answer, "%d '%s' ->", i, label.c_str());
    // NOTE: the prompt pumps messages; the box may have been closed or reopened meanwhile.
    if (!answer[0] || !vrx_input_box_window || i < 0 || i >= vrx_input_box.items) return;
    SetWindowTextW(vrx_input_box.labels[i], L"                    ");
    set_window_text_ansi(vrx_input_box.labels[i], answer);
}

//----------------------------------------------------------------------------------
// Message handlers
//----------------------------------------------------------------------------------

static void destroy_box(void) { VRX_CloseInputBox(); }
static void rename_chosen_item(void) { rename_input_box_item(vrx_input_box.rename_item); }

// The box's commands: the frame's pop-up menu offers Destroy, the client area's offers Rename
static const BoxCommand input_box_commands[] = {
    {IDM_IB_DESTROY, "Destroy", destroy_box},
    {IDM_IB_RENAME, "Rename", rename_chosen_item},
};

// Keeps the value of the edit concerned, then carries out Destroy or Rename
static LRESULT on_command(int id, HWND control, UINT code) {
    InputBoxRecord &ib = vrx_input_box;
    HWND concerned = nullptr;
    if (id == IDOK && !control) {
        concerned = ib.last_focus;                       // Enter in a field
    } else if (code == EN_SETFOCUS && item_of_edit(control) >= 0) {
        ib.last_focus = control;
    } else if (code == EN_KILLFOCUS) {
        concerned = control;
    }
    store_item_value(item_of_edit(concerned));
    run_box_command(input_box_commands, 2, id);
    return 0;
}

// Chooses the row under the point for renaming and offers Rename
static LRESULT on_right_click(HWND w, int y) {
    vrx_input_box.rename_item = ib_row_at(y);
    show_box_command_menu(w, input_box_commands[1]);
    return 0;
}

// Gives the focus back to the edit that had it when the box becomes active, and selects item 0's text
// NOTE: only on activation: taking the focus back while the box is being left would pull the keys
//       away from the window the person went to, such as a console prompt that waits for an answer.
// NOTE: the whole text selected is always item 0's, whichever field gets the focus back.
static LRESULT on_activate(UINT state) {
    InputBoxRecord &ib = vrx_input_box;
    if (state == WA_INACTIVE || !vrx_input_box_window) return 0;
    if (!ib.last_focus) ib.last_focus = ib.edits[0];
    SetFocus(ib.last_focus);
    SendMessageW(ib.edits[0], EM_SETSEL, 0, -1);
    return 0;
}

// Keeps the window's top and bottom while its border is dragged, and remembers the edge
static LRESULT on_sizing(HWND w, int edge, RECT *proposed) {
    RECT now;
    GetWindowRect(w, &now);
    proposed->top = now.top;
    proposed->bottom = now.bottom;
    vrx_input_box.sizing_edge = edge;
    return TRUE;
}

// Gives the new client width to the label column (left edge dragged) or the edit column
static LRESULT on_size(UINT type, int client_width) {
    if (type == SIZE_MINIMIZED) return 0;
    InputBoxRecord &ib = vrx_input_box;
    ib_resize_columns(ib.sizing_edge, client_width, &ib.label_width, &ib.edit_width);
    place_controls();
    return 0;
}

// Window procedure of class vrx_ib
LRESULT CALLBACK input_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:       return on_command(GET_WM_COMMAND_ID(wp, lp), GET_WM_COMMAND_HWND(wp, lp),
                                             GET_WM_COMMAND_CMD(wp, lp));
    case WM_RBUTTONDOWN:   return on_right_click(w, GET_Y_LPARAM(lp));
    case WM_NCRBUTTONDOWN: show_box_command_menu(w, input_box_commands[0]); return 0;
    case WM_LBUTTONDBLCLK: rename_input_box_item(ib_row_at(GET_Y_LPARAM(lp))); return 0;
    case WM_ACTIVATE:      return on_activate(LOWORD(wp));
    case WM_SIZING:        return on_sizing(w, (int)wp, (RECT *)lp);
    case WM_SIZE:          return on_size((UINT)wp, LOWORD(lp));
    case WM_MOVE:          rebuild_layout(); return 0;
    case WM_MOVING:        snap_window_rect(w, (RECT *)lp); return 0;
    case WM_CLOSE:         VRX_CloseInputBox(); return 0;
    case WM_DESTROY:       return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}
