// image/commands/draw_box.cpp - VRX_DrawBox, the one drawing call of a user routine, in the form of the program
// it is built into.
//
// Thread: the worker thread.
// NOTE: compiled once per program: quarvex (VRX_SWAP_VARIANT 0) fills in the drawing colour,
//       quarvex-swap (VRX_SWAP_VARIANT 1) takes a border colour and a fill colour.

#include "vrxlib.h"

#include "base/process.h"
#include "image/image_table.h"
#include "imaging/draw_core.h"

#if VRX_SWAP_VARIANT
// Draws a rectangle into the current image with its border and its interior in two colours
void VRX_DrawBox(int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill) {
    RasterView r;
    if (current_raster(&r)) draw_box(r, x1, y1, x2, y2, border, fill);
}
#else
// Draws a rectangle filled in the drawing colour into the current image
void VRX_DrawBox(int x1, int y1, int x2, int y2) {
    RasterView r;
    if (current_raster(&r)) draw_box(r, x1, y1, x2, y2, vrx_draw_color, vrx_draw_color);
}
#endif
