// tests/native/image_blocks_test.cpp - block copies into and out of a raster, as the user routine's
// put and get calls make them: clipped at the edges, zeros read outside, 8-bit rows padded.
#include "imaging/raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

TEST(WriteBlock, ClipsAtTheRightAndBottomAndSkipsNegativeColumns) {
    std::vector<uint32_t> pixels(3 * 2, 0);
    RasterView r = raster_view(pixels.data(), 3, 2, 32);
    std::vector<uint32_t> block(5 * 3);
    for (size_t i = 0; i < block.size(); i++) block[i] = (uint32_t)(i + 1);
    write_block(r, 1, block.data(), 5, 3);   // wider and taller than the raster
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0, 1, 2, 0, 6, 7}));
    write_block(r, -4, block.data(), 5, 1);  // only its last column lands, at column 0
    EXPECT_EQ(pixels[0], 5u);
    EXPECT_EQ(pixels[1], 1u);
    write_block(r, 3, block.data(), 5, 3);   // entirely to the right
    write_block(r, -5, block.data(), 5, 3);  // entirely to the left
    EXPECT_EQ(pixels, (std::vector<uint32_t>{5, 1, 2, 0, 6, 7}));
}

TEST(WriteBlock, KeepsTheRowPaddingOf8BitRasters) {
    std::vector<unsigned char> pixels(4 * 2, 0xEE);   // width 3: rows of 4 bytes
    RasterView r = raster_view(pixels.data(), 3, 2, 8);
    unsigned char block[] = {1, 2, 3, 4, 5, 6};
    write_block(r, 0, block, 3, 2);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{1, 2, 3, 0xEE, 4, 5, 6, 0xEE}));
}

TEST(CopyBlockOut, ReadsZerosOutsideAndEntriesOfTheRastersDepth) {
    std::vector<uint32_t> pixels = {1, 2, 3, 4, 5, 6};   // 3 x 2
    RasterView r = raster_view(pixels.data(), 3, 2, 32);
    std::vector<uint32_t> out(4 * 3, 0xDEADBEEF);
    copy_block_out(r, -1, 1, 4, 3, out.data());
    EXPECT_EQ(out, (std::vector<uint32_t>{0, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0}));
    copy_block_out(r, 2, 0, 2, 2, out.data());
    EXPECT_EQ(out[0], 3u);
    EXPECT_EQ(out[1], 0u);
    EXPECT_EQ(out[2], 6u);
    copy_block_out(r, 10, 10, 2, 1, out.data());
    EXPECT_EQ(out[0], 0u);

    std::vector<unsigned char> grey = {10, 11, 12, 0xEE, 20, 21, 22, 0xEE};
    RasterView g = raster_view(grey.data(), 3, 2, 8);
    unsigned char bytes[6];
    copy_block_out(g, 1, 0, 3, 2, bytes);
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 6),
              (std::vector<unsigned char>{11, 12, 0, 21, 22, 0})) << "the padding is not a pixel";
}

TEST(CopyBlockOut, HugeOffsetsDoNotWrap) {
    std::vector<uint32_t> pixels = {7};
    RasterView r = raster_view(pixels.data(), 1, 1, 32);
    uint32_t out[2] = {9, 9};
    copy_block_out(r, INT32_MAX, 0, 2, 1, out);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(out[1], 0u);
    write_block(r, INT32_MAX, out, 2, 1);
    copy_block_out(r, INT32_MIN, 0, 2, 1, out);
    EXPECT_EQ(out[0], 0u);
    EXPECT_EQ(pixels[0], 7u);
}

// The 24-bit rows a 32-bit block is saved from: blue, green, red bytes, rows padded to 4 with zeros
TEST(PackRgb24, WritesBlueGreenRedRowsPaddedToFourBytes) {
    uint32_t pixels[] = {0x112233, 0x445566, 0x778899,
                         0xAABBCC, 0xDDEEFF, 0x010203};
    RasterView r = raster_view(pixels, 3, 2, 32);
    EXPECT_EQ(rgb24_stride(3), 12u);   // 9 bytes of pixels, 3 of padding
    EXPECT_EQ(rgb24_stride(4), 12u);
    EXPECT_EQ(rgb24_stride(0), 0u);
    std::vector<unsigned char> out(2 * 12, 0xEE);
    pack_block_rgb24(r, 3, 2, out.data());
    const unsigned char expected[] = {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0,
                                      0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0};
    EXPECT_EQ(std::vector<unsigned char>(expected, expected + 24), out);
}

TEST(PackRgb24, ABlockLargerThanTheRasterIsBlackOutsideAndAPartialOneKeepsItsColumns) {
    uint32_t pixels[] = {0xFF0000, 0x00FF00,
                         0x0000FF, 0xFFFFFF};
    RasterView r = raster_view(pixels, 2, 2, 32);
    // 3 x 3 from a 2 x 2 raster: a black column on the right and a black row at the bottom.
    std::vector<unsigned char> out(3 * 12, 0xEE);
    pack_block_rgb24(r, 3, 3, out.data());
    const unsigned char row0[12] = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0};
    const unsigned char row1[12] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(out.data(), row0, 12));
    EXPECT_EQ(0, memcmp(out.data() + 12, row1, 12));
    EXPECT_EQ(std::vector<unsigned char>(12, 0), std::vector<unsigned char>(out.begin() + 24, out.end()));
    // 1 x 2 from the same raster: only the first column of each row, in a row of 4 bytes.
    std::vector<unsigned char> narrow(2 * 4, 0xEE);
    pack_block_rgb24(r, 1, 2, narrow.data());
    const unsigned char expected[] = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
    EXPECT_EQ(0, memcmp(narrow.data(), expected, 8));
}

TEST(PackRgb24, ARasterWithoutWordsGivesBlackRows) {
    unsigned char grey[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<unsigned char> out(2 * 8, 0xEE);
    pack_block_rgb24(raster_view(grey, 2, 2, 8), 2, 2, out.data());   // 8-bit: not read as words
    EXPECT_EQ(std::vector<unsigned char>(16, 0), out);
    std::fill(out.begin(), out.end(), 0xEE);
    pack_block_rgb24(raster_view(nullptr, 2, 2, 32), 2, 2, out.data());
    EXPECT_EQ(std::vector<unsigned char>(16, 0), out);
}

// The rows of the clipboard's packed DIB: bottom row first, 24-bit or 8-bit, every padding byte 0
TEST(PackDibRows, WritesTheRasterBottomUpWithZeroPadding) {
    uint32_t words[] = {0x112233, 0x445566, 0x778899,
                        0xFFAABBCC, 0xDDEEFF, 0x010203};   // the top byte is not a colour
    unsigned char indices[] = {1, 2, 3, 0xEE, 4, 5, 6, 0xEE};   // 3 wide: rows of 4, padding 0xEE
    struct Case {
        RasterView view;
        std::vector<unsigned char> rows;
    } cases[] = {
        {raster_view(words, 3, 2, 32), {0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0,
                                        0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0}},
        {raster_view(words, 1, 2, 32), {0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0}},   // 1 wide: stride 1 word
        {raster_view(indices, 3, 2, 8), {4, 5, 6, 0, 1, 2, 3, 0}},
        {raster_view(nullptr, 3, 2, 32), {}},
        {raster_view(words, 3, 2, 16), {}},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(dib_rows_bytes(c.view), c.rows.size()) << c.view.width << "x" << c.view.depth;
        std::vector<unsigned char> out(c.rows.size() + 1, 0xEE);
        pack_dib_rows(c.view, out.data());
        EXPECT_EQ(std::vector<unsigned char>(out.begin(), out.end() - 1), c.rows) << c.view.width << "x" << c.view.depth;
        EXPECT_EQ(out.back(), 0xEE) << "nothing past the rows";
    }
}
