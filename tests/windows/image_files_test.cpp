// tests/windows/image_files_test.cpp - image files written and read back in every format, copy and
// paste through the clipboard, files dropped on the main window, and the paste at a clicked point.
#include "tests/windows/harness.h"
#include "tests/windows/import_patch.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// A 64 x 32 picture of four flat quarters: red, green, blue, white
const int kW = 64, kH = 32;
uint32_t quarter_colour(int x, int y) {
    static const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    return colours[(x >= kW / 2) + 2 * (y >= kH / 2)];
}

// True for pixels at least 4 away from where the quarters meet (JPEG blurs colour edges)
bool away_from_edges(int x, int y) { return abs(x - kW / 2) >= 4 && abs(y - kH / 2) >= 4; }

// True when running under Wine
bool under_wine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Fills the current 32-bit image with the quarters
void paint_quarters(int n) {
    for (int y = 0; y < VRX_GetImageHeight(n); y++)
        for (int x = 0; x < VRX_GetImageWidth(n); x++) pixels32[n][y * VRX_GetImageWidth(n) + x] = quarter_colour(x, y);
}

// The largest difference of one colour channel between two words
int channel_error(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF));
        if (d > worst) worst = d;
    }
    return worst;
}

// A scratch path on drive C: for this test program
std::string scratch(const char *name) { return std::string("C:\\vrx_files_test_") + name; }

bool file_exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits on another thread until a point tool waits, then posts a left click at client (x, y) of w
std::thread click_when_waiting(HWND *w, int x, int y) {
    return std::thread([=] {
        for (int i = 0; i < 5000 && vrx_waiting.load(std::memory_order_acquire) != 1; i++) Sleep(1);
        PostMessageW(*w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        PostMessageW(*w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    });
}

std::wstring caption(int n) {
    wchar_t text[300] = L"";
    GetWindowTextW(vrx_images[n].window, text, 300);
    return text;
}

}  // namespace

struct Format {
    int code;
    const char *extension;
    int tolerance;   // largest channel error allowed on flat colours
};

void PrintTo(const Format &f, std::ostream *os) { *os << f.extension; }

class ImageFileRoundTrip : public ::testing::TestWithParam<Format> {};

TEST_P(ImageFileRoundTrip, WritesTheBlockAndReadsItBack) {
    Format f = GetParam();
    if (f.code == 2 && under_wine())
        GTEST_SKIP() << "Wine's GIF encoder does not take 24-bit pictures (8-bit GIFs are tested below)";
    std::string base = scratch("round"), path = base + f.extension;
    DeleteFileA(path.c_str());
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "source", 0, 0, kW + 6, kH + 8, 100), 0);
        paint_quarters(0);
        // The top-left kW x kH block; the name gets the format's extension.
        ASSERT_EQ(VRX_SaveImage(kW, kH, f.code, base.c_str()), 0);
        ASSERT_TRUE(file_exists(path)) << path;
        ASSERT_EQ(VRX_CreateImage(1, "back", 0, 0, kW, kH, 100), 0);
        ASSERT_EQ(VRX_LoadImage(path.c_str(), 0, 0), 0);
        int worst = 0;
        for (int y = 0; y < kH; y++)
            for (int x = 0; x < kW; x++) {
                if (f.tolerance > 0 && !away_from_edges(x, y)) continue;
                int e = channel_error(pixels32[1][y * kW + x] & 0xFFFFFF, quarter_colour(x, y));
                if (e > worst) worst = e;
            }
        EXPECT_LE(worst, f.tolerance);
        // Loading at an offset draws the file there and leaves the rest.
        ASSERT_EQ(VRX_CreateImage(2, "offset", 0, 0, kW + 20, kH + 10, 100), 0);
        ASSERT_EQ(VRX_LoadImage(path.c_str(), 4, 2), 0);
        EXPECT_EQ(pixels32[2][0], 0u);
        EXPECT_LE(channel_error(pixels32[2][2 * (kW + 20) + 4], 0xFF0000), f.tolerance);
        EXPECT_EQ(pixels32[2][(kH + 9) * (kW + 20) + kW + 19], 0u);
    }));
    EXPECT_TRUE(harness_exit());
    DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ImageFileRoundTrip,
                         ::testing::Values(Format{0, ".bmp", 0}, Format{1, ".jpg", 40}, Format{2, ".gif", 0},
                                           Format{3, ".png", 0}, Format{4, ".tif", 0}),
                         [](const ::testing::TestParamInfo<Format> &i) { return std::string(i.param.extension + 1); });

TEST(ImageFiles, An8BitImageIsWrittenWithItsColourTable) {
    std::string base = scratch("grey"), path = base + ".gif";
    DeleteFileA(path.c_str());
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage8(0, "grey", 0, 0, 5, 3, 100), 0);
        RGBQUAD colours[2] = {{0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0x00, 0}};   // red, blue
        ASSERT_EQ(VRX_SetColorTable(colours, 2), 0);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++) pixels8[0][y * 8 + x] = (unsigned char)((x + y) & 1);
        ASSERT_EQ(VRX_SaveImage(5, 3, 2, base.c_str()), 0);
        ASSERT_EQ(VRX_CreateImage(1, "back", 0, 0, 5, 3, 100), 0);
        ASSERT_EQ(VRX_LoadImage(path.c_str(), 0, 0), 0);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++)
                EXPECT_EQ(pixels32[1][y * 5 + x] & 0xFFFFFF, (x + y) & 1 ? 0x0000FFu : 0xFF0000u) << x << "," << y;
    }));
    EXPECT_TRUE(harness_exit());
    DeleteFileA(path.c_str());
}

// A draw that fails as Windows' GDI+ does for a file damaged past its header, which it decodes only then
static Gdiplus::GpStatus WINGDIPAPI failing_draw(Gdiplus::GpGraphics *, Gdiplus::GpImage *, INT, INT, INT, INT) {
    return Gdiplus::GenericError;
}

TEST(ImageFiles, APaletteFileGivesAnEightBitImageItsTableOnlyWhenItIsDrawn) {
    std::string base = scratch("palette"), path = base + ".gif";
    DeleteFileA(path.c_str());
    ASSERT_EQ(harness_start(), 0);
    for (bool draw_fails : {false, true}) {
        SCOPED_TRACE(draw_fails ? "the draw fails" : "the draw succeeds");
        std::unique_ptr<ImportPatch> patch;
        EXPECT_TRUE(harness_run_on_worker([&] {
            ASSERT_EQ(VRX_CreateImage8(0, "red and blue", 0, 0, 4, 2, 100), 0);
            RGBQUAD colours[2] = {{0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0x00, 0}};   // red, blue
            ASSERT_EQ(VRX_SetColorTable(colours, 2), 0);
            for (int x = 0; x < 4; x++) pixels8[0][x] = pixels8[0][4 + x] = (unsigned char)(x & 1);
            ASSERT_EQ(VRX_SaveImage(4, 2, 2, base.c_str()), 0);
            ASSERT_EQ(VRX_CreateImage8(1, "grey", 0, 0, 4, 2, 100), 0);   // the grey ramp
            if (draw_fails) patch.reset(new ImportPatch("gdiplus.dll", "GdipDrawImageRectI", (void *)failing_draw));
            ASSERT_TRUE(!patch || patch->active());
            EXPECT_EQ(VRX_LoadImage(path.c_str(), 0, 0), draw_fails ? 1 : 0);
            patch.reset();
            RGBQUAD table[256];
            ASSERT_EQ(VRX_GetColorTable(table), 0);
            EXPECT_EQ(table[0].rgbRed, draw_fails ? 0 : 0xFF);
            EXPECT_EQ(table[1].rgbBlue, draw_fails ? 1 : 0xFF);
            EXPECT_EQ(table[1].rgbRed, draw_fails ? 1 : 0);
            EXPECT_EQ(pixels8[1][1], draw_fails ? 0 : 1);
            VRX_DestroyImage(0);
            VRX_DestroyImage(1);
        }));
    }
    EXPECT_TRUE(harness_exit());
    DeleteFileA(path.c_str());
}

TEST(ImageFiles, ABlockWiderAndTallerThanTheImageIsWrittenWithBlackOutside) {
    std::string base = scratch("wide"), path = base + ".bmp";
    DeleteFileA(path.c_str());
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([&] {
        // A 33-pixel row is 99 bytes of 24-bit pixels, padded to 100 in the file.
        ASSERT_EQ(VRX_CreateImage(0, "source", 0, 0, 33, 21, 100), 0);
        for (int y = 0; y < 21; y++)
            for (int x = 0; x < 33; x++) pixels32[0][y * 33 + x] = (uint32_t)(x * 7) << 16 | (uint32_t)(y * 11) << 8 | 0x5A;
        ASSERT_EQ(VRX_SaveImage(40, 25, 0, base.c_str()), 0);
        ASSERT_EQ(VRX_CreateImage(1, "back", 0, 0, 40, 25, 100), 0);
        for (int i = 0; i < 40 * 25; i++) pixels32[1][i] = 0x808080;
        ASSERT_EQ(VRX_LoadImage(path.c_str(), 0, 0), 0);
        for (int y = 0; y < 25; y++)
            for (int x = 0; x < 40; x++) {
                uint32_t expected = x < 33 && y < 21 ? (uint32_t)(x * 7) << 16 | (uint32_t)(y * 11) << 8 | 0x5A : 0;
                EXPECT_EQ(pixels32[1][y * 40 + x] & 0xFFFFFF, expected) << x << "," << y;
            }
    }));
    EXPECT_TRUE(harness_exit());
    DeleteFileA(path.c_str());
}

TEST(ImageFiles, RefusesWhatCannotBeReadOrWritten) {
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([] {
        EXPECT_EQ(VRX_LoadImage("C:\\vrx_files_test_missing.png", 0, 0), 2) << "no current image";
        ASSERT_EQ(VRX_CreateImage(0, "x", 0, 0, 8, 8, 100), 0);
        EXPECT_EQ(VRX_LoadImage("C:\\vrx_files_test_missing.png", 0, 0), 1);
        EXPECT_NE(VRX_SaveImage(8, 8, 1, "C:\\no_such_folder_vrx\\out"), 0);
        EXPECT_FALSE(file_exists("C:\\no_such_folder_vrx\\out.jpg"));
    }));
    EXPECT_TRUE(harness_exit());
}

TEST(ImageClipboard, CopyThenPasteGivesTheSamePixelsInANewWindow) {
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "copied", 0, 0, kW, kH, 100), 0);
        paint_quarters(0);
        pixels32[0][5] = 0x123456;
        EXPECT_EQ(copy_image_to_clipboard(0), 0);
    }));
    main_window_paste();
    ASSERT_TRUE(image_exists(1));
    EXPECT_EQ(caption(1), L"001(" + std::to_wstring(vrx_images[1].zoom) + L"%)");
    EXPECT_EQ(VRX_GetImageWidth(1), kW);
    EXPECT_EQ(VRX_GetImageHeight(1), kH);
    for (int i = 0; i < kW * kH; i++) ASSERT_EQ(pixels32[1][i], pixels32[0][i]) << "pixel " << i;
    EXPECT_TRUE(harness_exit());
}

TEST(ImageClipboard, An8BitImageTravelsWithItsColourTable) {
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage8(0, "paletted", 0, 0, 5, 3, 100), 0);
        RGBQUAD colours[3] = {{0, 0, 0, 0}, {0x30, 0x20, 0x10, 0}, {0xFF, 0x80, 0x00, 0}};
        ASSERT_EQ(VRX_SetColorTable(colours, 3), 0);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++) pixels8[0][y * 8 + x] = (unsigned char)((x + y) % 3);
        EXPECT_EQ(copy_image_to_clipboard(0), 0);
    }));
    main_window_paste();
    ASSERT_TRUE(image_exists(1));
    EXPECT_EQ(VRX_GetImageDepth(1), 32);
    EXPECT_EQ(pixels32[1][0], 0u);
    EXPECT_EQ(pixels32[1][1], 0x102030u);
    EXPECT_EQ(pixels32[1][2], 0x0080FFu);
    EXPECT_EQ(pixels32[1][5 + 4], 0x0080FFu) << "row 1, column 4 holds index (4 + 1) % 3 = 2";
    EXPECT_TRUE(harness_exit());
}

// GetDIBits as Windows answers it for a bitmap that is still selected into a DC: no rows
static int WINAPI refusing_get_dibits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }

TEST(ImageClipboard, CopyPutsTheRasterBottomUpWithZeroPaddingWhateverGetDIBitsDoes) {
    struct Case { int depth, width; } cases[] = {{32, 3}, {8, 5}};   // rows of 9 and 5 bytes, padded
    ASSERT_EQ(harness_start(), 0);
    ImportPatch patch("gdi32.dll", "GetDIBits", (void *)refusing_get_dibits);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.depth);
        std::vector<unsigned char> expected;
        EXPECT_TRUE(harness_run_on_worker([&] {
            ASSERT_EQ(create_image_window(0, "copied", 0, 0, c.width, 2, 100, c.depth), 0);
            RGBQUAD colours[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
            if (c.depth == 8) {
                ASSERT_EQ(VRX_SetColorTable(colours, 3), 0);
            }
            // The block as it must be: header, 256 colours for 8 bits, rows bottom row first
            expected.assign(40, 0);
            unsigned char header[16] = {40, 0, 0, 0, (unsigned char)c.width, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                                        (unsigned char)(c.depth == 32 ? 24 : 8), 0};
            memcpy(expected.data(), header, 16);
            for (int i = 0; i < (c.depth == 8 ? 256 : 0); i++) {
                RGBQUAD q = i < 3 ? colours[i] : RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
                expected.insert(expected.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
            }
            for (int y = 1; y >= 0; y--) {
                size_t start = expected.size();
                for (int x = 0; x < c.width; x++) {
                    uint32_t v = (uint32_t)(0x10 * y + x + 1);
                    if (c.depth == 32) {
                        pixels32[0][y * c.width + x] = 0xFF000000u | v << 16 | v << 8 | (v ^ 0x80);   // top byte set
                        expected.insert(expected.end(), {(unsigned char)(v ^ 0x80), (unsigned char)v, (unsigned char)v});
                    } else {
                        pixels8[0][y * 8 + x] = (unsigned char)v;
                        expected.push_back((unsigned char)v);
                    }
                }
                while ((expected.size() - start) % 4) expected.push_back(0);
            }
            EXPECT_EQ(copy_image_to_clipboard(0), 0);
            VRX_DestroyImage(0);
        }));
        ASSERT_TRUE(OpenClipboard(vrx_main_window));
        HANDLE data = GetClipboardData(CF_DIB);
        const unsigned char *block = data ? (const unsigned char *)GlobalLock(data) : nullptr;
        ASSERT_TRUE(block);
        ASSERT_EQ(GlobalSize(data), expected.size());
        std::vector<unsigned char> copied(block, block + expected.size());
        GlobalUnlock(data);
        CloseClipboard();
        EXPECT_EQ(copied, expected);
    }
    EXPECT_TRUE(harness_exit());
}

TEST(ImageClipboard, MenuPasteCentresThePictureOnTheClickedPoint) {
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(1, "small", 0, 0, 4, 2, 100), 0);
        for (int i = 0; i < 8; i++) pixels32[1][i] = 0x00FF00;
        EXPECT_EQ(copy_image_to_clipboard(1), 0);
        VRX_DestroyImage(1);
        ASSERT_EQ(VRX_CreateImage(0, "target", 0, 0, 200, 100, 100), 0);
    }));
    HWND w = vrx_images[0].window;
    std::thread clicker = click_when_waiting(&w, 50, 30);
    PostMessageW(w, WM_COMMAND, 1013, 0);
    EXPECT_TRUE(harness_pump_until([] { return pixels32[0][30 * 200 + 50] == 0x00FF00; }, 10000));
    clicker.join();
    // A 4 x 2 picture centred on (50, 30) covers columns 48..51 of rows 29..30.
    EXPECT_EQ(pixels32[0][29 * 200 + 48], 0x00FF00u);
    EXPECT_EQ(pixels32[0][30 * 200 + 51], 0x00FF00u);
    EXPECT_EQ(pixels32[0][29 * 200 + 47], 0u);
    EXPECT_EQ(pixels32[0][31 * 200 + 50], 0u);
    EXPECT_EQ(pixels32[0][28 * 200 + 50], 0u);
    EXPECT_TRUE(harness_exit());
}

TEST(MainWindowDrop, EachImageFileBecomesTheNextFreeNumberAndOthersAreSkipped) {
    std::string a = scratch("drop_a.bmp"), b = scratch("drop_b.png"), text = scratch("drop_c.jpg");
    HANDLE t = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(t, "not a picture", 13, &written, nullptr);
    CloseHandle(t);
    ASSERT_EQ(harness_start(), 0);
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "kept", 0, 0, kW, kH, 100), 0);
        paint_quarters(0);
        ASSERT_EQ(VRX_SaveImage(kW, kH, 0, a.c_str()), 0);
        ASSERT_EQ(VRX_SaveImage(40, 20, 3, b.c_str()), 0);
    }));
    std::vector<std::wstring> files;
    for (const std::string &s : {a, text, b}) files.push_back(std::wstring(s.begin(), s.end()));
    main_window_drop(harness_drop_of(files));
    ASSERT_TRUE(image_exists(1));
    ASSERT_TRUE(image_exists(2));
    EXPECT_FALSE(image_exists(3)) << "the text file takes no number";
    EXPECT_EQ(caption(1), L"001 vrx_files_test_drop_a.bmp(" + std::to_wstring(vrx_images[1].zoom) + L"%)");
    EXPECT_EQ(caption(2), L"002 vrx_files_test_drop_b.png(" + std::to_wstring(vrx_images[2].zoom) + L"%)");
    EXPECT_EQ(VRX_GetImageWidth(2), 40);
    EXPECT_EQ(VRX_GetImageHeight(2), 20);
    EXPECT_EQ(pixels32[1][0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels32[1][kW * kH - 1] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pixels32[2][0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels32[2][39] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(vrx_current_image, 0) << "the image current before the drop is current again";
    EXPECT_TRUE(harness_exit());
    for (const std::string &s : {a, b, text}) DeleteFileA(s.c_str());
}
