// tests/native/image_point_tool_test.cpp - the point tools' phases, results and xor feedback.
#include "image/point_tool_core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A 32-bit raster filled with a pattern, so any trace left by feedback shows
struct Picture {
    explicit Picture(int w = 20, int h = 12, int depth = 32)
        : bytes((size_t)raster_stride(w, depth) * h) {
        for (size_t i = 0; i < bytes.size(); i++) bytes[i] = (unsigned char)(i * 7 + 3);
        if (depth == 32)
            for (size_t i = 3; i < bytes.size(); i += 4) bytes[i] = 0;   // words are 0x00RRGGBB
        view = raster_view(bytes.data(), w, h, depth);
        original = bytes;
    }
    bool untouched() const { return bytes == original; }
    int changed() const {
        int n = 0;
        for (size_t i = 0; i < bytes.size(); i++) n += bytes[i] != original[i];
        return n;
    }
    bool pixel_changed(int x, int y) const {
        return get_pixel(view, x, y) != get_pixel(raster_view((void *)original.data(), view.width, view.height,
                                                              view.depth), x, y);
    }
    std::vector<unsigned char> bytes, original;
    RasterView view;
};

}  // namespace

TEST(PointTools, APointToolEndsWithTheClickAndDrawsNothing) {
    Picture p;
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_POINT, 0, 0, 3, 3);
    EXPECT_STREQ(point_tool_prompt_text(t.prompt), "Click a point");
    point_tool_move(&t, p.view, 5, 5);
    EXPECT_TRUE(p.untouched());
    point_tool_click(&t, p.view, 7, 2);
    EXPECT_TRUE(t.finished);
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.out[0], 7);
    EXPECT_EQ(t.out[1], 2);
}

TEST(PointTools, RowAndColumnCursorsFollowThePointerAndLeaveNoTrace) {
    Picture p;
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_ROW, 0, 0, 4, 6);
    EXPECT_EQ(p.changed() / 3, 20) << "one full-width row of 32-bit pixels inverted";
    for (int x = 0; x < 20; x++) EXPECT_TRUE(p.pixel_changed(x, 6));
    point_tool_move(&t, p.view, 9, 2);
    EXPECT_TRUE(p.pixel_changed(0, 2));
    EXPECT_FALSE(p.pixel_changed(0, 6));
    point_tool_click(&t, p.view, 9, 3);
    EXPECT_TRUE(p.untouched());
    EXPECT_EQ(t.out[1], 3);

    point_tool_begin(&t, p.view, POINT_TOOL_COLUMN, 0, 0, 4, 6);
    for (int y = 0; y < 12; y++) EXPECT_TRUE(p.pixel_changed(4, y));
    point_tool_cancel(&t, p.view);
    EXPECT_EQ(t.result, 1);
    EXPECT_TRUE(p.untouched());
}

TEST(PointTools, BoxCursorHasDiagonalsOnlyFromNineByNine) {
    Picture p(40, 40);
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_BOX, 8, 20, 20, 20);
    // 8 x 20 centred on (20, 20): left 16, top 10, right 23, bottom 29; no diagonals.
    EXPECT_TRUE(p.pixel_changed(16, 10));
    EXPECT_TRUE(p.pixel_changed(23, 29));
    EXPECT_FALSE(p.pixel_changed(17, 11));
    EXPECT_EQ(p.changed() / 3, 2 * 8 + 2 * 18);
    point_tool_end(&t, p.view);
    EXPECT_TRUE(p.untouched());

    point_tool_begin(&t, p.view, POINT_TOOL_BOX, 9, 9, 20, 20);
    // 9 x 9: left 16, top 16, right 24, bottom 24, with diagonals inside the border.
    EXPECT_TRUE(p.pixel_changed(17, 17));
    EXPECT_TRUE(p.pixel_changed(23, 17));
    EXPECT_TRUE(p.pixel_changed(21, 21));
    EXPECT_FALSE(p.pixel_changed(20, 20)) << "the diagonals cross there, inverting it twice";
    point_tool_move(&t, p.view, 5, 5);
    point_tool_click(&t, p.view, 5, 6);
    EXPECT_TRUE(p.untouched());
    EXPECT_EQ(t.out[0], 5);
    EXPECT_EQ(t.out[1], 6);
}

TEST(PointTools, RectangleSortsTheCornersAndCancelInTheSecondPhaseStartsAgain) {
    Picture p;
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_RECTANGLE, 0, 0, 0, 0);
    EXPECT_STREQ(point_tool_prompt_text(t.prompt), "Click the first point");
    point_tool_click(&t, p.view, 12, 8);
    EXPECT_STREQ(point_tool_prompt_text(t.prompt), "Click the second point");
    EXPECT_EQ(p.changed() / 3, 1) << "the band starts as one pixel";
    point_tool_move(&t, p.view, 15, 10);
    EXPECT_TRUE(p.pixel_changed(15, 10));
    point_tool_cancel(&t, p.view);
    EXPECT_FALSE(t.finished);
    EXPECT_TRUE(p.untouched()) << "the band disappears";
    EXPECT_STREQ(point_tool_prompt_text(t.prompt), "Click the first point");

    point_tool_click(&t, p.view, 12, 8);
    point_tool_move(&t, p.view, 2, 3);
    point_tool_click(&t, p.view, 3, 1);   // left of and above the first point
    EXPECT_TRUE(t.finished);
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(std::vector<int>(t.out, t.out + 4), (std::vector<int>{3, 1, 12, 8}));
    EXPECT_TRUE(p.untouched());
}

TEST(PointTools, LineKeepsClickOrderAndCancelBeforeTheFirstClickCancels) {
    Picture p;
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_LINE, 0, 0, 0, 0);
    point_tool_cancel(&t, p.view);
    EXPECT_TRUE(t.finished);
    EXPECT_EQ(t.result, 1);
    EXPECT_TRUE(p.untouched());

    point_tool_begin(&t, p.view, POINT_TOOL_LINE, 0, 0, 0, 0);
    point_tool_click(&t, p.view, 10, 9);
    point_tool_move(&t, p.view, 1, 1);
    EXPECT_TRUE(p.pixel_changed(5, 5));
    point_tool_click(&t, p.view, 2, 0);
    EXPECT_EQ(std::vector<int>(t.out, t.out + 4), (std::vector<int>{10, 9, 2, 0}));
    EXPECT_TRUE(p.untouched());
}

TEST(PointTools, CircleRadiusIsTheRoundedDistanceOfTheSecondClick) {
    Picture p(30, 30);
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_CIRCLE, 0, 0, 0, 0);
    point_tool_click(&t, p.view, 10, 10);
    EXPECT_TRUE(p.untouched()) << "a circle of radius 0 leaves no mark";
    point_tool_move(&t, p.view, 13, 14);
    EXPECT_EQ(t.radius, 5);
    EXPECT_TRUE(p.pixel_changed(15, 10));
    point_tool_click(&t, p.view, 13, 14);
    EXPECT_EQ(std::vector<int>(t.out, t.out + 3), (std::vector<int>{10, 10, 5}));
    EXPECT_TRUE(p.untouched());

    point_tool_begin(&t, p.view, POINT_TOOL_CIRCLE, 0, 0, 0, 0);
    point_tool_click(&t, p.view, 4, 4);
    point_tool_click(&t, p.view, 4, 4);
    EXPECT_EQ(t.out[2], 0);
    EXPECT_EQ(circle_radius(1, 1), 1);   // 1.414 rounds down
    EXPECT_EQ(circle_radius(1, 2), 2);   // 2.236
    EXPECT_EQ(circle_radius(-6, -8), 10);
}

TEST(PointTools, FeedbackOnAnEightBitRasterAndPastItsEdgesLeavesNoTrace) {
    Picture p(5, 7, 8);   // stride 8: the padding bytes must stay as they were
    PointTool t;
    point_tool_begin(&t, p.view, POINT_TOOL_BOX, 30, 30, 2, 3);
    point_tool_move(&t, p.view, -40, 90);
    point_tool_move(&t, p.view, 4, 6);
    point_tool_end(&t, p.view);
    EXPECT_TRUE(p.untouched());

    point_tool_begin(&t, p.view, POINT_TOOL_CIRCLE, 0, 0, 0, 0);
    point_tool_click(&t, p.view, 2, 3);
    point_tool_move(&t, p.view, 40, 40);
    point_tool_end(&t, p.view);   // stopped in the second phase
    EXPECT_TRUE(p.untouched());
}
