// host/window_snapshot.cpp - the window information report of a text window (command 1045): a snapshot
// of every open toolkit window, the printed report, and the generated source on the clipboard.
//
// NOTE: the report runs on the worker thread inside the text window procedure; every table it reads
//       belongs to that thread. The report itself is built by text/window_info_report.cpp.

#include "text/report_command.h"

#include "boxes/boxes.h"
#include "image/image_table.h"
#include "host/host.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstring>

//----------------------------------------------------------------------------------
// Snapshot
//----------------------------------------------------------------------------------

// The outer top-left corner of w on the screen
static POINT window_corner(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return POINT{r.left, r.top};
}

// The client size of w
static SIZE window_client_size(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Adds the existing image windows in number order
static void snapshot_images(ReportSnapshot *s) {
    for (int n = 0; n < VRX_MAX_IMAGES; n++) {
        const ImageRecord &im = vrx_images[n];
        if (!im.exists) continue;
        POINT at = window_corner(im.window);
        s->images.push_back(ReportImage{n, im.depth, im.title ? im.title : "", (int)at.x, (int)at.y, im.width,
                                        im.height, im.zoom});
    }
}

// Adds the open text windows in number order
static void snapshot_text_windows(ReportSnapshot *s) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) {
        const TextWindowRecord &t = vrx_text_windows[n];
        if (!t.in_use) continue;
        POINT at = window_corner(t.window);
        SIZE size = window_client_size(t.window);
        s->text_windows.push_back(ReportTextWindow{n, (int)at.x, (int)at.y, (int)size.cx, (int)size.cy});
    }
}

// Describes the input box with its full labels, when it is open
static void snapshot_input_box(ReportSnapshot *s) {
    ReportInputBox &ib = s->input_box;
    ib = ReportInputBox{};
    if (!vrx_input_box_window) return;
    POINT at = window_corner(vrx_input_box_window);
    ib.open = 1;
    ib.x = at.x;
    ib.y = at.y;
    ib.items = vrx_input_box.items;
    ib.label_width = vrx_input_box.label_width;
    ib.edit_width = vrx_input_box.edit_width;
    for (int i = 0; i < vrx_input_box.items; i++) ib.labels.push_back(window_text_ansi(vrx_input_box.labels[i]));
}

// Describes the button box with its full captions, when it is open
static void snapshot_button_box(ReportSnapshot *s) {
    ReportButtonBox &bb = s->button_box;
    bb = ReportButtonBox{};
    if (!vrx_button_box_window) return;
    POINT at = window_corner(vrx_button_box_window);
    SIZE size = window_client_size(vrx_button_box_window);
    bb.open = 1;
    bb.x = at.x;
    bb.y = at.y;
    bb.nx = vrx_button_box.nx;
    bb.ny = vrx_button_box.ny;
    bb.width = size.cx;
    bb.height = size.cy;
    for (int i = 0; i < vrx_button_box.count; i++) bb.captions.push_back(window_text_ansi(vrx_button_box.buttons[i]));
}

// Fills s from the window tables and the boxes, reading positions and texts from the system
void take_window_snapshot(ReportSnapshot *s) {
    s->images.clear();
    s->text_windows.clear();
    snapshot_images(s);
    snapshot_text_windows(s);
    snapshot_input_box(s);
    snapshot_button_box(s);
}

//----------------------------------------------------------------------------------
// Clipboard
//----------------------------------------------------------------------------------

// Puts text on the clipboard as ANSI text, with owner as the clipboard's owner window;
// 0 done, 1 the clipboard could not be opened, 2 no memory, 3 the clipboard refused the text
// NOTE: the block is filled before the clipboard is emptied, so a failure leaves the old contents, and
//       the block is freed again whenever the clipboard did not take it.
int put_text_on_clipboard(HWND owner, const std::string &text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    char *bytes = block ? (char *)GlobalLock(block) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        MessageBoxW(nullptr, L"GlobalAlloc() failed. (ID_INFO)", L"Pause", MB_OK);
        return 2;
    }
    memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!open_clipboard(owner)) {
        GlobalFree(block);
        return 1;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) {
        CloseClipboard();
        GlobalFree(block);
        return 3;
    }
    CloseClipboard();
    return 0;
}

//----------------------------------------------------------------------------------
// Calls for user routines
//----------------------------------------------------------------------------------

// Brings image window n, or the main window for VRXMAINWINDOW, forward; 1 when there is no such window
int VRX_SetForeground(int n) {
    HWND w = nullptr;
    if (n == VRXMAINWINDOW) w = vrx_main_window;
    else if (n >= 0 && n < VRX_MAX_IMAGES && vrx_images[n].exists) w = vrx_images[n].window;
    if (!w) return 1;
    SetForegroundWindow(w);
    return 0;
}
