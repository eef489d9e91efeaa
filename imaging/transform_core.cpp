// imaging/transform_core.cpp - flips, quarter turns and rescale sizes on plain rasters.
//
// Thread: any (no state of its own).

#include "imaging/transform_core.h"

#include <string.h>

// Bytes of one pixel at a depth (0 for a bad depth)
static int pixel_bytes(int depth) { return depth == 32 ? 4 : depth == 8 ? 1 : 0; }

// Address of pixel (x, y), which the caller knows to be inside
static unsigned char *pixel_at(const RasterView &r, int x, int y) {
    return (unsigned char *)r.pixels + (size_t)y * (size_t)r.stride + (size_t)x * (size_t)pixel_bytes(r.depth);
}

// Exchanges two pixels of n bytes
static void swap_pixels(unsigned char *a, unsigned char *b, int n) {
    for (int k = 0; k < n; k++) { unsigned char t = a[k]; a[k] = b[k]; b[k] = t; }
}

// Mirrors the raster left to right in place
void flip_horizontal(const RasterView &r) {
    int n = pixel_bytes(r.depth);
    if (!r.pixels || !n) return;
    for (int y = 0; y < r.height; y++)
        for (int x = 0; x < r.width / 2; x++) swap_pixels(pixel_at(r, x, y), pixel_at(r, r.width - 1 - x, y), n);
}

// Mirrors the raster top to bottom in place
void flip_vertical(const RasterView &r) {
    int n = pixel_bytes(r.depth);
    if (!r.pixels || !n) return;
    for (int y = 0; y < r.height / 2; y++)
        swap_pixels(pixel_at(r, 0, y), pixel_at(r, 0, r.height - 1 - y), r.width * n);
}

// Bytes a packed copy needs
size_t packed_bytes(int width, int height, int depth) {
    if (width <= 0 || height <= 0) return 0;
    return (size_t)width * (size_t)height * (size_t)pixel_bytes(depth);
}

// Copies the raster into packed rows
void copy_to_packed(const RasterView &r, void *packed) {
    int n = pixel_bytes(r.depth);
    if (!r.pixels || !packed || !n) return;
    size_t row = (size_t)r.width * n;
    for (int y = 0; y < r.height; y++) memcpy((unsigned char *)packed + row * y, pixel_at(r, 0, y), row);
}

// Writes the quarter turn of a packed w x h raster into dst (h wide, w high)
// NOTE: walked in square tiles: a row of the turned raster reads a column of the packed one, and a
//       tile keeps the rows of those columns in the cache instead of fetching each once per pixel
void rotate_packed(const void *packed, int w, int h, const RasterView &dst, bool clockwise) {
    int n = pixel_bytes(dst.depth);
    if (!packed || !dst.pixels || !n || dst.width != h || dst.height != w) return;
    const unsigned char *src = (const unsigned char *)packed;
    const int tile = 64;
    for (int ty = 0; ty < w; ty += tile)
        for (int tx = 0; tx < h; tx += tile) {
            int y_end = ty + tile < w ? ty + tile : w, x_end = tx + tile < h ? tx + tile : h;
            for (int y = ty; y < y_end; y++) {
                unsigned char *row = pixel_at(dst, 0, y);
                for (int x = tx; x < x_end; x++) {
                    int i = clockwise ? y : w - 1 - y;
                    int j = clockwise ? h - 1 - x : x;
                    size_t from = (size_t)j * w + i;
                    if (n == 4) memcpy(row + (size_t)x * 4, src + from * 4, 4);
                    else row[x] = src[from];
                }
            }
        }
}

// The rescaled length of n, at least 1
int scaled_length(int n, int factor) {
    long long v = ((long long)n * factor + 500) / 1000;
    if (v < 1) v = 1;
    if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
    return (int)v;
}
