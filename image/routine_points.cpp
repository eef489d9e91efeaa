// image/routine_points.cpp - the point tools as calls of a user routine: a click, a rectangle, a line on an
// image window, with a result that tells a stop from a cancel.
//
// Thread: the worker thread (the user routine).
// NOTE: a stop that is already pending ends a tool before it starts: the tools clear the stop flag when
//       they begin, and a routine polling VRX_GetStopRequest must still see it afterwards.

#include "base/process.h"
#include "image/click_wait.h"
#include "vrxlib.h"

// The result of a tool for the routine: a cancel while Stop or Exit was chosen is a stop
static int routine_result(int tool_result) {
    if (tool_result == 1 && VRX_GetStopRequest()) return VRX_POINT_STOPPED;
    return tool_result;
}

// Waits for a left click on image n; VRX_OK with the point, or a VRX_POINT_ code
int VRX_WaitClick(int n, int *x, int *y) {
    if (x) *x = 0;
    if (y) *y = 0;
    if (VRX_GetStopRequest()) return VRX_POINT_STOPPED;
    return routine_result(wait_point(n, x, y));
}

// Waits for two clicks on image n with a rubber-band box; the corners sorted
int VRX_WaitRectangle(int n, int *xmin, int *ymin, int *xmax, int *ymax) {
    int *out[4] = {xmin, ymin, xmax, ymax};
    for (int *p : out)
        if (p) *p = 0;
    if (VRX_GetStopRequest()) return VRX_POINT_STOPPED;
    return routine_result(wait_rectangle(n, xmin, ymin, xmax, ymax));
}

// Waits for two clicks on image n with a rubber-band line; the points in click order
int VRX_WaitLine(int n, int *x1, int *y1, int *x2, int *y2) {
    int *out[4] = {x1, y1, x2, y2};
    for (int *p : out)
        if (p) *p = 0;
    if (VRX_GetStopRequest()) return VRX_POINT_STOPPED;
    return routine_result(wait_line(n, x1, y1, x2, y2));
}
