// imaging/rle_decode.cpp - BI_RLE8 and BI_RLE4 streams decoded into an 8-bit raster, bounded by the
// block and the raster.
//
// The position is a column x (0..width, width meaning "past the row end") and a stream row counted
// from the bottom; stream row r is raster row height - 1 - r.
//
// Thread: any (no state of its own).

#include "imaging/rle_decode.h"

#include <string.h>

//----------------------------------------------------------------------------------
// Runs
//----------------------------------------------------------------------------------

// Writes the n indices of a run at column *x of raster row y, dropping those past the row end, and
// moves *x to the run's end or the row end. data holds the encoded run's index byte (absolute false)
// or the absolute run's indices: bytes for bits 8, nibbles high first for bits 4
static void rle_put_run(const RasterView &out, int *x, int y, int n, const uint8_t *data, bool absolute, int bits) {
    int room = out.width - *x;
    int count = n < room ? n : room;
    unsigned char *p = raster_row(out, y) + *x;
    for (int i = 0; i < count; i++) {
        unsigned b = data[absolute ? (bits == 8 ? i : i / 2) : 0];
        p[i] = (unsigned char)(bits == 8 ? b : (i & 1) ? b & 15 : b >> 4);
    }
    *x += count;
}

//----------------------------------------------------------------------------------
// Streams
//----------------------------------------------------------------------------------

// Decodes a BI_RLE8 or BI_RLE4 stream into out; 0 decoded, 1 malformed
int rle_decode(const uint8_t *stream, size_t size, int bits, RasterView out) {
    if (bits != 4 && bits != 8) return 1;
    if (!out.pixels || out.depth != 8 || out.width < 1 || out.height < 1 || out.stride < out.width) return 1;
    if (!stream && size) return 1;
    for (int y = 0; y < out.height; y++) memset(raster_row(out, y), 0, (size_t)out.width);
    int x = 0, row = 0;
    size_t at = 0;
    while (at < size) {
        if (size - at < 2) return 1;
        int n = stream[at], code = stream[at + 1];
        at += 2;
        if (n > 0) {                                   // encoded run of n pixels
            rle_put_run(out, &x, out.height - 1 - row, n, &stream[at - 1], false, bits);
        } else if (code == 0) {                        // end of line
            x = 0;
            if (++row >= out.height) return 0;
        } else if (code == 1) {                        // end of bitmap
            return 0;
        } else if (code == 2) {                        // delta
            if (size - at < 2) return 1;
            int dx = stream[at], dy = stream[at + 1];
            at += 2;
            x = dx < out.width - x ? x + dx : out.width;
            if (dy >= out.height - row) return 0;
            row += dy;
        } else {                                       // absolute run of code indices
            size_t bytes = bits == 8 ? (size_t)code : (size_t)(code + 1) / 2;
            size_t padded = bytes + (bytes & 1);
            if (size - at < padded) return 1;
            rle_put_run(out, &x, out.height - 1 - row, code, &stream[at], true, bits);
            at += padded;
        }
    }
    return 0;
}
