// text/cell_layout.h - cell layout of the text windows, free of the window system: how printed text
// falls into fixed cells, wraps and scrolls, the line editor of the console input, the keyboard ring.

#pragma once

#include <cstdint>

//----------------------------------------------------------------------------------
// Cells and the cursor
//----------------------------------------------------------------------------------

// Where output goes in one text window, in pixels
struct CellCursor {
    int x, y;                    // left of the next cell, top of the current row
    int width, height;           // client size
    int cell_width, cell_height; // one cell
};

// What the layout asks the window layer to do
enum CellOpKind {
    CELL_OP_RUN = 0,     // draw units [start, start + count) of the text at (x, y)
    CELL_OP_SCROLL = 1,  // move the rows below y = cell_height up by one row; y is the row before it
    CELL_OP_CHAR = 2,    // draw one unit over `count` cells at (x, y)
};

struct CellOp {
    int kind;
    int start, count;   // CELL_OP_RUN: range of the text; CELL_OP_CHAR: count = cells
    int x, y;
    uint16_t unit;      // CELL_OP_CHAR: the unit drawn
};

// Receives the layout's drawing steps in order
typedef void (*CellSink)(void *context, const CellOp *op);

// Cells a UTF-16 unit takes: 1 below 0x80, 2 otherwise
int cell_count(uint16_t unit);
// Starts a new row: x = 0, y one row down, scrolling when that row would touch the bottom; 1 if scrolled
int cursor_new_row(CellCursor *c, CellSink sink, void *context);
// Lays out count units at the cursor: runs, wraps, line feeds; leaves the cursor after the text
void layout_text(CellCursor *c, const uint16_t *text, int count, CellSink sink, void *context);

//----------------------------------------------------------------------------------
// Line editor of the console input
//----------------------------------------------------------------------------------
#define LINE_MAX_UNITS 255
#define LINE_WRAP_DEPTH 512

// The line being typed and the x positions saved at each row it wrapped onto
struct LineEditor {
    uint16_t line[LINE_MAX_UNITS + 1];
    int n;
    int saved_x[LINE_WRAP_DEPTH];
    int depth;
};

// Empties the line
void line_reset(LineEditor *e);
// Adds one unit at the cursor (drawing, wrapping); 0 added, 1 refused (line full or a zero unit)
int line_insert(LineEditor *e, CellCursor *c, uint16_t unit, CellSink sink, void *context);
// Removes the last unit, moving the cursor back across a wrapped row; 0 removed, 1 line empty
int line_backspace(LineEditor *e, CellCursor *c, CellSink sink, void *context);

//----------------------------------------------------------------------------------
// Keyboard ring
//----------------------------------------------------------------------------------
#define KEY_RING_SIZE 256

// 256 typed units; read is -1 while empty, write == read while full
struct KeyRing {
    uint16_t units[KEY_RING_SIZE];
    int write;
    int read;
};

// Empties the ring
void key_ring_reset(KeyRing *r);
// Appends one unit; 0 stored, 1 dropped because the ring is full
int key_ring_push(KeyRing *r, uint16_t unit);
// Takes the oldest unit; 0 when the ring is empty
uint16_t key_ring_pop(KeyRing *r);
