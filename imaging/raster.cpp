// imaging/raster.cpp - raster views, the checked pixel read, and the row and block copies.
//
// The single-pixel accessors are inline in raster.h.
//
// Thread: any (no state of its own).

#include "imaging/raster.h"

#include <cstring>

//----------------------------------------------------------------------------------
// Views and sizes
//----------------------------------------------------------------------------------

// Bytes per row of a raster of width pixels at depth 8 or 32 (0 for any other depth)
int raster_stride(int width, int depth) {
    if (width < 0) return 0;
    if (depth == 32) return width * 4;
    if (depth == 8) return (width + 3) & ~3;
    return 0;
}

// A view of pixels with the row stride of its depth
RasterView raster_view(void *pixels, int width, int height, int depth) {
    RasterView r;
    r.pixels = pixels;
    r.width = width;
    r.height = height;
    r.depth = depth;
    r.stride = raster_stride(width, depth);
    return r;
}

// Bytes of the whole raster, padding included
size_t raster_bytes(const RasterView &r) {
    if (!r.pixels || (r.depth != 8 && r.depth != 32) || r.width <= 0 || r.height <= 0) return 0;
    return (size_t)r.stride * (size_t)r.height;
}

//----------------------------------------------------------------------------------
// Single pixels
//----------------------------------------------------------------------------------

// The value of pixel (x, y) as an int; -1 when outside
int get_pixel_checked(const RasterView &r, int x, int y) {
    if (!raster_inside(r, x, y) || (r.depth != 8 && r.depth != 32)) return -1;
    return (int)get_pixel(r, x, y);
}

//----------------------------------------------------------------------------------
// Rows and blocks
//----------------------------------------------------------------------------------

// Copies the first count pixels of row y into dst, zeros where there is no pixel
void read_row(const RasterView &r, int y, void *dst, int count) {
    if (!dst || count <= 0) return;
    for (int i = 0; i < count; i++) {
        uint32_t v = get_pixel(r, i, y);
        if (r.depth == 8) ((unsigned char *)dst)[i] = (unsigned char)v;
        else ((uint32_t *)dst)[i] = v;
    }
}

// Copies a block into dst, zeros outside the raster
void read_block(const RasterView &r, int x, int y, int w, int h, uint32_t *dst) {
    if (!dst || w <= 0 || h <= 0) return;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) dst[(size_t)j * w + i] = get_pixel(r, x + i, y + j);
}

// The columns [*first, *last) of a w-wide block at column x that fall on a raster of width columns;
// false when none does
static bool clip_columns(int x, int w, int width, long long *first, long long *last) {
    *first = x < 0 ? -(long long)x : 0;
    *last = (long long)x + w < width ? (long long)w : (long long)width - x;
    return *first < *last;
}

// Copies a block into the raster at column x of row 0, one memcpy per row
void write_block(const RasterView &r, int x, const void *src, int w, int h) {
    write_block_rows(r, x, src, w, h, 0, h);
}

// Copies rows first..last-1 of a block into the raster at column x, one memcpy per row
void write_block_rows(const RasterView &r, int x, const void *src, int w, int h, int first_row, int last_row) {
    long long first, last;
    if (!r.pixels || !src || w <= 0 || h <= 0 || !clip_columns(x, w, r.width, &first, &last)) return;
    size_t bpp = r.depth == 8 ? 1 : 4;
    int rows = h < r.height ? h : r.height;
    if (last_row < rows) rows = last_row;
    const unsigned char *from = (const unsigned char *)src;
    unsigned char *to = (unsigned char *)r.pixels;
    for (int j = first_row > 0 ? first_row : 0; j < rows; j++)
        memcpy(to + (size_t)j * r.stride + (size_t)(x + first) * bpp,
               from + ((size_t)j * w + (size_t)first) * bpp, (size_t)(last - first) * bpp);
}

// Copies a block out of the raster, one memcpy per row and zeros outside
void copy_block_out(const RasterView &r, int x, int y, int w, int h, void *dst) {
    if (!dst || w <= 0 || h <= 0) return;
    size_t bpp = r.depth == 8 ? 1 : 4, row_bytes = (size_t)w * bpp;
    long long first = 0, last = 0;
    bool columns = r.pixels && clip_columns(x, w, r.width, &first, &last);
    const unsigned char *from = (const unsigned char *)r.pixels;
    for (int j = 0; j < h; j++) {
        unsigned char *row = (unsigned char *)dst + (size_t)j * row_bytes;
        long long sy = (long long)y + j;
        if (!columns || sy < 0 || sy >= r.height) {
            memset(row, 0, row_bytes);
            continue;
        }
        memset(row, 0, (size_t)first * bpp);
        memcpy(row + (size_t)first * bpp, from + (size_t)sy * r.stride + (size_t)(x + first) * bpp,
               (size_t)(last - first) * bpp);
        memset(row + (size_t)last * bpp, 0, (size_t)(w - last) * bpp);
    }
}

// Bytes per 24-bit row of w pixels, padded to 4
size_t rgb24_stride(int w) { return w > 0 ? ((size_t)w * 3 + 3) & ~(size_t)3 : 0; }

// Writes the top-left w x h block of a 32-bit raster as padded 24-bit rows, zeros outside
void pack_block_rgb24(const RasterView &r, int w, int h, unsigned char *dst) {
    if (!dst || w <= 0 || h <= 0) return;
    size_t stride = rgb24_stride(w);
    bool words = r.pixels && r.depth == 32;
    int columns = words ? (w < r.width ? w : r.width) : 0;
    for (int j = 0; j < h; j++) {
        unsigned char *out = dst + (size_t)j * stride;
        int inside = j < r.height ? columns : 0;
        const uint32_t *in = inside ? (const uint32_t *)raster_row(r, j) : nullptr;
        for (int i = 0; i < inside; i++) {
            uint32_t c = in[i];
            out[3 * i] = (unsigned char)c;
            out[3 * i + 1] = (unsigned char)(c >> 8);
            out[3 * i + 2] = (unsigned char)(c >> 16);
        }
        memset(out + (size_t)inside * 3, 0, stride - (size_t)inside * 3);
    }
}

// How many of a row's first words the in-place packing of w pixels overwrites: those below byte 3 x w
static int packed_words(int w) { return (int)(((long long)w * 3 + 3) / 4); }

// Finds the runs of non-zero top bytes among a row's first count words; false when there are more
// than TOP_BYTE_RUNS, runs[0..TOP_BYTE_RUNS-1] filled (unused ones empty)
// NOTE: four words are compared at a time with the run in hand, so a row of one colour of top byte
//       (a picture drawn by GDI+ has 0xFF throughout) costs little more than reading it.
static bool find_top_byte_runs(const uint32_t *row, int count, TopByteRun *runs) {
    int used = 0;
    uint32_t value = 0;   // top byte of the run in hand; 0 is no run
    int start = 0, i = 0;
    for (int k = 0; k < TOP_BYTE_RUNS; k++) runs[k] = TopByteRun{0, 0, 0};
    while (i < count) {
        uint64_t both = (uint64_t)(value << 24) * 0x100000001ull, a, b;
        for (; i + 4 <= count; i += 4) {
            memcpy(&a, row + i, 8);
            memcpy(&b, row + i + 2, 8);
            if (((a ^ both) | (b ^ both)) & 0xFF000000FF000000ull) break;
        }
        // Word by word up to the first one of another top byte
        for (; i < count && (row[i] >> 24) == value; i++) {}
        if (i >= count) break;
        uint32_t next = row[i] >> 24;
        if (value) runs[used++] = TopByteRun{start, i, value};
        if (next && used == TOP_BYTE_RUNS) return false;
        value = next;
        start = i;
    }
    if (value) runs[used] = TopByteRun{start, count, value};
    return true;
}

// Writes n bytes at at unless they are there already
static inline void store_changed(unsigned char *at, const void *bytes, size_t n) {
    if (memcmp(at, bytes, n) != 0) memcpy(at, bytes, n);
}

// Packs the first w words of a row into 3 x w bytes from its start, front to back
// NOTE: four pixels (16 bytes) are read before their 12 bytes are written, and each write ends before
//       the first byte not yet read, so the row can be its own destination. Groups that already hold
//       their bytes are not written (here and in unpack_span): black a fill never wrote stays on pages
//       the system has not yet had to copy, which is most of a save's first-touch cost.
static void pack_row_in_place(unsigned char *row, int w) {
    int i = 0;
    for (; i + 4 <= w; i += 4) {
        uint64_t a, b;
        memcpy(&a, row + 4 * (size_t)i, 8);
        memcpy(&b, row + 4 * (size_t)i + 8, 8);
        uint64_t low = (a & 0xFFFFFFu) | ((a >> 8) & 0xFFFFFF000000ull) | (b << 48);
        uint32_t high = (uint32_t)((b >> 16) & 0xFFu) | (uint32_t)((b >> 24) & 0xFFFFFF00u);
        store_changed(row + 3 * (size_t)i, &low, 8);
        store_changed(row + 3 * (size_t)i + 8, &high, 4);
    }
    for (; i < w; i++) {
        uint32_t c;
        memcpy(&c, row + 4 * (size_t)i, 4);
        row[3 * (size_t)i] = (unsigned char)c;
        row[3 * (size_t)i + 1] = (unsigned char)(c >> 8);
        row[3 * (size_t)i + 2] = (unsigned char)(c >> 16);
    }
}

// Widens words from..to-1 of a packed row back from their 24-bit form with top byte top, back to front
// NOTE: the mirror of the packing: each word is written above every byte still to be read.
static void unpack_span(unsigned char *row, int from, int to, uint32_t top) {
    uint32_t high_bits = top << 24;
    int i = to;
    for (; i > from && ((i - from) & 3); i--) {
        const unsigned char *in = row + 3 * (size_t)(i - 1);
        uint32_t c = (uint32_t)in[0] | (uint32_t)in[1] << 8 | (uint32_t)in[2] << 16 | high_bits;
        memcpy(row + 4 * (size_t)(i - 1), &c, 4);
    }
    uint64_t both = (uint64_t)high_bits * 0x100000001ull;
    for (i -= 4; i >= from; i -= 4) {
        uint64_t low;
        uint32_t high;
        memcpy(&low, row + 3 * (size_t)i, 8);
        memcpy(&high, row + 3 * (size_t)i + 8, 4);
        uint64_t a = (low & 0xFFFFFFu) | ((low << 8) & 0xFFFFFF00000000ull) | both;
        uint64_t b = (low >> 48) | (uint64_t)(high & 0xFFu) << 16 | (uint64_t)(high >> 8) << 32 | both;
        store_changed(row + 4 * (size_t)i, &a, 8);
        store_changed(row + 4 * (size_t)i + 8, &b, 8);
    }
}

// Packs rows first..last-1 in place with their top-byte runs; the rows packed
int pack_rows_rgb24_in_place(const RasterView &r, int w, int first, int last, TopByteRun *runs) {
    if (!r.pixels || r.depth != 32 || w <= 0 || w > r.width || !runs) return 0;
    if (first < 0) first = 0;
    if (last > r.height) last = r.height;
    int done = 0, count = packed_words(w);
    for (int j = first; j < last; j++, done++) {
        unsigned char *row = raster_row(r, j);
        if (!find_top_byte_runs((const uint32_t *)row, count, runs + (size_t)done * TOP_BYTE_RUNS)) break;
        pack_row_in_place(row, w);
    }
    return done;
}

// Widens rows first..last-1 back to 32-bit words with the top bytes of their runs
void unpack_rows_rgb24_in_place(const RasterView &r, int w, int first, int last, const TopByteRun *runs) {
    if (!r.pixels || r.depth != 32 || w <= 0 || w > r.width || !runs) return;
    if (first < 0) first = 0;
    if (last > r.height) last = r.height;
    int count = packed_words(w);
    for (int j = first; j < last; j++, runs += TOP_BYTE_RUNS) {
        unsigned char *row = raster_row(r, j);
        // From the back: the stretch after each run with top byte 0, then the run itself
        int end = count;
        for (int k = TOP_BYTE_RUNS - 1; k >= 0; k--) {
            if (runs[k].first >= runs[k].last) continue;
            unpack_span(row, runs[k].last, end, 0);
            unpack_span(row, runs[k].first, runs[k].last, runs[k].value);
            end = runs[k].first;
        }
        unpack_span(row, 0, end, 0);
    }
}

// Bytes of a packed DIB's rows of the whole raster, padded to 4
size_t dib_rows_bytes(const RasterView &r) {
    if (!r.pixels || (r.depth != 8 && r.depth != 32) || r.width <= 0 || r.height <= 0) return 0;
    size_t row = r.depth == 32 ? rgb24_stride(r.width) : ((size_t)r.width + 3) & ~(size_t)3;
    return row * (size_t)r.height;
}

// Writes the raster bottom row first as 24-bit or 8-bit rows, padding 0
void pack_dib_rows(const RasterView &r, unsigned char *dst) {
    size_t bytes = dib_rows_bytes(r);
    if (!dst || !bytes) return;
    size_t row = bytes / (size_t)r.height;
    for (int j = 0; j < r.height; j++) {
        unsigned char *out = dst + (size_t)(r.height - 1 - j) * row;
        if (r.depth == 32) {
            pack_block_rgb24(RasterView{raster_row(r, j), r.width, 1, 32, r.stride}, r.width, 1, out);
        } else {
            memcpy(out, raster_row(r, j), (size_t)r.width);
            memset(out + r.width, 0, row - (size_t)r.width);
        }
    }
}
