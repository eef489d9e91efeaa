// tests/native/app_stereo_layout_test.cpp - the double-width canvas of both programs, carried out on
// a plain raster: which column of the pair each canvas column shows, and which stay black.
#include "app/stereo_canvas.h"
#include "imaging/draw_core.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Carries a layout out on a 32-bit canvas raster from a W x H pair (rows packed), as the programs do with
// their put and box calls
static void apply_stereo_layout(const StereoLayout &layout, const RasterView &canvas, const uint32_t *pair,
                                int width, int height) {
    for (int i = 0; i < layout.copies; i++) write_block(canvas, layout.copy_column[i], pair, width, height);
    for (int i = 0; i < layout.blacks; i++)
        draw_box(canvas, layout.black_first[i], 0, layout.black_last[i], height - 1, 0, 0);
}

// A W x H pair whose pixel (x, y) is 1000 * (y + 1) + x + 1, so 0 means black
std::vector<uint32_t> pair_of(int width, int height) {
    std::vector<uint32_t> pair((size_t)width * height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) pair[(size_t)y * width + x] = 1000u * (y + 1) + x + 1;
    return pair;
}

// The pair column each canvas column of row y shows (-1 for black), after the layout
std::vector<int> canvas_columns(int width, int height, bool swap, int y) {
    std::vector<uint32_t> pair = pair_of(width, height), canvas((size_t)2 * width * height, 0);
    RasterView view = raster_view(canvas.data(), 2 * width, height, 32);
    apply_stereo_layout(stereo_layout(width, swap), view, pair.data(), width, height);
    std::vector<int> columns;
    for (int x = 0; x < 2 * width; x++) {
        uint32_t v = canvas[(size_t)y * 2 * width + x];
        EXPECT_TRUE(v == 0 || v / 1000 == (uint32_t)y + 1) << "column " << x << " comes from another row";
        columns.push_back(v == 0 ? -1 : (int)(v % 1000) - 1);
    }
    return columns;
}

}  // namespace

TEST(StereoLayout, CentredPairLeavesABlackQuarterOnEachSide) {
    std::vector<int> c = canvas_columns(400, 3, false, 2);
    for (int x = 0; x < 800; x++) EXPECT_EQ(c[x], x >= 200 && x < 600 ? x - 200 : -1) << "column " << x;
    // Odd width 5: the pair occupies columns 2..6.
    EXPECT_EQ(canvas_columns(5, 1, false, 0), (std::vector<int>{-1, -1, 0, 1, 2, 3, 4, -1, -1, -1}));
}

TEST(StereoLayout, SwappedPairShowsTheRightHalfThenTheLeftHalf) {
    std::vector<int> c = canvas_columns(400, 2, true, 1);
    for (int x = 0; x < 800; x++) {
        int expected = x < 200 || x >= 600 ? -1 : x < 400 ? x : x - 400;
        EXPECT_EQ(c[x], expected) << "column " << x;
    }
    // Odd width 5: columns 0..1 and 6..9 black, 2..4 the pair's 2..4, 5 its column 0.
    EXPECT_EQ(canvas_columns(5, 1, true, 0), (std::vector<int>{-1, -1, 2, 3, 4, 0, -1, -1, -1, -1}));
}

TEST(StereoLayout, NarrowPairsStayInsideTheCanvas) {
    // W = 1: the centred copy sits at column 0; the swapped one has no left box (0..-1) and blacks all.
    EXPECT_EQ(canvas_columns(1, 1, false, 0), (std::vector<int>{0, -1}));
    EXPECT_EQ(canvas_columns(1, 1, true, 0), (std::vector<int>{-1, -1}));
    EXPECT_EQ(canvas_columns(2, 1, true, 0), (std::vector<int>{-1, 1, 0, -1}));
}
