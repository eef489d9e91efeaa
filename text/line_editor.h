// text/line_editor.h - the line being typed into the console, laid out in the cells of a text window.
//
// Windows-free: the steps to draw go to a sink, as the cell layout's do. Thread: any (no state of its own).

#pragma once

#include "text/cell_layout.h"

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
