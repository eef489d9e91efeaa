// image/commands/draw_box.cpp - VRX_DrawBox, the one drawing call of a user routine, in the form of the program
// it is built into.
//
// Thread: the worker thread.
// NOTE: compiled once per program: quarvex (VRX_SWAP_VARIANT 0) fills in the drawing colour,
//       quarvex-swap (VRX_SWAP_VARIANT 1) takes a border colour and a fill colour.

#include "vrxlib.h"

#include "base/process.h"
#include "base/row_split.h"
#include "image/image_table.h"
#include "imaging/draw_core.h"

// One box, shared by row between two threads
struct BoxJob {
    RasterView view;
    int x1, y1, x2, y2;
    uint32_t border, fill;
    int top;   // the first row the box covers on the raster: row 0 of the job
};

// Draws the box's rows on raster rows top + first .. top + last - 1
static void box_rows(void *context, int first, int last) {
    const BoxJob &b = *(const BoxJob *)context;
    draw_box_rows(b.view, b.x1, b.y1, b.x2, b.y2, b.border, b.fill, b.top + first, b.top + last);
}

// Draws a box into the current image, a large one on two threads; pen untouched
static void draw_box_split(int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill) {
    BoxJob b = {{}, x1, y1, x2, y2, border, fill, 0};
    if (!current_raster(&b.view)) return;
    // The bytes the box covers on the raster, to tell a large box from a small one
    long long left = x1 < x2 ? x1 : x2, right = x1 < x2 ? x2 : x1;
    long long top = y1 < y2 ? y1 : y2, bottom = y1 < y2 ? y2 : y1;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > b.view.width - 1) right = b.view.width - 1;
    if (bottom > b.view.height - 1) bottom = b.view.height - 1;
    if (left > right || top > bottom) return;
    size_t bytes = (size_t)(right - left + 1) * (size_t)(bottom - top + 1) * (size_t)(b.view.depth / 8);
    b.top = (int)top;
    split_rows(box_rows, &b, (int)(bottom - top + 1), bytes);
}

#if VRX_SWAP_VARIANT
// Draws a rectangle into the current image with its border and its interior in two colours
void VRX_DrawBox(int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill) {
    draw_box_split(x1, y1, x2, y2, border, fill);
}
#else
// Draws a rectangle filled in the drawing colour into the current image
void VRX_DrawBox(int x1, int y1, int x2, int y2) {
    draw_box_split(x1, y1, x2, y2, vrx_draw_color, vrx_draw_color);
}
#endif
