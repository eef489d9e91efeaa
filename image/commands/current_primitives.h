// image/commands/current_primitives.h - the drawing primitives on the current image, in the drawing colour,
// with the process-wide pen, as the drawing commands call them.
//
// Each call builds a view of the current image's raster and runs the primitive of imaging/draw_core.h
// on it; none repaints (the caller invalidates the window). When the current image number names a
// free slot nothing is drawn, reads give 0 (get_pixel) or -1 (get_pixel_checked), and only the pen
// moves where a primitive moves it.
//
// Thread: the worker thread.

#pragma once

#include "imaging/draw_core.h"

extern Pen vrx_pen;   // the pen of the drawing commands, (0, 0) at start

//----------------------------------------------------------------------------------
// Pixels of the current image
//----------------------------------------------------------------------------------

// Moves the pen to (x, y) and sets the pixel if inside
void plot_pixel(int x, int y, uint32_t colour);
// Sets the pixel if inside; the pen stays
void put_pixel(int x, int y, uint32_t colour);
// The pixel value, 0 when outside or without a current image
uint32_t get_pixel(int x, int y);
// The pixel value, -1 when outside or without a current image
int get_pixel_checked(int x, int y);
// Moves the pen to (x, y) and inverts the pixel if inside
void xor_plot_pixel(int x, int y);
// Inverts the pixel if inside; the pen stays
void xor_pixel(int x, int y);

//----------------------------------------------------------------------------------
// Shapes on the current image
//----------------------------------------------------------------------------------

// Sets the pixels of the line in colour; pen := (x2, y2)
void draw_line(uint32_t colour, int x1, int y1, int x2, int y2);
// Inverts the pixels of the line, each once; pen := (x2, y2)
void xor_line(int x1, int y1, int x2, int y2);
// Draws the four sides in the drawing colour; the pen ends at (x1, y1)
void draw_box_outline(int x1, int y1, int x2, int y2);
// Draws the rectangle filled in the drawing colour (what the Fill box command draws in both programs)
void draw_box_filled(int x1, int y1, int x2, int y2);
// Inverts the rectangle's outline, each pixel of a proper rectangle once
void xor_box_outline(int x1, int y1, int x2, int y2);
// Inverts every pixel of the rectangle once
void xor_box_fill(int x1, int y1, int x2, int y2);
// Draws the circle outline in colour
void draw_circle(int cx, int cy, int r, uint32_t colour);
// Inverts the circle outline
void xor_circle(int cx, int cy, int r);
// Draws the filled circle in the drawing colour
void draw_disc(int cx, int cy, int r);
// Inverts the filled circle
void xor_disc(int cx, int cy, int r);
// Fills the region of the value at (x, y) with the drawing colour
void flood_fill(int x, int y);
