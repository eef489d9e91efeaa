// tests/windows/reliability_text_cursor_test.cpp - the text cursor near the ends of the int range:
// TrueType text holds it there instead of wrapping round to the other side (the bitmap text's
// advance is tested natively).
#include "tests/windows/harness.h"

#include "image/image_table.h"
#include "image/commands/tt_text.h"
#include "host/host.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ReliabilityTextCursor, TrueTypeTextFarRightOrFarDownStaysAtTheEndOfTheRange) {
    ASSERT_EQ(harness_start(), 0);
    int x = 0, y = 0, after_new_line = 0;
    ASSERT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "tt", 0, 0, 200, 100, 100), 0);
        VRX_SelectImage(0);
        vrx_text_margin = 0;
        vrx_text_x = INT_MAX - 2;   // one character's advance passes INT_MAX
        vrx_text_y = 40;
        tt_draw_string("W");
        x = vrx_text_x;
        vrx_text_x = 10;
        vrx_text_y = INT_MAX - 3;
        tt_draw_char(TT_NEW_LINE);
        after_new_line = vrx_text_y;
        tt_draw_string("A");        // drawn far below the raster
        y = vrx_text_y;
        VRX_PopImage();
    }));
    EXPECT_EQ(x, INT_MAX) << "the advance wrapped round";
    EXPECT_EQ(after_new_line, INT_MAX);
    EXPECT_EQ(y, INT_MAX);
    EXPECT_TRUE(harness_exit());
}
