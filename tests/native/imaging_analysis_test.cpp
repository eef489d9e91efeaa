// Pixel probe text and the plot windows' sizes, titles, traces and labels.
#include <gtest/gtest.h>

#include "imaging/analysis_core.h"
#include "imaging/draw_core.h"

#include <string>
#include <vector>

namespace {

struct Canvas {
    std::vector<uint32_t> px;
    RasterView view;
    Canvas(int w, int h) : px((size_t)w * h, 0) { view = raster_view(px.data(), w, h, 32); }
    uint32_t at(int x, int y) const { return get_pixel(view, x, y); }
};

// True when every set bit of glyph c drawn with baseline y at x shows colour on the canvas
bool glyph_shown(const Canvas &cv, char c, int x, int baseline, uint32_t colour) {
    const unsigned char *g = font8x14 + (c - 32) * 14;
    int set = 0;
    for (int r = 0; r < 14; r++)
        for (int b = 0; b < 8; b++)
            if (g[r] & (0x80 >> b)) {
                set++;
                if (cv.at(x + b, baseline - 14 + r) != colour) return false;
            }
    return set > 0;
}

} // namespace

TEST(PixelProbe, OrangePrintsEveryModel) {
    char text[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, 3, 4, 0xFF8000, 32);
    EXPECT_STREQ(text, "(X,Y)=(3,4)\n(R,G,B)=(255,128,0)\n(H,S,V)=(30,255,255)\n(Y,Cr,Cb)=(151,74,-84)\n"
                       "(Y,u,v)=(151,-73,91)\n(Y,I,Q)=(151,117,-10)\n\n");
}

TEST(PixelProbe, WhiteAndEightBitPixels) {
    char text[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, 0, 0, 0xFFFFFF, 32);
    EXPECT_NE(std::string(text).find("(H,S,V)=(0,0,255)\n(Y,Cr,Cb)=(255,0,0)\n"), std::string::npos);
    format_pixel_probe(text, sizeof text, 7, 1, 200, 8);
    EXPECT_STREQ(text, "(X,Y)=(7,1)\n(Luminance)=(200)\n\n");
    char small[8];
    format_pixel_probe(small, sizeof small, 0, 0, 0xFF8000, 32);
    EXPECT_STREQ(small, "(X,Y)=(");
}

TEST(Plots, SizesAndTitlesFollowTheKind) {
    int w, h;
    plot_size(PLOT_RGB, 100, &w, &h);
    EXPECT_EQ(w, 112);
    EXPECT_EQ(h, 128);
    plot_size(PLOT_YCRCB, 100, &w, &h);
    EXPECT_EQ(w, 120);
    plot_size(PLOT_LUMI, 5, &w, &h);
    EXPECT_EQ(w, 17);
    plot_size(PLOT_CRCB, 100, &w, &h);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
    char title[64];
    plot_title(PLOT_HSV, 12, title, sizeof title);
    EXPECT_STREQ(title, "HSV(Y=12)");
    plot_title(PLOT_LUMI, 0, title, sizeof title);
    EXPECT_STREQ(title, "Luminance(Y=0)");
    plot_title(PLOT_CRCB, 7, title, sizeof title);
    EXPECT_STREQ(title, "CrCb(Y=7)");
}

TEST(Plots, RgbPlotDrawsThreeTracesAndTheirLabels) {
    Canvas cv(13, 128);
    const uint32_t row[1] = {0xFF0000};
    TextCursor cur = {0, 0, 0};
    uint32_t last_label = draw_plot(cv.view, PLOT_RGB, row, 1, &cur);
    EXPECT_EQ(cv.at(12, 0), 0xFF0000u);     // R = 255 on the top row
    EXPECT_EQ(cv.at(12, 127), 0x0000FFu);   // G and B = 0 on the bottom row, B drawn last
    EXPECT_TRUE(glyph_shown(cv, 'R', 2, 40, 0xFF0000));
    EXPECT_TRUE(glyph_shown(cv, 'G', 2, 72, 0x00FF00));
    EXPECT_TRUE(glyph_shown(cv, 'B', 2, 104, 0x0000FF));
    EXPECT_EQ(last_label, 0x0000FFu);
}

TEST(Plots, YCrCbPlotStartsAtColumnTwentyWithItsYLabelAtFour) {
    Canvas cv(21, 128);
    const uint32_t row[1] = {0xFFFFFF};
    TextCursor cur = {0, 0, 0};
    draw_plot(cv.view, PLOT_YCRCB, row, 1, &cur);
    EXPECT_EQ(cv.at(20, 0), 0xFFFFFFu);                   // Y = 255
    EXPECT_EQ(cv.at(20, 64), 0x8888FFu);    // Cr + 128 = Cb + 128 = 128: row 127 - 63; Cb drawn last
    EXPECT_TRUE(glyph_shown(cv, 'Y', 4, 40, 0xFFFFFF));
    EXPECT_TRUE(glyph_shown(cv, 'C', 2, 72, 0xFF8888));
    EXPECT_TRUE(glyph_shown(cv, 'r', 10, 72, 0xFF8888));
    EXPECT_TRUE(glyph_shown(cv, 'b', 10, 104, 0x8888FF));
}

TEST(Plots, LuminancePlotTakesBytes) {
    Canvas cv(14, 128);
    const unsigned char row[2] = {255, 0};
    TextCursor cur = {0, 0, 0};
    draw_plot(cv.view, PLOT_LUMI, row, 2, &cur);
    EXPECT_EQ(cv.at(12, 0), 0xFFFFFFu);
    EXPECT_EQ(cv.at(13, 127), 0xFFFFFFu);
    EXPECT_EQ(cv.at(12, 63), 0xFFFFFFu);   // the join: rows 0..63 in column 12
    EXPECT_TRUE(glyph_shown(cv, 'L', 2, 40, 0xFFFFFF));
}

TEST(Plots, CrCbPlotOfAGreyRowHasAxesLabelsAndOnePoint) {
    Canvas cv(256, 256);
    const uint32_t row[3] = {0x101010, 0x808080, 0xF0F0F0};
    TextCursor cur = {0, 0, 0};
    draw_plot(cv.view, PLOT_CRCB, row, 3, &cur);
    EXPECT_EQ(cv.at(128, 128), 0xFFFFFFu);  // point 2 is white
    EXPECT_EQ(cv.at(0, 128), 0x808080u);
    EXPECT_EQ(cv.at(128, 255), 0x808080u);
    EXPECT_TRUE(glyph_shown(cv, 'C', 110, 16, 0xFF8888));
    EXPECT_TRUE(glyph_shown(cv, 'b', 246, 144, 0x8888FF));
}

TEST(Plots, CrCbAreaPlotsEachRowOfTheBlock) {
    Canvas cv(256, 256);
    const uint32_t block[4] = {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00};
    TextCursor cur = {0, 0, 0};
    draw_crcb_area_plot(cv.view, block, 2, 2, &cur);
    EXPECT_EQ(cv.at(86, 0), 0xFFFFFFu);     // red
    EXPECT_EQ(cv.at(45, 234), 0xFFFFFFu);   // green
    // rows are not joined: nothing on the way from one point to the other
    for (int y = 50; y <= 120; y++)
        for (int x = 40; x <= 100; x++) ASSERT_EQ(cv.at(x, y), 0u) << x << "," << y;
}
