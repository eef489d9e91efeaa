// tests/windows/reliability_clipboard_test.cpp - clipboard pictures of every layout, good and
// malformed, pasted through the main window, the image window's Paste at a clicked point and its
// Ctrl+V. A picture that can be read (run-length ones decoded by the toolkit) arrives with its pixels
// in place; one that cannot is refused quietly: no window, no click wait, the image unchanged.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// The 3 x 2 picture every good layout carries, top row first
const uint32_t kPicture[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFFFF00}};
// The two-colour form for 1 bit per pixel: red and blue
const uint32_t kTwoColours[2][3] = {{0xFF0000, 0x0000FF, 0xFF0000}, {0x0000FF, 0xFF0000, 0x0000FF}};

// One clipboard block to try
struct Layout {
    const char *name;
    uint32_t header_size = 40;
    int width = 3, height = 2;     // as the header says; the rows follow the picture's 3 x 2
    unsigned bits = 24;
    uint32_t compression = 0;      // BI_RGB, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3, BI_JPEG 4
    uint32_t used = 0;             // biClrUsed
    bool top_down = false;
    long long cut = 0;             // bytes taken off the end of the block (negative: the block is cut to -cut bytes)
    bool readable = true;          // what the paste must make of it
    bool check_pixels = true;      // false when the rows index colours the table does not have
    long long size_image = 0;      // biSizeImage; -1: the run-length stream's own length
    std::vector<unsigned char> stream;   // RLE8/RLE4: this stream instead of the picture's own
};

void PrintTo(const Layout &l, std::ostream *os) { *os << l.name; }

// The picture a layout shows: two colours at 1 bit
const uint32_t (*picture_of(const Layout &l))[3] { return l.bits == 1 ? kTwoColours : kPicture; }
// The picture a paste of it must show; nullptr when its colours cannot be told
const uint32_t (*shown(const Layout &l))[3] { return l.check_pixels ? picture_of(l) : nullptr; }

void put16(std::vector<unsigned char> &b, size_t at, unsigned v) {
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}
void put32(std::vector<unsigned char> &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = (unsigned char)(v >> (8 * i));
}

// The packed DIB of a layout: header, masks, colour table, rows
std::vector<unsigned char> packed_dib(const Layout &l) {
    const uint32_t(*pic)[3] = picture_of(l);
    // The colour table: the picture's distinct colours (up to 2^bits), then zeros up to its length
    std::vector<uint32_t> palette;
    if (l.bits <= 8)
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 3; x++) {
                bool known = false;
                for (uint32_t c : palette) known |= c == pic[y][x];
                if (!known) palette.push_back(pic[y][x]);
            }
    size_t entries = l.bits <= 8 ? (l.used ? l.used : (1u << l.bits)) : l.used;
    bool masks_after = l.compression == 3 && l.header_size < 52;
    size_t row = ((3 * l.bits + 31) / 32) * 4;
    // A run-length stream, bottom row first: its pixels as encoded runs of one, end of line, the top
    // row as an absolute run (padded to an even length), end of bitmap
    bool rle = l.compression == 1 || l.compression == 2;
    std::vector<unsigned char> stream = l.stream;
    if (rle && stream.empty()) {
        auto index = [&](uint32_t c) { unsigned i = 0; while (palette[i] != c) i++; return (unsigned char)i; };
        for (int x = 0; x < 3; x++) {
            unsigned char i = index(pic[1][x]);
            stream.insert(stream.end(), {1, (unsigned char)(l.bits == 8 ? i : i << 4 | i)});
        }
        stream.insert(stream.end(), {0, 0, 0, 3});
        unsigned char a = index(pic[0][0]), b = index(pic[0][1]), c = index(pic[0][2]);
        if (l.bits == 8) stream.insert(stream.end(), {a, b, c, 0});
        else stream.insert(stream.end(), {(unsigned char)(a << 4 | b), (unsigned char)(c << 4)});
        stream.insert(stream.end(), {0, 1});
    }
    size_t size = l.header_size + (masks_after ? 12 : 0) + entries * 4 + (rle ? stream.size() : row * 2);
    std::vector<unsigned char> b(size, 0);
    put32(b, 0, l.header_size);
    put32(b, 4, (uint32_t)l.width);
    put32(b, 8, (uint32_t)(l.top_down ? -l.height : l.height));
    put16(b, 12, 1);
    put16(b, 14, l.bits);
    put32(b, 16, l.compression);
    put32(b, 20, (uint32_t)(l.size_image == -1 ? stream.size() : l.size_image));
    put32(b, 32, l.used);
    uint32_t masks[3] = {l.bits == 16 ? 0xF800u : 0xFF0000u, l.bits == 16 ? 0x07E0u : 0x00FF00u,
                         l.bits == 16 ? 0x001Fu : 0x0000FFu};
    size_t at = l.header_size;
    if (l.compression == 3) {
        size_t m = masks_after ? l.header_size : 40;
        for (int i = 0; i < 3; i++) put32(b, m + 4 * i, masks[i]);
        if (masks_after) at += 12;
    }
    for (size_t i = 0; i < entries && i < palette.size(); i++) put32(b, at + 4 * i, palette[i]);
    at += entries * 4;
    if (rle) memcpy(b.data() + at, stream.data(), stream.size());
    for (int y = 0; y < 2 && !rle; y++) {
        int source = l.top_down ? y : 1 - y;   // bottom-up unless top-down
        unsigned char *r = b.data() + at + row * (size_t)y;
        for (int x = 0; x < 3; x++) {
            uint32_t c = pic[source][x];
            unsigned red = c >> 16 & 0xFF, green = c >> 8 & 0xFF, blue = c & 0xFF;
            if (l.bits <= 8) {
                unsigned index = 0;
                while (palette[index] != c) index++;
                int bit = x * (int)l.bits;
                r[bit / 8] |= (unsigned char)(index << (8 - l.bits - bit % 8));
            } else if (l.bits == 16) {
                unsigned v = l.compression == 3 ? (red >> 3) << 11 | (green >> 2) << 5 | blue >> 3
                                                : (red >> 3) << 10 | (green >> 3) << 5 | blue >> 3;
                r[2 * x] = (unsigned char)v;
                r[2 * x + 1] = (unsigned char)(v >> 8);
            } else {
                unsigned char *p = r + x * (l.bits / 8);
                p[0] = (unsigned char)blue;
                p[1] = (unsigned char)green;
                p[2] = (unsigned char)red;
            }
        }
    }
    if (l.cut > 0) b.resize(b.size() - (size_t)l.cut);
    if (l.cut < 0) b.resize((size_t)-l.cut);
    return b;
}

// Puts a block on the clipboard as CF_DIB, alone
void put_on_clipboard(const std::vector<unsigned char> &b) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, b.size());
    memcpy(GlobalLock(block), b.data(), b.size());
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardData(CF_DIB, block));
    CloseClipboard();
}

// The largest difference of one channel (16 bits per pixel keep 5 or 6 bits of each)
int channel_error(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF));
        if (d > worst) worst = d;
    }
    return worst;
}

// The 3 x 2 picture at (x, y) of image n, which is w pixels wide (nullptr: any colours)
void expect_picture(int n, int w, int x, int y, const uint32_t (*pic)[3]) {
    if (!pic) return;
    for (int j = 0; j < 2; j++)
        for (int i = 0; i < 3; i++)
            EXPECT_LE(channel_error(pixels32[n][(y + j) * w + x + i] & 0xFFFFFF, pic[j][i]), 8)
                << "pixel " << i << "," << j << " is " << std::hex << pixels32[n][(y + j) * w + x + i];
}

// The target of the image window pastes: 200 x 100 (shown at 100 %), filled with a mark
const int kW = 200, kH = 100;
const uint32_t kMark = 0xABCDEF;

void open_marked_target() {
    harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "target", 0, 0, kW, kH, 100), 0);
        for (int i = 0; i < kW * kH; i++) pixels32[0][i] = kMark;
    });
}

int marked_pixels() {
    int n = 0;
    for (int i = 0; i < kW * kH; i++) n += pixels32[0][i] == kMark;
    return n;
}

// Ctrl+V on image 0's window, then waits until the pasted command has run
void press_ctrl_v() {
    HWND w = vrx_images[0].window;
    harness_run_on_worker([w] {
        harness_hold_ctrl(true);
        SendMessageW(w, WM_KEYDOWN, 'V', 0);
        harness_hold_ctrl(false);
    });
    harness_run_on_worker([] {});
}

// Paste at a clicked point on image 0: a click at client (x, y) once a point tool waits. True when
// the paste waited for the click; false when it returned at once.
bool paste_at_click(int x, int y) {
    std::atomic<int> clicked{0};
    HWND w = vrx_images[0].window;
    std::atomic<bool> stop{false};
    std::thread clicker([&] {
        for (int i = 0; i < 3000 && !stop && vrx_waiting.load(std::memory_order_acquire) != 1; i++) Sleep(1);
        if (vrx_waiting.load(std::memory_order_acquire) != 1) return;
        PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        clicked = 1;
    });
    // Posted by the worker itself, the command is in its queue before the routine ends, so it has run
    // (and any wait ended) once the worker runs the next routine.
    harness_run_on_worker([w] { PostMessageW(w, WM_COMMAND, 1013, 0); });
    bool returned = harness_run_on_worker([] {}, 10000);
    stop = true;
    clicker.join();
    EXPECT_TRUE(returned);
    return clicked.load() == 1;
}

}  // namespace

class ClipboardLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(ClipboardLayout, EveryPasteShowsItOrRefusesIt) {
    const Layout l = GetParam();
    const std::vector<unsigned char> block = packed_dib(l);
    ASSERT_EQ(harness_start(), 0);
    {
        SCOPED_TRACE("main window paste");
        put_on_clipboard(block);
        main_window_paste();
        if (l.readable) {
            ASSERT_TRUE(image_exists(0));
            EXPECT_EQ(VRX_GetImageWidth(0), 3);
            EXPECT_EQ(VRX_GetImageHeight(0), 2);
            expect_picture(0, 3, 0, 0, shown(l));
        } else {
            EXPECT_FALSE(image_exists(0));
            EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
        }
        harness_run_on_worker([] { VRX_DestroyImage(0); });
    }
    open_marked_target();
    {
        SCOPED_TRACE("Ctrl+V");
        put_on_clipboard(block);
        press_ctrl_v();
        if (l.readable) {
            expect_picture(0, kW, 0, 0, shown(l));
            EXPECT_EQ(marked_pixels(), kW * kH - 6);
        } else {
            EXPECT_EQ(marked_pixels(), kW * kH);
        }
    }
    harness_run_on_worker([] { for (int i = 0; i < kW * kH; i++) pixels32[0][i] = kMark; });
    {
        SCOPED_TRACE("paste at a clicked point");
        put_on_clipboard(block);
        bool waited = paste_at_click(50, 30);
        EXPECT_EQ(waited, l.readable);
        EXPECT_EQ(vrx_waiting.load(), 0);
        if (l.readable) {
            expect_picture(0, kW, 49, 29, shown(l));   // centred: 50 - 3 / 2, 30 - 2 / 2
            EXPECT_EQ(marked_pixels(), kW * kH - 6);
        } else {
            EXPECT_EQ(marked_pixels(), kW * kH);
        }
    }
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    EXPECT_TRUE(harness_exit());
}

Layout layout(const char *name) {
    Layout l;
    l.name = name;
    return l;
}
Layout with_bits(Layout l, unsigned bits, uint32_t compression = 0) {
    l.bits = bits;
    l.compression = compression;
    return l;
}

const Layout kLayouts[] = {
    with_bits(layout("bits_1"), 1),
    with_bits(layout("bits_4"), 4),
    with_bits(layout("bits_8"), 8),
    with_bits(layout("bits_16"), 16),
    with_bits(layout("bits_24"), 24),
    with_bits(layout("bits_32"), 32),
    with_bits(layout("bitfields_16_masks_after_header"), 16, 3),
    with_bits(layout("bitfields_32_masks_after_header"), 32, 3),
    [] { Layout l = with_bits(layout("bitfields_32_header_52"), 32, 3); l.header_size = 52; return l; }(),
    [] { Layout l = with_bits(layout("v4_header_bitfields"), 32, 3); l.header_size = 108; return l; }(),
    [] { Layout l = with_bits(layout("v5_header_24"), 24); l.header_size = 124; return l; }(),
    [] { Layout l = with_bits(layout("v5_header_bitfields_16"), 16, 3); l.header_size = 124; return l; }(),
    [] { Layout l = with_bits(layout("colours_used_1000"), 8); l.used = 1000; return l; }(),
    [] { Layout l = with_bits(layout("colours_used_6"), 8); l.used = 6; return l; }(),
    [] { Layout l = with_bits(layout("one_bit_colours_used_1000"), 1); l.used = 1000; return l; }(),
    [] { Layout l = with_bits(layout("colours_used_1"), 8); l.used = 1; l.check_pixels = false; return l; }(),
    [] { Layout l = with_bits(layout("colours_used_1000_block_short"), 8); l.used = 1000; l.cut = 2000; l.readable = false; return l; }(),
    [] { Layout l = layout("top_down_24"); l.top_down = true; return l; }(),
    with_bits(layout("rle8"), 8, 1),
    [] { Layout l = with_bits(layout("rle4_size_image"), 4, 2); l.size_image = -1; return l; }(),
    [] { Layout l = with_bits(layout("rle8_top_down"), 8, 1); l.top_down = true; l.readable = false; return l; }(),
    [] { Layout l = with_bits(layout("rle8_size_image_past_block"), 8, 1); l.size_image = 17; l.readable = false; return l; }(),
    // Without the end of bitmap and the absolute run's pad byte: cut inside a code
    [] { Layout l = with_bits(layout("rle8_cut_in_a_run"), 8, 1); l.cut = 3; l.readable = false; return l; }(),
    // 255 pixels into a 3-pixel row, then a delta past the top row: clipped, then the end
    [] { Layout l = with_bits(layout("rle4_run_past_the_edge_delta_past_the_top"), 4, 2);
         l.stream = {0xFF, 0x12, 0, 2, 0, 5, 0x03, 0x33}; l.check_pixels = false; return l; }(),
    [] { Layout l = with_bits(layout("jpeg"), 24, 4); l.readable = false; return l; }(),
    [] { Layout l = layout("rows_missing"); l.cut = 8; l.readable = false; return l; }(),
    [] { Layout l = layout("claims_100x100"); l.width = 100; l.height = 100; l.readable = false; return l; }(),
    [] { Layout l = layout("shorter_than_a_header"); l.cut = -32; l.readable = false; return l; }(),
    [] { Layout l = layout("zero_height"); l.height = 0; l.readable = false; return l; }(),
    [] { Layout l = layout("negative_width"); l.width = -3; l.readable = false; return l; }(),
    [] { Layout l = layout("header_size_past_block"); l.header_size = 4000; l.cut = -64; l.readable = false; return l; }(),
    // A 44-byte header with bit fields: the masks follow it, past a 48-byte block.
    [] { Layout l = with_bits(layout("bitfields_masks_past_block"), 16, 3); l.header_size = 44; l.width = 1; l.height = 1; l.cut = -48; l.readable = false; return l; }(),
};

INSTANTIATE_TEST_SUITE_P(Reliability, ClipboardLayout, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout> &i) { return std::string(i.param.name); });

TEST(ReliabilityClipboard, ABitmapAloneIsPasted) {
    ASSERT_EQ(harness_start(), 0);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++) {
            uint32_t c = kPicture[y][x];
            SetPixel(dc, x, y, RGB(c >> 16, c >> 8 & 0xFF, c & 0xFF));
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardData(CF_BITMAP, bitmap));   // the clipboard owns it now
    CloseClipboard();
    main_window_paste();
    ASSERT_TRUE(image_exists(0));
    EXPECT_EQ(VRX_GetImageWidth(0), 3);
    EXPECT_EQ(VRX_GetImageHeight(0), 2);
    expect_picture(0, 3, 0, 0, kPicture);
    // The same bitmap again through Ctrl+V on a marked image
    harness_run_on_worker([] { VRX_DestroyImage(0); });
    open_marked_target();
    press_ctrl_v();
    expect_picture(0, kW, 0, 0, kPicture);
    EXPECT_TRUE(harness_exit());
}

TEST(ReliabilityClipboard, AnEmptyClipboardPastesNothingAnywhere) {
    ASSERT_EQ(harness_start(), 0);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    CloseClipboard();
    main_window_paste();
    EXPECT_FALSE(image_exists(0));
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
    open_marked_target();
    press_ctrl_v();
    EXPECT_FALSE(paste_at_click(50, 30)) << "no picture, so no point is asked for";
    EXPECT_EQ(marked_pixels(), kW * kH);
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    EXPECT_TRUE(harness_exit());
}

TEST(ReliabilityClipboard, AOneBitPictureSetsOnlyItsTwoColoursOfAn8BitImage) {
    // biClrUsed 1000 on a 1-bit picture: only the two colours it can index reach the image's table.
    Layout l = with_bits(layout("one bit"), 1);
    l.used = 1000;
    std::vector<unsigned char> block = packed_dib(l);
    for (size_t i = 2; i < 1000; i++) put32(block, 40 + 4 * i, 0x00777777);   // junk in the unused entries
    ASSERT_EQ(harness_start(), 0);
    harness_run_on_worker([] { ASSERT_EQ(VRX_CreateImage8(0, "grey", 0, 0, kW, kH, 100), 0); });
    put_on_clipboard(block);
    press_ctrl_v();
    RGBQUAD table[256];
    harness_run_on_worker([&] {
        VRX_SelectImage(0);
        VRX_GetColorTable(table);
        VRX_PopImage();
    });
    EXPECT_EQ(table[0].rgbRed, 0xFF);
    EXPECT_EQ(table[1].rgbBlue, 0xFF);
    for (int i = 2; i < 256; i++) {
        ASSERT_EQ(table[i].rgbRed, i) << "entry " << i << " keeps its grey";
        ASSERT_EQ(table[i].rgbBlue, i);
    }
    EXPECT_TRUE(harness_exit());
}

TEST(ReliabilityClipboard, APictureNoWindowCanShowIsRefusedByTheMainWindowButPastedIntoAnImage) {
    // 4000 x 1: no zoom shows it in a window of its own, yet Ctrl+V draws its first 200 columns.
    const int width = 4000;
    size_t row = ((size_t)width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> block(40 + row, 0);
    put32(block, 0, 40);
    put32(block, 4, width);
    put32(block, 8, 1);
    put16(block, 12, 1);
    put16(block, 14, 24);
    for (int x = 0; x < width; x++) block[40 + 3 * x + 1] = (unsigned char)(x < 100 ? 0xFF : 0x80);   // green
    ASSERT_EQ(harness_start(), 0);
    put_on_clipboard(block);
    main_window_paste();
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 0);
    for (int n = 0; n < VRX_MAX_IMAGES; n++) ASSERT_FALSE(image_exists(n)) << n;
    open_marked_target();
    press_ctrl_v();
    EXPECT_EQ(pixels32[0][0], 0x00FF00u);
    EXPECT_EQ(pixels32[0][150], 0x008000u);
    EXPECT_EQ(pixels32[0][199], 0x008000u);
    EXPECT_EQ(pixels32[0][kW], kMark) << "row 1 is not touched";
    EXPECT_EQ(marked_pixels(), kW * kH - kW);
    EXPECT_TRUE(harness_exit());
}

TEST(ReliabilityClipboard, APasteWaitsForAClipboardHeldForAMoment) {
    // Another thread holds the clipboard for 80 ms, as a clipboard manager does after each change.
    std::vector<unsigned char> block = packed_dib(with_bits(layout("held"), 24));
    ASSERT_EQ(harness_start(), 0);
    put_on_clipboard(block);
    std::atomic<int> held{0};
    std::thread holder([&] {
        if (OpenClipboard(nullptr)) held = 1;
        else held = -1;
        Sleep(80);
        if (held == 1) CloseClipboard();
    });
    while (held.load() == 0) Sleep(1);
    ASSERT_EQ(held.load(), 1);
    main_window_paste();
    holder.join();
    ASSERT_TRUE(image_exists(0)) << "the paste took the picture once the clipboard was free";
    EXPECT_EQ(VRX_GetImageWidth(0), 3);
    EXPECT_TRUE(harness_exit());
}
