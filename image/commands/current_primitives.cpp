// image/commands/current_primitives.cpp - the drawing primitives on the current image: each call finds the
// current image's raster and runs the plain primitive on it, in the drawing colour, with the pen.
//
// Thread: the worker thread.

#include "image/commands/current_primitives.h"

#include "base/process.h"
#include "image/image_table.h"

Pen vrx_pen = {0, 0};

//----------------------------------------------------------------------------------
// Image rasters
//----------------------------------------------------------------------------------

// A view without pixels: every write is skipped and every read is outside
static RasterView no_raster(void) { return raster_view(nullptr, 0, 0, 32); }

// The current image's raster, or an empty view
static RasterView current_or_empty(void) {
    RasterView r = no_raster();
    current_raster(&r);
    return r;
}

//----------------------------------------------------------------------------------
// Pixels of the current image
//----------------------------------------------------------------------------------

void plot_pixel(int x, int y, uint32_t colour) { plot_pixel(current_or_empty(), x, y, colour, &vrx_pen); }
void put_pixel(int x, int y, uint32_t colour) { put_pixel(current_or_empty(), x, y, colour); }
uint32_t get_pixel(int x, int y) { return get_pixel(current_or_empty(), x, y); }
int get_pixel_checked(int x, int y) { return get_pixel_checked(current_or_empty(), x, y); }
void xor_plot_pixel(int x, int y) { xor_plot_pixel(current_or_empty(), x, y, &vrx_pen); }
void xor_pixel(int x, int y) { xor_pixel(current_or_empty(), x, y); }

//----------------------------------------------------------------------------------
// Shapes on the current image
//----------------------------------------------------------------------------------

void draw_line(uint32_t colour, int x1, int y1, int x2, int y2) {
    draw_line(current_or_empty(), colour, x1, y1, x2, y2, &vrx_pen);
}
void xor_line(int x1, int y1, int x2, int y2) { xor_line(current_or_empty(), x1, y1, x2, y2, &vrx_pen); }
void draw_box_outline(int x1, int y1, int x2, int y2) {
    draw_box_outline(current_or_empty(), x1, y1, x2, y2, vrx_draw_color, &vrx_pen);
}
void draw_box_filled(int x1, int y1, int x2, int y2) {
    draw_box(current_or_empty(), x1, y1, x2, y2, vrx_draw_color, vrx_draw_color, &vrx_pen);
}
void xor_box_outline(int x1, int y1, int x2, int y2) { xor_box_outline(current_or_empty(), x1, y1, x2, y2); }
void xor_box_fill(int x1, int y1, int x2, int y2) { xor_box_fill(current_or_empty(), x1, y1, x2, y2, &vrx_pen); }
void draw_circle(int cx, int cy, int r, uint32_t colour) { draw_circle(current_or_empty(), cx, cy, r, colour); }
void xor_circle(int cx, int cy, int r) { xor_circle(current_or_empty(), cx, cy, r); }
void draw_disc(int cx, int cy, int r) { draw_disc(current_or_empty(), cx, cy, r, vrx_draw_color); }
void xor_disc(int cx, int cy, int r) { xor_disc(current_or_empty(), cx, cy, r); }
void flood_fill(int x, int y) { flood_fill(current_or_empty(), x, y, vrx_draw_color); }
