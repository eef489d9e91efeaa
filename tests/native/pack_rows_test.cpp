// tests/native/pack_rows_test.cpp - the save's 24-bit packing inside a 32-bit raster and the box drawn a
// band of rows at a time, each against the plain routine it stands in for.
#include "imaging/draw_core.h"
#include "imaging/raster.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// Packing rows in any split gives pack_block_rgb24's bytes at the front of each row; unpacking gives back
// every word; a row with more runs of top bytes than are kept stops the packing before it, untouched
TEST(PackRowsInPlace, GivesThePlainBytesAndRestoresEveryWord) {
    // w packed of width, height, top bytes: 0 none, 1 all 0xFF, 2 0xFF in the middle third,
    // 3 a new value every 2 words (more runs than kept in 48 words), rows expected packed
    const int cases[][5] = {{1, 1, 1, 0, 1}, {3, 5, 2, 1, 2}, {4, 4, 3, 2, 3}, {7, 9, 2, 3, 2},
                            {13, 13, 3, 2, 3}, {40, 43, 3, 1, 3}, {64, 64, 2, 3, 0}, {10, 64, 2, 3, 2}};
    for (const int *c : cases) {
        int w = c[0], width = c[1], height = c[2], top = c[3];
        std::vector<uint32_t> words((size_t)width * height);
        for (size_t i = 0; i < words.size(); i++) {
            int x = (int)(i % width);
            uint32_t t = top == 1 ? 0xFF : top == 2 ? (3 * x >= width && 3 * x < 2 * width ? 0xFF : 0) : top == 3 ? x / 2 % 3 : 0;
            words[i] = ((uint32_t)(i * 2654435761u) & 0xFFFFFF) | t << 24;
        }
        std::vector<uint32_t> raster = words;
        RasterView r = raster_view(raster.data(), width, height, 32);
        std::vector<unsigned char> plain(rgb24_stride(w) * height);
        pack_block_rgb24(r, w, height, plain.data());
        std::vector<TopByteRun> runs((size_t)height * TOP_BYTE_RUNS);
        int split = height / 2, rows = pack_rows_rgb24_in_place(r, w, split, height, &runs[(size_t)split * TOP_BYTE_RUNS]);
        rows += pack_rows_rgb24_in_place(r, w, 0, split, runs.data());
        ASSERT_EQ(rows, c[4]) << w << " of " << width;
        for (int j = 0; j < c[4]; j++)
            EXPECT_EQ(0, memcmp(raster_row(r, j), &plain[rgb24_stride(w) * j], (size_t)w * 3)) << w << " of " << width << ", row " << j;
        unpack_rows_rgb24_in_place(r, w, 0, c[4], runs.data());
        EXPECT_EQ(raster, words) << w << " of " << width << " wide, top bytes " << top;
    }
}

// A box drawn in two bands of rows (the lower first) is the box drawn at once: clipped, thin, reversed
TEST(DrawBoxRows, TwoBandsEqualTheWholeBox) {
    const int boxes[][4] = {{0, 0, 5, 5}, {6, 4, 1, 0}, {1, -2, 9, 2}, {2, 1, 2, 6}, {-9, -9, 99, 99}, {0, 5, 6, 5},
                            {INT32_MIN, 2, INT32_MAX, 4}};
    for (int depth : {8, 32})
        for (const int *b : boxes)
            for (int split = 0; split <= 7; split++) {
                std::vector<uint32_t> whole(7 * 7, 0xEEEEEEEE), parts = whole;
                RasterView rw = raster_view(whole.data(), 7, 7, depth), rp = raster_view(parts.data(), 7, 7, depth);
                draw_box(rw, b[0], b[1], b[2], b[3], 0x1234, 0x5678);
                draw_box_rows(rp, b[0], b[1], b[2], b[3], 0x1234, 0x5678, split, 7);
                for (int y = 0; y < split; y++)
                    EXPECT_EQ(raster_row(rp, y)[0], 0xEE) << "row " << y << " drawn by the band from " << split;
                draw_box_rows(rp, b[0], b[1], b[2], b[3], 0x1234, 0x5678, -5, split);
                EXPECT_EQ(whole, parts) << depth << "-bit box " << b[0] << "," << b[1] << " " << b[2] << "," << b[3] << " split " << split;
            }
}
