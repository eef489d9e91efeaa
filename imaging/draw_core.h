// imaging/draw_core.h - the drawing primitives on a raster view: lines, boxes, circles, discs, the
// scan-line flood fill, their xor forms, and the process-wide pen and drawing colours.
//
// Set primitives write a colour; xor primitives invert pixels and are drawn twice to be undone (the
// rubber bands of the point tools). Every pixel of every shape is tested on its own, so the part of a
// shape inside the raster is the same as on an unbounded raster.
// The pen is the caller's: the routines that move it take it as their last argument (none: not kept).
//
// Windows-free. Thread: any (no state of its own).

#pragma once

#include "imaging/raster.h"

// The pen: where the last pen-moving routine ended; connected plots continue from it
struct Pen {
    int x, y;   // may lie outside the raster
};

#define VRX_FILL_STACK 4000        // seeds the flood fill can hold; further seeds are dropped

//----------------------------------------------------------------------------------
// Pen-moving pixels
//----------------------------------------------------------------------------------

// Moves the pen to (x, y) and sets the pixel if inside
void plot_pixel(const RasterView &r, int x, int y, uint32_t colour, Pen *pen = nullptr);
// Moves the pen to (x, y) and inverts the pixel if inside
void xor_plot_pixel(const RasterView &r, int x, int y, Pen *pen = nullptr);

//----------------------------------------------------------------------------------
// Lines and boxes
//----------------------------------------------------------------------------------

// Sets the pixels of the line from (x1, y1) to (x2, y2), both ends included; pen := (x2, y2)
void draw_line(const RasterView &r, uint32_t colour, int x1, int y1, int x2, int y2, Pen *pen = nullptr);
// Inverts the pixels of the line, each once; pen := (x2, y2)
void xor_line(const RasterView &r, int x1, int y1, int x2, int y2, Pen *pen = nullptr);
// Draws the four sides (x1,y1)->(x2,y1)->(x2,y2)->(x1,y2)->(x1,y1) in colour; pen ends at (x1, y1)
void draw_box_outline(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t colour, Pen *pen = nullptr);
// Draws the sorted rectangle's border in border and its interior in fill
void draw_box(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill,
              Pen *pen = nullptr);
// draw_box's pixels on rows first..last-1 only, pen untouched, so that parts of one box can be drawn
// side by side
void draw_box_rows(const RasterView &r, int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill,
                   int first, int last);
// Inverts the outline of the sorted rectangle, each pixel of a proper rectangle once
void xor_box_outline(const RasterView &r, int x1, int y1, int x2, int y2);
// Inverts every pixel of the sorted rectangle once
void xor_box_fill(const RasterView &r, int x1, int y1, int x2, int y2, Pen *pen = nullptr);

//----------------------------------------------------------------------------------
// Circles and discs
//----------------------------------------------------------------------------------

// Draws the circle outline of radius rad around (cx, cy) in colour
void draw_circle(const RasterView &r, int cx, int cy, int rad, uint32_t colour);
// Inverts the circle outline (radius 0 inverts the centre four times, changing nothing)
void xor_circle(const RasterView &r, int cx, int cy, int rad);
// Fills the disc in colour, then draws its outline in colour over it
void draw_disc(const RasterView &r, int cx, int cy, int rad, uint32_t colour);
// Inverts every pixel of the disc once (for rad >= 1); no outline
void xor_disc(const RasterView &r, int cx, int cy, int rad);

//----------------------------------------------------------------------------------
// Fill
//----------------------------------------------------------------------------------

// Fills the 4-connected region of the value at (x, y) with colour (its low byte on 8-bit)
// NOTE: at most VRX_FILL_STACK seeds are held; a very ragged region may be left partly unfilled
void flood_fill(const RasterView &r, int x, int y, uint32_t colour);
