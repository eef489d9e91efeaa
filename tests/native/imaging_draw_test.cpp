// Drawing primitives on plain rasters: pixels, lines, boxes, circles, discs, xor shapes, flood fill.
#include <gtest/gtest.h>

#include "imaging/draw_core.h"

#include <set>
#include <string.h>
#include <utility>
#include <vector>

namespace {

typedef std::set<std::pair<int, int>> PointSet;

// A raster with its own storage
struct TestRaster {
    std::vector<unsigned char> bytes;
    RasterView view;
    TestRaster(int w, int h, int depth, unsigned char fill = 0) {
        bytes.assign((size_t)raster_stride(w, depth) * h, fill);
        view = raster_view(bytes.data(), w, h, depth);
    }
    uint32_t at(int x, int y) const { return get_pixel(view, x, y); }
    // Every pixel whose value is not 0
    PointSet lit() const {
        PointSet s;
        for (int y = 0; y < view.height; y++)
            for (int x = 0; x < view.width; x++)
                if (at(x, y) != 0) s.insert({x, y});
        return s;
    }
};

// A 32-bit raster with distinct, non-zero values (top byte 0)
TestRaster patterned(int w, int h) {
    TestRaster t(w, h, 32);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) put_pixel(t.view, x, y, (uint32_t)(0x010203 * (x + 1) + 0x100 * y) & 0xFFFFFF);
    return t;
}

} // namespace

//----------------------------------------------------------------------------------
TEST(RasterLayout, EightBitRowsArePaddedToFourBytes) {
    EXPECT_EQ(raster_stride(5, 8), 8);
    EXPECT_EQ(raster_stride(3, 8), 4);
    EXPECT_EQ(raster_stride(4, 8), 4);
    EXPECT_EQ(raster_stride(3, 32), 12);
    EXPECT_EQ(raster_stride(3, 16), 0);
    TestRaster t(5, 3, 8);
    EXPECT_EQ(raster_bytes(t.view), 24u);
}

TEST(Pixels, EightBitPutStoresOnlyTheLowByte) {
    TestRaster t(5, 2, 8);
    put_pixel(t.view, 4, 1, 0x123456);
    EXPECT_EQ(t.bytes[8 + 4], 0x56);
    EXPECT_EQ(get_pixel(t.view, 4, 1), 0x56u);
    put_pixel(t.view, 0, 0, 0xFFFFFF);
    EXPECT_EQ(get_pixel(t.view, 0, 0), 255u);
    EXPECT_EQ(get_pixel_checked(t.view, 0, 0), 255);
}

TEST(Pixels, ThirtyTwoBitPutStoresTheWholeWord) {
    TestRaster t(3, 2, 32);
    put_pixel(t.view, 2, 1, 0xA1B2C3);
    EXPECT_EQ(((uint32_t *)t.bytes.data())[1 * 3 + 2], 0xA1B2C3u);
}

TEST(Pixels, ReadsOutsideGiveZeroOrMinusOne) {
    TestRaster t(4, 4, 32, 0x11);
    EXPECT_EQ(get_pixel(t.view, -1, 0), 0u);
    EXPECT_EQ(get_pixel_checked(t.view, -1, 0), -1);
    EXPECT_EQ(get_pixel_checked(t.view, 4, 0), -1);
    EXPECT_EQ(get_pixel_checked(t.view, 0, 4), -1);
    EXPECT_EQ(get_pixel_checked(t.view, 3, 3), 0x11111111);
}

TEST(Pixels, WritesOutsideTouchNothingNotEvenRowPadding) {
    TestRaster t(5, 2, 8, 0x77);
    put_pixel(t.view, 5, 0, 0);      // would land in the padding of row 0
    put_pixel(t.view, -1, 1, 0);     // would land in the padding of row 0
    put_pixel(t.view, 0, 2, 0);
    put_pixel(t.view, 0, -1, 0);
    xor_pixel(t.view, 7, 0);
    for (unsigned char b : t.bytes) EXPECT_EQ(b, 0x77);
}

TEST(Pixels, PlotMovesThePenEvenOutsideAndPutDoesNot) {
    TestRaster t(4, 4, 32);
    Pen pen = {0, 0};
    plot_pixel(t.view, -7, 9, 0xFF, &pen);
    EXPECT_EQ(pen.x, -7);
    EXPECT_EQ(pen.y, 9);
    put_pixel(t.view, 1, 1, 0xFF);
    EXPECT_EQ(pen.x, -7);
    xor_plot_pixel(t.view, 2, 3, &pen);
    EXPECT_EQ(pen.x, 2);
    EXPECT_EQ(pen.y, 3);
    EXPECT_EQ(t.at(2, 3), 0xFFFFFFu);
}

TEST(Pixels, XorKeepsTheTopByteOfThirtyTwoBitPixelsClear) {
    TestRaster t(2, 1, 32);
    put_pixel(t.view, 0, 0, 0x123456);
    xor_pixel(t.view, 0, 0);
    EXPECT_EQ(t.at(0, 0), 0xEDCBA9u);
    TestRaster e(2, 1, 8);
    put_pixel(e.view, 1, 0, 0x0F);
    xor_pixel(e.view, 1, 0);
    EXPECT_EQ(e.at(1, 0), 0xF0u);
}

//----------------------------------------------------------------------------------
TEST(Lines, ShallowLineVisitsTheWorkedPixels) {
    TestRaster t(8, 8, 32);
    draw_line(t.view, 0xFF, 0, 0, 5, 2);
    EXPECT_EQ(t.lit(), (PointSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    TestRaster back(8, 8, 32);
    draw_line(back.view, 0xFF, 5, 2, 0, 0);
    EXPECT_EQ(back.lit(), t.lit());
}

TEST(Lines, SteepLineVisitsTheWorkedPixels) {
    TestRaster t(8, 8, 32);
    draw_line(t.view, 0xFF, 0, 0, 2, 5);
    EXPECT_EQ(t.lit(), (PointSet{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));
}

TEST(Lines, UpwardLineStepsYNegatively) {
    // (0,3)->(3,0): dx = dy = 3, e starts at 2 and every step goes one row up
    TestRaster t(5, 5, 32);
    draw_line(t.view, 0xFF, 0, 3, 3, 0);
    EXPECT_EQ(t.lit(), (PointSet{{0, 3}, {1, 2}, {2, 1}, {3, 0}}));
}

TEST(Lines, DegenerateLineSetsOnePixel) {
    TestRaster t(6, 6, 32);
    draw_line(t.view, 0xAB, 3, 3, 3, 3);
    EXPECT_EQ(t.lit(), (PointSet{{3, 3}}));
    EXPECT_EQ(t.at(3, 3), 0xABu);
}

TEST(Lines, LineWithBothEndsOutsideSetsItsInsidePartAndMovesThePen) {
    TestRaster t(10, 5, 32);
    Pen pen = {0, 0};
    draw_line(t.view, 0xFF, -5, 2, 20, 2, &pen);
    PointSet row;
    for (int x = 0; x < 10; x++) row.insert({x, 2});
    EXPECT_EQ(t.lit(), row);
    EXPECT_EQ(pen.x, 20);
    EXPECT_EQ(pen.y, 2);

    TestRaster d(10, 10, 32);
    draw_line(d.view, 0xFF, -2, -2, 12, 12, &pen);
    PointSet diagonal;
    for (int k = 0; k < 10; k++) diagonal.insert({k, k});
    EXPECT_EQ(d.lit(), diagonal);
    EXPECT_EQ(pen.x, 12);
}

TEST(Lines, XorLineInvertsEachPixelOnceAndTwiceRestores) {
    TestRaster t(8, 8, 32);
    xor_line(t.view, 0, 0, 5, 2);
    EXPECT_EQ(t.lit(), (PointSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    EXPECT_EQ(t.at(2, 1), 0xFFFFFFu);

    TestRaster p = patterned(9, 7);
    std::vector<unsigned char> before = p.bytes;
    const int lines[][4] = {{0, 0, 8, 6}, {8, 0, 0, 6}, {1, 6, 7, 0}, {4, -3, 4, 9}, {-3, 2, 11, 2}, {2, 2, 2, 2}};
    for (const auto &l : lines) {
        xor_line(p.view, l[0], l[1], l[2], l[3]);
        EXPECT_NE(p.bytes, before);
        xor_line(p.view, l[0], l[1], l[2], l[3]);
        EXPECT_EQ(p.bytes, before);
    }
}

//----------------------------------------------------------------------------------
TEST(Boxes, FilledBoxOfWidthTwoIsAllOutline) {
    TestRaster t(4, 8, 32);
    draw_box(t.view, 0, 0, 1, 5, 0x00AA00, 0x0000BB);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(t.at(x, y), (x <= 1 && y <= 5) ? 0x00AA00u : 0u) << x << "," << y;
}

TEST(Boxes, BoxHasBorderAndInteriorColoursWhateverTheCornerOrder) {
    TestRaster a(7, 7, 32), b(7, 7, 32);
    draw_box(a.view, 0, 0, 5, 5, 0x111111, 0x222222);
    draw_box(b.view, 5, 5, 0, 0, 0x111111, 0x222222);
    EXPECT_EQ(a.bytes, b.bytes);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 7; x++) {
            uint32_t want = 0;
            if (x <= 5 && y <= 5) want = (x == 0 || x == 5 || y == 0 || y == 5) ? 0x111111 : 0x222222;
            EXPECT_EQ(a.at(x, y), want) << x << "," << y;
        }
}

TEST(Boxes, EightBitBoxTakesLowBytesAndStopsAtTheEdges) {
    // Corners (1,-2) and (9,2) on a 5 x 4 raster with 4-byte rows: the top row and the right column
    // lie outside, the interior rows are cut at the right edge, the padding byte stays untouched.
    TestRaster t(5, 4, 8, 0xEE);
    draw_box(t.view, 1, -2, 9, 2, 0x1234, 0x5678);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 5; x++) {
            uint32_t want = 0xEE;
            if ((x == 1 && y <= 2) || (y == 2 && x >= 1)) want = 0x34;
            else if (x >= 2 && y <= 1) want = 0x78;
            EXPECT_EQ(t.at(x, y), want) << x << "," << y;
        }
    for (int y = 0; y < 4; y++) EXPECT_EQ(t.bytes[(size_t)y * 8 + 5], 0xEE) << "padding of row " << y;
}

TEST(Boxes, OutlineIsUnsortedAndLeavesThePenAtTheFirstCorner) {
    TestRaster t(6, 6, 32);
    Pen pen = {0, 0};
    draw_box_outline(t.view, 4, 3, 1, 1, 0xFF, &pen);
    EXPECT_EQ(t.lit(), (PointSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 3}, {2, 3}, {3, 3}, {4, 3},
                                 {1, 2}, {4, 2}}));
    EXPECT_EQ(pen.x, 4);
    EXPECT_EQ(pen.y, 3);
}

TEST(Boxes, XorOutlineInvertsEachPixelOfAProperRectangleOnce) {
    TestRaster t(8, 8, 32);
    xor_box_outline(t.view, 5, 4, 1, 1);
    PointSet want;
    for (int x = 1; x <= 5; x++) { want.insert({x, 1}); want.insert({x, 4}); }
    for (int y = 2; y <= 3; y++) { want.insert({1, y}); want.insert({5, y}); }
    EXPECT_EQ(t.lit(), want);
    for (const auto &p : want) EXPECT_EQ(t.at(p.first, p.second), 0xFFFFFFu);
}

TEST(Boxes, XorOutlineOfOneColumnChangesOnlyItsEnds) {
    TestRaster t(4, 8, 32);
    xor_box_outline(t.view, 2, 1, 2, 5);
    EXPECT_EQ(t.lit(), (PointSet{{2, 1}, {2, 5}}));
}

TEST(Boxes, XorFillInvertsEveryPixelOnce) {
    TestRaster t(6, 6, 32);
    xor_box_fill(t.view, 4, 4, 1, 2);
    PointSet want;
    for (int y = 2; y <= 4; y++)
        for (int x = 1; x <= 4; x++) want.insert({x, y});
    EXPECT_EQ(t.lit(), want);
}

TEST(Boxes, XorShapesDrawnTwiceLeaveTheImageUnchanged) {
    TestRaster p = patterned(12, 10);
    std::vector<unsigned char> before = p.bytes;
    xor_box_outline(p.view, -2, 3, 9, 14);
    xor_box_outline(p.view, -2, 3, 9, 14);
    EXPECT_EQ(p.bytes, before);
    xor_box_fill(p.view, 11, 0, 3, 8);
    EXPECT_NE(p.bytes, before);
    xor_box_fill(p.view, 11, 0, 3, 8);
    EXPECT_EQ(p.bytes, before);
}

//----------------------------------------------------------------------------------
// The 8 symmetric points of each walk step (i, R)
static PointSet octant_points(int cx, int cy, const std::vector<std::pair<int, int>> &steps) {
    PointSet s;
    for (const auto &st : steps) {
        int i = st.first, R = st.second;
        const int pts[8][2] = {{i, R}, {-i, R}, {i, -R}, {-i, -R}, {R, i}, {-R, i}, {R, -i}, {-R, -i}};
        for (const auto &p : pts) s.insert({cx + p[0], cy + p[1]});
    }
    return s;
}

TEST(Circles, RadiusTenDrawsTheFiftySixPixelsOfItsWalk) {
    TestRaster t(30, 30, 32);
    draw_circle(t.view, 15, 14, 10, 0x00FF00);
    PointSet want = octant_points(15, 14, {{0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 9}, {5, 9}, {6, 8}, {7, 7}});
    EXPECT_EQ(want.size(), 56u);
    EXPECT_EQ(t.lit(), want);
    EXPECT_EQ(t.at(15, 4), 0x00FF00u);
}

TEST(Circles, RadiusOneGivesTheFourNeighbours) {
    TestRaster t(5, 5, 32);
    draw_circle(t.view, 2, 2, 1, 0xFF);
    EXPECT_EQ(t.lit(), (PointSet{{1, 2}, {3, 2}, {2, 1}, {2, 3}}));
}

TEST(Circles, XorCircleInvertsTheSamePixelsOnceAndRadiusZeroChangesNothing) {
    TestRaster t(30, 30, 32);
    xor_circle(t.view, 15, 14, 10);
    EXPECT_EQ(t.lit(), octant_points(15, 14, {{0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 9}, {5, 9}, {6, 8}, {7, 7}}));
    TestRaster p = patterned(9, 9);
    std::vector<unsigned char> before = p.bytes;
    xor_circle(p.view, 4, 4, 0);
    EXPECT_EQ(p.bytes, before);
    xor_circle(p.view, 1, 7, 6);
    xor_circle(p.view, 1, 7, 6);
    EXPECT_EQ(p.bytes, before);
}

TEST(Circles, CircleCutByTheEdgeKeepsItsInsidePixels) {
    TestRaster t(30, 30, 32), cut(20, 20, 32);
    draw_circle(t.view, 15, 14, 10, 0xFF);
    draw_circle(cut.view, 15, 14, 10, 0xFF);
    PointSet inside;
    for (const auto &p : t.lit())
        if (p.first < 20 && p.second < 20) inside.insert(p);
    EXPECT_EQ(cut.lit(), inside);
}

// Points of the rows y = cy + k spanning cx - half .. cx + half for the given (k, half) pairs
static PointSet disc_rows(int cx, int cy, const std::vector<std::pair<int, int>> &rows) {
    PointSet s;
    for (const auto &row : rows)
        for (int x = cx - row.second; x <= cx + row.second; x++) s.insert({x, cy + row.first});
    return s;
}

TEST(Discs, XorDiscCoversTheWorkedRowsOnce) {
    TestRaster t(12, 12, 32);
    xor_disc(t.view, 5, 5, 3);
    EXPECT_EQ(t.lit(), disc_rows(5, 5, {{0, 3}, {1, 3}, {-1, 3}, {2, 2}, {-2, 2}, {3, 1}, {-3, 1}}));
    TestRaster u(12, 12, 32);
    xor_disc(u.view, 5, 5, 4);   // its last step does not shrink: the closing rows come after the walk
    EXPECT_EQ(u.lit(), disc_rows(5, 5, {{0, 4}, {1, 4}, {-1, 4}, {2, 3}, {-2, 3}, {3, 2}, {-3, 2}, {4, 1}, {-4, 1}}));
}

TEST(Discs, EveryPixelOfTheDiscIsCoveredExactlyOnce) {
    // A pixel inverted twice would be left unchanged, so the xor disc would miss it
    for (int rad = 1; rad <= 20; rad++) {
        TestRaster x(45, 45, 32), d(45, 45, 32);
        xor_disc(x.view, 22, 22, rad);
        draw_disc(d.view, 22, 22, rad, 0xFF);
        EXPECT_EQ(x.lit(), d.lit()) << "radius " << rad;
        TestRaster c(45, 45, 32);
        draw_circle(c.view, 22, 22, rad, 0xFF);
        for (const auto &p : c.lit()) EXPECT_TRUE(x.lit().count(p)) << "radius " << rad;
    }
}

TEST(Discs, DrawDiscFillsWithTheColourAndXorDiscTwiceRestores) {
    TestRaster t(12, 12, 32);
    draw_disc(t.view, 5, 5, 2, 0x00CC00);
    PointSet want = disc_rows(5, 5, {{0, 2}, {1, 2}, {-1, 2}, {2, 1}, {-2, 1}});
    EXPECT_EQ(t.lit(), want);
    for (const auto &p : want) EXPECT_EQ(t.at(p.first, p.second), 0x00CC00u);

    TestRaster p = patterned(10, 10);
    std::vector<unsigned char> before = p.bytes;
    xor_disc(p.view, 4, 4, 0);
    EXPECT_EQ(p.bytes, before);
    xor_disc(p.view, 8, 2, 5);
    xor_disc(p.view, 8, 2, 5);
    EXPECT_EQ(p.bytes, before);
}

//----------------------------------------------------------------------------------
TEST(FloodFill, FillsTheInsideOfAnOutlineOnly) {
    TestRaster t(10, 10, 32);
    draw_box_outline(t.view, 2, 2, 7, 7, 0x0000FF);
    flood_fill(t.view, 4, 4, 0xFF0000);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++) {
            bool edge = (x == 2 || x == 7 || y == 2 || y == 7) && x >= 2 && x <= 7 && y >= 2 && y <= 7;
            bool inner = x > 2 && x < 7 && y > 2 && y < 7;
            EXPECT_EQ(t.at(x, y), edge ? 0x0000FFu : inner ? 0xFF0000u : 0u) << x << "," << y;
        }
}

TEST(FloodFill, FillsAWindingCorridor) {
    // Walls on every odd row, each with one gap, alternating between the right and the left end
    TestRaster t(15, 15, 32);
    for (int y = 1; y < 15; y += 2) {
        draw_line(t.view, 0x0000FF, 0, y, 14, y);
        put_pixel(t.view, (y / 2) % 2 == 0 ? 14 : 0, y, 0);
    }
    flood_fill(t.view, 0, 0, 0x00FF00);
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 15; x++) {
            bool wall = y % 2 == 1 && x != ((y / 2) % 2 == 0 ? 14 : 0);
            EXPECT_EQ(t.at(x, y), wall ? 0x0000FFu : 0x00FF00u) << x << "," << y;
        }
}

TEST(FloodFill, PixelAlreadyInTheDrawingColourChangesNothing) {
    TestRaster t = patterned(6, 6);
    std::vector<unsigned char> before = t.bytes;
    flood_fill(t.view, 3, 3, t.at(3, 3));
    EXPECT_EQ(t.bytes, before);
    TestRaster e(6, 6, 8, 255);
    std::vector<unsigned char> eb = e.bytes;
    flood_fill(e.view, 1, 1, 0xFFFFFF);
    EXPECT_EQ(e.bytes, eb);
}

TEST(FloodFill, StopsOnEveryPixelValueIncludingAllOnes) {
    TestRaster t(7, 5, 32, 0xFF);   // every pixel 0xFFFFFFFF
    flood_fill(t.view, 3, 2, 0x123456);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) EXPECT_EQ(t.at(x, y), 0x123456u);
    TestRaster z(7, 5, 32);
    flood_fill(z.view, 0, 0, 0xFFFFFFFF);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) EXPECT_EQ(z.at(x, y), 0xFFFFFFFFu);
}

TEST(FloodFill, EightBitFillStoresTheLowByteAndSparesPadding) {
    TestRaster t(5, 3, 8);
    t.bytes[5] = t.bytes[6] = t.bytes[7] = 0;   // padding of row 0 holds the target value too
    put_pixel(t.view, 2, 0, 9);
    put_pixel(t.view, 2, 1, 9);
    put_pixel(t.view, 2, 2, 9);
    flood_fill(t.view, 0, 0, 0xABCDEF);
    for (int y = 0; y < 3; y++) {
        for (int x = 0; x < 5; x++) EXPECT_EQ(t.at(x, y), x == 2 ? 9u : x < 2 ? 0xEFu : 0u) << x << "," << y;
        for (int p = 5; p < 8; p++) EXPECT_EQ(t.bytes[y * 8 + p], 0) << "padding";
    }
}

TEST(FloodFill, SeedOutsideDoesNothing) {
    TestRaster t(4, 4, 32);
    flood_fill(t.view, -1, 0, 0xFF);
    flood_fill(t.view, 0, 4, 0xFF);
    EXPECT_TRUE(t.lit().empty());
}

TEST(FloodFill, SeedsBeyondTheStackAreDropped) {
    // Row 0 is open; 5000 one-pixel teeth hang from it at the even columns 0, 2, ... 9998. The scan
    // of row 0 pushes one seed per tooth; the 4000 leftmost fit, the other 1000 are dropped.
    const int w = 10000, h = 4;
    TestRaster t(w, h, 32);
    for (int y = 1; y < h; y++)
        for (int x = 1; x < w; x += 2) put_pixel(t.view, x, y, 0x0000FF);
    put_pixel(t.view, w - 1, 0, 0);
    flood_fill(t.view, 0, 0, 0x00FF00);
    for (int x = 0; x < w; x++) ASSERT_EQ(t.at(x, 0), 0x00FF00u) << x;
    for (int x = 0; x < w; x += 2) {
        uint32_t want = x / 2 < VRX_FILL_STACK ? 0x00FF00u : 0u;
        for (int y = 1; y < h; y++) ASSERT_EQ(t.at(x, y), want) << x << "," << y;
    }
}

//----------------------------------------------------------------------------------
TEST(ReadRow, EntriesPastTheWidthOrOutsideRowsAreZero) {
    TestRaster t(3, 2, 32);
    put_pixel(t.view, 0, 1, 0x111111);
    put_pixel(t.view, 2, 1, 0x333333);
    uint32_t row[5] = {9, 9, 9, 9, 9};
    read_row(t.view, 1, row, 5);
    EXPECT_EQ(row[0], 0x111111u);
    EXPECT_EQ(row[1], 0u);
    EXPECT_EQ(row[2], 0x333333u);
    EXPECT_EQ(row[3], 0u);
    EXPECT_EQ(row[4], 0u);
    uint32_t outside[2] = {9, 9};
    read_row(t.view, 2, outside, 2);
    EXPECT_EQ(outside[0], 0u);
    EXPECT_EQ(outside[1], 0u);
}

TEST(ReadRow, EightBitRowsGiveBytes) {
    TestRaster t(5, 2, 8);
    put_pixel(t.view, 4, 0, 200);
    unsigned char row[6];
    memset(row, 7, sizeof row);
    read_row(t.view, 0, row, 5);   // exactly five bytes written
    EXPECT_EQ(row[4], 200);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[5], 7);
}

TEST(ReadBlock, PixelsOutsideReadAsZero) {
    TestRaster t(3, 3, 32);
    put_pixel(t.view, 0, 0, 0xA);
    put_pixel(t.view, 2, 2, 0xB);
    uint32_t block[4 * 4];
    read_block(t.view, -1, -1, 4, 4, block);
    EXPECT_EQ(block[0], 0u);
    EXPECT_EQ(block[1 * 4 + 1], 0xAu);
    EXPECT_EQ(block[3 * 4 + 3], 0xBu);
    EXPECT_EQ(block[3 * 4 + 0], 0u);
}

TEST(Boxes, HugeBoxAroundTheImageFillsItWithoutWalkingTheOutside) {
    // A walk over every outside pixel would take about 10^12 steps
    TestRaster t(4, 3, 32);
    Pen pen = {0, 0};
    draw_box(t.view, -1000000, -1000000, 1000000, 1000000, 0x111111, 0x222222, &pen);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(t.at(x, y), 0x222222u);
    EXPECT_EQ(pen.x, 999999);
    EXPECT_EQ(pen.y, 999999);
    xor_box_fill(t.view, -1000000, -1000000, 1000000, 1000000, &pen);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(t.at(x, y), 0xDDDDDDu);
    EXPECT_EQ(pen.x, 1000000);
    draw_line(t.view, 0x0000FF, -2000000000, 1, 2000000000, 1, &pen);
    for (int x = 0; x < 4; x++) EXPECT_EQ(t.at(x, 1), 0x0000FFu);
    EXPECT_EQ(pen.x, 2000000000);
}
