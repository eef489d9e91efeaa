// image/click_wait.h - the click wait: how a command asks the person for points on an image window.
//
// A point tool runs on the worker thread inside the command that needs it and pumps messages while it
// waits; the image window procedure only reports mouse events into the variables below.
//
// Thread: the worker thread.

#pragma once

#include <windows.h>

//----------------------------------------------------------------------------------
// Types and globals
//----------------------------------------------------------------------------------

// What the image window procedure reports to a waiting tool (worker thread only)
struct ClickWait {
    int waited_image;         // slot whose window reports; -1 when no tool waits
    int clicked;              // 1 after a left button press in the waited window
    int click_x, click_y;     // image coordinates of that press
    int moved;                // 1 after a pointer move in the waited window
    int pointer_x, pointer_y; // last reported pointer position; kept between waits
    int cancelled;            // 1 after a right or middle button press in the waited window
};
extern ClickWait vrx_click;   // `waiting` itself is vrx_waiting (base/process.h), read by other windows too

//----------------------------------------------------------------------------------
// Reports from the image window procedure
//----------------------------------------------------------------------------------

// True while a tool waits for clicks on the image window w
bool click_wait_is_waited(HWND w);
// The pointer moved to client position (x, y) of window w
void click_wait_report_move(HWND w, unsigned x, unsigned y);
// The left button was pressed at client position (x, y) of window w
void click_wait_report_click(HWND w, unsigned x, unsigned y);
// The right or middle button was pressed in window w
void click_wait_report_cancel(HWND w);

//----------------------------------------------------------------------------------
// Point tools: 0 ended normally, 1 cancelled (or stopped, or the window closed), 2 no such image
//----------------------------------------------------------------------------------
int wait_point(int n, int *x, int *y);
int wait_row(int n, int *x, int *y);
int wait_column(int n, int *x, int *y);
int wait_box_point(int n, int bw, int bh, int *x, int *y);
int wait_rectangle(int n, int *xmin, int *ymin, int *xmax, int *ymax);
int wait_line(int n, int *x1, int *y1, int *x2, int *y2);
int wait_circle(int n, int *cx, int *cy, int *r);
// Ends a wait: restores the status line, clears the wait and accepts dropped files again unless the routine runs
void end_click_wait(void);
