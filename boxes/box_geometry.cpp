// boxes/box_geometry.cpp - client sizes, control rectangles, counts, sizing and hit rows of the two boxes.
//
// Thread: any.

#include "boxes/box_geometry.h"

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// value kept in lo..hi
static int clamp_int(int value, int lo, int hi) { return value < lo ? lo : value > hi ? hi : value; }

//----------------------------------------------------------------------------------
// Input box
//----------------------------------------------------------------------------------

// The item count an opening uses: items clamped to 1..30
int ib_clamp_items(int items) { return clamp_int(items, 1, IB_MAX_ITEMS); }

// A column width a caller asked for, kept in 1..IB_MAX_COLUMN
int ib_clamp_column(int width) { return clamp_int(width, 1, IB_MAX_COLUMN); }

// The client size for the two column widths and items rows
BoxSize ib_client_size(int label_width, int edit_width, int items) {
    return BoxSize{label_width + edit_width + 12, items * IB_ROW_PITCH + 2};
}

// The rectangle of item i's label
BoxRect ib_label_rect(int label_width, int i) {
    return BoxRect{4, 4 + IB_ROW_PITCH * i + 3, label_width, IB_CONTROL_HEIGHT};
}

// The rectangle of item i's edit field
BoxRect ib_edit_rect(int label_width, int edit_width, int i) {
    return BoxRect{label_width + 8, 4 + IB_ROW_PITCH * i, edit_width, IB_CONTROL_HEIGHT};
}

// 1 when a drag on edge widens or narrows the label column, 0 when it acts on the edit column
int ib_edge_moves_labels(int edge) {
    return edge == BOX_EDGE_LEFT || edge == BOX_EDGE_TOPLEFT || edge == BOX_EDGE_BOTTOMLEFT;
}

// Sets the column widths for the new client width after a drag on edge; the resized column stays >= 1
void ib_resize_columns(int edge, int client_width, int *label_width, int *edit_width) {
    if (ib_edge_moves_labels(edge)) *label_width = clamp_int(client_width - *edit_width - 12, 1, IB_MAX_COLUMN);
    else *edit_width = clamp_int(client_width - *label_width - 12, 1, IB_MAX_COLUMN);
}

// The item row under client y (y / 28); it may name no item
int ib_row_at(int y) { return y / IB_ROW_PITCH; }

//----------------------------------------------------------------------------------
// Button box
//----------------------------------------------------------------------------------

// 1 when nx columns by ny rows make a valid box (each >= 1, at most 256 buttons), else 0
int bb_counts_valid(int nx, int ny) {
    if (nx < 1 || ny < 1 || nx > BB_MAX_BUTTONS || ny > BB_MAX_BUTTONS) return 0;
    return nx * ny <= BB_MAX_BUTTONS;
}

// The client size of nx x ny buttons of the given size
BoxSize bb_client_size(int nx, int ny, int button_width, int button_height) {
    return BoxSize{nx * (button_width + BB_GAP) + BB_GAP, ny * (button_height + BB_GAP) + BB_GAP};
}

// The rectangle of button i (numbered row by row) in a box of nx columns
BoxRect bb_button_rect(int nx, int button_width, int button_height, int i) {
    int column = i % nx, row = i / nx;
    return BoxRect{column * (button_width + BB_GAP) + BB_GAP, row * (button_height + BB_GAP) + BB_GAP,
                   button_width, button_height};
}

// Sets the button size for a new client area: each button its whole share, at least 0
// NOTE: the space left after the gaps is raised to 1 before it is shared, so a box squeezed below its
//       gaps gets buttons 0 pixels wide (1 / nx) rather than negative sizes.
void bb_resize_buttons(int client_width, int client_height, int nx, int ny, int *button_width, int *button_height) {
    int w = client_width - (nx * BB_GAP + BB_GAP);
    int h = client_height - (ny * BB_GAP + BB_GAP);
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    *button_width = w / nx;
    *button_height = h / ny;
}

// The number of the button under client (x, y), its column and row clamped into the grid
int bb_button_at(int x, int y, int nx, int ny, int button_width, int button_height) {
    int column = clamp_int(x / (button_width + BB_GAP), 0, nx - 1);
    int row = clamp_int(y / (button_height + BB_GAP), 0, ny - 1);
    return row * nx + column;
}
