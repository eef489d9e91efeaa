// tests/windows/imaging_tt_text_test.cpp - the TrueType font's size and style controls and the text
// cursor's new line.
#include "tests/windows/harness.h"

#include "imaging/tt_text.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

// The description of the current TrueType font
static LOGFONTW font_description(void) {
    LOGFONTW lf = {};
    GetObjectW(vrx_tt_font, sizeof lf, &lf);
    return lf;
}

TEST(TrueTypeText, FontSizeSetsHalfTheWidthAndTheCell) {
    ASSERT_EQ(harness_start(), 0);
    int result = -1;
    ASSERT_TRUE(harness_run_on_worker([&] { result = tt_set_font_size(25, 30); }));
    EXPECT_EQ(result, 0);
    LOGFONTW lf = font_description();
    EXPECT_EQ(lf.lfWidth, 12);
    EXPECT_EQ(lf.lfHeight, 30);
    EXPECT_EQ(vrx_tt_cell_width, 12);
    EXPECT_EQ(vrx_tt_cell_height, 30);
    EXPECT_TRUE(harness_exit());
}

TEST(TrueTypeText, ControlCodesChangeOneStyleEach) {
    ASSERT_EQ(harness_start(), 0);
    LOGFONTW italic = {}, bold = {}, underline = {}, plain = {};
    ASSERT_TRUE(harness_run_on_worker([&] {
        tt_draw_char(TT_ITALIC_ON);
        italic = font_description();
        tt_draw_char(TT_BOLD_ON);
        bold = font_description();
        tt_draw_char(TT_UNDERLINE_ON);
        underline = font_description();
        tt_draw_string("\x02\x04\x06");
        plain = font_description();
    }));
    EXPECT_TRUE(italic.lfItalic);
    EXPECT_NE(italic.lfWeight, 700);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_TRUE(bold.lfItalic);
    EXPECT_TRUE(underline.lfUnderline);
    EXPECT_FALSE(plain.lfItalic);
    EXPECT_EQ(plain.lfWeight, 400);
    EXPECT_FALSE(plain.lfUnderline);
    EXPECT_EQ(plain.lfHeight, 16);   // the start-up size is kept through every change
    EXPECT_TRUE(harness_exit());
}

TEST(TrueTypeText, NewLineMovesByTheCellHeightToTheMargin) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([&] {
        tt_set_font_size(20, 24);
        vrx_text_x = 50;
        vrx_text_y = 30;
        vrx_text_margin = 7;
        tt_draw_char(TT_NEW_LINE);
    }));
    EXPECT_EQ(vrx_text_x, 7);
    EXPECT_EQ(vrx_text_y, 54);
    EXPECT_TRUE(harness_exit());
}
