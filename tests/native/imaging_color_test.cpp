// Colour models, profile and Cb-Cr plot mapping, test patterns and Invert (values worked by hand).
#include <gtest/gtest.h>

#include "imaging/color_core.h"
#include "imaging/draw_core.h"

#include <vector>

namespace {

// A 32-bit or 8-bit raster with its own storage
struct Plot {
    std::vector<unsigned char> bytes;
    RasterView view;
    Plot(int w, int h, int depth = 32) {
        bytes.assign((size_t)raster_stride(w, depth) * h, 0);
        view = raster_view(bytes.data(), w, h, depth);
    }
    uint32_t at(int x, int y) const { return get_pixel(view, x, y); }
    int lit_count() const {
        int n = 0;
        for (int y = 0; y < view.height; y++)
            for (int x = 0; x < view.width; x++) n += at(x, y) != 0;
        return n;
    }
};

} // namespace

//----------------------------------------------------------------------------------
TEST(ColorModels, OrangeGivesTheReferenceValuesInEveryModel) {
    const uint32_t orange = 0xFF8000;
    int h, s, v;
    rgb_to_hsv(orange, &h, &s, &v);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(s, 255);
    EXPECT_EQ(v, 255);
    EXPECT_EQ(color_y(orange), 151);
    EXPECT_EQ(color_cr(orange), 74);
    EXPECT_EQ(color_cb(orange), -84);   // -84.96 truncated toward zero, not floored to -85
    EXPECT_EQ(color_u(orange), -73);
    EXPECT_EQ(color_v(orange), 91);
    EXPECT_EQ(color_i(orange), 117);
    EXPECT_EQ(color_q(orange), -10);
}

TEST(ColorModels, WhiteHasNoHueNoSpreadAndNoChroma) {
    int h, s, v;
    rgb_to_hsv(0xFFFFFF, &h, &s, &v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(v, 255);
    EXPECT_EQ(color_y(0xFFFFFF), 255);
    EXPECT_EQ(color_cr(0xFFFFFF), 0);
    EXPECT_EQ(color_cb(0xFFFFFF), 0);
    EXPECT_EQ(color_y(0x000000), 0);
}

TEST(ColorModels, PrimariesAndSecondariesHaveTheirHues) {
    EXPECT_EQ(rgb_to_hue(0xFF0000), 0);
    EXPECT_EQ(rgb_to_hue(0x00FF00), 120);
    EXPECT_EQ(rgb_to_hue(0x0000FF), 240);
    EXPECT_EQ(rgb_to_hue(0xFFFF00), 60);
    EXPECT_EQ(rgb_to_hue(0x00FFFF), 180);
    EXPECT_EQ(rgb_to_hue(0xFF00FF), 300);
    EXPECT_EQ(rgb_to_saturation(0x204060), 0x40);
    EXPECT_EQ(rgb_to_value(0x204060), 0x60);
}

TEST(ColorModels, PrimariesHaveTheirLuminanceAndChroma) {
    EXPECT_EQ(color_y(0xFF0000), 76);
    EXPECT_EQ(color_y(0x00FF00), 150);
    EXPECT_EQ(color_y(0x0000FF), 29);
    EXPECT_EQ(color_cr(0xFF0000), 128);
    EXPECT_EQ(color_cb(0xFF0000), -42);
    EXPECT_EQ(color_cr(0x00FF00), -106);
    EXPECT_EQ(color_cb(0x00FF00), -83);
    EXPECT_EQ(color_cr(0x0000FF), -20);
    EXPECT_EQ(color_cb(0x0000FF), 128);
}

TEST(ColorModels, HsvToRgbFollowsTheHueSextants) {
    EXPECT_EQ(hsv_to_rgb(255, 255, 0), 0xFF0000u);
    EXPECT_EQ(hsv_to_rgb(255, 255, 120), 0x00FF00u);
    EXPECT_EQ(hsv_to_rgb(255, 255, 240), 0x0000FFu);
    EXPECT_EQ(hsv_to_rgb(200, 50, 30), 0xC8AF96u);   // m 150, d 50: G = 150 + 50*30/60
    EXPECT_EQ(hsv_to_rgb(100, 200, 0), 0x640000u);   // spread above value: m = 0
    EXPECT_EQ(hsv_to_rgb(255, 255, 330), 0xFF007Fu); // B = 255*30/60 = 127.5, truncated
}

//----------------------------------------------------------------------------------
TEST(Profiles, FullScaleIsTheTopRowAndZeroTheBottom) {
    EXPECT_EQ(profile_row(255, 255), 0);
    EXPECT_EQ(profile_row(0, 255), 127);
    EXPECT_EQ(profile_row(359, 359), 0);
    EXPECT_EQ(profile_row(128, 255), 64);
    int v, scale;
    profile_value(0x0000FF, PROFILE_H, &v, &scale);
    EXPECT_EQ(v, 240);
    EXPECT_EQ(scale, 359);
    profile_value(0xFF8000, PROFILE_CB, &v, &scale);
    EXPECT_EQ(v, 44);
    EXPECT_EQ(scale, 255);
    profile_value(0xFF8000, PROFILE_G | PROFILE_B, &v, &scale);   // the first listed bit wins
    EXPECT_EQ(v, 128);
}

TEST(Profiles, PointModeSetsOnePixelPerEntry) {
    Plot p(20, 128);
    const uint32_t row[3] = {0xFF0000, 0x000000, 0x800000};
    plot_profile(p.view, row, 12, 3, PROFILE_R | PROFILE_POINTS, 0xFF0000);
    EXPECT_EQ(p.lit_count(), 3);
    EXPECT_EQ(p.at(12, 0), 0xFF0000u);
    EXPECT_EQ(p.at(13, 127), 0xFF0000u);
    EXPECT_EQ(p.at(14, 64), 0xFF0000u);
}

TEST(Profiles, LineModeJoinsThePoints) {
    // (12,0)-(13,127): one pixel per row, rows 0..63 at x 12 and 64..127 at x 13. (13,127)-(14,64):
    // rows 127..96 at x 13 (already set) and 95..64 at x 14, so 32 more
    Plot p(20, 128);
    const uint32_t row[3] = {0xFF0000, 0x000000, 0x800000};
    plot_profile(p.view, row, 12, 3, PROFILE_R | PROFILE_LINES, 0x00FF00);
    EXPECT_EQ(p.lit_count(), 160);
    EXPECT_EQ(p.at(12, 63), 0x00FF00u);
    EXPECT_EQ(p.at(14, 95), 0x00FF00u);
    EXPECT_EQ(p.at(14, 96), 0u);
    EXPECT_EQ(p.at(14, 64), 0x00FF00u);
}

TEST(Profiles, ByteEntriesAreTakenAsTheyAreAndNoModeDrawsNothing) {
    Plot p(16, 128);
    const unsigned char bytes[2] = {0, 255};
    plot_profile(p.view, bytes, 12, 2, PROFILE_BYTE | PROFILE_R | PROFILE_POINTS, 0xFFFFFF);
    EXPECT_EQ(p.lit_count(), 2);
    EXPECT_EQ(p.at(12, 127), 0xFFFFFFu);
    EXPECT_EQ(p.at(13, 0), 0xFFFFFFu);
    Plot q(16, 128);
    plot_profile(q.view, bytes, 12, 2, PROFILE_BYTE, 0xFFFFFF);
    EXPECT_EQ(q.lit_count(), 0);
}

//----------------------------------------------------------------------------------
TEST(CrCbPlot, GreyRowDrawsAllItsPointsAtTheCentre) {
    Plot p(256, 256);
    const uint32_t grey[5] = {0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xFFFFFF};
    plot_crcb_trace(p.view, grey, 5);
    EXPECT_EQ(p.lit_count(), 1);
    EXPECT_EQ(p.at(128, 128), 0xFFFFFFu);   // point 4 is drawn white
    Plot q(256, 256);
    plot_crcb_trace(q.view, grey, 4);
    EXPECT_EQ(q.at(128, 128), 0xFF00FFu);   // point 3 is drawn magenta
}

TEST(CrCbPlot, AxesCrossAtTheCentreInGrey) {
    Plot p(256, 256);
    plot_crcb_axes(p.view);
    EXPECT_EQ(p.lit_count(), 511);
    EXPECT_EQ(p.at(0, 128), 0x808080u);
    EXPECT_EQ(p.at(255, 128), 0x808080u);
    EXPECT_EQ(p.at(128, 0), 0x808080u);
    EXPECT_EQ(p.at(128, 255), 0x808080u);
}

TEST(CrCbPlot, BlockRowsAreJoinedOnlyWithinThemselves) {
    int x, y;
    crcb_point(0xFF0000, &x, &y);
    EXPECT_EQ(x, 86);
    EXPECT_EQ(y, 0);
    crcb_point(0x00FF00, &x, &y);
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, 234);
    // Row 0: red -> green; row 1: blue (at column 256, outside) -> white at the centre
    Plot p(256, 256);
    const uint32_t block[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    plot_crcb_block(p.view, 2, block, 2);
    EXPECT_EQ(p.at(86, 0), 0xFFFFFFu);
    EXPECT_EQ(p.at(45, 234), 0xFFFFFFu);
    EXPECT_EQ(p.at(128, 128), 0xFFFFFFu);
    EXPECT_EQ(p.at(255, 148), 0xFFFFFFu);
    // A join from green to blue would cross the lower right quarter
    for (int yy = 150; yy < 256; yy++)
        for (int xx = 100; xx < 256; xx++) ASSERT_EQ(p.at(xx, yy), 0u) << xx << "," << yy;
}

//----------------------------------------------------------------------------------
TEST(TestPatterns, RgbRampsFromBlueAtTheOrigin) {
    EXPECT_EQ(pattern_color(PATTERN_RGB, 0, 0, 256, 256), 0x0000FFu);
    EXPECT_EQ(pattern_color(PATTERN_RGB, 255, 255, 256, 256), 0xFEFE01u);
    EXPECT_EQ(pattern_color(PATTERN_RGB, 128, 0, 256, 256), 0x7F00C0u);
}

TEST(TestPatterns, HsvRunsFromWhiteThroughFullColourToBlack) {
    EXPECT_EQ(pattern_color(PATTERN_HSV, 0, 0, 360, 100), 0xFFFFFFu);
    EXPECT_EQ(pattern_color(PATTERN_HSV, 0, 50, 360, 100), 0xFF0000u);
    EXPECT_EQ(pattern_color(PATTERN_HSV, 120, 50, 360, 100), 0x04FF00u);   // hue 119
    EXPECT_EQ(pattern_color(PATTERN_HSV, 0, 99, 360, 100), 0x060000u);     // V = 255 - 249
    EXPECT_EQ(pattern_color(PATTERN_HSV, 0, 25, 360, 100), 0xFF8080u);     // S = 127, m = 128
}

TEST(TestPatterns, HsvOnOneRowShowsFullColourWithoutDividingByZero) {
    EXPECT_EQ(pattern_color(PATTERN_HSV, 0, 0, 4, 1), 0xFF0000u);
    EXPECT_EQ(pattern_color(PATTERN_HSV, 1, 0, 4, 1), 0x83FF00u);   // hue 89: R = 255*31/60
    Plot p(4, 1);
    fill_pattern(p.view, PATTERN_HSV);
    EXPECT_EQ(p.at(0, 0), 0xFF0000u);
}

TEST(TestPatterns, ChromaPlanesAreBlackAtTheCentre) {
    for (int pat : {PATTERN_YCRCB, PATTERN_YUV, PATTERN_YIQ}) {
        EXPECT_EQ(pattern_color(pat, 50, 50, 100, 100), 0u) << pat;
        EXPECT_EQ(pattern_color(pat, 3, 2, 7, 5), 0u) << pat;
    }
}

TEST(TestPatterns, ChromaPlanesFollowTheirMatrices) {
    // b = -25 (left of the centre), L = 55
    EXPECT_EQ(pattern_color(PATTERN_YCRCB, 40, 50, 100, 100), 0x37400Bu);
    // b = +25, L = 55
    EXPECT_EQ(pattern_color(PATTERN_YUV, 60, 50, 100, 100), 0x372D6Au);
    // a = +25 (above the centre), L = 55
    EXPECT_EQ(pattern_color(PATTERN_YIQ, 50, 40, 100, 100), 0x4F301Bu);
    // far corner: channels clamp to 255
    EXPECT_EQ(pattern_color(PATTERN_YCRCB, 0, 0, 100, 100), 0xFFFFB0u);
}

TEST(TestPatterns, GreyHalvesRunInOppositeDirections) {
    EXPECT_EQ(pattern_color(PATTERN_GREY, 1, 0, 4, 4), 0x3F3F3Fu);
    EXPECT_EQ(pattern_color(PATTERN_GREY, 1, 2, 4, 4), 0xC0C0C0u);
    EXPECT_EQ(pattern_color(PATTERN_GREY, 0, 3, 4, 4), 0xFFFFFFu);
}

TEST(TestPatterns, FillCoversEveryPixelAndEightBitTakesTheBlueByte) {
    Plot p(5, 3, 8);
    fill_pattern(p.view, PATTERN_RGB);
    EXPECT_EQ(p.at(0, 0), 0xFFu);
    EXPECT_EQ(p.at(4, 2), (uint32_t)(255 - (6 * 255) / 8));
    for (int y = 0; y < 3; y++)
        for (int k = 5; k < 8; k++) EXPECT_EQ(p.bytes[y * 8 + k], 0) << "padding";
}

TEST(Invert, EveryColourByteBecomesItsComplement) {
    Plot p(2, 1);
    put_pixel(p.view, 0, 0, 0x123456);
    put_pixel(p.view, 1, 0, 0x000000);
    invert_raster(p.view);
    EXPECT_EQ(p.at(0, 0), 0xEDCBA9u);
    EXPECT_EQ(p.at(1, 0), 0xFFFFFFu);
    Plot e(3, 2, 8);
    put_pixel(e.view, 2, 1, 10);
    invert_raster(e.view);
    EXPECT_EQ(e.at(2, 1), 245u);
    EXPECT_EQ(e.at(0, 0), 255u);
    EXPECT_EQ(e.bytes[3], 0);   // row padding untouched
    EXPECT_EQ(e.bytes[7], 0);
}

TEST(Invert, TheUnusedTopByteOfA32BitPixelIsLeftAsItWas) {
    uint32_t px[2] = {0xAB123456u, 0x01000000u};
    invert_raster(raster_view(px, 2, 1, 32));
    EXPECT_EQ(px[0], 0xABEDCBA9u);
    EXPECT_EQ(px[1], 0x01FFFFFFu);
}
