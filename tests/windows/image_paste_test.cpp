// tests/windows/image_paste_test.cpp - pictures pasted on the main window become image windows.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Puts a packed DIB of the given bit count on the clipboard: header, colours, then rows
void put_dib(int width, int height, int bits, const std::vector<unsigned char> &rows,
             const std::vector<unsigned> &colours = {}) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + colours.size() * 4 + rows.size());
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = (WORD)bits;
    h.biClrUsed = (DWORD)colours.size();
    memcpy(p, &h, 40);
    if (!colours.empty()) memcpy(p + 40, colours.data(), colours.size() * 4);
    memcpy(p + 40 + colours.size() * 4, rows.data(), rows.size());
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// The 32-bit words of image n read on the worker thread
std::vector<uint32_t> read_image(int n) {
    std::vector<uint32_t> words;
    harness_run_on_worker([&] {
        if (VRX_SelectImage(n) != 0) return;
        words.resize((size_t)VRX_GetImageWidth(n) * VRX_GetImageHeight(n));
        VRX_GetImage(words.data(), 0, 0, VRX_GetImageWidth(n), VRX_GetImageHeight(n));
        VRX_PopImage();
    });
    return words;
}

}  // namespace

TEST(MainWindowPaste, A24BitPictureBecomesImageZeroWithItsPixels) {
    ASSERT_EQ(harness_start(), 0);
    // 2 x 2, bottom-up rows of 8 bytes: bottom row blue, green; top row red, white.
    std::vector<unsigned char> rows = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    put_dib(2, 2, 24, rows);
    main_window_paste();
    ASSERT_TRUE(image_exists(0));
    EXPECT_EQ(VRX_GetImageWidth(0), 2);
    std::vector<uint32_t> words = read_image(0);
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0], 0xFF0000u);
    EXPECT_EQ(words[1], 0xFFFFFFu);
    EXPECT_EQ(words[2], 0x0000FFu);
    EXPECT_EQ(words[3], 0x00FF00u);
    EXPECT_TRUE(harness_exit());
}

TEST(MainWindowPaste, RefusesABlockShorterThanItsHeaderSays) {
    ASSERT_EQ(harness_start(), 0);
    put_dib(100, 100, 24, std::vector<unsigned char>(16));
    main_window_paste();
    EXPECT_FALSE(image_exists(0));
    EXPECT_TRUE(harness_exit());
}
