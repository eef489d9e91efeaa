// tests/native/image_blocks_test.cpp - block copies into and out of a raster, as the user routine's
// put and get calls make them: clipped at the edges, zeros read outside, 8-bit rows padded.
#include "imaging/raster.h"

#include <gtest/gtest.h>

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
