// tests/windows/reliability_text_cursor_test.cpp - the text cursor near the ends of the int range:
// TrueType text holds it there instead of wrapping round to the other side (the bitmap text's
// advance is tested natively).
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ReliabilityTextCursor, TrueTypeTextFarRightOrFarDownStaysAtTheEndOfTheRange) {
    ASSERT_EQ(harness_start(), 0);
    int x = 0, y = 0, after_new_line = 0;
    ASSERT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "tt", 0, 0, 200, 100, 100), 0);
        VRX_SelectImage(0);
        vrx_text_cursor.margin = 0;
        vrx_text_cursor.x = INT_MAX - 2;   // one character's advance passes INT_MAX
        vrx_text_cursor.y = 40;
        tt_draw_string("W");
        x = vrx_text_cursor.x;
        vrx_text_cursor.x = 10;
        vrx_text_cursor.y = INT_MAX - 3;
        tt_draw_char(TT_NEW_LINE);
        after_new_line = vrx_text_cursor.y;
        tt_draw_string("A");        // drawn far below the raster
        y = vrx_text_cursor.y;
        VRX_PopImage();
    }));
    EXPECT_EQ(x, INT_MAX) << "the advance wrapped round";
    EXPECT_EQ(after_new_line, INT_MAX);
    EXPECT_EQ(y, INT_MAX);
    EXPECT_TRUE(harness_exit());
}
