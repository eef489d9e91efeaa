// tests/native/colour_and_plots_test.cpp - the colour models, the pixel probe, profiles and the plot windows
// with their traces, the Cb-Cr points, the test patterns and Invert. Values worked by hand from the
// fixed-point formulas (q truncates toward zero after adding 32768).
#include "support.h"

#include "imaging/analysis_core.h"
#include "imaging/color_core.h"
#include "imaging/draw_command_core.h"

TEST(ColourModels, EachColourGivesItsNumbersInEveryModelHsvGoesBackAndTheProbePrintsThem) {
    const char *models[][2] = {   // Y Cr Cb u v I Q H S V (-84.96: -84; the spread is the saturation)
        {"FF8000", "151 74 -84 -73 91 117 -10 30 255 255"}, {"FFFFFF", "255 0 0 0 0 0 0 0 0 255"}, {"00FF00", "150 -106 -83 -73 -130 -69 -126 120 255 255"},
        {"0000FF", "29 -20 128 111 -25 -81 74 240 255 255"}, {"FF00FF", "105 107 84 74 131 70 127 300 255 255"}, {"204060", "58 -18 21 19 -22 -28 3 210 64 96"},
    };
    for (auto m : models) {
        uint32_t c = (uint32_t)std::stoul(m[0], nullptr, 16);
        int h, s, v;
        rgb_to_hsv(c, &h, &s, &v);
        EXPECT_EQ(fmt("%d %d %d %d %d %d %d %d %d %d", color_y(c), color_cr(c), color_cb(c), color_u(c), color_v(c), color_i(c), color_q(c), h, s, v), m[1]) << m[0];
    }
    EXPECT_EQ(hex({hsv_to_rgb(255, 255, 120), hsv_to_rgb(200, 50, 30), hsv_to_rgb(100, 200, 0), hsv_to_rgb(255, 255, 330), hsv_to_rgb(255, 255, -5), hsv_to_rgb(180, 90, 200)}),
              "FF00 C8AF96 640000 FF007F FF0000 5A96B4") << "S above V: m = 0; 127.5 truncated; a hue below 0 is 0";
    char text[PROBE_TEXT], small[8], grey[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, 3, 4, 0xFF8000, 32), format_pixel_probe(small, sizeof small, 0, 0, 0xFF8000, 32), format_pixel_probe(grey, sizeof grey, 7, 1, 200, 8);
    EXPECT_EQ(std::string(text) + small + "|" + grey, "(X,Y)=(3,4)\n(R,G,B)=(255,128,0)\n(H,S,V)=(30,255,255)\n(Y,Cr,Cb)=(151,74,-84)\n"
              "(Y,u,v)=(151,-73,91)\n(Y,I,Q)=(151,117,-10)\n\n(X,Y)=(|(X,Y)=(7,1)\n(Luminance)=(200)\n\n");
}

TEST(Plots, ProfilesJoinOnlyInLineModeEachKindDrawsItsTracesInItsWindowAndCrCbPointsSitAtCbAndCr) {
    const uint32_t row[3] = {0xFF0000, 0x000000, 0x800000};
    Raster each(20, 128), joined(20, 128);
    plot_profile(each.view, row, 12, 3, PROFILE_R | PROFILE_POINTS, 0xFF0000), plot_profile(joined.view, row, 12, 3, PROFILE_R | PROFILE_LINES, 0xFF0000);
    EXPECT_TRUE(each.lit() == points("12,0 13,127 14,64") && joined.lit().size() == 160u) << "joined: one pixel a row";
    const uint32_t red = 0xFF0000, blue = 0x0000FF, white = 0xFFFFFF, greys[3] = {0x101010, 0x808080, 0xF0F0F0};
    const unsigned char lumi[2] = {255, 0};
    struct Case { int kind; const void *row; int count; const char *window, *pixels; } cases[] = {   // width + 12 (+ 20 for YCrCb) by 128, Cb-Cr 256 square
        {PLOT_RGB, &red, 1, "13x128 RGB(Y=9) FF", "12,0=FF0000 12,127=0000FF"}, {PLOT_HSV, &blue, 1, "13x128 HSV(Y=9) FFFF", "12,43=FFFF00 12,0=00FFFF"},
        {PLOT_YCRCB, &white, 1, "21x128 YCrCb(Y=9) 8888FF", "20,0=FFFFFF 20,64=8888FF"}, {PLOT_LUMI, lumi, 2, "14x128 Luminance(Y=9) FFFFFF", "12,0=FFFFFF 12,63=FFFFFF 13,127=FFFFFF"},
        {PLOT_CRCB, greys, 3, "256x256 CrCb(Y=9) 8888FF", "128,128=FFFFFF 0,128=808080 255,128=808080 128,255=808080"},
    };
    for (const Case &c : cases) {
        int w, h, n; unsigned colour;
        char title[32];
        plot_size(c.kind, c.count, &w, &h), plot_title(c.kind, 9, title, sizeof title);
        Raster plot(w, h);
        TextCursor cursor = {0, 0, 0};
        EXPECT_EQ(fmt("%dx%d %s %X", w, h, title, draw_plot(plot.view, c.kind, c.row, c.count, &cursor)), c.window);
        for (const char *p = c.pixels; sscanf(p, " %d,%d=%x%n", &w, &h, &colour, &n) == 3; p += n) EXPECT_EQ(plot.at(w, h), colour) << title << " " << p;
    }
    const uint32_t grey[5] = {0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xFFFFFF};
    Raster five(256, 256), four(256, 256);
    int x[2], y[2];
    crcb_point(0xFF0000, &x[0], &y[0]), crcb_point(0x00FF00, &x[1], &y[1]), plot_crcb_trace(five.view, grey, 5), plot_crcb_trace(four.view, grey, 4);
    EXPECT_EQ(fmt("%d,%d %d,%d|%zu %X %X", x[0], y[0], x[1], y[1], five.lit().size(), five.at(128, 128), four.at(128, 128)), "86,0 45,234|1 FFFFFF FF00FF") << "a grey row: one point, white, magenta, ...";
}

TEST(TestPatterns, EachPatternGivesItsWorkedColoursAndInvertComplementsEachByte) {
    const int cases[][6] = {   // pattern, x, y, w, h, colour
        {PATTERN_RGB, 0, 0, 256, 256, 0x0000FF}, {PATTERN_RGB, 255, 255, 256, 256, 0xFEFE01}, {PATTERN_RGB, 128, 0, 256, 256, 0x7F00C0}, {PATTERN_HSV, 0, 0, 360, 100, 0xFFFFFF},
        {PATTERN_HSV, 120, 50, 360, 100, 0x04FF00}, {PATTERN_HSV, 0, 99, 360, 100, 0x060000}, {PATTERN_HSV, 0, 25, 360, 100, 0xFF8080}, {PATTERN_HSV, 1, 0, 4, 1, 0x83FF00},
        {PATTERN_YCRCB, 50, 50, 100, 100, 0}, {PATTERN_YUV, 50, 50, 100, 100, 0}, {PATTERN_YIQ, 3, 2, 7, 5, 0}, {PATTERN_GREY, 1, 2, 4, 4, 0xC0C0C0},   // a black centre; 1 row: full
        {PATTERN_YCRCB, 40, 50, 100, 100, 0x37400B}, {PATTERN_YUV, 60, 50, 100, 100, 0x372D6A}, {PATTERN_YIQ, 50, 40, 100, 100, 0x4F301B}, {PATTERN_GREY, 1, 0, 4, 4, 0x3F3F3F},
    };
    for (auto c : cases) EXPECT_EQ(pattern_color(c[0], c[1], c[2], c[3], c[4]), (uint32_t)c[5]) << c[0] << " at " << c[1] << "," << c[2];
    Raster grey(5, 3, 8, 0xEE), words(2, 1);   // 8 bits take the blue byte (0x40 of 0xCCAA40); Invert leaves the top byte
    fill_pattern(grey.view, PATTERN_RGB), invert_raster(words.set({0x123456, 0xAB000000}).view);
    EXPECT_EQ(hex({grey.at(0, 0), grey.at(4, 2)}) + "|" + hex(words.values()) + fmt("|%d", grey.outside_intact()), "FF 40|EDCBA9 ABFFFFFF|1");
}
