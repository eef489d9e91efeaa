// tests/windows/routine_calls_test.cpp - the calls a user routine has beside the windows themselves:
// drawing at a position in the colour each call takes, the point tools' results, and the waits that
// keep the windows answering until Stop.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

const uint32_t kDraw = 0x00FF00, kBitmapText = 0xFF0000, kTrueType = 0x0000FF;

// Pixel (x, y) of image 0 through its raster pointer and stride
uint32_t pixel(int x, int y) {
    int stride = 0;
    unsigned char *p = (unsigned char *)VRX_GetImagePixels(0, &stride);
    return ((const uint32_t *)(p + (size_t)y * stride))[x];
}

struct DrawCase {
    const char *what;
    void (*draw)(void);
    int x, y;     // a pixel the call sets
    uint32_t colour;
    int ox, oy;   // a pixel it leaves black
};
const DrawCase draw_cases[] = {
    {"pixel", [] { VRX_DrawPixel(3, 4); }, 3, 4, kDraw, 4, 4},
    {"line (0,0)-(5,2), worked by hand", [] { VRX_DrawLine(0, 0, 5, 2); }, 2, 1, kDraw, 2, 0},
    {"box outline: a side, not the inside", [] { VRX_DrawBoxOutline(2, 2, 8, 6); }, 8, 4, kDraw, 5, 4},
    {"circle: its top, not its centre", [] { VRX_DrawCircle(20, 20, 10); }, 20, 10, kDraw, 20, 20},
    {"disc: its centre, not beyond r", [] { VRX_DrawDisc(20, 20, 10); }, 20, 20, kDraw, 20, 31},
    {"fill: the inside of an outline, not the outside",
     [] { VRX_DrawBoxOutline(2, 2, 8, 6); VRX_FillRegion(5, 4); }, 5, 4, kDraw, 1, 1},
    {"bitmap text in vrx_tc above its baseline: row 2 of 'A' is 0x18",
     [] { VRX_DrawText(10, 30, "A"); }, 13, 18, kBitmapText, 13, 32},
};

}  // namespace

TEST(RoutineDrawing, EachCallDrawsAtItsPositionInItsColour) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "draw", 0, 0, 40, 40, 100), VRX_OK);
        VRX_SetDrawColor(kDraw);
        vrx_tc = kBitmapText;
        vrx_tttc = kTrueType;
        for (const DrawCase &c : draw_cases) {
            int stride = 0;
            memset(VRX_GetImagePixels(0, &stride), 0, (size_t)stride * 40);
            c.draw();
            EXPECT_EQ(pixel(c.x, c.y), c.colour) << c.what;
            EXPECT_EQ(pixel(c.ox, c.oy), 0u) << c.what;
        }
        EXPECT_EQ(VRX_GetPixel(5, 4), (int)kDraw);
        EXPECT_EQ(VRX_GetPixel(-1, 0), -1) << "outside";

        // TrueType text: its cell of 16 rows ends at row y
        int stride = 0;
        memset(VRX_GetImagePixels(0, &stride), 0, (size_t)stride * 40);
        VRX_DrawTrueTypeText(2, 30, "W");
        int inside = 0, below = 0;
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 40; x++) (y <= 30 && y > 14 ? inside : below) += pixel(x, y) == kTrueType;
        EXPECT_GT(inside, 0);
        EXPECT_EQ(below, 0);
    }));
    EXPECT_TRUE(harness_exit());
}

namespace {

enum Tool { CLICK, RECTANGLE, LINE };
enum Action { NOTHING, LEFT_CLICK, RIGHT_CLICK, STOP_WHILE_WAITING, STOP_BEFORE };
struct ToolCase {
    const char *what;
    Tool tool;
    int n;
    Action action;
    int result, x, y, stop_after;
};
const ToolCase tool_cases[] = {
    {"a left click gives its point", CLICK, 0, LEFT_CLICK, VRX_OK, 20, 30, 0},
    {"a right click cancels", CLICK, 0, RIGHT_CLICK, VRX_POINT_CANCELLED, 0, 0, 0},
    {"Stop while it waits stops it and stays requested", LINE, 0, STOP_WHILE_WAITING, VRX_POINT_STOPPED, 0, 0, 1},
    {"a Stop already pending ends it before it waits", RECTANGLE, 0, STOP_BEFORE, VRX_POINT_STOPPED, 0, 0, 1},
    {"an image that is not open", CLICK, 7, NOTHING, VRX_POINT_NO_IMAGE, 0, 0, 0},
};

// Runs tool t on image n; the first point into *x, *y
int run_tool(Tool t, int n, int *x, int *y) {
    int a, b;
    if (t == CLICK) return VRX_WaitClick(n, x, y);
    if (t == RECTANGLE) return VRX_WaitRectangle(n, x, y, &a, &b);
    return VRX_WaitLine(n, x, y, &a, &b);
}

}  // namespace

TEST(RoutinePointTools, ResultsTellAClickACancelAStopAndNoImage) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([] { ASSERT_EQ(VRX_CreateImage(0, "tools", 0, 0, 200, 150, 100), VRX_OK); }));
    HWND w = vrx_images[0].window;
    for (const ToolCase &c : tool_cases) {
        std::thread driver([&] {
            if (c.action == NOTHING || c.action == STOP_BEFORE) return;
            if (!harness_wait_for([] { return vrx_waiting.load() == 1; })) return;
            if (c.action == LEFT_CLICK) PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
            if (c.action == RIGHT_CLICK) PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 30));
            if (c.action == STOP_WHILE_WAITING) vrx_stop.store(1);
        });
        int result = -1, x = -1, y = -1, stop_after = -1;
        EXPECT_TRUE(harness_run_on_worker([&] {
            if (c.action == STOP_BEFORE) vrx_stop.store(1);
            result = run_tool(c.tool, c.n, &x, &y);
            stop_after = VRX_GetStopRequest();
        })) << c.what;
        driver.join();
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(x, c.x) << c.what;
        EXPECT_EQ(y, c.y) << c.what;
        EXPECT_EQ(stop_after, c.stop_after) << c.what;
    }
    EXPECT_TRUE(harness_exit());
}

TEST(RoutineControl, WaitTimeKeepsTheWindowsAnsweringAndEndsOnStop) {
    ASSERT_EQ(harness_start(), 0);
    // The button is pressed while the routine waits; the press is counted only if the wait pumps.
    std::thread driver([] {
        if (!harness_wait_for([] { return vrx_button_box_window != nullptr; })) return;
        PostMessageW(vrx_button_box.buttons[0], BM_CLICK, 0, 0);
        harness_wait_for([] { return vrx_button_box.presses[0] == 1; });
        vrx_stop.store(1);
    });
    int short_wait = -1, long_wait = -1, presses = -1;
    EXPECT_TRUE(harness_run_on_worker([&] {
        short_wait = VRX_WaitTime(20);
        VRX_OpenButtonBox(0, 0, 1, 1);
        long_wait = VRX_WaitTime(60000);
        presses = VRX_GetButtonBoxCount(0);
    }));
    driver.join();
    EXPECT_EQ(short_wait, VRX_OK);
    EXPECT_EQ(long_wait, VRX_WAIT_STOPPED);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(harness_exit());
}
