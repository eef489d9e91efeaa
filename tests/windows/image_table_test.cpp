// tests/windows/image_table_test.cpp - image windows as a user routine makes them: creation with its
// client size and caption, the current-image stack, block copies, re-sizing, zoom and stretch mode.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// The caption of image n's window
std::wstring caption(int n) {
    wchar_t text[300] = L"";
    GetWindowTextW(vrx_images[n].window, text, 300);
    return text;
}

// The client size of image n's window
SIZE client(int n) {
    RECT r = {};
    GetClientRect(vrx_images[n].window, &r);
    return SIZE{r.right, r.bottom};
}

// Runs body on the worker thread between a fresh start and Exit
void with_toolkit(const std::function<void()> &body) {
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker(body));
    EXPECT_TRUE(harness_exit());
}

}  // namespace

TEST(ImageCreation, GivesTheClientSizeAndCaptionOfEachDepth) {
    with_toolkit([] {
        ASSERT_EQ(VRX_CreateImage(0, "colour", 10, 10, 200, 100, 100), 0);
        ASSERT_EQ(VRX_CreateImage8(1, "grey", 10, 200, 80, 60, 200), 0);
        EXPECT_EQ(caption(0), L"colour(100%)");
        EXPECT_EQ(caption(1), L"grey(200%)[8bit]");
        EXPECT_EQ(client(0).cx, 200);
        EXPECT_EQ(client(0).cy, 100);
        EXPECT_EQ(client(1).cx, 160);
        EXPECT_EQ(client(1).cy, 120);
        EXPECT_EQ(VRX_GetImageDepth(0), 32);
        EXPECT_EQ(VRX_GetImageDepth(1), 8);
        EXPECT_EQ(vrx_current_image, 1) << "the new image is current";
        // An 8-bit image starts with a grey ramp.
        RGBQUAD table[256];
        ASSERT_EQ(VRX_GetColorTable(table), 0);
        EXPECT_EQ(table[200].rgbRed, 200);
        EXPECT_EQ(table[200].rgbBlue, 200);
    });
}

TEST(ImageCreation, ANewRasterIsBlackEvenWhereAClosedImageWasPainted) {
    with_toolkit([] {
        for (int round = 0; round < 3; round++) {
            ASSERT_EQ(VRX_CreateImage(0, "white", 0, 0, 301, 203, 100), 0);
            for (int i = 0; i < 301 * 203; i++) pixels32[0][i] = 0xFFFFFF;
            ASSERT_EQ(VRX_DestroyImage(0), 0);
            ASSERT_EQ(VRX_CreateImage8(1, "grey", 0, 0, 301, 203, 100), 0);
            int nonzero = 0;
            for (int i = 0; i < 304 * 203; i++) nonzero += pixels8[1][i] != 0;
            EXPECT_EQ(nonzero, 0) << "8-bit, round " << round;
            memset(pixels8[1], 0xFF, 304 * 203);
            ASSERT_EQ(VRX_DestroyImage(1), 0);
            ASSERT_EQ(VRX_CreateImage(0, "again", 0, 0, 301, 203, 100), 0);
            nonzero = 0;
            for (int i = 0; i < 301 * 203; i++) nonzero += pixels32[0][i] != 0;
            EXPECT_EQ(nonzero, 0) << "32-bit, round " << round;
            ASSERT_EQ(VRX_DestroyImage(0), 0);
        }
    });
}

TEST(ImageCreation, RefusesAUsedSlotAndABadDepth) {
    with_toolkit([] {
        ASSERT_EQ(VRX_CreateImage(3, "first", 0, 0, 150, 100, 100), 0);
        HWND first = vrx_images[3].window;
        EXPECT_EQ(VRX_CreateImage(3, "second", 0, 0, 80, 80, 100), 1);
        EXPECT_EQ(vrx_images[3].window, first);
        EXPECT_EQ(caption(3), L"first(100%)");
        EXPECT_EQ(create_image_window(4, "deep", 0, 0, 10, 10, 100, 16), 3);
        EXPECT_FALSE(image_exists(4));
        EXPECT_EQ(VRX_DestroyImage(5), 1) << "a free slot";
        EXPECT_EQ(VRX_DestroyImage(3), 0);
        EXPECT_FALSE(IsWindow(first));
        EXPECT_EQ(VRX_GetImageWidth(3), 0);
    });
}

TEST(ImageCreation, MagnifiesATinyImageAndRefusesOneThatCannotBeShown) {
    with_toolkit([] {
        int min_w = GetSystemMetrics(SM_CXMIN) - 2 * GetSystemMetrics(SM_CXDLGFRAME);
        int min_h = GetSystemMetrics(SM_CYMIN) - 2 * GetSystemMetrics(SM_CXDLGFRAME) -
                    GetSystemMetrics(SM_CYCAPTION);
        int side = min_w > min_h ? min_w : min_h;
        ASSERT_EQ(VRX_CreateImage(0, "dot", 0, 0, 0, 0, 100), 0);
        EXPECT_EQ(VRX_GetImageWidth(0), 1);
        EXPECT_EQ(vrx_images[0].zoom, 100 * side);
        EXPECT_EQ(client(0).cx, side);
        EXPECT_EQ(client(0).cy, side);
        int too_tall = 101 * (GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION));
        EXPECT_EQ(VRX_CreateImage(1, "needle", 0, 0, 1, too_tall, 100), 2);
        EXPECT_FALSE(image_exists(1));
    });
}

TEST(ImageStack, SelectAndPopReturnToEarlierImages) {
    with_toolkit([] {
        for (int n : {0, 2, 3}) ASSERT_EQ(VRX_CreateImage(n, "s", 0, 0, 20, 20, 100), 0);
        ASSERT_EQ(VRX_SelectImage(0), 0);
        EXPECT_EQ(VRX_SelectImage(2), 0);
        EXPECT_EQ(VRX_SelectImage(3), 0);
        EXPECT_EQ(VRX_PopImage(), 0);
        EXPECT_EQ(vrx_current_image, 2);
        EXPECT_EQ(VRX_PopImage(), 0);
        EXPECT_EQ(vrx_current_image, 0);
        EXPECT_EQ(VRX_SelectImage(1), 1) << "not open";
        // A pop whose top entry was destroyed changes nothing.
        VRX_SelectImage(3);
        VRX_DestroyImage(0);
        EXPECT_EQ(VRX_PopImage(), 1);
        EXPECT_EQ(vrx_current_image, 3);
    });
}

TEST(ImageBlocks, PutAndGetClipAtTheEdgesAnd8BitRowsArePadded) {
    with_toolkit([] {
        ASSERT_EQ(VRX_CreateImage(0, "b", 0, 0, 3, 2, 100), 0);
        std::vector<uint32_t> block(5 * 3);
        for (size_t i = 0; i < block.size(); i++) block[i] = 0x010101u * (uint32_t)(i + 1);
        VRX_PutImage(block.data(), 1, 5, 3);   // wider and taller than the image
        // Row 0: the first pixel untouched, then block columns 0 and 1; row 1 likewise from block row 1.
        EXPECT_EQ(pixels32[0][0], 0u);
        EXPECT_EQ(pixels32[0][1], 0x010101u);
        EXPECT_EQ(pixels32[0][2], 0x020202u);
        EXPECT_EQ(pixels32[0][3], 0u);
        EXPECT_EQ(pixels32[0][4], 0x060606u);
        std::vector<uint32_t> out(4 * 3, 0xDEADBEEF);
        VRX_GetImage(out.data(), 1, 0, 4, 3);
        EXPECT_EQ(out[0], 0x010101u);
        EXPECT_EQ(out[1], 0x020202u);
        EXPECT_EQ(out[2], 0u) << "outside the image reads 0";
        EXPECT_EQ(out[4 * 2], 0u);

        ASSERT_EQ(VRX_CreateImage8(1, "g", 0, 0, 3, 2, 100), 0);
        unsigned char bytes[6] = {1, 2, 3, 4, 5, 6};
        VRX_PutImage(bytes, 0, 3, 2);
        EXPECT_EQ(pixels8[1][2], 3);
        EXPECT_EQ(pixels8[1][3], 0) << "rows of an 8-bit image are 4 bytes";
        EXPECT_EQ(pixels8[1][4], 4);
    });
}

TEST(ImageResize, KeepsTitleZoomAndHalftoneWithABlankRaster) {
    with_toolkit([] {
        ASSERT_EQ(VRX_CreateImage(0, "keep", 40, 40, 100, 50, 200), 0);
        ASSERT_EQ(VRX_SetStretchMode(HALFTONE, 0), 0);
        EXPECT_EQ(caption(0), L"keep(200%)*");
        pixels32[0][0] = 0xFFFFFF;
        ASSERT_EQ(VRX_ResizeImage(0, 60, 30), 0);
        EXPECT_EQ(VRX_GetImageWidth(0), 60);
        EXPECT_EQ(VRX_GetImageHeight(0), 30);
        EXPECT_EQ(caption(0), L"keep(200%)*");
        EXPECT_EQ(client(0).cx, 120);
        EXPECT_EQ(VRX_GetStretchMode(0), HALFTONE);
        EXPECT_EQ(pixels32[0][0], 0u);
        ASSERT_EQ(VRX_SetStretchMode(COLORONCOLOR, 0), 0);
        EXPECT_EQ(caption(0), L"keep(200%)");
    });
}

// A CBT hook that refuses every new window of the thread it is set on
static LRESULT CALLBACK refuse_windows(int code, WPARAM wp, LPARAM lp) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wp, lp);
}

TEST(ImageResize, ANewRasterOrWindowThatCannotBeMadeKeepsTheImageWithItsContent) {
    // 100000 x 100000 fits the screen at a small zoom, but its 40 GB raster cannot be made; the other
    // ways re-create the window while window creation is refused.
    struct Way {
        const char *what;
        bool refuse_windows;
        std::function<void(HWND)> run;
    } ways[] = {
        {"a raster of 40 GB", false, [](HWND) { EXPECT_NE(VRX_ResizeImage(0, 100000, 100000), 0); }},
        {"VRX_ResizeImage", true, [](HWND) { EXPECT_EQ(VRX_ResizeImage(0, 60, 30), 3); }},
        {"R. Rotate", true, [](HWND w) { SendMessageW(w, WM_COMMAND, IDM_ROTATE_RIGHT, 0); }},
        {"Size 200.0%", true, [](HWND w) { SendMessageW(w, WM_COMMAND, IDM_SIZE_200, 0); }},
    };
    with_toolkit([&] {
        for (const Way &way : ways) {
            SCOPED_TRACE(way.what);
            ASSERT_EQ(VRX_CreateImage(0, "keep", 40, 40, 100, 50, 100), 0);
            HWND before = vrx_images[0].window;
            pixels32[0][5] = 0x123456;
            HHOOK hook = way.refuse_windows ? SetWindowsHookExW(WH_CBT, refuse_windows, nullptr, GetCurrentThreadId())
                                            : nullptr;
            way.run(before);
            if (hook) UnhookWindowsHookEx(hook);
            ASSERT_TRUE(image_exists(0));
            EXPECT_EQ(vrx_images[0].window, before);
            EXPECT_TRUE(IsWindow(before));
            EXPECT_EQ(VRX_GetImageWidth(0), 100);
            EXPECT_EQ(VRX_GetImageHeight(0), 50);
            EXPECT_EQ(pixels32[0][5], 0x123456u);
            EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
            VRX_DestroyImage(0);
        }
    });
}

TEST(ImageZoom, NewZoomChangesTheWindowAndCaption) {
    with_toolkit([] {
        ASSERT_EQ(VRX_CreateImage8(7, "z", 0, 0, 400, 300, 100), 0);
        ASSERT_EQ(VRX_SetZoom(7, 50), 0);
        EXPECT_EQ(client(7).cx, 200);
        EXPECT_EQ(client(7).cy, 150);
        EXPECT_EQ(caption(7), L"z(50%)[8bit]");
        EXPECT_EQ(VRX_SetZoom(9, 50), 1) << "not open";
    });
}
