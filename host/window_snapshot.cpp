// host/window_snapshot.cpp - the snapshot of every open toolkit window that the window information
// report of a text window describes: image windows, text windows and both boxes.
//
// Thread: the worker thread (the report runs inside the text window procedure; every table it reads
// belongs to that thread).

#include "host/host.h"

#include "base/text_convert.h"
#include "boxes/boxes.h"
#include "image/image_table.h"
#include "text/text_window.h"

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
