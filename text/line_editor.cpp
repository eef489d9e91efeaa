// text/line_editor.cpp - the line being typed into the console: insertion with wrapping, Backspace back
// across wrapped rows.
//
// Thread: any (no state of its own).

#include "text/line_editor.h"

// Hands one step to the sink
static void emit(CellSink sink, void *context, int kind, int start, int count, int x, int y, uint16_t unit) {
    CellOp op{kind, start, count, x, y, unit};
    sink(context, &op);
}

//----------------------------------------------------------------------------------
// Line editor
//----------------------------------------------------------------------------------

// Empties the line
void line_reset(LineEditor *e) {
    e->n = 0;
    e->depth = 0;
    e->line[0] = 0;
}

// Saves x for a continuation row; the stack is deep enough for every row a full line can take
static void push_saved(LineEditor *e, int x) {
    if (e->depth < LINE_WRAP_DEPTH) e->saved_x[e->depth++] = x;
}

// Adds one unit at the cursor (drawing, wrapping); 0 added, 1 refused (line full or a zero unit)
int line_insert(LineEditor *e, CellCursor *c, uint16_t unit, CellSink sink, void *context) {
    if (unit == 0 || e->n >= LINE_MAX_UNITS) return 1;
    int w = cell_count(unit);
    if (w == 2 && c->x > c->width - 2 * c->cell_width) {
        // a two-cell character that would overhang moves whole to the next row
        emit(sink, context, CELL_OP_CHAR, 0, 1, c->x, c->y, ' ');
        push_saved(e, c->x + 2 * c->cell_width);
        cursor_new_row(c, sink, context);
    }
    emit(sink, context, CELL_OP_CHAR, 0, w, c->x, c->y, unit);
    if (c->x + w * c->cell_width > c->width - c->cell_width) {
        push_saved(e, c->x);
        cursor_new_row(c, sink, context);
    } else {
        c->x += w * c->cell_width;
    }
    e->line[e->n++] = unit;
    e->line[e->n] = 0;
    return 0;
}

// Removes the last unit, moving the cursor back across a wrapped row; 0 removed, 1 line empty
// NOTE: after wrapping back the cursor stands on the last character of the row above, which the caret
//       then covers.
int line_backspace(LineEditor *e, CellCursor *c, CellSink sink, void *context) {
    if (e->n <= 0) return 1;
    emit(sink, context, CELL_OP_CHAR, 0, 1, c->x, c->y, ' ');
    e->n -= 1;
    int w = cell_count(e->line[e->n]);
    e->line[e->n] = 0;
    if (e->depth > 0 && c->x == 0) {
        c->x = e->saved_x[--e->depth];
        c->y -= c->cell_height;
    } else {
        c->x -= w * c->cell_width;
    }
    if (w == 2) {
        emit(sink, context, CELL_OP_CHAR, 0, 2, c->x, c->y, 0x3000);
        if (e->depth > 0 && c->x == 0 && e->saved_x[e->depth - 1] >= c->width) {
            c->x = e->saved_x[--e->depth] - 2 * c->cell_width;
            c->y -= c->cell_height;
        }
    }
    if (c->x < 0) c->x = 0;
    if (c->y < 0) c->y = 0;
    return 0;
}
