// tests/native/raster_and_draw_test.cpp - pixels, the drawing primitives and their xor forms, the pen, the
// flood fill, row and block copies, the rows of a copied picture, flips, quarter turns and rescale sizes.
#include "support.h"

#include "imaging/draw_core.h"
#include "imaging/transform_core.h"

TEST(Pixels, EightBitKeepsTheLowByteReadsOutsideAreZeroAndWritesOutsideTouchNothing) {
    Raster r(5, 3, 8, 0x77), w(2, 1);
    put_pixel(r.view, 4, 1, 0x123456), xor_pixel(w.set({0x123456, 0xAB000000}).view, 0, 0), xor_pixel(w.view, 1, 0);   // the top byte is no colour
    for (auto [x, y] : points("5,0 -1,1 0,3 0,-1")) put_pixel(r.view, x, y, 0), xor_pixel(r.view, x, y);                // 5,0 and -1,1: the padding
    EXPECT_EQ(fmt("%d %d %d %d|%zu|%X %d %d %d|%d|", raster_stride(5, 8), raster_stride(4, 8), raster_stride(3, 32), raster_stride(3, 16), raster_bytes(r.view),
                  r.at(4, 1), get_pixel(r.view, -1, 0), get_pixel_checked(r.view, -1, 0), get_pixel_checked(r.view, 3, 2), r.outside_intact()) + hex(w.values()),
              "8 4 12 0|24|56 0 -1 119|1|EDCBA9 ABFFFFFF");
}

// The 8 symmetric points of each octant step (i, R) around (cx, cy); the disc whose rows cy +- k span cx +- half[k]
static Points octants(int cx, int cy, const Points &steps) {
    Points s;
    for (auto [i, R] : steps) for (auto [x, y] : {std::pair<int, int>{i, R}, {-i, R}, {i, -R}, {-i, -R}, {R, i}, {-R, i}, {R, -i}, {-R, -i}}) s.insert({cx + x, cy + y});
    return s;
}
static Points disc(int cx, int cy, std::vector<int> half) {
    Points s;
    for (int k = 0; k < (int)half.size(); k++) for (int x = cx - half[k]; x <= cx + half[k]; x++) s.insert({x, cy + k}), s.insert({x, cy - k});
    return s;
}
static const Points circle10 = octants(15, 14, points("0,10 1,10 2,10 3,10 4,9 5,9 6,8 7,7")), line52 = points("0,0 1,0 2,1 3,1 4,2 5,2");
#define DRAW(call) +[](const RasterView &r, Pen *pen) { call; }

// Each shape on a blank 32-bit raster: the pixels of the shape that fall inside, and where the pen ends (from 9,9).
// Every xor shape drawn twice on a picture leaves it as it was.
struct Shape { const char *what; int w, h; void (*draw)(const RasterView &, Pen *); Points lit; int pen_x, pen_y; };
static const Shape shapes[] = {
    {"shallow line", 8, 8, DRAW(draw_line(r, 0xFF, 0, 0, 5, 2, pen)), line52, 5, 2}, {"steep line", 8, 8, DRAW(draw_line(r, 0xFF, 0, 0, 2, 5)), points("0,0 0,1 1,2 1,3 2,4 2,5"), 9, 9},
    {"the same line backwards", 8, 8, DRAW(draw_line(r, 0xFF, 5, 2, 0, 0, pen)), line52, 0, 0}, {"a point", 6, 6, DRAW(draw_line(r, 0xFF, 3, 3, 3, 3)), points("3,3"), 9, 9},
    {"line with both ends outside", 5, 5, DRAW(draw_line(r, 0xFF, -2, -2, 7, 9, pen)), points("0,0 0,1 1,2 2,3 3,4"), 7, 9},
    {"row from far outside to far outside", 4, 2, DRAW(draw_line(r, 0xFF, -2000000000, 1, 2000000000, 1, pen)), points("0,1 1,1 2,1 3,1"), 2000000000, 1},
    {"xor line: each pixel once", 8, 8, DRAW(xor_line(r, 0, 0, 5, 2, pen)), line52, 5, 2}, {"xor column through", 3, 3, DRAW(xor_line(r, 1, -3, 1, 14)), points("1,0 1,1 1,2"), 9, 9},
    {"box outline, corners unsorted", 6, 6, DRAW(draw_box_outline(r, 4, 3, 1, 1, 0xFF, pen)), points("1,1 2,1 3,1 4,1 1,2 4,2 1,3 2,3 3,3 4,3"), 4, 3},
    {"box far around the raster, not walked", 2, 2, DRAW(draw_box(r, 1000000, 1000000, -1000000, -1000000, 1, 2, pen)), points("0,0 1,0 0,1 1,1"), 999999, 999999},
    {"xor outline: each pixel once", 5, 5, DRAW(xor_box_outline(r, 3, 3, 1, 1)), points("1,1 2,1 3,1 1,2 3,2 1,3 2,3 3,3"), 9, 9},
    {"xor outline one column wide: only its ends", 4, 8, DRAW(xor_box_outline(r, 2, 1, 2, 5)), points("2,1 2,5"), 9, 9}, {"plot outside", 4, 4, DRAW(plot_pixel(r, -7, 9, 0xFF, pen)), {}, -7, 9},
    {"xor fill", 5, 5, DRAW(xor_box_fill(r, 3, 3, 1, 2, pen)), points("1,2 2,2 3,2 1,3 2,3 3,3"), 3, 3}, {"xor plot", 4, 4, DRAW(xor_plot_pixel(r, 2, 3, pen)), points("2,3"), 2, 3},
    {"circle of radius 10: the 56 pixels of its walk", 30, 30, DRAW(draw_circle(r, 15, 14, 10, 0xFF)), circle10, 9, 9}, {"xor: once", 30, 30, DRAW(xor_circle(r, 15, 14, 10)), circle10, 9, 9},
    {"circle of radius 1: the four neighbours", 5, 5, DRAW(draw_circle(r, 2, 2, 1, 0xFF)), points("1,2 3,2 2,1 2,3"), 9, 9}, {"xor circle of radius 0", 5, 5, DRAW(xor_circle(r, 2, 2, 0)), {}, 9, 9},
    {"circle of radius 0: the centre", 5, 5, DRAW(draw_circle(r, 2, 2, 0, 0xFF)), points("2,2"), 9, 9}, {"xor disc of radius 0: nothing", 5, 5, DRAW(xor_disc(r, 2, 2, 0)), {}, 9, 9},
    {"xor disc of radius 3", 12, 12, DRAW(xor_disc(r, 5, 5, 3)), disc(5, 5, {3, 3, 2, 1}), 9, 9}, {"radius 4: rows closed after the walk", 12, 12, DRAW(xor_disc(r, 5, 5, 4)), disc(5, 5, {4, 4, 3, 2, 1}), 9, 9},
};

TEST(Shapes, SetTheWorkedPixelsInsideTheRasterLeaveThePenAtTheirEndXorTwiceRestoresAndBoxesHaveTwoColours) {
    for (const Shape &s : shapes) {
        Raster r(s.w, s.h), picture(s.w, s.h);
        Pen pen = {9, 9};
        Points inside;
        s.draw(r.view, &pen), s.draw(picture.numbered().view, nullptr), s.draw(picture.view, nullptr);
        for (auto p : s.lit) if (raster_inside(r.view, p.first, p.second)) inside.insert(p);
        bool restored = std::string(s.what).rfind("xor", 0) || picture.values() == Raster(s.w, s.h).numbered().values();
        EXPECT_TRUE(r.lit() == inside && r.outside_intact() && pen.x == s.pen_x && pen.y == s.pen_y && restored) << s.what << ", pen at " << pen.x << "," << pen.y;
    }
    for (int rad = 1; rad <= 20; rad++) {   // each pixel of a disc once (a pixel inverted twice would be missing), its circle inside
        Raster x(45, 45), d(45, 45), c(45, 45);
        xor_disc(x.view, 22, 22, rad), draw_disc(d.view, 22, 22, rad, 0xFF), draw_circle(c.view, 22, 22, rad, 0xFF), draw_disc(c.view, 22, 22, rad, 0xFF);
        EXPECT_TRUE(x.lit() == d.lit() && c.lit() == d.lit()) << rad;
    }
    Raster a(6, 7, 8), b(6, 7, 8), thin(3, 7, 8), cut(5, 4, 8, 0xEE), words(3, 3);
    draw_box(a.view, 0, 0, 5, 5, 1, 2), draw_box(b.view, 5, 5, 0, 0, 1, 2), draw_box(thin.view, 0, 0, 1, 5, 1, 2);
    draw_box(cut.view, 1, -2, 9, 2, 0x1201, 0x3402), draw_box(words.view, -1, -1, 3, 1, 0x111111, 0x222222);   // low bytes on 8 bits
    EXPECT_EQ(a.digits() + "|" + b.digits() + "|" + thin.digits() + "|" + cut.digits() + fmt("|%d|", cut.outside_intact()) + hex(words.values()),
              "111111 122221 122221 122221 122221 111111 000000|111111 122221 122221 122221 122221 111111 000000|110 110 110 110 110 110 000|"
              "+1222 +1222 +1111 +++++|1|222222 222222 222222 111111 111111 111111 0 0 0") << "two wide: all border";
}

TEST(FloodFill, FillsTheFourConnectedRegionOfTheSeedsValueWhateverItIs) {
    struct Case { const char *what, *before; int x, y; uint32_t colour; const char *after; } cases[] = {
        {"inside an outline", "000000 011110 010010 010010 011110 000000", 2, 2, 2, "000000 011110 012210 012210 011110 000000"}, {"diagonals not joined", "010000 100000", 0, 0, 2, "210000 100000"},
        {"around an outline", "000000 011110 010010 010010 011110 000000", 0, 0, 2, "222222 211112 210012 210012 211112 222222"}, {"a seed outside", "010000 000000", -1, 0, 2, "010000 000000"},
        {"a winding corridor", "000000 111110 000000 011111 000000 111110", 0, 0, 0x5502, "222222 111112 222222 211111 222222 111112"}, {"already so", "010000 000000", 1, 0, 1, "010000 000000"},
    };
    for (const Case &c : cases) {
        Raster r(6, (int)strlen(c.before) / 7 + 1, 8);   // rows of 8 bytes: the padding holds the value 0 too
        flood_fill(r.paint(c.before).view, c.x, c.y, c.colour);
        EXPECT_EQ(r.digits() + fmt(" %d", r.outside_intact()), c.after + std::string(" 1")) << c.what;
    }
    Raster ones(3, 1, 32, 0xFF), zeros(3, 1), white(3, 3, 8, 255);
    flood_fill(ones.view, 1, 0, 0x123456), flood_fill(zeros.view, 0, 0, 0xFFFFFFFF), flood_fill(white.view, 1, 1, 0xFFFFFF);
    EXPECT_EQ(hex(ones.values()) + "|" + hex(zeros.values()) + fmt("|%d", white.bytes == white.initial), "123456 123456 123456|FFFFFFFF FFFFFFFF FFFFFFFF|1");
}

TEST(FloodFill, SeedsBeyondTheStackOf4000AreDropped) {
    // Row 0 is open; 5000 one-pixel teeth hang from it at the even columns 0, 2, ... 9998. The scan of row 0
    // pushes one seed per tooth; the 4000 leftmost fit, the other 1000 are dropped.
    const int w = 10000, h = 4;
    Raster r(w, h);
    for (int i = w; i < w * h; i++) put_pixel(r.view, i % w, i / w, i % 2 ? 0x0000FF : 0);
    flood_fill(r.view, 0, 0, 0x00FF00);
    for (int i = 0; i < w * h; i++) ASSERT_EQ(r.at(i), i >= w && i % 2 ? 0x0000FFu : i < w || i % w / 2 < 4000 ? 0x00FF00u : 0u) << i % w << "," << i / w;
}

TEST(Blocks, CopiesInAndOutAreClippedReadZerosOutsideAndACopiedPictureRunsBottomUp) {
    Raster r(3, 2);
    Words in = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, row(5, 9), block(12, 9), far(4, 9);
    write_block(r.view, 1, in.data(), 5, 3);   // wider and taller than the raster: clipped
    for (int x : {-4, 3, -5, INT_MAX, INT_MIN}) write_block(r.view, x, in.data(), 5, 1);   // -4: only its last column lands
    read_row(r.view, 1, row.data(), 4), read_row(r.view, 2, row.data() + 4, 1), read_block(r.view, -1, 1, 4, 3, block.data());   // past the edges
    copy_block_out(r.view, INT_MAX, 0, 2, 1, far.data()), copy_block_out(r.view, INT_MIN, 1, 2, 1, far.data() + 2);
    std::string packed = hex(r.values());
    std::vector<unsigned char> rows(dib_rows_bytes(r.set({0x112233, 0x445566, 0x778899, 0xFFAABBCC, 0xDDEEFF, 0x010203}).view) + 1, 0xEE);   // 24-bit rows padded to 4
    pack_dib_rows(r.view, rows.data());   // the rows of the clipboard's DIB: bottom first, blue, green, red (its round trips: the Windows tests)
    EXPECT_EQ(hex(row) + "|" + hex(block) + "|" + hex(far) + "|" + packed + "|" + hex(Words(rows.begin(), rows.end())),
              "0 6 7 0 0|0 0 6 7 0 0 0 0 0 0 0 0|0 0 0 0|5 1 2 0 6 7|CC BB AA FF EE DD 3 2 1 0 0 0 33 22 11 66 55 44 99 88 77 0 0 0 EE");
}

// The quarter turn of a raster, by way of its packed copy
static Raster turned(const Raster &im, bool clockwise) {
    std::vector<unsigned char> packed(packed_bytes(im.view.width, im.view.height, im.view.depth));
    Raster out(im.view.height, im.view.width, im.view.depth, 0xEE);
    copy_to_packed(im.view, packed.data()), rotate_packed(packed.data(), im.view.width, im.view.height, out.view, clockwise);
    return out;
}

TEST(Transforms, TurnsAndFlipsMoveEveryPixelAndRescalesRoundHalvesUp) {
    Raster im(3, 2, 8), flipped(3, 2, 8, 0xEE), words(3, 1), tall(5, 6, 8);
    Raster right = turned(im.numbered(), true), left = turned(im, false), t = turned(tall.numbered(), true);   // t: 6 x 5, rows of 8
    flip_horizontal(flipped.numbered().view);
    std::string once = flipped.digits();
    flip_vertical(flipped.view), flip_horizontal(words.set({0xA1000001u, 2, 0xB2000003u}).view);   // whole words move
    EXPECT_EQ(right.digits() + "|" + left.digits() + "|" + once + "|" + flipped.digits() + "|" + hex(words.values()) +
              fmt("|%u %u %u %d %d|", t.at(0, 0), t.at(5, 0), t.at(5, 4), t.outside_intact(), flipped.outside_intact()) +
              hex(turned(Raster(2, 1).set({0xA1000001u, 2}), false).values()), "91 A2 B3|3B 2A 19|321 BA9|BA9 321|B2000003 2 A1000001|41 1 5 1 1|2 A1000001") << "turned right the old bottom-left corner comes first, left the top-right";
    EXPECT_EQ(fmt("%d %d %d %d %d %d", scaled_length(1, 500), scaled_length(3, 500), scaled_length(100, 707), scaled_length(7, 707), scaled_length(2000000, 2000), scaled_length(1, 1)),
              "1 2 71 5 4000000 1");
}
