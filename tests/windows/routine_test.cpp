// tests/windows/routine_test.cpp - the calls a user routine has beside the windows themselves (the point
// tools' results, the wait that keeps the windows answering until Stop), the full tables, and resizes
// and zooms that keep the image whole.
#include "tests/windows/harness.h"

namespace {
using Routine = Toolkit;
using FullTables = Toolkit;
bool accepts_drops(void) { return (GetWindowLongW(vrx_main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }
}  // namespace

// Drops stay refused while the routine runs, even once a point tool inside it has ended
TEST_F(Routine, ThePointToolsTellAClickACancelAStopAndNoImageKeepingDropsOutAndWaitTimeEndsOnStop) {
    const struct { int n, action, result, x, stop_after; } cases[] = {   // action: 0 none, 1 left, 2 right, 3 Stop, 4 Stop before
        {0, 1, VRX_OK, 20, 0}, {0, 2, VRX_POINT_CANCELLED, 0, 0}, {0, 3, VRX_POINT_STOPPED, 0, 1}, {0, 4, VRX_POINT_STOPPED, 0, 1},
        {7, 0, VRX_POINT_NO_IMAGE, 0, 0}};
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(0, "tools", 0, 0, 200, 150, 100); }));
    for (const auto &c : cases) {
        std::thread driver([&] {
            if (c.action == 0 || c.action == 4 || !until([] { return vrx_waiting.load() == 1; })) return;
            if (c.action == 3) vrx_stop = 1;
            else post_click(vrx_images[0].window, 20, 30, c.action == 2);
        });
        int result = -1, x = -1, y = -1, stop_after = -1, drops = -1;
        EXPECT_TRUE(harness_run_on_worker([&] {
            if (c.action == 4) vrx_stop = 1;
            result = VRX_WaitClick(c.n, &x, &y), stop_after = VRX_GetStopRequest(), drops = accepts_drops();
        }));
        driver.join();
        EXPECT_EQ((std::vector<int>{result, x, stop_after, drops}), (std::vector<int>{c.result, c.x, c.stop_after, 0})) << c.action;
        EXPECT_TRUE(harness_pump_until(accepts_drops, 3000)) << "drops are taken once the routine returned";
    }
    std::thread driver([] {   // the press is counted only if the wait pumps
        if (!until([] { return vrx_button_box_window != nullptr; })) return;
        PostMessageW(vrx_button_box.buttons[0], BM_CLICK, 0, 0);
        until([] { return vrx_button_box.presses[0] == 1; }), vrx_stop = 1;
    });
    int waits = -1;
    EXPECT_TRUE(harness_run_on_worker([&] { waits = VRX_WaitTime(20) * 100, VRX_OpenButtonBox(0, 0, 1, 1), waits += VRX_WaitTime(60000) * 10 + VRX_GetButtonBoxCount(0); }));
    driver.join();
    EXPECT_EQ(waits, VRX_WAIT_STOPPED * 10 + 1);
}

TEST_F(FullTables, EveryNumberCanBeUsedOnceAndOneMoreIsRefusedThroughTheRoutineAndTheMainWindow) {
    int made = 0, texts = 0;
    ASSERT_TRUE(harness_run_on_worker([&] {
        for (int n = 0; n < VRX_MAX_IMAGES; n++) made += VRX_CreateImage(n, "full", 0, 0, 8, 8, 100) == 0;
        for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) texts += VRX_OpenTextWindow(n, 0, 0, 120, 60) == 0;
    }));
    EXPECT_EQ(made * 1000 + texts, VRX_MAX_IMAGES * 1000 + VRX_MAX_TEXT_WINDOWS);
    put_picture();
    main_window_paste(), main_window_drop(harness_drop_of({data_file("good_48x32.png")}));
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    harness_run_on_worker([] {});
    EXPECT_EQ(harness_window_count(L"vrx_iw"), VRX_MAX_IMAGES) << "the paste and the drop made no window";
    EXPECT_EQ(window_text(vrx_images[0].window).substr(0, 4), L"full") << "nor drew over one";
    EXPECT_EQ(image_pixel(0, 0, 0), 0u);
    ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(17), VRX_CloseTextWindow(9); }));
    main_window_drop(harness_drop_of({data_file("good_48x32.png")}));
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    EXPECT_TRUE(harness_pump_until([] { return image_exists(17) && text_window_open(9); })) << "a freed number is used again";
}

// Refuses every new window of this thread: the re-creation of an image window fails
static LRESULT CALLBACK refuse_windows(int code, WPARAM w, LPARAM l) { return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, w, l); }
// The messages reaching image 0's window while its image was in the table, and while it was not (the
// main thread would take the number for a free one meanwhile)
static int whole_then_missing[2];
static LRESULT CALLBACK watch_image_0(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && ((const CWPSTRUCT *)l)->hwnd == vrx_images[0].window) whole_then_missing[!image_exists(0)]++;
    return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(Routine, AResizeWhoseRasterOrWindowCannotBeMadeAndAZoomKeepTheImageInTheTableWithItsContent) {
    const struct { const char *what; bool refuse; int command; int width; } ways[] = {   // a 40 GB raster, then no window
        {"a raster of 40 GB", false, 0, 100000}, {"VRX_ResizeImage", true, 0, 60}, {"R. Rotate", true, IDM_ROTATE_RIGHT, 0}, {"Size 200.0%", true, IDM_SIZE_200, 0},
        {"Zoom:200%", false, IDM_ZOOM_200, 0}};
    for (const auto &way : ways) {
        SCOPED_TRACE(way.what);
        HWND before = nullptr;
        whole_then_missing[0] = whole_then_missing[1] = 0;
        EXPECT_TRUE(harness_run_on_worker([&] {
            VRX_CreateImage(0, "keep", 40, 40, 100, 50, 100), before = vrx_images[0].window, pixels32[0][5] = 0x123456;
            HHOOK watch = SetWindowsHookExW(WH_CALLWNDPROC, watch_image_0, nullptr, GetCurrentThreadId());
            HHOOK hook = way.refuse ? SetWindowsHookExW(WH_CBT, refuse_windows, nullptr, GetCurrentThreadId()) : nullptr;
            if (way.command) SendMessageW(before, WM_COMMAND, way.command, 0);
            else EXPECT_NE(VRX_ResizeImage(0, way.width, way.width), VRX_OK);
            if (hook) UnhookWindowsHookEx(hook);
            UnhookWindowsHookEx(watch);
        }));
        EXPECT_TRUE(image_exists(0) && vrx_images[0].window == before && IsWindow(before));
        EXPECT_EQ(VRX_GetImageWidth(0) * 1000 + VRX_GetImageHeight(0), 100050);
        EXPECT_EQ(pixels32[0][5], 0x123456u);
        EXPECT_EQ(whole_then_missing[1], 0);
        if (way.command == IDM_ZOOM_200) { EXPECT_TRUE(vrx_images[0].zoom == 200 && whole_then_missing[0] > 0) << "the zoom resized the window"; }
    }
}
