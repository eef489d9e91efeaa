// image/packed_dib.cpp - checking a packed device-independent bitmap from the clipboard.
//
// Thread: any.

#include "image/packed_dib.h"

//----------------------------------------------------------------------------------
// Packed DIBs
//----------------------------------------------------------------------------------

// Reads a little-endian 32-bit value
static uint32_t read32(const unsigned char *p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// Checks a packed DIB of size bytes; 0 and *info filled, or 1 when it cannot be read
// NOTE: every length is compared with what is left of the block before it is added, in 64 bits, so
//       no header value can push an offset past the block or wrap it round.
// NOTE: a run-length picture (BI_RLE8 at 8 bits, BI_RLE4 at 4) is taken bottom-up only, as the format
//       defines it. Its stream is biSizeImage bytes, which must lie inside the block; with biSizeImage
//       0 it is the rest of the block after the colour table. The stream itself is checked by the
//       decoder, which is bounded by it.
int read_packed_dib(const void *block, size_t size, PackedDibInfo *info) {
    const unsigned char *p = (const unsigned char *)block;
    if (!p || !info || size < 40) return 1;
    const unsigned long long total = size;
    unsigned long long header = read32(p);
    if (header < 40 || header > total) return 1;
    int32_t width = (int32_t)read32(p + 4), height = (int32_t)read32(p + 8);
    unsigned planes = (unsigned)(p[12] | p[13] << 8), bits = (unsigned)(p[14] | p[15] << 8);
    uint32_t compression = read32(p + 16), used = read32(p + 32);
    const uint32_t BI_RGB_ = 0, BI_RLE8_ = 1, BI_RLE4_ = 2, BI_BITFIELDS_ = 3;
    if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1) return 1;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return 1;
    bool rle = (compression == BI_RLE8_ && bits == 8) || (compression == BI_RLE4_ && bits == 4);
    if (compression != BI_RGB_ && !rle && !(compression == BI_BITFIELDS_ && (bits == 16 || bits == 32))) return 1;
    if (rle && height < 0) return 1;
    // With BI_BITFIELDS the three colour masks are the 12 bytes at offset 40: inside a header of 52
    // bytes or more, otherwise right after the header, which they must not run past the block from.
    unsigned long long masks_offset = 0, table_offset = header;
    if (compression == BI_BITFIELDS_) {
        masks_offset = header >= 52 ? 40 : header;
        if (masks_offset + 12 > total) return 1;
        if (header < 52) table_offset = header + 12;
    }
    // The table's length in the block follows biClrUsed (or 2^bits); at most 256 entries are taken.
    // NOTE: a picture of b bits per pixel indexes at most 2^b colours; with a larger biClrUsed only
    //       those are taken and the rows still start where the header puts them.
    unsigned long long table_entries = bits <= 8 ? (used ? used : (1ull << bits)) : used;
    unsigned long long colours = 0;
    if (bits <= 8) {
        colours = table_entries < (1ull << bits) ? table_entries : (1ull << bits);
        if (colours > 256) colours = 256;
    }
    if (table_offset > total || table_entries > (total - table_offset) / 4) return 1;
    unsigned long long bits_offset = table_offset + table_entries * 4;
    unsigned long long abs_h = height < 0 ? (unsigned long long)(-(long long)height) : (unsigned long long)height;
    unsigned long long row, bits_bytes;
    if (rle) {
        uint32_t stream = read32(p + 20);
        bits_bytes = stream ? stream : total - bits_offset;
        if (bits_bytes > total - bits_offset) return 1;
        row = ((unsigned long long)width + 3) / 4 * 4;
        if (abs_h > PACKED_DIB_MAX_RLE_BYTES / row) return 1;
    } else {
        row = (((unsigned long long)width * bits + 31) / 32) * 4;
        if (abs_h > (total - bits_offset) / row) return 1;
        bits_bytes = row * abs_h;
    }
    info->width = width;
    info->height = (int)abs_h;
    info->top_down = height < 0;
    info->bit_count = (int)bits;
    info->compression = (int)compression;
    info->colours = (int)colours;
    info->header_size = (size_t)header;
    info->masks_offset = (size_t)masks_offset;
    info->table_offset = (size_t)table_offset;
    info->bits_offset = (size_t)bits_offset;
    info->bits_bytes = (size_t)bits_bytes;
    info->row_bytes = (size_t)row;
    return 0;
}
