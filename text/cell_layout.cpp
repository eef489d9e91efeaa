// text/cell_layout.cpp - cell layout of the text windows: runs, wrapping, line feeds and scrolling.
// Plain data only; the window layer turns the steps into GDI calls.
//
// Thread: any (no state of its own).

#include "text/cell_layout.h"

//----------------------------------------------------------------------------------
// Cells and the cursor
//----------------------------------------------------------------------------------

// Cells a UTF-16 unit takes: 1 below 0x80, 2 otherwise
int cell_count(uint16_t unit) { return unit < 0x80 ? 1 : 2; }

// Hands one step to the sink
static void emit(CellSink sink, void *context, int kind, int start, int count, int x, int y, uint16_t unit) {
    CellOp op{kind, start, count, x, y, unit};
    sink(context, &op);
}

// Starts a new row: x = 0, y one row down, scrolling when that row would touch the bottom; 1 if scrolled
// NOTE: the last usable row is the lowest whose bottom lies strictly above the bottom edge.
int cursor_new_row(CellCursor *c, CellSink sink, void *context) {
    c->x = 0;
    c->y += c->cell_height;
    if (c->y + c->cell_height < c->height) return 0;
    emit(sink, context, CELL_OP_SCROLL, 0, 0, 0, c->y, 0);
    c->y -= c->cell_height;
    return 1;
}

// Lays out count units at the cursor: runs, wraps, line feeds; leaves the cursor after the text
// NOTE: a character that exactly reaches the right edge stays on its row; other control characters
//       are ordinary one-cell glyphs.
void layout_text(CellCursor *c, const uint16_t *text, int count, CellSink sink, void *context) {
    int run_start = 0;
    int local_x = c->x;
    for (int i = 0; i < count; i++) {
        uint16_t u = text[i];
        if (u == 10) {
            if (i > run_start) emit(sink, context, CELL_OP_RUN, run_start, i - run_start, c->x, c->y, 0);
            cursor_new_row(c, sink, context);
            local_x = 0;
            run_start = i + 1;
            continue;
        }
        int step = cell_count(u) * c->cell_width;
        if (local_x + step > c->width) {
            if (i > run_start) emit(sink, context, CELL_OP_RUN, run_start, i - run_start, c->x, c->y, 0);
            cursor_new_row(c, sink, context);
            local_x = 0;
            run_start = i;
        }
        local_x += step;
    }
    if (count > run_start) {
        emit(sink, context, CELL_OP_RUN, run_start, count - run_start, c->x, c->y, 0);
        c->x = local_x;
    }
}
