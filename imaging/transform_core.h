// imaging/transform_core.h - the geometric transforms on plain rasters: mirror flips in place, quarter
// turns from a packed copy, and the sizes of the fixed rescales.
//
// Thread: any (no state of its own).

#pragma once

#include "imaging/raster.h"

// Mirrors the raster left to right in place: pixel (x, y) takes what (w - 1 - x, y) held
void flip_horizontal(const RasterView &r);
// Mirrors the raster top to bottom in place: pixel (x, y) takes what (x, h - 1 - y) held
void flip_vertical(const RasterView &r);
// Bytes a packed copy of the raster needs: width x height entries of the depth, rows without padding
size_t packed_bytes(int width, int height, int depth);
// Copies the raster into packed (packed_bytes of it), rows one after another without padding
void copy_to_packed(const RasterView &r, void *packed);
// Writes the quarter turn of a packed w x h raster into dst, which is h wide and w high:
// clockwise, new (x, y) = old (y, h - 1 - x); counter-clockwise, new (x, y) = old (w - 1 - y, x)
void rotate_packed(const void *packed, int w, int h, const RasterView &dst, bool clockwise);
// The rescaled length (n * factor + 500) / 1000 of a length n, factor in thousandths; at least 1
int scaled_length(int n, int factor);
