// text/cell_layout.cpp - cell layout of the text windows: runs, wrapping, scrolling, the line editor
// and the keyboard ring. Plain data only; the window layer turns the steps into GDI calls.

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

//----------------------------------------------------------------------------------
// Keyboard ring
//----------------------------------------------------------------------------------

// Empties the ring
void key_ring_reset(KeyRing *r) {
    r->write = 0;
    r->read = -1;
}

// Appends one unit; 0 stored, 1 dropped because the ring is full
int key_ring_push(KeyRing *r, uint16_t unit) {
    if (r->write == r->read) return 1;
    r->units[r->write] = unit;
    if (r->read < 0) r->read = r->write;
    r->write = (r->write + 1) % KEY_RING_SIZE;
    return 0;
}

// Takes the oldest unit; 0 when the ring is empty
uint16_t key_ring_pop(KeyRing *r) {
    if (r->read < 0) return 0;
    uint16_t u = r->units[r->read];
    r->read = (r->read + 1) % KEY_RING_SIZE;
    if (r->read == r->write) r->read = -1;
    return u;
}
