// Bitmap font text on plain rasters, and the cp932 code walk.
#include <gtest/gtest.h>

#include "imaging/draw_command_core.h"
#include "imaging/draw_core.h"
#include "imaging/text_core.h"

#include <climits>
#include <string>
#include <vector>

namespace {

struct Canvas {
    std::vector<uint32_t> px;
    RasterView view;
    Canvas(int w, int h) : px((size_t)w * h, 0) { view = raster_view(px.data(), w, h, 32); }
    int lit() const { int n = 0; for (uint32_t p : px) n += p != 0; return n; }
};

const unsigned char *glyph(int c) { return font8x14 + (c - 32) * 14; }

// Walks a string with cp932_next and collects its codes
std::vector<unsigned> codes_of(const char *s) {
    std::vector<unsigned> out;
    unsigned code;
    while ((s = cp932_next(s, &code)) != nullptr) out.push_back(code);
    return out;
}

} // namespace

//----------------------------------------------------------------------------------
TEST(Font, CapitalAAndSmallGHaveTheirRows) {
    const unsigned char a[14] = {0x00, 0x00, 0x18, 0x3C, 0x66, 0x66, 0x66, 0x7E, 0x66, 0x66, 0x66, 0x00, 0x00, 0x00};
    const unsigned char g[14] = {0x00, 0x00, 0x00, 0x00, 0x3E, 0x66, 0x66, 0x66, 0x66, 0x66, 0x3E, 0x06, 0x06, 0x7C};
    for (int r = 0; r < 14; r++) {
        EXPECT_EQ(glyph('A')[r], a[r]) << r;
        EXPECT_EQ(glyph('g')[r], g[r]) << r;
    }
}

TEST(Font, GlyphsKeepTheRowLayout) {
    for (int r = 0; r < 14; r++) {
        EXPECT_EQ(glyph(32)[r], 0);
        EXPECT_EQ(glyph(127)[r], 0);
    }
    for (int c = 33; c <= 126; c++) {
        int bits = 0;
        for (int r = 0; r < 14; r++) bits |= glyph(c)[r];
        EXPECT_NE(bits, 0) << "glyph " << c << " is blank";
    }
    const std::string capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (char c : capitals)
        for (int r : {0, 1, 11, 12, 13}) EXPECT_EQ(glyph(c)[r], 0) << c << " row " << r;
    const std::string small = "acemnorsuvwxz";
    for (char c : small) {
        for (int r : {0, 1, 2, 3, 11, 12, 13}) EXPECT_EQ(glyph(c)[r], 0) << c << " row " << r;
        EXPECT_NE(glyph(c)[4], 0) << c;
    }
    for (char c : std::string("gjpqy")) EXPECT_NE(glyph(c)[13], 0) << c;
    EXPECT_EQ(glyph('_')[13], 0xFF);
}

//----------------------------------------------------------------------------------
TEST(BitmapText, CharacterIsDrawnAboveTheBaselineInItsColour) {
    Canvas cv(24, 20);
    TextCursor cur = {3, 16, 0};
    draw_char(cv.view, &cur, 0x00FF00, 'A');
    const unsigned char a[14] = {0x00, 0x00, 0x18, 0x3C, 0x66, 0x66, 0x66, 0x7E, 0x66, 0x66, 0x66, 0x00, 0x00, 0x00};
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 24; x++) {
            int r = y - 2, b = x - 3;
            bool set = r >= 0 && r < 14 && b >= 0 && b < 8 && (a[r] & (0x80 >> b));
            EXPECT_EQ(cv.px[y * 24 + x], set ? 0x00FF00u : 0u) << x << "," << y;
        }
    EXPECT_EQ(cur.x, 11);
    EXPECT_EQ(cur.y, 16);
}

TEST(BitmapText, ControlBytesAndHighBytesDrawNothingAndDoNotMove) {
    Canvas cv(64, 32);
    TextCursor cur = {5, 20, 2};
    for (int c : {0, 1, 9, 13, 31, 128, 200, 255}) draw_char(cv.view, &cur, 0xFFFFFF, (unsigned char)c);
    EXPECT_EQ(cv.lit(), 0);
    EXPECT_EQ(cur.x, 5);
    EXPECT_EQ(cur.y, 20);
}

TEST(BitmapText, NewLineReturnsToTheMarginSixteenRowsDown) {
    Canvas cv(64, 64);
    TextCursor cur = {40, 20, 6};
    draw_char(cv.view, &cur, 0xFFFFFF, 10);
    EXPECT_EQ(cur.x, 6);
    EXPECT_EQ(cur.y, 36);
    EXPECT_EQ(cv.lit(), 0);
}

TEST(BitmapText, CharacterAtTheLastPlaceFitsAndTheNextStartsANewLine) {
    Canvas cv(24, 40);
    TextCursor cur = {16, 14, 0};
    draw_char(cv.view, &cur, 0xFFFFFF, 'H');   // columns 16..23: fits
    EXPECT_EQ(cv.px[7 * 24 + 23], 0xFFFFFFu);  // H's bar row 6 ends in the last column
    EXPECT_EQ(cur.x, 0);
    EXPECT_EQ(cur.y, 30);
    draw_string(cv.view, &cur, 0xFFFFFF, "HH");
    EXPECT_EQ(cur.x, 16);
    EXPECT_EQ(cur.y, 30);
    EXPECT_EQ(cv.px[(30 - 14 + 2) * 24 + 0], 0xFFFFFFu);
}

TEST(BitmapText, FormattedTextLongerThanTheBufferIsCut) {
    // On a raster 8 wide every character wraps, so the baseline counts the characters drawn
    Canvas cv(8, 8);
    TextCursor cur = {0, 14, 0};
    std::string longer(5000, 'x');
    va_list none;
    auto draw = [&](const char *format, ...) {
        va_start(none, format);
        draw_textv(cv.view, &cur, 0xFFFFFF, format, none);
        va_end(none);
    };
    draw("%s", longer.c_str());
    EXPECT_EQ(cur.y, 14 + 4095 * 16);
    cur = {0, 14, 0};
    draw("%d-%s", 42, "ab");
    EXPECT_EQ(cur.y, 14 + 5 * 16);
}

TEST(BitmapText, ACursorFarAwayNeverOverflowsAndDrawsNothing) {
    // Near the end of the int range: the advance holds at INT_MAX and a new line follows; the
    // baseline held there moves no further. UBSan stops the test on any overflow.
    Canvas cv(32, 32);
    TextCursor cur = {INT_MAX - 3, 20, 4};
    draw_char(cv.view, &cur, 0xFFFFFF, 'W');
    EXPECT_EQ(cur.x, 4);
    EXPECT_EQ(cur.y, 36);
    cur = {0, INT_MAX - 5, 0};
    draw_string(cv.view, &cur, 0xFFFFFF, "a\nb\n");
    EXPECT_EQ(cur.y, INT_MAX);
    EXPECT_EQ(cur.x, 0);
    cur = {INT_MIN, INT_MIN, INT_MIN};   // glyph rows above the int range are skipped
    draw_string(cv.view, &cur, 0xFFFFFF, "Mg\n");
    EXPECT_EQ(cv.lit(), 0);
    // A long text on a narrow raster walks 16 rows down per character, past the end of the range
    // here, and the baseline stays at its end.
    Canvas narrow(4, 4);
    cur = {0, INT_MAX - 16 * 100, 0};
    std::string line(4095, 'x');
    draw_string(narrow.view, &cur, 0xFFFFFF, line.c_str());
    EXPECT_EQ(cur.y, INT_MAX);
    EXPECT_EQ(text_advance(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(text_advance(-5, 8), 3);
}

//----------------------------------------------------------------------------------
TEST(Cp932, LeadBytesJoinTheirTrailBytes) {
    // "あA" = 82 A0 41
    EXPECT_EQ(codes_of("\x82\xA0" "A"), (std::vector<unsigned>{0x82A0, 0x41}));
    // lead byte ranges end at 9F and start again at E0; half-width katakana B1 stands alone
    EXPECT_EQ(codes_of("\x9F\x40\xE0\x40\xFC\x40"), (std::vector<unsigned>{0x9F40, 0xE040, 0xFC40}));
    EXPECT_EQ(codes_of("\x80\xA0\xB1\xDF\xFD"), (std::vector<unsigned>{0x80, 0xA0, 0xB1, 0xDF, 0xFD}));
    EXPECT_EQ(codes_of("a\x81\x0A" "b"), (std::vector<unsigned>{0x61, 0x810A, 0x62}));
}

TEST(Cp932, TheCallerSLeadTestDecidesThePairs) {
    // With a single-byte code page no byte leads: every byte is a code of its own
    auto none = [](unsigned char) { return false; };
    unsigned code = 0;
    const char *s = "\x82\xA0";
    std::vector<unsigned> got;
    while ((s = cp932_next(s, &code, none)) != nullptr) got.push_back(code);
    EXPECT_EQ(got, (std::vector<unsigned>{0x82, 0xA0}));
}

TEST(Cp932, LoneLeadByteAtTheEndStopsTheWalk) {
    EXPECT_EQ(codes_of("AB\x83"), (std::vector<unsigned>{0x41, 0x42}));
    EXPECT_TRUE(codes_of("").empty());
}

TEST(Cp932, CodesAreWrittenBackLeadByteFirst) {
    char out[3];
    EXPECT_EQ(cp932_code_bytes(0x82A0, out), 2);
    EXPECT_EQ((unsigned char)out[0], 0x82);
    EXPECT_EQ((unsigned char)out[1], 0xA0);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(cp932_code_bytes(0x41, out), 1);
    EXPECT_STREQ(out, "A");
}

//----------------------------------------------------------------------------------
TEST(Pick, ThirtyTwoBitPixelIsBothColours) {
    PickedColours c = pick_colours(0x123456, 32, nullptr);
    EXPECT_EQ(c.draw, 0x123456u);
    EXPECT_EQ(c.tttc, 0x123456u);
}

TEST(Pick, EightBitPixelKeepsItsIndexAndGivesTheTrueTypeColourFromThePalette) {
    unsigned char palette[1024] = {};
    // entry 7 pure red, entry 8 a mixed colour: bytes blue, green, red, unused
    palette[7 * 4 + 2] = 0xFF;
    palette[8 * 4 + 0] = 0x33;
    palette[8 * 4 + 1] = 0x22;
    palette[8 * 4 + 2] = 0x11;
    palette[8 * 4 + 3] = 0x99;   // the unused byte is not part of the colour
    PickedColours red = pick_colours(7, 8, palette);
    EXPECT_EQ(red.draw, 7u);
    EXPECT_EQ(red.tttc, 0xFF0000u);
    PickedColours mixed = pick_colours(8, 8, palette);
    EXPECT_EQ(mixed.draw, 8u);
    EXPECT_EQ(mixed.tttc, 0x112233u);
}

TEST(TrueTypeBoxText, ABoxFortyWideAndThirtyHighAsksForWidthFortyHeightThirtyAtItsBottomLeft) {
    TrueTypeBox b = truetype_box(10, 20, 49, 49);
    EXPECT_EQ(b.size_width, 40);    // tt_set_font_size halves it to a character width of 20
    EXPECT_EQ(b.size_height, 30);
    EXPECT_EQ(b.x, 10);
    EXPECT_EQ(b.margin, 10);
    EXPECT_EQ(b.baseline, 49);
    TrueTypeBox one = truetype_box(3, 3, 3, 3);
    EXPECT_EQ(one.size_width, 1);
    EXPECT_EQ(one.size_height, 1);
}
