// tests/e2e/convert_e2e_test.cpp - a stereo pair pasted on the main window, Start, "変換終了", the file.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Puts a width x height 24-bit picture on the clipboard as CF_DIB; pixel (x, y) = colour(x, y)
void put_picture_on_clipboard(int width, int height, unsigned (*colour)(int, int)) {
    size_t row = ((size_t)width * 3 + 3) / 4 * 4;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + row * height);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;   // bottom-up
    h.biPlanes = 1;
    h.biBitCount = 24;
    memcpy(p, &h, 40);
    for (int y = 0; y < height; y++) {
        unsigned char *r = p + 40 + (size_t)(height - 1 - y) * row;
        for (int x = 0; x < width; x++) {
            unsigned c = colour(x, y);
            r[x * 3] = (unsigned char)c;
            r[x * 3 + 1] = (unsigned char)(c >> 8);
            r[x * 3 + 2] = (unsigned char)(c >> 16);
        }
    }
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// Puts a width x height 8-bit picture on the clipboard as CF_DIB: index(x, y) into a colour table
void put_paletted_picture_on_clipboard(int width, int height, const std::vector<unsigned> &table,
                                       unsigned char (*index)(int, int)) {
    size_t row = ((size_t)width + 3) / 4 * 4, colours = table.size() * 4;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + colours + row * height);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biClrUsed = (DWORD)table.size();
    memcpy(p, &h, 40);
    memcpy(p + 40, table.data(), colours);   // 0x00RRGGBB is the byte order of RGBQUAD
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) p[40 + colours + (size_t)(height - 1 - y) * row + x] = index(x, y);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// Counts the top-level windows of a class
int count_windows(const wchar_t *cls) {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr))
        count++;
    return count;
}

// True when two colours differ by at most the JPEG tolerance in every channel
bool near_colour(unsigned a, unsigned b) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = (int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF);
        if (d < -40 || d > 40) return false;
    }
    return true;
}

// Left half red, right half blue
unsigned halves(int x, int) { return x < 40 ? 0xFF0000 : 0x0000FF; }

class Conversion : public testing::TestWithParam<const wchar_t *> {
protected:
    void SetUp() override {
        DeleteFileW(L"c:\\quarvex_out.jpg");
        ASSERT_TRUE(start_program(&program, GetParam()));
    }
    void TearDown() override { stop_program(&program); }
    Program program;
};

}  // namespace

TEST_P(Conversion, PastedPairBecomesADoubleWidthJpegAndBothWindowsClose) {
    put_picture_on_clipboard(80, 30, halves);
    PostMessageW(program.main_window, WM_COMMAND, 1026, 0);
    HWND image0 = wait_window(program, L"vrx_iw", nullptr, 5000);
    ASSERT_NE(image0, nullptr);
    EXPECT_EQ(window_text(image0).substr(0, 4), L"000(");
    PostMessageW(program.main_window, WM_COMMAND, 1001, 0);
    HWND box = wait_window(program, L"#32770", L"Pause", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), L"\x5909\x63DB\x7D42\x4E86");   // "変換終了"
    EXPECT_EQ(count_windows(L"vrx_iw"), 2) << "the pair and the result stay on the screen while the box waits";
    HANDLE file = CreateFileW(L"c:\\quarvex_out.jpg", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << "the JPEG is written before the box shows";
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    pause_ms(1000);
    EXPECT_EQ(FindWindowW(L"vrx_iw", nullptr), nullptr) << "both image windows closed";

    // quarvex: black, red, blue, black by quarters; quarvex-swap: black, blue, red, black.
    bool swap = wcscmp(GetParam(), L"quarvex-swap.exe") == 0;
    const unsigned expected[4] = {0, swap ? 0x0000FFu : 0xFF0000u, swap ? 0xFF0000u : 0x0000FFu, 0};
    for (int q = 0; q < 4; q++) {
        UINT w = 0, h = 0;
        unsigned c = file_pixel(L"c:\\quarvex_out.jpg", q * 40 + 20, 15, &w, &h);
        EXPECT_EQ(w, 160u);
        EXPECT_EQ(h, 30u);
        EXPECT_TRUE(near_colour(c, expected[q])) << "quarter " << q << " is " << std::hex << c;
    }
}

TEST_P(Conversion, StartWithoutAPairAsksForOneAndCreatesNothing) {
    PostMessageW(program.main_window, WM_COMMAND, 1001, 0);
    HWND box = wait_window(program, L"#32770", L"Pause", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)),
              L"\x30B9\x30C6\x30EC\x30AA\x30DA\x30A2\x753B\x50CF\x3092\x30C9\x30E9\x30C3\x30B0\x3057\x3066\x4E0B\x3055\x3044");
    EXPECT_EQ(FindWindowW(L"vrx_iw", nullptr), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_P(Conversion, ExitWhileTheRoutineWaitsInItsBoxEndsWithCodeZero) {
    PostMessageW(program.main_window, WM_COMMAND, 1001, 0);
    ASSERT_NE(wait_window(program, L"#32770", L"Pause", 10000), nullptr);
    PostMessageW(program.main_window, WM_COMMAND, 1002, 0);   // Exit
    EXPECT_EQ(wait_exit(&program, 5000), 0);
    EXPECT_EQ(FindWindowW(L"vrx_mw", nullptr), nullptr);
    EXPECT_EQ(FindWindowW(L"#32770", L"Pause"), nullptr) << "the box went with the program";
}

TEST_P(Conversion, AnOddWidthPairKeepsItsColumnsInTheOutput) {
    // 81 columns: red 0..39, green 40, blue 41..80; the output is 162 wide.
    put_picture_on_clipboard(81, 30, [](int x, int) -> unsigned { return x < 40 ? 0xFF0000 : x == 40 ? 0x00FF00 : 0x0000FF; });
    PostMessageW(program.main_window, WM_COMMAND, 1026, 0);
    ASSERT_NE(wait_window(program, L"vrx_iw", nullptr, 5000), nullptr);
    PostMessageW(program.main_window, WM_COMMAND, 1001, 0);
    HWND box = wait_window(program, L"#32770", L"Pause", 10000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    pause_ms(500);
    UINT w = 0, h = 0;
    bool swap = wcscmp(GetParam(), L"quarvex-swap.exe") == 0;
    // quarvex: the pair at column 40, so red 40..79 and blue 81..120. quarvex-swap: black 0..39,
    // the pair's columns 40..80 (green, then blue) at 40..80, its column 0.. at 81..119, black from 120.
    struct { int x; unsigned colour; } probes_centre[] = {{20, 0}, {60, 0xFF0000}, {100, 0x0000FF}, {140, 0}};
    struct { int x; unsigned colour; } probes_swap[] = {{20, 0}, {60, 0x0000FF}, {100, 0xFF0000}, {140, 0}};
    for (int i = 0; i < 4; i++) {
        int x = swap ? probes_swap[i].x : probes_centre[i].x;
        unsigned expected = swap ? probes_swap[i].colour : probes_centre[i].colour;
        unsigned c = file_pixel(L"c:\\quarvex_out.jpg", x, 15, &w, &h);
        EXPECT_TRUE(near_colour(c, expected)) << "column " << x << " is " << std::hex << c;
    }
    EXPECT_EQ(w, 162u);
    EXPECT_EQ(h, 30u);
}

TEST_P(Conversion, An8BitPairOnTheClipboardIsConvertedInItsColours) {
    // Left half index 1 (orange), right half index 2 (teal), in a four-entry table.
    put_paletted_picture_on_clipboard(64, 24, {0x000000, 0xFF8000, 0x008080, 0xFFFFFF},
                                      [](int x, int) -> unsigned char { return x < 32 ? 1 : 2; });
    PostMessageW(program.main_window, WM_COMMAND, 1026, 0);
    ASSERT_NE(wait_window(program, L"vrx_iw", nullptr, 5000), nullptr);
    PostMessageW(program.main_window, WM_KEYDOWN, 'S', 0);   // S starts, as a person presses it
    HWND box = wait_window(program, L"#32770", L"Pause", 10000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    pause_ms(500);
    bool swap = wcscmp(GetParam(), L"quarvex-swap.exe") == 0;
    const unsigned expected[4] = {0, swap ? 0x008080u : 0xFF8000u, swap ? 0xFF8000u : 0x008080u, 0};
    for (int q = 0; q < 4; q++) {
        UINT w = 0, h = 0;
        unsigned c = file_pixel(L"c:\\quarvex_out.jpg", q * 32 + 16, 12, &w, &h);
        EXPECT_EQ(w, 128u);
        EXPECT_TRUE(near_colour(c, expected[q])) << "quarter " << q << " is " << std::hex << c;
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Conversion, testing::Values(L"quarvex.exe", L"quarvex-swap.exe"),
                         [](const testing::TestParamInfo<const wchar_t *> &info) {
                             return std::string(info.index == 0 ? "quarvex" : "quarvex_swap");
                         });
