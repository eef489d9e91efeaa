// imaging/rle_decode.h - decoding of run-length compressed device-independent bitmap rows (BI_RLE8, BI_RLE4).
//
// A stream is a sequence of byte pairs. Encoded mode: a first byte n > 0 is a run of n pixels of the
// second byte (RLE8), or of its two 4-bit indices used alternately, high nibble first (RLE4). Escape
// (first byte 0): second byte 0 ends the line, 1 ends the bitmap, 2 is a delta whose next two bytes
// dx, dy move the position right and up (to later stream rows); n >= 3 is an absolute run of n indices
// (n bytes, or n nibbles high first in (n + 1) / 2 bytes), padded with one byte to an even length.
//
// NOTE: the decoder is bounded by the block it is given, not by the picture's header: every code is
//       checked against the bytes left before it is read, every pixel against the raster before it
//       is written. It allocates nothing and each code consumes at least two bytes, so it always ends.
// NOTE: choices for streams that do not fit their picture:
//       - a run (encoded or absolute) crossing the right edge is clipped: its pixels past the row end
//         are dropped and the position stays at the row end, so later runs of that line are dropped
//         too until an end of line or a delta with dy > 0; a delta's dx is clipped the same way;
//       - an end of line or a delta that moves past the top row ends decoding with 0; the bytes
//         after it are not read and the rows decoded stay;
//       - a stream that ends at a pair boundary without an end-of-bitmap code gives 0 with what was
//         decoded;
//       - a stream cut inside a code (a lone last byte, a delta without its two bytes, an absolute
//         run short of its indices or of its pad byte) gives 1; the pixels decoded before that code
//         stay, the cut code writes none.
//
// Thread: any (no state of its own).

#pragma once

#include "imaging/raster.h"

#include <stddef.h>
#include <stdint.h>

// Decodes size bytes of a BI_RLE8 (bits 8) or BI_RLE4 (bits 4) stream into out, an 8-bit raster of the
// picture's width x height colour indices, top-down; the stream's first row is the picture's bottom row.
// Pixels the stream never sets are 0 (row padding is left as it was). Returns 0 decoded, 1 malformed
// (bits not 4 or 8, no 8-bit raster, or a code that needs bytes the block does not have)
int rle_decode(const uint8_t *stream, size_t size, int bits, RasterView out);
