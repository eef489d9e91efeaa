// image/click_wait.cpp - running a point tool: prompts, the nested message loop, and the feedback
// drawn into the waited image.
//
// Thread: the worker thread (the main window reads vrx_waiting).
// NOTE: a tool ends as cancelled (1) when Stop or Exit is chosen or its image window is closed while
//       it waits, so the calling command does nothing with half-gathered points; a closed window's
//       raster is gone, so nothing is drawn into it any more.

#include "image/click_wait.h"

#include "base/message_pump.h"
#include "base/process.h"
#include "base/status_line.h"
#include "image/image_table.h"
#include "image/key_map.h"
#include "image/point_tool_core.h"
#include "vrxlib.h"

//----------------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------------
ClickWait vrx_click = {-1, 0, 0, 0, 0, 0, 0, 0};

//----------------------------------------------------------------------------------
// Reports
//----------------------------------------------------------------------------------

// The zoom of the waited image, or 0 when w is not its window
static int waited_zoom(HWND w) {
    int n = vrx_click.waited_image;
    if (vrx_waiting.load(std::memory_order_acquire) != 1 || n < 0 || n >= VRX_MAX_IMAGES) return 0;
    if (!vrx_images[n].exists || vrx_images[n].window != w) return 0;
    return vrx_images[n].zoom;
}

// True while a tool waits for clicks on the image window w
bool click_wait_is_waited(HWND w) { return waited_zoom(w) != 0; }

// Stores a client position of window w as image coordinates into *x, *y and raises *flag
static void report_position(HWND w, unsigned cx, unsigned cy, int *flag, int *x, int *y) {
    int zoom = waited_zoom(w);
    if (!zoom) return;
    *flag = 1;
    *x = mouse_to_image(cx, zoom);
    *y = mouse_to_image(cy, zoom);
}

// The pointer moved to client position (x, y) of window w
void click_wait_report_move(HWND w, unsigned x, unsigned y) {
    report_position(w, x, y, &vrx_click.moved, &vrx_click.pointer_x, &vrx_click.pointer_y);
}

// The left button was pressed at client position (x, y) of window w
void click_wait_report_click(HWND w, unsigned x, unsigned y) {
    report_position(w, x, y, &vrx_click.clicked, &vrx_click.click_x, &vrx_click.click_y);
}

// The right or middle button was pressed in window w
void click_wait_report_cancel(HWND w) {
    if (waited_zoom(w)) vrx_click.cancelled = 1;
}

//----------------------------------------------------------------------------------
// Running a tool
//----------------------------------------------------------------------------------

// The raster of image n as a view
static RasterView image_view(int n) {
    const ImageRecord &r = vrx_images[n];
    return raster_view(pixels8[n], r.width, r.height, r.depth);
}

// Ends a wait: restores the status line, clears the wait and accepts dropped files again
// NOTE: drops stay refused while the user routine runs (a tool used from inside its Pause box); the
//       worker accepts them again when the routine returns.
void end_click_wait(void) {
    restore_status_text();
    vrx_waiting.store(0, std::memory_order_release);
    vrx_click.waited_image = -1;
    if (vrx_main_window && vrx_running.load(std::memory_order_acquire) == 0)
        DragAcceptFiles(vrx_main_window, TRUE);
}

// Runs one tool on image n to its end; 0, 1 or 2 as the point tools return
static int run_tool(int n, int kind, int bw, int bh, int out[4]) {
    for (int i = 0; i < 4; i++) out[i] = 0;
    if (n < 0 || n >= VRX_MAX_IMAGES || !vrx_images[n].exists) return 2;

    PointTool tool;
    RasterView view = image_view(n);
    HWND window = vrx_images[n].window;
    point_tool_begin(&tool, view, kind, bw, bh, vrx_click.pointer_x, vrx_click.pointer_y);
    set_status_text(point_tool_prompt_text(tool.prompt));
    if (vrx_main_window) DragAcceptFiles(vrx_main_window, FALSE);
    VRX_SelectImage(n);
    vrx_click.clicked = 0;
    vrx_click.cancelled = 0;
    vrx_stop.store(0, std::memory_order_release);
    vrx_click.waited_image = n;
    vrx_waiting.store(1, std::memory_order_release);
    if (tool.shown) InvalidateRect(window, nullptr, FALSE);

    bool gone = false;
    while (!tool.finished) {
        pump_messages();
        if (!vrx_images[n].exists || vrx_images[n].window != window) { gone = true; break; }
        if (vrx_stop.load(std::memory_order_acquire) || vrx_quit.load(std::memory_order_acquire)) break;
        int shown = tool.shown, prompt = tool.prompt;
        int bx = tool.bx, by = tool.by, ax = tool.ax, ay = tool.ay, radius = tool.radius;
        if (kind < POINT_TOOL_RECTANGLE) {   // one-point tools: moves before clicks
            if (vrx_click.moved) { vrx_click.moved = 0; point_tool_move(&tool, view, vrx_click.pointer_x, vrx_click.pointer_y); }
            if (vrx_click.clicked) { vrx_click.clicked = 0; point_tool_click(&tool, view, vrx_click.click_x, vrx_click.click_y); }
            if (vrx_click.cancelled) { vrx_click.cancelled = 0; point_tool_cancel(&tool, view); }
        } else {                             // two-click tools: clicks, cancels, then moves
            if (vrx_click.clicked) { vrx_click.clicked = 0; point_tool_click(&tool, view, vrx_click.click_x, vrx_click.click_y); }
            if (vrx_click.cancelled) { vrx_click.cancelled = 0; point_tool_cancel(&tool, view); }
            if (vrx_click.moved) { vrx_click.moved = 0; point_tool_move(&tool, view, vrx_click.pointer_x, vrx_click.pointer_y); }
        }
        if (tool.prompt != prompt) set_status_text(point_tool_prompt_text(tool.prompt));
        if (tool.shown != shown || tool.ax != ax || tool.ay != ay || tool.bx != bx || tool.by != by ||
            tool.radius != radius)
            InvalidateRect(window, nullptr, FALSE);
        Sleep(1);   // wait for the next mouse event without taking a whole core
    }
    bool stopped = !tool.finished;
    if (!gone) {
        point_tool_end(&tool, view);
        InvalidateRect(window, nullptr, FALSE);
    }
    end_click_wait();
    if (gone || stopped) return 1;
    for (int i = 0; i < 4; i++) out[i] = tool.out[i];
    return tool.result;
}

// Stores up to four outputs of a tool
static int deliver(int status, const int out[4], int *a, int *b, int *c = nullptr, int *d = nullptr) {
    if (a) *a = out[0];
    if (b) *b = out[1];
    if (c) *c = out[2];
    if (d) *d = out[3];
    return status;
}

//----------------------------------------------------------------------------------
// Point tools
//----------------------------------------------------------------------------------

// One point, no feedback
int wait_point(int n, int *x, int *y) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_POINT, 0, 0, out), out, x, y);
}

// One point with a full-width row cursor
int wait_row(int n, int *x, int *y) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_ROW, 0, 0, out), out, x, y);
}

// One point with a full-height column cursor
int wait_column(int n, int *x, int *y) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_COLUMN, 0, 0, out), out, x, y);
}

// One point with a box cursor of bw x bh centred on the pointer
int wait_box_point(int n, int bw, int bh, int *x, int *y) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_BOX, bw, bh, out), out, x, y);
}

// Two corners with a rubber-band rectangle; the result is sorted
int wait_rectangle(int n, int *xmin, int *ymin, int *xmax, int *ymax) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_RECTANGLE, 0, 0, out), out, xmin, ymin, xmax, ymax);
}

// Two end points with a rubber-band line, in click order
int wait_line(int n, int *x1, int *y1, int *x2, int *y2) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_LINE, 0, 0, out), out, x1, y1, x2, y2);
}

// A centre and a radius with a rubber-band circle
int wait_circle(int n, int *cx, int *cy, int *r) {
    int out[4];
    return deliver(run_tool(n, POINT_TOOL_CIRCLE, 0, 0, out), out, cx, cy, r);
}
