// tests/windows/app_conversion_test.cpp - the conversion routine run in-process: the canvas it builds
// from a pasted pair, an 8-bit pair read through its colour table, an image 1 that was there before,
// and a file that cannot be written.
#include "tests/windows/harness.h"

#include "app/stereo_canvas.h"
#include "app/stereo_pair.h"
#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What one conversion showed: the text of its "Pause" box and image 1's pixels while the box was open
struct Outcome {
    std::wstring message;
    std::vector<uint32_t> output;   // empty when image 1 did not exist
    int result = -1;
};

// quarvex's canvas, as its routine fills it
void fill_centred(const uint32_t *input, int width, int height) {
    VRX_PutImage(input, stereo_layout(width, false).copy_column[0], width, height);
}

// Runs the conversion as Start would, answers its box with OK and returns what it showed
Outcome convert(void) {
    Outcome o;
    std::atomic<int> done{0};
    harness_user_routine = [&] {
        o.result = convert_stereo_pair(fill_centred);
        done = 1;
    };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    HWND box = nullptr;
    EXPECT_TRUE(harness_pump_until([&] { return (box = FindWindowW(L"#32770", L"Pause")) != nullptr; }, 8000));
    if (!box) return o;
    wchar_t text[128] = L"";
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 128);
    o.message = text;
    // The worker waits in the box, so image 1 is stable while it is read.
    if (image_exists(1)) {
        size_t count = (size_t)VRX_GetImageWidth(1) * VRX_GetImageHeight(1);
        o.output.assign(pixels32[1], pixels32[1] + count);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    harness_pump_until([&] { return done.load() == 1; }, 5000);
    harness_user_routine = nullptr;
    return o;
}

const wchar_t kFinished[] = L"\x5909\x63DB\x7D42\x4E86";   // "変換終了"

}  // namespace

TEST(Conversion, CentresThePastedPairInImageOneAndClosesBoth) {
    ASSERT_EQ(harness_start(), 0);
    // A 2 x 2 pair, bottom-up rows: bottom blue, green; top red, white.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + 16);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {40, 2, 2, 1, 24};
    const unsigned char rows[16] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    memcpy(p, &h, 40);
    memcpy(p + 40, rows, 16);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
    main_window_paste();
    Outcome o = convert();
    EXPECT_EQ(o.message, kFinished);
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.output, (std::vector<uint32_t>{0, 0xFF0000, 0xFFFFFF, 0, 0, 0x0000FF, 0x00FF00, 0}));
    EXPECT_FALSE(image_exists(0));
    EXPECT_FALSE(image_exists(1));
    EXPECT_TRUE(harness_exit());
}

TEST(Conversion, An8BitPairIsReadThroughItsColourTable) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage8(0, "grey pair", 0, 0, 3, 2, 100), 0);
        RGBQUAD colours[3] = {{0x01, 0x02, 0x03, 0}, {0x10, 0x20, 0x30, 0}, {0xFF, 0xEE, 0xDD, 0}};
        ASSERT_EQ(VRX_SetColorTable(colours, 3), 0);
        unsigned char indices[6] = {0, 1, 2, 2, 1, 0};
        VRX_PutImage(indices, 0, 3, 2);
    }));
    Outcome o = convert();
    EXPECT_EQ(o.message, kFinished);
    // Width 3: the pair starts at column 1 of a 6-wide canvas.
    EXPECT_EQ(o.output, (std::vector<uint32_t>{0, 0x030201, 0x302010, 0xDDEEFF, 0, 0,
                                               0, 0xDDEEFF, 0x302010, 0x030201, 0, 0}));
    EXPECT_TRUE(harness_exit());
}

TEST(Conversion, AnImageOneThatWasThereIsNeitherOverwrittenNorThrownAway) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "pair", 0, 0, 4, 2, 100), 0);
        ASSERT_EQ(VRX_CreateImage(1, "mine", 0, 0, 3, 3, 100), 0);
        pixels32[1][4] = 0xABCDEF;
    }));
    DeleteFileW(L"c:\\quarvex_out.jpg");
    Outcome o = convert();
    EXPECT_EQ(o.message.substr(0, 5), L"\x5909\x63DB\x3067\x304D\x307E") << "a message that it could not convert";
    EXPECT_NE(o.message, kFinished);
    EXPECT_EQ(o.result, 1);
    ASSERT_TRUE(image_exists(1));
    EXPECT_EQ(VRX_GetImageWidth(1), 3);
    EXPECT_EQ(pixels32[1][4], 0xABCDEFu);
    EXPECT_TRUE(image_exists(0)) << "the pair stays for another try";
    EXPECT_EQ(GetFileAttributesW(L"c:\\quarvex_out.jpg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(harness_exit());
}

TEST(Conversion, ASaveThatFailsIsReportedAndTheSourcePairStays) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "pair", 0, 0, 4, 2, 100), 0);
        pixels32[0][1] = 0x123456;
    }));
    // A folder where the file should go makes the JPEG impossible to write.
    DeleteFileW(L"c:\\quarvex_out.jpg");
    ASSERT_TRUE(CreateDirectoryW(L"c:\\quarvex_out.jpg", nullptr));
    Outcome o = convert();
    RemoveDirectoryW(L"c:\\quarvex_out.jpg");
    EXPECT_EQ(o.message, L"\x5909\x63DB\x7D50\x679C\x3092\x4FDD\x5B58\x3067\x304D\x307E\x305B\x3093\x3067\x3057\x305F");
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.output.size(), 16u) << "the canvas was shown while the box waited";
    EXPECT_FALSE(image_exists(1));
    ASSERT_TRUE(image_exists(0)) << "the pair stays for another try";
    EXPECT_EQ(pixels32[0][1], 0x123456u);
    EXPECT_TRUE(harness_exit());
}
