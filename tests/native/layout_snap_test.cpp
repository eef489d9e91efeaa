// tests/native/layout_snap_test.cpp - snapping a dragged rectangle to the registry's edges.
#include "base/snap_core.h"

#include <gtest/gtest.h>

namespace {

const int W = 1280, H = 1054;   // a 1280 x 1035 work area plus a 19-pixel caption

// A registry of the screen bands followed by the given window rectangles
LayoutRegistry registry_with(std::initializer_list<LayoutRect> windows) {
    LayoutRegistry reg;
    layout_begin(&reg, W, H);
    for (const LayoutRect &r : windows) layout_append(&reg, r);
    return reg;
}

// Snaps a window of the given current rectangle dragged to proposed; returns the result
LayoutRect snap(const LayoutRegistry &reg, LayoutRect current, LayoutRect proposed) {
    layout_snap(&reg, current, &proposed);
    return proposed;
}

void expect_rect(LayoutRect r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

const LayoutRect other{300, 200, 500, 400};     // a window in the middle of the screen
const LayoutRect far_away{900, 700, 1000, 800}; // the moving window's rectangle before the drag

}  // namespace

TEST(LayoutRegistry, BeginsWithTheFourBandsAroundTheScreen) {
    LayoutRegistry reg = registry_with({});
    ASSERT_EQ(reg.count, 4);
    expect_rect({reg.left[0], reg.top[0], reg.right[0], reg.bottom[0]}, -1000, 0, 0, H);
    expect_rect({reg.left[1], reg.top[1], reg.right[1], reg.bottom[1]}, 0, -1000, W, 0);
    expect_rect({reg.left[2], reg.top[2], reg.right[2], reg.bottom[2]}, W, 0, W + 1000, H);
    expect_rect({reg.left[3], reg.top[3], reg.right[3], reg.bottom[3]}, 0, H, W, H + 1000);
}

TEST(LayoutRegistry, NeverWritesPastItsCapacity) {
    LayoutRegistry reg;
    layout_begin(&reg, W, H);
    int refused = 0;
    for (int i = 0; i < 600; i++) refused += layout_append(&reg, LayoutRect{i, i, i + 10, i + 10});
    EXPECT_EQ(reg.count, VRX_LAYOUT_CAPACITY);
    EXPECT_EQ(refused, 600 - (VRX_LAYOUT_CAPACITY - 4));
    EXPECT_EQ(reg.left[VRX_LAYOUT_CAPACITY - 1], VRX_LAYOUT_CAPACITY - 5);
}

TEST(LayoutSnap, PullsALeftEdgeSevenPixelsAwayOntoTheNeighboursRightEdge) {
    LayoutRegistry reg = registry_with({other});
    // 7 pixels right of the other window's right edge, overlapping it vertically, tops far apart.
    expect_rect(snap(reg, far_away, {507, 260, 607, 360}), 500, 260, 600, 360);
}

TEST(LayoutSnap, LeavesALeftEdgeEightPixelsAwayWhereItIs) {
    LayoutRegistry reg = registry_with({other});
    expect_rect(snap(reg, far_away, {508, 260, 608, 360}), 508, 260, 608, 360);
}

TEST(LayoutSnap, PushesAnOverlappingLeftEdgeOutForEveryOverlapFromOneToSeven) {
    LayoutRegistry reg = registry_with({other});
    for (int overlap = 1; overlap <= 7; overlap++) {
        LayoutRect r = snap(reg, far_away, {500 - overlap, 260, 600 - overlap, 360});
        EXPECT_EQ(r.left, 500) << "overlap " << overlap;
        EXPECT_EQ(r.right, 600) << "overlap " << overlap;
        EXPECT_EQ(r.top, 260) << "overlap " << overlap;
    }
}

TEST(LayoutSnap, AlignsTopsInTheSameStepWhenTheyDifferByLessThanEight) {
    LayoutRegistry reg = registry_with({other});
    expect_rect(snap(reg, far_away, {497, 205, 597, 305}), 500, 200, 600, 300);
    // Bottoms instead of tops when only the bottoms are close.
    expect_rect(snap(reg, far_away, {497, 250, 597, 396}), 500, 254, 600, 400);
}

TEST(LayoutSnap, SnapsOnlySidewaysFromTheGapBecauseOverlapIsTestedOnTheProposedRectangle) {
    LayoutRegistry reg = registry_with({other});
    // Proposed left edge 3 pixels right of the other window, tops 3 apart: the proposed rectangle
    // does not overlap the other one horizontally, so the tops are not aligned.
    expect_rect(snap(reg, far_away, {503, 203, 603, 303}), 500, 203, 600, 303);
}

TEST(LayoutSnap, PutsAWindowOnTopOfAnotherAndAlignsTheirLeftEdgesWhenTheyTouch) {
    LayoutRegistry reg = registry_with({other});
    // Bottom 3 pixels into the other's top, left edges 4 apart: both axes snap.
    expect_rect(snap(reg, far_away, {304, 103, 404, 203}), 300, 100, 400, 200);
    // Bottom 5 pixels above the other's top: no vertical overlap, so the left edges stay apart.
    expect_rect(snap(reg, far_away, {304, 95, 404, 195}), 304, 100, 404, 200);
}

TEST(LayoutSnap, PullsWindowsOntoTheScreenEdges) {
    LayoutRegistry reg = registry_with({});
    expect_rect(snap(reg, far_away, {600, 5, 700, 105}), 600, 0, 700, 100);
    expect_rect(snap(reg, far_away, {1177, 600, 1277, 700}), 1180, 600, 1280, 700);
    expect_rect(snap(reg, far_away, {-6, 600, 94, 700}), 0, 600, 100, 700);
    expect_rect(snap(reg, far_away, {600, 950, 700, 1050}), 600, 954, 700, H);
    expect_rect(snap(reg, far_away, {600, 500, 700, 600}), 600, 500, 700, 600);
}

TEST(LayoutSnap, LetsTheEarlierEntryWinWhenTwoCouldSnapTheSameAxis) {
    // Two windows whose right edges are 502 and 498: the first in registry order wins.
    LayoutRegistry first_502 = registry_with({{300, 200, 502, 400}, {300, 200, 498, 400}});
    LayoutRegistry first_498 = registry_with({{300, 200, 498, 400}, {300, 200, 502, 400}});
    EXPECT_EQ(snap(first_502, far_away, {500, 300, 600, 350}).left, 502);
    EXPECT_EQ(snap(first_498, far_away, {500, 300, 600, 350}).left, 498);
    // The screen band beats a window that would also snap the left edge.
    LayoutRegistry band_first = registry_with({{-100, 300, 3, 500}});
    EXPECT_EQ(snap(band_first, far_away, {2, 350, 102, 450}).left, 0);
}

TEST(LayoutSnap, SkipsTheMovingWindowAndAnyOtherWithTheSameRectangle) {
    const LayoutRect current{503, 260, 603, 360};
    LayoutRegistry reg = registry_with({current, current});
    // Dragged 2 pixels: its own entry (and an identical one) would otherwise pull it back.
    expect_rect(snap(reg, current, {505, 262, 605, 362}), 505, 262, 605, 362);
}

TEST(LayoutSnap, NeverChangesTheWindowSize) {
    LayoutRegistry reg = registry_with({other, {100, 100, 140, 140}, {700, 40, 900, 90}});
    for (int x = -20; x < 1300; x += 13) {
        for (int y = -20; y < 1060; y += 17) {
            LayoutRect r = snap(reg, far_away, {x, y, x + 123, y + 77});
            ASSERT_EQ(r.right - r.left, 123);
            ASSERT_EQ(r.bottom - r.top, 77);
            ASSERT_LT(std::abs(r.left - x), 8);
            ASSERT_LT(std::abs(r.top - y), 8);
        }
    }
}
