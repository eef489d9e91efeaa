// tests/windows/imaging_draw_commands_test.cpp - the drawing commands of the Process menu, each posted to
// a real image window and answered with clicks posted while its point tool waits on the worker.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "imaging/draw_core.h"
#include "imaging/text_core.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const int W = 200, H = 150;   // large enough to be shown at 100 %
typedef std::set<std::pair<int, int>> Points;

class DrawCommand : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(harness_start(), 0);
        ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(2, "canvas", 0, 0, W, H, 100); }));
        ASSERT_TRUE(image_exists(2));
        ASSERT_EQ(vrx_images[2].zoom, 100);
        w = vrx_images[2].window;
        vrx_draw_color = 0x00FF00;
    }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }

    // Posts command id and waits until its point tool waits
    void start(int id) {
        PostMessageW(w, WM_COMMAND, id, 0);
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << id;
    }
    // A left click at image point (x, y)
    void click(int x, int y) { PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    // The first click of a two-click tool, then waits for the second prompt
    void first_click(int x, int y) {
        click(x, y);
        ASSERT_TRUE(harness_pump_until([] { return status_has(L"second"); }, 5000));
    }
    // The last click: waits until the tool has ended
    void last_click(int x, int y) {
        click(x, y);
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    }
    // Draws with a two-click command from (x1, y1) to (x2, y2)
    void two_clicks(int id, int x1, int y1, int x2, int y2) {
        start(id);
        first_click(x1, y1);
        last_click(x2, y2);
    }
    // Answers the "Text>" prompt with text and Enter, once a line input waits
    void answer(const wchar_t *text) {
        ASSERT_TRUE(harness_pump_until([] { return vrx_input_owner.load() != 0; }, 5000));
        HWND t = vrx_text_windows[vrx_input_owner.load() - 1].window;
        for (; *text; text++) PostMessageW(t, WM_CHAR, *text, 0);
        PostMessageW(t, WM_CHAR, L'\r', 0);
        ASSERT_TRUE(harness_pump_until([] { return vrx_input_owner.load() == 0; }, 5000));
    }
    // The pixels of image n, read on the worker once the command has returned
    std::vector<uint32_t> pixels(int n = 2) {
        std::vector<uint32_t> out;
        harness_run_on_worker([&] {
            if (image_exists(n))
                out.assign(pixels32[n], pixels32[n] + vrx_images[n].width * vrx_images[n].height);
        });
        return out;
    }
    // Every point of image 2 that is not black
    Points lit(void) {
        Points p;
        std::vector<uint32_t> px = pixels();
        for (int i = 0; i < (int)px.size(); i++)
            if (px[i]) p.insert({i % W, i / W});
        return p;
    }

    static bool status_has(const wchar_t *part) {
        wchar_t t[128] = {};
        GetWindowTextW(vrx_status_window, t, 128);
        return std::wstring(t).find(part) != std::wstring::npos;
    }
    HWND w = nullptr;
};

}  // namespace

//----------------------------------------------------------------------------------
// Lines
//----------------------------------------------------------------------------------
TEST_F(DrawCommand, LineNormalDrawsTheWalkBetweenTheTwoClicks) {
    two_clicks(1032, 10, 20, 15, 22);
    // the walk of (0,0)-(5,2) moved to (10,20): (0,0) (1,0) (2,1) (3,1) (4,2) (5,2)
    EXPECT_EQ(lit(), (Points{{10, 20}, {11, 20}, {12, 21}, {13, 21}, {14, 22}, {15, 22}}));
    EXPECT_EQ(pixels()[20 * W + 10], 0x00FF00u);
}

TEST_F(DrawCommand, LineWithBothClicksOnOnePixelSetsThatPixel) {
    two_clicks(1032, 7, 9, 7, 9);
    EXPECT_EQ(lit(), (Points{{7, 9}}));
}

TEST_F(DrawCommand, HorizontalAndVerticalLinesCrossTheWholeImage) {
    start(1034);
    last_click(30, 40);
    Points row = lit();
    EXPECT_EQ(row.size(), (size_t)W);
    EXPECT_EQ(row.count({0, 40}) + row.count({W - 1, 40}), 2u);
    start(1035);
    last_click(50, 60);
    Points both = lit();
    EXPECT_EQ(both.size(), (size_t)(W + H - 1));
    EXPECT_EQ(both.count({50, 0}) + both.count({50, H - 1}), 2u);
}

//----------------------------------------------------------------------------------
// Boxes and circles
//----------------------------------------------------------------------------------
TEST_F(DrawCommand, BoxNormalDrawsTheOutlineOfTheSortedCorners) {
    two_clicks(1036, 9, 8, 5, 5);   // second corner left of and above the first
    Points expected;
    for (int x = 5; x <= 9; x++) expected.insert({x, 5}), expected.insert({x, 8});
    for (int y = 5; y <= 8; y++) expected.insert({5, y}), expected.insert({9, y});
    EXPECT_EQ(lit(), expected);
}

TEST_F(DrawCommand, BoxFillCoversTheRectangleInTheDrawingColour) {
    two_clicks(1037, 5, 5, 9, 8);
    std::vector<uint32_t> px = pixels();
    int count = 0;
    for (int i = 0; i < (int)px.size(); i++) {
        bool inside = i % W >= 5 && i % W <= 9 && i / W >= 5 && i / W <= 8;
        EXPECT_EQ(px[i], inside ? 0x00FF00u : 0u) << i % W << "," << i / W;
        count += px[i] != 0;
    }
    EXPECT_EQ(count, 20);
}

TEST_F(DrawCommand, BoxFillXorTwiceLeavesTheImageAsItWas) {
    harness_run_on_worker([] { pixels32[2][6 * W + 6] = 0x123456; });
    std::vector<uint32_t> before = pixels();
    two_clicks(1038, 4, 4, 10, 9);
    std::vector<uint32_t> once = pixels();
    EXPECT_EQ(once[6 * W + 6], 0x123456u ^ 0xFFFFFFu);
    EXPECT_EQ(once[4 * W + 4], 0xFFFFFFu);
    EXPECT_EQ(once[3 * W + 4], 0u);
    two_clicks(1038, 10, 9, 4, 4);
    EXPECT_EQ(pixels(), before);
}

TEST_F(DrawCommand, CircleOfRadiusZeroSetsOnlyTheCentre) {
    two_clicks(1039, 20, 20, 20, 20);
    EXPECT_EQ(lit(), (Points{{20, 20}}));
}

TEST_F(DrawCommand, CircleRadiusIsTheRoundedDistanceOfTheSecondClick) {
    two_clicks(1039, 30, 30, 33, 34);   // 3 right, 4 down: radius 5
    Points p = lit();
    for (auto q : {std::make_pair(35, 30), std::make_pair(25, 30), std::make_pair(30, 35), std::make_pair(30, 25)})
        EXPECT_EQ(p.count(q), 1u) << q.first << "," << q.second;
    EXPECT_EQ(p.count({30, 30}), 0u);
    EXPECT_EQ(p.count({36, 30}), 0u);
}

TEST_F(DrawCommand, DiscFillsAndDiscXorTwiceUndoesItself) {
    two_clicks(1040, 40, 40, 43, 44);
    Points disc = lit();
    EXPECT_EQ(disc.count({40, 40}), 1u);
    EXPECT_EQ(disc.count({45, 40}), 1u);
    EXPECT_EQ(disc.count({46, 40}), 0u);
    std::vector<uint32_t> before = pixels();
    two_clicks(1041, 100, 60, 103, 64);
    EXPECT_EQ(pixels()[60 * W + 100], 0xFFFFFFu);
    two_clicks(1041, 100, 60, 103, 64);
    EXPECT_EQ(pixels(), before);
}

//----------------------------------------------------------------------------------
// Paint and Pick
//----------------------------------------------------------------------------------
TEST_F(DrawCommand, PaintFillsTheRegionInsideABorderOnly) {
    harness_run_on_worker([] {
        VRX_SelectImage(2);
        vrx_draw_color = 0xFFFFFF;
        draw_box_outline(raster_view(pixels32[2], W, H, 32), 10, 10, 20, 20, 0xFFFFFF);
        vrx_draw_color = 0xFF0000;
        VRX_PopImage();
    });
    start(1043);
    last_click(15, 15);
    std::vector<uint32_t> px = pixels();
    EXPECT_EQ(px[15 * W + 15], 0xFF0000u);
    EXPECT_EQ(px[11 * W + 19], 0xFF0000u);
    EXPECT_EQ(px[10 * W + 10], 0xFFFFFFu);
    EXPECT_EQ(px[5 * W + 5], 0u);
    int red = 0;
    for (uint32_t p : px) red += p == 0xFF0000u;
    EXPECT_EQ(red, 9 * 9);
}

TEST_F(DrawCommand, PickOnAThirtyTwoBitImageTakesThePixelForBothColours) {
    harness_run_on_worker([] { pixels32[2][7 * W + 3] = 0x345678; });
    vrx_tc = 0x010203;
    start(1052);
    last_click(3, 7);
    harness_run_on_worker([] {});   // the command has returned once the worker takes this
    EXPECT_EQ(vrx_draw_color, 0x345678u);
    EXPECT_EQ(vrx_tttc, 0x345678u);
    EXPECT_EQ(vrx_tc, 0x010203u);
    EXPECT_EQ(lit(), (Points{{3, 7}})) << "Pick draws nothing";
}

TEST_F(DrawCommand, PickOnAnEightBitImageTakesTheIndexAndThePaletteColour) {
    ASSERT_TRUE(harness_run_on_worker([] {
        VRX_CreateImage8(5, "grey", 0, 0, W, H, 100);
        RGBQUAD red = {0, 0, 0xFF, 0};
        VRX_SelectImage(5);
        RGBQUAD table[256];
        VRX_GetColorTable(table);
        table[7] = red;
        VRX_SetColorTable(table, 256);
        int stride = (W + 3) / 4 * 4;
        pixels8[5][4 * stride + 6] = 7;
        VRX_SelectImage(2);   // another image is current when Pick starts
    }));
    HWND eight = vrx_images[5].window;
    vrx_tc = 0x010203;
    PostMessageW(eight, WM_COMMAND, 1052, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000));
    PostMessageW(eight, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 4));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    harness_run_on_worker([] {});   // the command has returned once the worker takes this
    EXPECT_EQ(vrx_draw_color, 7u);
    EXPECT_EQ(vrx_tttc, 0xFF0000u);
    EXPECT_EQ(vrx_tc, 0x010203u);
}

//----------------------------------------------------------------------------------
// Text
//----------------------------------------------------------------------------------
TEST_F(DrawCommand, DrawTextPutsTheTypedLineAboveTheClickedBaselineInTheDrawingColour) {
    vrx_tc = 0x010203;
    start(1042);
    last_click(4, 30);
    answer(L"A");
    std::vector<uint32_t> px = pixels();
    const unsigned char a[14] = {0x00, 0x00, 0x18, 0x3C, 0x66, 0x66, 0x66, 0x7E, 0x66, 0x66, 0x66, 0x00, 0x00, 0x00};
    Points expected;
    for (int r = 0; r < 14; r++)
        for (int b = 0; b < 8; b++)
            if (a[r] & (0x80 >> b)) expected.insert({4 + b, 30 - 14 + r});
    EXPECT_EQ(lit(), expected);
    EXPECT_EQ(px[(30 - 14 + 2) * W + 7], 0x00FF00u);
    EXPECT_EQ(vrx_tc, 0x00FF00u);
    EXPECT_EQ(vrx_text_cursor.x, 12);
    EXPECT_EQ(vrx_text_cursor.margin, 4);
    EXPECT_EQ(vrx_text_cursor.y, 30);
}

TEST_F(DrawCommand, DrawTextAnsweredWithAnEmptyLineOnlySetsTheCursor) {
    start(1042);
    last_click(50, 60);
    answer(L"");
    EXPECT_TRUE(lit().empty());   // read on the worker, so the command has finished
    EXPECT_EQ(vrx_text_cursor.x, 50);
    EXPECT_EQ(vrx_text_cursor.y, 60);
}

TEST_F(DrawCommand, TrueTypeDrawSizesTheFontToTheBoxAndDrawsInsideIt) {
    vrx_tttc = 0xFFFFFF;
    two_clicks(1048, 10, 10, 49, 39);   // 40 x 30
    answer(L"WW");
    Points ink = lit();   // read on the worker, so the command has finished
    LOGFONTW lf = {};
    GetObjectW(vrx_tt_font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWidth, 20);
    EXPECT_EQ(lf.lfHeight, 30);
    EXPECT_EQ(vrx_tt_cell_height, 30);
    EXPECT_GT(vrx_text_cursor.x, 10);
    EXPECT_FALSE(ink.empty());
    for (auto p : ink) EXPECT_GE(p.second, 10) << "text starts at the top of its cell";
    for (auto p : ink) EXPECT_LE(p.second, 39) << "nothing below the baseline row";
}

//----------------------------------------------------------------------------------
// Cancel, stop and the waits
//----------------------------------------------------------------------------------
TEST_F(DrawCommand, CancelBeforeTheFirstClickDrawsNothing) {
    start(1037);
    PostMessageW(w, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    EXPECT_TRUE(lit().empty());
}

TEST_F(DrawCommand, StopDuringAToolDrawsNothingAtAll) {
    start(1032);
    first_click(30, 30);
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_STOP, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    EXPECT_TRUE(lit().empty()) << "no line to (0,0) from the points gathered so far";
    start(1019);   // Clipping stopped before any click makes no 1 x 1 window
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_STOP, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    harness_pump(50);
    int windows = 0;
    for (int n = 0; n < 256; n++) windows += image_exists(n);
    EXPECT_EQ(windows, 1);
}

TEST_F(DrawCommand, CommandsAndTheCloseBoxDoNothingWhileTheToolWaits) {
    start(1036);
    PostMessageW(w, WM_COMMAND, 1005, 0);   // Destroy
    PostMessageW(w, WM_CLOSE, 0, 0);
    PostMessageW(w, WM_COMMAND, 1037, 0);   // a second drawing command
    harness_pump(100);
    EXPECT_TRUE(image_exists(2));
    first_click(5, 5);
    last_click(6, 6);
    harness_pump(50);
    EXPECT_EQ(vrx_waiting.load(), 0) << "the second command never started";
    EXPECT_EQ(lit().size(), 4u);
}

TEST_F(DrawCommand, ImageClosedDuringTheTextPromptIsNotDrawnInto) {
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(4, "other", 300, 0, W, H, 100); }));
    start(1042);
    last_click(10, 30);
    ASSERT_TRUE(harness_pump_until([] { return vrx_input_owner.load() != 0; }, 5000));
    PostMessageW(w, WM_COMMAND, 1005, 0);   // ignored while the line is read
    harness_pump(50);
    EXPECT_TRUE(image_exists(2));
    PostMessageW(w, WM_CLOSE, 0, 0);        // the close box still closes it
    ASSERT_TRUE(harness_pump_until([] { return !image_exists(2); }, 5000));
    answer(L"AAAA");
    std::vector<uint32_t> other = pixels(4);
    ASSERT_EQ(other.size(), (size_t)(W * H));
    for (uint32_t p : other) ASSERT_EQ(p, 0u);
}
