// text/cell_layout.h - how printed text falls into the fixed cells of a text window, wraps and scrolls,
// free of the window system.
//
// Thread: any (no state of its own).

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
