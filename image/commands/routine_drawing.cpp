// image/commands/routine_drawing.cpp - the drawing calls of a user routine: the drawing colour, pixels,
// lines, box outlines, circles, discs, fills, and bitmap and TrueType text at a position.
//
// Each call draws into the current image with the primitives the image window's drawing commands use,
// and never repaints: the routine shows its work with VRX_UpdateImage.
//
// Thread: the worker thread (the user routine).

#include "base/process.h"
#include "image/commands/bitmap_text.h"
#include "image/commands/current_primitives.h"
#include "image/commands/tt_text.h"
#include "vrxlib.h"

//----------------------------------------------------------------------------------
// Colour and pixels
//----------------------------------------------------------------------------------

// Sets the drawing colour
void VRX_SetDrawColor(uint32_t color) { vrx_draw_color = color; }
// The drawing colour
uint32_t VRX_GetDrawColor(void) { return vrx_draw_color; }
// Sets pixel (x, y) to the drawing colour
void VRX_DrawPixel(int x, int y) { plot_pixel(x, y, vrx_draw_color); }
// Pixel (x, y); -1 outside the current image or without one
int VRX_GetPixel(int x, int y) { return get_pixel_checked(x, y); }

//----------------------------------------------------------------------------------
// Shapes in the drawing colour
//----------------------------------------------------------------------------------

// Draws the line between both end points
void VRX_DrawLine(int x1, int y1, int x2, int y2) { draw_line(vrx_draw_color, x1, y1, x2, y2); }
// Draws the four sides of a box
void VRX_DrawBoxOutline(int x1, int y1, int x2, int y2) { draw_box_outline(x1, y1, x2, y2); }
// Draws a circle outline
void VRX_DrawCircle(int cx, int cy, int r) { draw_circle(cx, cy, r, vrx_draw_color); }
// Draws a filled circle
void VRX_DrawDisc(int cx, int cy, int r) { draw_disc(cx, cy, r); }
// Fills the region of (x, y)'s value
void VRX_FillRegion(int x, int y) { flood_fill(x, y); }

//----------------------------------------------------------------------------------
// Text at a position
//----------------------------------------------------------------------------------

// Draws bitmap-font text in vrx_tc with its baseline at row y from column x; a new line returns to x
void VRX_DrawText(int x, int y, const char *text) {
    if (!text) return;
    vrx_text_cursor = TextCursor{x, y, x};
    draw_string(text);
}

// Draws TrueType text in vrx_tttc with its cell ending at row y from column x; a new line returns to x
void VRX_DrawTrueTypeText(int x, int y, const char *text) {
    if (!text) return;
    vrx_text_cursor = TextCursor{x, y, x};
    tt_draw_string(text);
}
