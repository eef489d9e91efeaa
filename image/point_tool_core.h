// image/point_tool_core.h - the seven point tools as state machines over mouse events, with their xor
// feedback drawn straight into the raster.
//
// Windows-free: the click wait of the image windows feeds moves, clicks and cancels in; the tool
// draws and removes its cursor or rubber band with the xor primitives, so drawing twice undoes it.
//
// Thread: any (the click wait runs the tools on the worker thread).

#pragma once

#include "imaging/raster.h"

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------
enum PointToolKind {
    POINT_TOOL_POINT,       // one point, no feedback
    POINT_TOOL_ROW,         // one point, full-width row cursor
    POINT_TOOL_COLUMN,      // one point, full-height column cursor
    POINT_TOOL_BOX,         // one point, box cursor of bw x bh
    POINT_TOOL_RECTANGLE,   // two points, rubber-band rectangle, sorted result
    POINT_TOOL_LINE,        // two points, rubber-band line, click order kept
    POINT_TOOL_CIRCLE,      // centre and radius, rubber-band circle
};

enum PointToolPrompt { PROMPT_POINT, PROMPT_FIRST_POINT, PROMPT_SECOND_POINT };

// One running tool
struct PointTool {
    int kind;
    int bw, bh;             // box size of POINT_TOOL_BOX
    int phase;              // two-click tools: 0 before the first click, 1 after it
    int finished;           // 1 once the tool has its points or was cancelled
    int result;             // 0 ended normally, 1 cancelled in the first phase
    int shown;              // 1 while feedback is drawn in the raster
    int ax, ay, bx, by;     // feedback: cursor position, or first and moving point
    int radius;             // rubber-band circle radius
    int out[4];             // the tool's outputs (x, y / xmin, ymin, xmax, ymax / x1, y1, x2, y2 / cx, cy, r)
    int prompt;             // the prompt to show now
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// Starts a tool with its outputs 0; cursor tools show their cursor at the pointer position
void point_tool_begin(PointTool *t, const RasterView &r, int kind, int bw, int bh, int pointer_x, int pointer_y);
// The pointer moved to (x, y) in image coordinates
void point_tool_move(PointTool *t, const RasterView &r, int x, int y);
// The left button was pressed at (x, y)
void point_tool_click(PointTool *t, const RasterView &r, int x, int y);
// The right or middle button was pressed
void point_tool_cancel(PointTool *t, const RasterView &r);
// Removes whatever feedback is still shown (the tool ends or was stopped)
void point_tool_end(PointTool *t, const RasterView &r);
// The rubber-band radius for an offset: the square root rounded half up
int circle_radius(int dx, int dy);
// The text of a prompt: "Click a point", "Click the first point" or "Click the second point"
const char *point_tool_prompt_text(int prompt);
