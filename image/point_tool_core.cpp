// image/point_tool_core.cpp - the point tools' phases and their xor cursors and rubber bands.
//
// NOTE: feedback is toggled, never repainted: each change inverts the old shape (removing it) and
//       then the new one, so the raster holds no trace once the tool has ended.
//
// Thread: any (the click wait runs the tools on the worker thread).

#include "image/point_tool_core.h"

#include "imaging/draw_core.h"

#include <cmath>

//----------------------------------------------------------------------------------
// Feedback
//----------------------------------------------------------------------------------

// The box cursor's rectangle around the pointer: left, top, right, bottom
static void box_cursor(const PointTool *t, int *l, int *top, int *rt, int *b) {
    *l = t->ax - t->bw / 2;
    *top = t->ay - t->bh / 2;
    *rt = *l + t->bw - 1;
    *b = *top + t->bh - 1;
}

// Inverts the tool's current feedback shape once (draws or removes it)
static void toggle_feedback(PointTool *t, const RasterView &r) {
    switch (t->kind) {
    case POINT_TOOL_ROW: xor_line(r, 0, t->ay, r.width - 1, t->ay); break;
    case POINT_TOOL_COLUMN: xor_line(r, t->ax, 0, t->ax, r.height - 1); break;
    case POINT_TOOL_BOX: {
        int l, top, rt, b;
        box_cursor(t, &l, &top, &rt, &b);
        xor_box_outline(r, l, top, rt, b);
        if (t->bw >= 9 && t->bh >= 9) {
            xor_line(r, l + 1, top + 1, rt - 1, b - 1);
            xor_line(r, rt - 1, top + 1, l + 1, b - 1);
        }
        break;
    }
    case POINT_TOOL_RECTANGLE: {
        int x1 = t->ax < t->bx ? t->ax : t->bx, x2 = t->ax < t->bx ? t->bx : t->ax;
        int y1 = t->ay < t->by ? t->ay : t->by, y2 = t->ay < t->by ? t->by : t->ay;
        xor_box_outline(r, x1, y1, x2, y2);
        break;
    }
    case POINT_TOOL_LINE: xor_line(r, t->ax, t->ay, t->bx, t->by); break;
    case POINT_TOOL_CIRCLE: xor_circle(r, t->ax, t->ay, t->radius); break;
    }
    t->shown = !t->shown;
}

// Removes the feedback if it is shown
static void hide(PointTool *t, const RasterView &r) {
    if (t->shown) toggle_feedback(t, r);
}

// Shows the feedback if it is hidden
static void show(PointTool *t, const RasterView &r) {
    if (!t->shown) toggle_feedback(t, r);
}

// True for the tools that take two clicks
static bool two_clicks(const PointTool *t) { return t->kind >= POINT_TOOL_RECTANGLE; }

// True for the one-point tools that follow the pointer with a cursor
static bool has_cursor(const PointTool *t) {
    return t->kind == POINT_TOOL_ROW || t->kind == POINT_TOOL_COLUMN || t->kind == POINT_TOOL_BOX;
}

//----------------------------------------------------------------------------------
// Events
//----------------------------------------------------------------------------------

// The rubber-band radius for an offset: the square root rounded half up
int circle_radius(int dx, int dy) {
    return (int)(std::sqrt((double)dx * dx + (double)dy * dy) + 0.5);
}

// Starts a tool with its outputs 0; cursor tools show their cursor at the pointer position
void point_tool_begin(PointTool *t, const RasterView &r, int kind, int bw, int bh, int pointer_x, int pointer_y) {
    *t = PointTool{};
    t->kind = kind;
    t->bw = bw;
    t->bh = bh;
    t->prompt = two_clicks(t) ? PROMPT_FIRST_POINT : PROMPT_POINT;
    if (has_cursor(t)) {
        t->ax = pointer_x;
        t->ay = pointer_y;
        show(t, r);
    }
}

// The pointer moved to (x, y) in image coordinates
void point_tool_move(PointTool *t, const RasterView &r, int x, int y) {
    if (t->finished) return;
    if (has_cursor(t)) {
        hide(t, r);
        t->ax = x;
        t->ay = y;
        show(t, r);
    } else if (two_clicks(t) && t->phase == 1) {
        hide(t, r);
        if (t->kind == POINT_TOOL_CIRCLE) t->radius = circle_radius(x - t->ax, y - t->ay);
        else { t->bx = x; t->by = y; }
        show(t, r);
    }
}

// The left button was pressed at (x, y)
void point_tool_click(PointTool *t, const RasterView &r, int x, int y) {
    if (t->finished) return;
    if (!two_clicks(t)) {
        hide(t, r);
        t->out[0] = x;
        t->out[1] = y;
        t->finished = 1;
        return;
    }
    if (t->phase == 0) {
        t->ax = t->bx = x;
        t->ay = t->by = y;
        t->radius = 0;
        show(t, r);
        if (t->kind != POINT_TOOL_RECTANGLE) {   // the first point of a line or circle is an output
            t->out[0] = x;
            t->out[1] = y;
        }
        t->phase = 1;
        t->prompt = PROMPT_SECOND_POINT;
        return;
    }
    hide(t, r);
    switch (t->kind) {
    case POINT_TOOL_RECTANGLE:
        t->out[0] = t->ax < x ? t->ax : x;
        t->out[1] = t->ay < y ? t->ay : y;
        t->out[2] = t->ax < x ? x : t->ax;
        t->out[3] = t->ay < y ? y : t->ay;
        break;
    case POINT_TOOL_LINE:
        t->out[2] = x;
        t->out[3] = y;
        break;
    case POINT_TOOL_CIRCLE:
        t->out[2] = circle_radius(x - t->ax, y - t->ay);
        break;
    }
    t->phase = 2;
    t->finished = 1;
}

// The right or middle button was pressed
void point_tool_cancel(PointTool *t, const RasterView &r) {
    if (t->finished) return;
    if (two_clicks(t) && t->phase == 1) {
        hide(t, r);
        t->out[0] = t->out[1] = 0;
        t->phase = 0;
        t->prompt = PROMPT_FIRST_POINT;
        return;
    }
    hide(t, r);
    t->result = 1;
    t->finished = 1;
}

// Removes whatever feedback is still shown (the tool ends or was stopped)
void point_tool_end(PointTool *t, const RasterView &r) { hide(t, r); }

// The text of a prompt
const char *point_tool_prompt_text(int prompt) {
    switch (prompt) {
    case PROMPT_FIRST_POINT: return "Click the first point";
    case PROMPT_SECOND_POINT: return "Click the second point";
    }
    return "Click a point";
}
