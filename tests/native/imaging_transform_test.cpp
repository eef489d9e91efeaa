// Flips, quarter turns and rescale sizes on plain rasters.
#include <gtest/gtest.h>

#include "imaging/transform_core.h"

#include <vector>

namespace {

// A raster with its own storage, every pixel numbered from its position
struct Image {
    std::vector<unsigned char> bytes;
    RasterView view;
    Image(int w, int h, int depth) {
        bytes.assign((size_t)raster_stride(w, depth) * h, 0);
        view = raster_view(bytes.data(), w, h, depth);
    }
    static Image numbered(int w, int h, int depth) {
        Image im(w, h, depth);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) put_pixel(im.view, x, y, depth == 32 ? 0x010000u * (x + 1) + y + 1 : 16u * y + x + 1);
        return im;
    }
    uint32_t at(int x, int y) const { return get_pixel(view, x, y); }
};

// Turns an image a quarter and returns the result
Image turned(const Image &im, bool clockwise) {
    std::vector<unsigned char> packed(packed_bytes(im.view.width, im.view.height, im.view.depth));
    copy_to_packed(im.view, packed.data());
    Image out(im.view.height, im.view.width, im.view.depth);
    rotate_packed(packed.data(), im.view.width, im.view.height, out.view, clockwise);
    return out;
}

} // namespace

TEST(Rotate, ThreeByTwoTurnedRightStartsWithTheOldBottomLeft) {
    Image im = Image::numbered(3, 2, 32);
    Image r = turned(im, true);
    ASSERT_EQ(r.view.width, 2);
    ASSERT_EQ(r.view.height, 3);
    EXPECT_EQ(r.at(0, 0), im.at(0, 1));
    EXPECT_EQ(r.at(1, 0), im.at(0, 0));
    EXPECT_EQ(r.at(0, 2), im.at(2, 1));
    EXPECT_EQ(r.at(1, 2), im.at(2, 0));
}

TEST(Rotate, ThreeByTwoTurnedLeftStartsWithTheOldTopRight) {
    Image im = Image::numbered(3, 2, 32);
    Image l = turned(im, false);
    EXPECT_EQ(l.at(0, 0), im.at(2, 0));
    EXPECT_EQ(l.at(1, 0), im.at(2, 1));
    EXPECT_EQ(l.at(0, 2), im.at(0, 0));
    EXPECT_EQ(l.at(1, 2), im.at(0, 1));
}

TEST(Rotate, FourRightTurnsOrRightThenLeftGiveTheStart) {
    for (int depth : {8, 32}) {
        Image im = Image::numbered(5, 3, depth);
        Image r4 = turned(turned(turned(turned(im, true), true), true), true);
        EXPECT_EQ(r4.bytes, im.bytes) << depth;
        Image rl = turned(turned(im, true), false);
        EXPECT_EQ(rl.bytes, im.bytes) << depth;
    }
}

TEST(Rotate, EightBitWidthFiveGetsPaddedRowsOfTheNewWidth) {
    // 5 x 6 turns into 6 x 5: new rows are 8 bytes (6 rounded up to 4), the padding stays 0
    Image im = Image::numbered(5, 6, 8);
    Image r = turned(im, true);
    EXPECT_EQ(r.view.stride, 8);
    EXPECT_EQ(r.bytes.size(), 40u);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 6; x++) EXPECT_EQ(r.at(x, y), im.at(y, 5 - x)) << x << "," << y;
    for (int y = 0; y < 5; y++) {
        EXPECT_EQ(r.bytes[y * 8 + 6], 0);
        EXPECT_EQ(r.bytes[y * 8 + 7], 0);
    }
    EXPECT_EQ(packed_bytes(5, 6, 8), 30u);
    EXPECT_EQ(packed_bytes(5, 6, 32), 120u);
}

TEST(Flip, HorizontalMirrorsEachRow) {
    Image im = Image::numbered(3, 2, 32), f = Image::numbered(3, 2, 32);
    flip_horizontal(f.view);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++) EXPECT_EQ(f.at(x, y), im.at(2 - x, y));
    flip_horizontal(f.view);
    EXPECT_EQ(f.bytes, im.bytes);
}

TEST(Flip, ThreeByTwoVerticalSwapsTheRowsAndKeepsTheTopByte) {
    uint32_t px[6] = {0xA1000001u, 2, 3, 4, 5, 0xB2000006u};
    RasterView v = raster_view(px, 3, 2, 32);
    flip_vertical(v);
    const uint32_t expected[6] = {4, 5, 0xB2000006u, 0xA1000001u, 2, 3};
    for (int i = 0; i < 6; i++) EXPECT_EQ(px[i], expected[i]) << i;
    flip_horizontal(v);
    const uint32_t both[6] = {0xB2000006u, 5, 4, 3, 2, 0xA1000001u};
    for (int i = 0; i < 6; i++) EXPECT_EQ(px[i], both[i]) << i;
}

TEST(Flip, VerticalMirrorsEachColumnAndKeepsPadding) {
    Image im = Image::numbered(5, 3, 8), f = Image::numbered(5, 3, 8);
    for (int y = 0; y < 3; y++) f.bytes[y * 8 + 7] = im.bytes[y * 8 + 7] = (unsigned char)(0xA0 + y);
    flip_vertical(f.view);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++) EXPECT_EQ(f.at(x, y), im.at(x, 2 - y));
    flip_vertical(f.view);
    EXPECT_EQ(f.bytes, im.bytes);
    Image h = Image::numbered(5, 3, 8);
    flip_horizontal(h.view);
    EXPECT_EQ(h.at(0, 1), im.at(4, 1));
    EXPECT_EQ(h.at(2, 1), im.at(2, 1));
}

TEST(Rescale, SizesRoundHalvesUp) {
    EXPECT_EQ(scaled_length(1, 500), 1);
    EXPECT_EQ(scaled_length(3, 500), 2);
    EXPECT_EQ(scaled_length(100, 707), 71);
    EXPECT_EQ(scaled_length(100, 1414), 141);
    EXPECT_EQ(scaled_length(100, 2000), 200);
    EXPECT_EQ(scaled_length(7, 707), 5);       // 4949 + 500 = 5449
    EXPECT_EQ(scaled_length(2000000, 2000), 4000000);
}
