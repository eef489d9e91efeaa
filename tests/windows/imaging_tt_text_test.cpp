// tests/windows/imaging_tt_text_test.cpp - the TrueType font's size and style controls and the text
// cursor's new line.
#include "tests/windows/harness.h"
#include "tests/windows/worker_dialog.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <thread>

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
        vrx_text_cursor.x = 50;
        vrx_text_cursor.y = 30;
        vrx_text_cursor.margin = 7;
        tt_draw_char(TT_NEW_LINE);
    }));
    EXPECT_EQ(vrx_text_cursor.x, 7);
    EXPECT_EQ(vrx_text_cursor.y, 54);
    EXPECT_TRUE(harness_exit());
}

// How far the text cursor moves for text drawn into a fresh 32-bit image, and how many pixels it inks
static int advance_of(const char *text, int *ink = nullptr) {
    int moved = -1;
    harness_run_on_worker([&] {
        VRX_CreateImage(6, "tt", 0, 0, 200, 100, 100);
        VRX_SelectImage(6);
        vrx_tttc = 0xFFFFFF;
        vrx_text_cursor.x = vrx_text_cursor.margin = 10;
        vrx_text_cursor.y = 40;
        tt_draw_string(text);
        GdiFlush();
        moved = vrx_text_cursor.x - 10;
        if (ink) {
            *ink = 0;
            for (int i = 0; i < 200 * 100; i++) *ink += pixels32[6][i] != 0;
        }
        VRX_DestroyImage(6);
    });
    return moved;
}

TEST(TrueTypeText, ALoneLeadByteAtTheEndStopsTheStringAfterWhatCameBefore) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_EQ(GetACP(), 932u) << "the test set-up runs Wine with the Japanese code page";
    int ink_a = 0, ink_lone = 0;
    int a = advance_of("A", &ink_a);
    int lone = advance_of("A\x82", &ink_lone);   // "A" and half of a pair
    int pair = advance_of("A\x82\xA0");         // "Aあ"
    EXPECT_GT(a, 0);
    EXPECT_GT(ink_a, 0);
    EXPECT_EQ(lone, a);
    EXPECT_EQ(ink_lone, ink_a);
    EXPECT_GT(pair, a) << "a lead byte and its trail byte are one character";
    EXPECT_TRUE(harness_exit());
}

TEST(TrueTypeText, ACodeTheCodePageCannotConvertIsSkipped) {
    ASSERT_EQ(harness_start(), 0);
    // 0x85 0x40 lies in a row of cp932 without characters
    int ink = -1;
    EXPECT_EQ(advance_of("\x85\x40", &ink), 0);
    EXPECT_EQ(ink, 0);
    EXPECT_EQ(advance_of("\x85\x40" "A"), advance_of("A"));
    EXPECT_TRUE(harness_exit());
}

TEST(TrueTypeText, FontChangeCancelledKeepsTheFontAndTheCell) {
    ASSERT_EQ(harness_start(), 0);
    std::thread driver([] {
        HWND dlg = find_worker_dialog(10000);
        if (dlg) PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    HFONT before = vrx_tt_font;
    ASSERT_TRUE(harness_run_on_worker([] { change_tt_font(vrx_main_window); }));
    driver.join();
    ASSERT_NE(vrx_tt_font, nullptr);
    EXPECT_NE(vrx_tt_font, before) << "the font is made again from what the dialog left";
    LOGFONTW lf = font_description();
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWidth, 8);
    EXPECT_EQ(vrx_tt_cell_width, 8);
    EXPECT_EQ(vrx_tt_cell_height, 16);
    EXPECT_TRUE(harness_exit());
}
