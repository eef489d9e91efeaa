// tests/windows/image_point_tools_test.cpp - point tools answered by mouse messages posted to a real
// image window: prompts on the status line, zoomed coordinates, cancels, Stop, and the feedback
// leaving no trace in the picture.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// The status line without its centring spaces
std::string status(void) {
    char text[128] = "";
    GetWindowTextA(vrx_status_window, text, sizeof text);
    std::string s = text;
    size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool tool_waits(void) { return vrx_waiting.load(std::memory_order_acquire) == 1; }

// Posts a move and a left click at client (x, y)
void click(HWND w, int x, int y) {
    PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// Fills a 32-bit image with a pattern that every xor trace would disturb
void fill_pattern(int n) {
    int count = VRX_GetImageWidth(n) * VRX_GetImageHeight(n);
    for (int i = 0; i < count; i++) pixels32[n][i] = (uint32_t)(i * 2654435761u) & 0xFFFFFF;
}

std::vector<uint32_t> snapshot(int n) {
    return std::vector<uint32_t>(pixels32[n], pixels32[n] + VRX_GetImageWidth(n) * VRX_GetImageHeight(n));
}

// Creates image 0 of 150 x 100 at zoom 200 with the pattern, on the worker
void make_image(void) {
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "tool", 0, 0, 150, 100, 200), 0);
        fill_pattern(0);
    }));
}

}  // namespace

TEST(PointTools, RectangleAsksForTwoCornersAtTheZoomAndSortsThem) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    std::vector<uint32_t> before = snapshot(0);
    HWND w = vrx_images[0].window;
    std::string first_prompt, second_prompt;
    std::thread driver([&] {
        if (!harness_wait_for(tool_waits)) return;
        first_prompt = status();
        click(w, 60, 20);   // image (30, 10) at 200 %
        harness_wait_for([] { return status() == "Click the second point"; });
        second_prompt = status();
        PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(30, 70));
        Sleep(50);
        click(w, 21, 81);   // image (10, 40)
    });
    int status_code = -1, x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    EXPECT_TRUE(harness_run_on_worker([&] { status_code = wait_rectangle(0, &x1, &y1, &x2, &y2); }));
    driver.join();
    EXPECT_EQ(first_prompt, "Click the first point");
    EXPECT_EQ(second_prompt, "Click the second point");
    EXPECT_EQ(status_code, 0);
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(y1, 10);
    EXPECT_EQ(x2, 30);
    EXPECT_EQ(y2, 40);
    EXPECT_EQ(status(), "32-bit color") << "the status line is given back";
    EXPECT_FALSE(tool_waits());
    EXPECT_TRUE(snapshot(0) == before) << "the rubber band leaves no trace";
    EXPECT_TRUE(harness_exit());
}

TEST(PointTools, LineAndCircleGiveTheirPoints) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    std::vector<uint32_t> before = snapshot(0);
    HWND w = vrx_images[0].window;
    std::thread driver([&] {
        for (int round = 0; round < 2; round++) {
            if (!harness_wait_for(tool_waits)) return;
            click(w, 100, 100);   // (50, 50)
            harness_wait_for([] { return status() == "Click the second point"; });
            click(w, 106, 108);   // (53, 54)
            harness_wait_for([] { return !tool_waits(); });
        }
    });
    int line[4] = {-1, -1, -1, -1}, circle[3] = {-1, -1, -1}, s1 = -1, s2 = -1;
    EXPECT_TRUE(harness_run_on_worker([&] {
        s1 = wait_line(0, &line[0], &line[1], &line[2], &line[3]);
        s2 = wait_circle(0, &circle[0], &circle[1], &circle[2]);
    }));
    driver.join();
    EXPECT_EQ(s1, 0);
    EXPECT_EQ(line[0], 50);
    EXPECT_EQ(line[1], 50);
    EXPECT_EQ(line[2], 53);
    EXPECT_EQ(line[3], 54);
    EXPECT_EQ(s2, 0);
    EXPECT_EQ(circle[0], 50);
    EXPECT_EQ(circle[1], 50);
    EXPECT_EQ(circle[2], 5) << "the distance from (50, 50) to (53, 54)";
    EXPECT_TRUE(snapshot(0) == before);
    EXPECT_TRUE(harness_exit());
}

TEST(PointTools, RightClickCancelsAndTheWaitedWindowCannotBeClosed) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    HWND w = vrx_images[0].window;
    std::string prompt;
    std::atomic<int> alive_after_close{0};
    std::thread driver([&] {
        if (!harness_wait_for(tool_waits)) return;
        prompt = status();
        PostMessageW(w, WM_CLOSE, 0, 0);
        Sleep(100);
        alive_after_close = IsWindow(w) && tool_waits();
        PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    });
    int result = -1, x = -7, y = -7;
    EXPECT_TRUE(harness_run_on_worker([&] { result = wait_point(0, &x, &y); }));
    driver.join();
    EXPECT_EQ(prompt, "Click a point");
    EXPECT_EQ(alive_after_close.load(), 1);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(image_exists(0));
    EXPECT_EQ(wait_point(5, &x, &y), 2) << "no such image";
    EXPECT_TRUE(harness_exit());
}

TEST(PointTools, StopEndsAWaitingToolAsCancelled) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    std::vector<uint32_t> before = snapshot(0);
    HWND w = vrx_images[0].window;
    std::thread driver([&] {
        if (!harness_wait_for(tool_waits)) return;
        click(w, 40, 40);   // the first corner, then Stop before the second
        harness_wait_for([] { return status() == "Click the second point"; });
        PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(90, 90));
        Sleep(50);
        PostMessageW(vrx_main_window, WM_COMMAND, IDM_STOP, 0);
    });
    int result = -1, a, b, c, d;
    EXPECT_TRUE(harness_run_on_worker([&] { result = wait_rectangle(0, &a, &b, &c, &d); }));
    driver.join();
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(tool_waits());
    EXPECT_TRUE(snapshot(0) == before) << "the half-drawn rectangle is taken back";
    EXPECT_TRUE(harness_exit());
}
