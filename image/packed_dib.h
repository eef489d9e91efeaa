// image/packed_dib.h - what a packed device-independent bitmap from the clipboard holds, checked against
// the block it came in before any of it is used.
//
// Windows-free. Thread: any.

#pragma once

#include <stddef.h>
#include <stdint.h>

// What a packed device-independent bitmap holds, once checked
struct PackedDibInfo {
    int width, height;       // height positive; top_down tells the row order
    int top_down;
    int bit_count;           // 1, 4, 8, 16, 24 or 32
    int colours;             // colour-table entries present (0..256 taken)
    size_t header_size;      // biSize
    size_t masks_offset;     // where the three BI_BITFIELDS masks start; 0 without them
    size_t table_offset;     // where the colour table starts
    size_t bits_offset;      // where the pixel rows start
    size_t row_bytes;        // bytes per row, padded to 4
};

// Checks a packed DIB of size bytes; 0 and *info filled, or 1 when it is not one this program can read
int read_packed_dib(const void *block, size_t size, PackedDibInfo *info);
