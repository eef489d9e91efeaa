// tests/support/dib.h - the one builder of packed DIBs for every layer of the tests: a header of any
// size, a colour table and rows of pixels (or a run-length stream), as the clipboard holds them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The header fields a test sets: size, width, height (negative: top-down), bit count, compression,
// biClrUsed, biSizeImage; total is the size of the whole block (0: exactly header, table and bits)
struct Dib { uint32_t header; int32_t w, h; uint32_t bits, compression, used, size_image; size_t total; uint32_t planes = 1; };

// The block of d: its 40 header bytes (a larger header leaves zeros after them), table (0x00RRGGBB
// entries) and bits, cut or padded with zeros to d.total
inline std::vector<unsigned char> packed_dib(const Dib &d, const std::vector<uint32_t> &table = {}, const std::vector<unsigned char> &bits = {}) {
    std::vector<unsigned char> b(d.header + 4 * table.size() + bits.size(), 0);
    const uint32_t fields[][2] = {{0, d.header}, {4, (uint32_t)d.w}, {8, (uint32_t)d.h}, {12, d.planes | d.bits << 16}, {16, d.compression}, {20, d.size_image}, {32, d.used}};
    for (int i = 0; i < 28; i++) b[fields[i / 4][0] + i % 4] = (unsigned char)(fields[i / 4][1] >> (8 * (i % 4)));
    for (size_t k = 0; k < 4 * table.size(); k++) b[d.header + k] = (unsigned char)(table[k / 4] >> (8 * (k % 4)));
    std::copy(bits.begin(), bits.end(), b.begin() + d.header + 4 * table.size());
    if (d.total) b.resize(d.total);
    return b;
}

// The rows of a w x h picture at 1, 4, 8, 24 or 32 bits, each padded to 4 bytes, the bottom row first
// unless top_down; value(x, y) (y from the top) is a pixel's index, or its colour 0x00RRGGBB
inline std::vector<unsigned char> dib_rows(int bits, int w, int h, bool top_down, const std::function<uint32_t(int, int)> &value) {
    size_t row = ((size_t)w * bits + 31) / 32 * 4;
    std::vector<unsigned char> out(row * h, 0);
    for (int r = 0; r < h; r++)
        for (int x = 0, y = top_down ? r : h - 1 - r; x < w; x++) {
            unsigned char *p = &out[row * r + (size_t)x * bits / 8];
            if (bits < 8) *p |= (unsigned char)(value(x, y) << (8 - bits - x * bits % 8));
            else for (int k = 0; k < bits / 8; k++) p[k] = (unsigned char)(value(x, y) >> (8 * k));
        }
    return out;
}
