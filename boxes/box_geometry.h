// boxes/box_geometry.h - the arithmetic of the input box and the button box on plain numbers: client
// sizes, control rectangles, counts, sizing by a dragged border and the row or button under a point.
//
// Windows-free; the window procedures in boxes/input_box.cpp and boxes/button_box.cpp call it.
//
// Thread: any.

#pragma once

//----------------------------------------------------------------------------------
// Shared
//----------------------------------------------------------------------------------

// A rectangle as position and size, in client pixels
struct BoxRect {
    int x, y, width, height;
};

// A client area size in pixels
struct BoxSize {
    int width, height;
};

// Edges and corners of a sizing drag.
// NOTE: the values are the system's own codes for the dragged edge (WMSZ_LEFT ... WMSZ_BOTTOMRIGHT).
#define BOX_EDGE_LEFT        1
#define BOX_EDGE_RIGHT       2
#define BOX_EDGE_TOP         3
#define BOX_EDGE_TOPLEFT     4
#define BOX_EDGE_TOPRIGHT    5
#define BOX_EDGE_BOTTOM      6
#define BOX_EDGE_BOTTOMLEFT  7
#define BOX_EDGE_BOTTOMRIGHT 8

//----------------------------------------------------------------------------------
// Input box
//----------------------------------------------------------------------------------
#define IB_MAX_ITEMS       30
#define IB_ROW_PITCH       28
#define IB_CONTROL_HEIGHT  24
#define IB_LABEL_WIDTH     80     // label width at start-up
#define IB_EDIT_WIDTH      70     // edit width at start-up
#define IB_MAX_COLUMN      8192   // widest label or edit column the box accepts

// The item count an opening uses: items clamped to 1..30
int ib_clamp_items(int items);
// The client size for the two column widths and items rows
BoxSize ib_client_size(int label_width, int edit_width, int items);
// The rectangle of item i's label
BoxRect ib_label_rect(int label_width, int i);
// The rectangle of item i's edit field
BoxRect ib_edit_rect(int label_width, int edit_width, int i);
// 1 when a drag on edge widens or narrows the label column, 0 when it acts on the edit column
int ib_edge_moves_labels(int edge);
// Sets the column widths for the new client width after a drag on edge; the resized column stays >= 1
void ib_resize_columns(int edge, int client_width, int *label_width, int *edit_width);
// The item row under client y (y / 28); it may name no item
int ib_row_at(int y);
// A column width a caller asked for, kept in 1..IB_MAX_COLUMN
int ib_clamp_column(int width);

//----------------------------------------------------------------------------------
// Button box
//----------------------------------------------------------------------------------
#define BB_MAX_BUTTONS     256
#define BB_GAP             4
#define BB_BUTTON_WIDTH    98     // button size at start-up
#define BB_BUTTON_HEIGHT   26
#define BB_MAX_CLIENT      32767  // largest client side VRX_ResizeButtonBox accepts

// 1 when nx columns by ny rows make a valid box (each >= 1, at most 256 buttons), else 0
// NOTE: each count is range-checked before they are multiplied, so no product can overflow.
int bb_counts_valid(int nx, int ny);
// The client size of nx x ny buttons of the given size
BoxSize bb_client_size(int nx, int ny, int button_width, int button_height);
// The rectangle of button i (numbered row by row) in a box of nx columns
BoxRect bb_button_rect(int nx, int button_width, int button_height, int i);
// Sets the button size for a new client area: each button its whole share, at least 0
void bb_resize_buttons(int client_width, int client_height, int nx, int ny, int *button_width, int *button_height);
// The number of the button under client (x, y), its column and row clamped into the grid
int bb_button_at(int x, int y, int nx, int ny, int button_width, int button_height);
