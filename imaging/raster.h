// imaging/raster.h - a view of an image's pixels, shared by every drawing and analysis routine.
//
// A raster is top-down: row 0 is the top row. A 32-bit pixel is the word 0x00RRGGBB, rows of width
// words; an 8-bit pixel is a palette index, rows of width bytes rounded up to a multiple of 4.
// Nothing here includes <windows.h>: the Win32 layer builds a view of an image window's DIB section
// and hands it to these routines.
//
// Thread: any (no state of its own).

#pragma once

#include <stddef.h>
#include <stdint.h>

struct RasterView {
    void *pixels;       // first byte of row 0; rows follow top-down
    int width, height;  // in pixels
    int depth;          // 8 or 32
    int stride;         // bytes per row: width * 4, or width rounded up to 4 for 8-bit
};

//----------------------------------------------------------------------------------
// Views and sizes
//----------------------------------------------------------------------------------

// Bytes per row of a raster of width pixels at depth 8 or 32 (0 for any other depth)
int raster_stride(int width, int depth);
// A view of pixels with the row stride of its depth
RasterView raster_view(void *pixels, int width, int height, int depth);
// Bytes of the whole raster, padding included (0 for a view without pixels or with a bad depth)
size_t raster_bytes(const RasterView &r);

//----------------------------------------------------------------------------------
// Single pixels (every access tests the bounds; no allocation)
//----------------------------------------------------------------------------------
// NOTE: defined here, inline, because the fills, patterns and Invert call them once per pixel; a call
//       into another file for each pixel cost more than the pixel's work.

// True when (x, y) lies on the raster (coordinates compared unsigned, so negatives are outside)
inline bool raster_inside(const RasterView &r, int x, int y) {
    return r.pixels && (unsigned)x < (unsigned)r.width && (unsigned)y < (unsigned)r.height;
}
// Address of row y, which the caller knows to be inside
inline unsigned char *raster_row(const RasterView &r, int y) {
    return (unsigned char *)r.pixels + (size_t)y * (size_t)r.stride;
}
// Sets pixel (x, y) to colour (its low byte on an 8-bit raster) if inside
inline void put_pixel(const RasterView &r, int x, int y, uint32_t colour) {
    if (!raster_inside(r, x, y)) return;
    if (r.depth == 32) ((uint32_t *)raster_row(r, y))[x] = colour;
    else if (r.depth == 8) raster_row(r, y)[x] = (unsigned char)(colour & 0xFF);
}
// The value of pixel (x, y): the word, or the index 0..255 on an 8-bit raster; 0 when outside
inline uint32_t get_pixel(const RasterView &r, int x, int y) {
    if (!raster_inside(r, x, y)) return 0;
    if (r.depth == 32) return ((const uint32_t *)raster_row(r, y))[x];
    if (r.depth == 8) return raster_row(r, y)[x];
    return 0;
}
// The value of pixel (x, y) as an int; -1 when outside
int get_pixel_checked(const RasterView &r, int x, int y);
// Inverts pixel (x, y) if inside
// NOTE: a 32-bit pixel has its colour bits inverted (XOR 0xFFFFFF), so the top byte stays 0
inline void xor_pixel(const RasterView &r, int x, int y) {
    if (!raster_inside(r, x, y)) return;
    if (r.depth == 32) ((uint32_t *)raster_row(r, y))[x] ^= 0xFFFFFFu;
    else if (r.depth == 8) raster_row(r, y)[x] ^= 0xFF;
}

//----------------------------------------------------------------------------------
// Rows and blocks
//----------------------------------------------------------------------------------

// Copies pixels 0..count-1 of row y into dst as entries of the raster's depth (32-bit words or
// bytes); entries past the width, or all of them when y is outside, are 0
void read_row(const RasterView &r, int y, void *dst, int count);
// Copies the w x h block at (x, y) into dst as 32-bit values, rows one after another; pixels outside
// the raster read as 0
void read_block(const RasterView &r, int x, int y, int w, int h, uint32_t *dst);
// Copies a w x h block of entries of the raster's depth (32-bit words or bytes, rows packed) into
// the raster with its top-left corner at column x of row 0; what lands outside is skipped
void write_block(const RasterView &r, int x, const void *src, int w, int h);
// write_block for the block's rows first..last-1 only (the rest of the block is not touched), so that
// parts of one block can be written side by side
void write_block_rows(const RasterView &r, int x, const void *src, int w, int h, int first, int last);
// Copies the w x h block at (x, y) out as entries of the raster's depth, rows packed; pixels outside
// the raster read as 0
void copy_block_out(const RasterView &r, int x, int y, int w, int h, void *dst);
// Bytes per row of a 24-bit block w pixels wide, rounded up to a multiple of 4 (0 for w below 1)
size_t rgb24_stride(int w);
// Writes the w x h block at the top-left corner of a 32-bit raster as 24-bit rows (bytes blue, green,
// red per pixel, each row rgb24_stride(w) bytes with its padding 0) into dst: one pass, no other
// buffer; pixels outside the raster, or all of them for a raster that is not 32-bit, are 0
void pack_block_rgb24(const RasterView &r, int w, int h, unsigned char *dst);
// The top bytes of a packed row's overwritten words, kept beside it as runs: words first..last-1 had
// the top byte value (runs of value 0 are not kept)
struct TopByteRun {
    int first, last;
    uint32_t value;
};
#define TOP_BYTE_RUNS 8   // runs kept per row
// Packs rows first..last-1 of a 32-bit raster in place: the first w pixels of each row become 24-bit
// pixels (blue, green, red bytes) in the row's own first 3 x w bytes, so the rows keep the raster's
// stride; the top bytes of the words it overwrites go into runs, TOP_BYTE_RUNS entries per row from
// row first on. Stops before a row that needs more runs; the number of rows packed (w at most the width)
int pack_rows_rgb24_in_place(const RasterView &r, int w, int first, int last, TopByteRun *runs);
// Undoes pack_rows_rgb24_in_place for rows first..last-1 packed w pixels wide with their runs: every
// word is as before
void unpack_rows_rgb24_in_place(const RasterView &r, int w, int first, int last, const TopByteRun *runs);
// Bytes of the rows of a packed DIB of the whole raster: 24-bit rows for a 32-bit raster, 8-bit rows
// for an 8-bit one, each padded to a multiple of 4 (0 for a view without pixels or with a bad depth)
size_t dib_rows_bytes(const RasterView &r);
// Writes the whole raster as the rows of a bottom-up packed DIB into dst (dib_rows_bytes(r) bytes):
// the bottom row first, a 32-bit raster as blue, green, red bytes, an 8-bit one as its indices, every
// row's padding 0
void pack_dib_rows(const RasterView &r, unsigned char *dst);
