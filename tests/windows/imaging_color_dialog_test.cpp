// tests/windows/imaging_color_dialog_test.cpp - the colour dialog of the image window menu, driven from
// a helper thread while the worker waits in it.
#include "tests/windows/harness.h"
#include "tests/windows/worker_dialog.h"

#include "tests/windows/toolkit.h"
#include "imaging/draw_core.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// Control ids of the colour dialog's red, green and blue fields
const int RED_FIELD = 706, GREEN_FIELD = 707, BLUE_FIELD = 708;
// "Add to Custom Colors"
const int ADD_CUSTOM_BUTTON = 712;

// The integer shown in a dialog field
int field_value(HWND dlg, int id) {
    wchar_t t[16] = {};
    GetDlgItemTextW(dlg, id, t, 16);
    return _wtoi(t);
}

} // namespace

TEST(ColorDialog, CancelChangesNothing) {
    ASSERT_EQ(harness_start(), 0);
    vrx_draw_color = 0x123456;
    vrx_tc = 0x010101;
    vrx_tttc = 0x020202;
    for (int i = 0; i < 16; i++) vrx_custom_colors[i] = RGB(i, 2 * i, 3 * i);
    std::atomic<int> red{-1}, green{-1}, blue{-1};
    std::thread driver([&] {
        HWND dlg = find_worker_dialog(10000);
        if (!dlg) return;
        red = field_value(dlg, RED_FIELD);
        green = field_value(dlg, GREEN_FIELD);
        blue = field_value(dlg, BLUE_FIELD);
        SetDlgItemInt(dlg, RED_FIELD, 250, FALSE);   // edits that Cancel must throw away
        SendMessageW(dlg, WM_COMMAND, ADD_CUSTOM_BUTTON, 0);
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    int result = -1;
    EXPECT_TRUE(harness_run_on_worker([&] { result = choose_drawing_color(vrx_main_window); }));
    driver.join();
    EXPECT_EQ(result, 1);
    // the dialog opened at the drawing colour
    EXPECT_EQ(red.load(), 0x12);
    EXPECT_EQ(green.load(), 0x34);
    EXPECT_EQ(blue.load(), 0x56);
    EXPECT_EQ(vrx_draw_color, 0x123456u);
    EXPECT_EQ(vrx_tc, 0x010101u);
    EXPECT_EQ(vrx_tttc, 0x020202u);
    for (int i = 0; i < 16; i++) EXPECT_EQ(vrx_custom_colors[i], RGB(i, 2 * i, 3 * i));
    EXPECT_TRUE(harness_exit());
}

TEST(ColorDialog, OkSetsTheDrawingColourAndBothTextColours) {
    ASSERT_EQ(harness_start(), 0);
    vrx_draw_color = 0x000000;
    vrx_tc = 0x010101;
    vrx_tttc = 0x020202;
    std::thread driver([&] {
        HWND dlg = find_worker_dialog(10000);
        if (!dlg) return;
        SetDlgItemInt(dlg, RED_FIELD, 200, FALSE);
        SetDlgItemInt(dlg, GREEN_FIELD, 100, FALSE);
        SetDlgItemInt(dlg, BLUE_FIELD, 50, FALSE);
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    int result = -1;
    EXPECT_TRUE(harness_run_on_worker([&] { result = choose_drawing_color(vrx_main_window); }));
    driver.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(vrx_draw_color, 0xC86432u);
    EXPECT_EQ(vrx_tc, 0xC86432u);
    EXPECT_EQ(vrx_tttc, 0xC86432u);
    EXPECT_TRUE(harness_exit());
}

TEST(ColorDialog, RedAndBlueAreExchangedForTheWindowSystem) {
    EXPECT_EQ(swap_red_blue(0x123456), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(swap_red_blue(swap_red_blue(0xA1B2C3)), 0xA1B2C3u);
}
