// image/packed_dib.h - what a packed device-independent bitmap from the clipboard holds, checked against
// the block it came in before any of it is used.
//
// Windows-free. Thread: any.

#pragma once

#include <stddef.h>
#include <stdint.h>

// The most bytes the 8-bit rows of a decoded run-length picture may take (64 MB): its block does not
// bound them, since a few bytes of deltas can describe any size
#define PACKED_DIB_MAX_RLE_BYTES (1ull << 26)

// What a packed device-independent bitmap holds, once checked
struct PackedDibInfo {
    int width, height;       // height positive; top_down tells the row order
    int top_down;
    int bit_count;           // 1, 4, 8, 16, 24 or 32
    int compression;         // 0 BI_RGB, 1 BI_RLE8 (8 bits), 2 BI_RLE4 (4 bits), 3 BI_BITFIELDS
    int colours;             // colour-table entries present (0..256 taken)
    size_t header_size;      // biSize
    size_t masks_offset;     // where the three BI_BITFIELDS masks start; 0 without them
    size_t table_offset;     // where the colour table starts
    size_t bits_offset;      // where the pixel rows (or the run-length stream) start
    size_t bits_bytes;       // bytes of them in the block: the rows, or the stream's length
    size_t row_bytes;        // bytes per row, padded to 4; run-length pictures: of their decoded 8-bit rows
};

// Checks a packed DIB of size bytes; 0 and *info filled, or 1 when it is not one this program can read
int read_packed_dib(const void *block, size_t size, PackedDibInfo *info);
