// tests/native/boxes_layout_test.cpp - the arithmetic of the input box and the button box.
#include "boxes/box_geometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(InputBoxLayout, ItemCountsOutsideOneToThirtyAreClamped) {
    EXPECT_EQ(ib_clamp_items(0), 1);
    EXPECT_EQ(ib_clamp_items(-5), 1);
    EXPECT_EQ(ib_clamp_items(INT_MIN), 1);
    EXPECT_EQ(ib_clamp_items(1), 1);
    EXPECT_EQ(ib_clamp_items(30), 30);
    EXPECT_EQ(ib_clamp_items(31), 30);
    EXPECT_EQ(ib_clamp_items(INT_MAX), 30);
}

TEST(InputBoxLayout, ClientAndControlsFollowTheTwentyEightPixelRows) {
    BoxSize s = ib_client_size(80, 70, 3);
    EXPECT_EQ(s.width, 162);   // 80 + 70 + 12
    EXPECT_EQ(s.height, 86);   // 3 * 28 + 2
    BoxRect label = ib_label_rect(80, 2);
    EXPECT_EQ(label.x, 4);
    EXPECT_EQ(label.y, 63);    // 4 + 56 + 3
    EXPECT_EQ(label.width, 80);
    EXPECT_EQ(label.height, 24);
    BoxRect edit = ib_edit_rect(80, 70, 2);
    EXPECT_EQ(edit.x, 88);
    EXPECT_EQ(edit.y, 60);
    EXPECT_EQ(edit.width, 70);
    EXPECT_EQ(edit.height, 24);
}

TEST(InputBoxLayout, LeftEdgeAndLeftCornersResizeTheLabelsOthersTheEdits) {
    for (int edge = 1; edge <= 8; edge++) {
        int label = 80, edit = 70;
        ib_resize_columns(edge, 200, &label, &edit);
        bool left = edge == 1 || edge == 4 || edge == 7;   // WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMLEFT
        EXPECT_EQ(label, left ? 118 : 80) << "edge " << edge;
        EXPECT_EQ(edit, left ? 70 : 108) << "edge " << edge;
    }
}

TEST(InputBoxLayout, SqueezedColumnStaysOnePixelWide) {
    int label = 80, edit = 70;
    ib_resize_columns(BOX_EDGE_RIGHT, 90, &label, &edit);   // 90 < 80 + 12
    EXPECT_EQ(edit, 1);
    EXPECT_EQ(label, 80);
    ib_resize_columns(BOX_EDGE_LEFT, 5, &label, &edit);
    EXPECT_EQ(label, 1);
    EXPECT_EQ(edit, 1);
}

TEST(InputBoxLayout, RowUnderAPointIsItsTwentyEightPixelBand) {
    EXPECT_EQ(ib_row_at(0), 0);
    EXPECT_EQ(ib_row_at(27), 0);
    EXPECT_EQ(ib_row_at(30), 1);   // between the rows of item 1
    EXPECT_EQ(ib_row_at(56), 2);
    EXPECT_EQ(ib_row_at(3 * 28 + 1), 3) << "the bottom strip of a 3-item box names no item";
}

TEST(ButtonBoxLayout, CountsAreValidFromOneButtonUpTo256) {
    EXPECT_TRUE(bb_counts_valid(1, 1));
    EXPECT_TRUE(bb_counts_valid(16, 16));
    EXPECT_TRUE(bb_counts_valid(256, 1));
    EXPECT_TRUE(bb_counts_valid(1, 256));
    EXPECT_FALSE(bb_counts_valid(16, 17));
    EXPECT_FALSE(bb_counts_valid(257, 1));
    EXPECT_FALSE(bb_counts_valid(0, 5));
    EXPECT_FALSE(bb_counts_valid(5, 0));
    EXPECT_FALSE(bb_counts_valid(-1, -1)) << "two negatives multiply to a positive";
}

TEST(ButtonBoxLayout, HugeCountsAreRefusedWithoutOverflowingTheProduct) {
    // 65536 * 65536 wraps to 0 in 32 bits; under UBSan the multiplication itself would abort.
    EXPECT_FALSE(bb_counts_valid(65536, 65536));
    EXPECT_FALSE(bb_counts_valid(INT_MAX, 2));
    EXPECT_FALSE(bb_counts_valid(-65536, -65536));
}

TEST(ButtonBoxLayout, ButtonsAreNumberedRowByRowWithFourPixelGaps) {
    BoxSize s = bb_client_size(3, 2, 98, 26);
    EXPECT_EQ(s.width, 3 * 102 + 4);
    EXPECT_EQ(s.height, 2 * 30 + 4);
    BoxRect b = bb_button_rect(3, 98, 26, 4);   // row 1, column 1
    EXPECT_EQ(b.x, 106);
    EXPECT_EQ(b.y, 34);
    EXPECT_EQ(b.width, 98);
    EXPECT_EQ(b.height, 26);
    b = bb_button_rect(3, 98, 26, 2);           // row 0, column 2
    EXPECT_EQ(b.x, 208);
    EXPECT_EQ(b.y, 4);
}

TEST(ButtonBoxLayout, WideningTwoByOneByNinePixelsWidensEachButtonByFour) {
    BoxSize s = bb_client_size(2, 1, 98, 26);
    int w = 0, h = 0;
    bb_resize_buttons(s.width + 9, s.height, 2, 1, &w, &h);
    EXPECT_EQ(w, 102);
    EXPECT_EQ(h, 26);
}

TEST(ButtonBoxLayout, ClientBelowTheGapsGivesEmptyButtonsNotNegativeOnes) {
    int w = 5, h = 5;
    bb_resize_buttons(3, 0, 2, 2, &w, &h);
    EXPECT_EQ(w, 0);   // (max(3 - 12, 1)) / 2
    EXPECT_EQ(h, 0);
    bb_resize_buttons(3, 0, 1, 1, &w, &h);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
}

TEST(ButtonBoxLayout, PointsBetweenAndBeyondButtonsChooseTheNearestGridCell) {
    // 3 x 2 box of 98 x 26 buttons: column pitch 102, row pitch 30
    EXPECT_EQ(bb_button_at(2, 2, 3, 2, 98, 26), 0);
    EXPECT_EQ(bb_button_at(103, 31, 3, 2, 98, 26), 4);
    EXPECT_EQ(bb_button_at(150, 500, 3, 2, 98, 26), 4) << "below the last row: a button of the last row";
    EXPECT_EQ(bb_button_at(5000, 5, 3, 2, 98, 26), 2);
    EXPECT_EQ(bb_button_at(-30, -30, 3, 2, 98, 26), 0);
}
