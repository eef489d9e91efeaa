// tests/windows/transfer_test.cpp - pictures in and out: every format written and read back, the
// clipboard both ways, and damaged files and malformed clipboard pictures through every way in, each
// giving the picture at its size or a refusal that leaves the image as it was and no window.
#include "tests/windows/harness.h"
#include "tests/windows/import_patch.h"

#include <filesystem>

namespace {

using Files = Toolkit;
using Clipboard = Toolkit;
using WaysIn = Toolkit;

const uint32_t kMark = 0xABCDEF, kRed = 0xFF0000, kBlue = 0x2060C0;
const std::wstring kScratch = L"C:\\vrx_ways_in";

// The largest difference of one colour channel
int channel_error(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int s = 0; s < 24; s += 8) worst = std::max(worst, abs((int)(a >> s & 0xFF) - (int)(b >> s & 0xFF)));
    return worst;
}

// Opens image n of w x h at depth, every pixel value (an 8-bit one: its low byte); it becomes current
void open_filled(int n, int w, int h, int depth, uint32_t value) {
    VRX_DestroyImage(n);
    create_image_window(n, "target", 0, 0, w, h, 100, depth);
    RasterView v;
    for (int i = 0; image_raster(n, &v) && i < w * h; i++) put_pixel(v, i % w, i / w, value);
}

// How many pixels of image n hold value
int count_of(int n, uint32_t value) {
    int count = 0, w = VRX_GetImageWidth(n);
    for (int i = 0; i < w * VRX_GetImageHeight(n); i++) count += image_pixel(n, i % w, i / w) == (value & (vrx_images[n].depth == 8 ? 0xFF : ~0u));
    return count;
}

// The largest channel error of the 3 x 2 picture shown at (x, y) of image n
int picture_error(int n, int x, int y) {
    int worst = 0;
    for (int i = 0; i < 6; i++) worst = std::max(worst, channel_error(image_colour(n, x + i % 3, y + i / 3), kPicture[i / 3][i % 3]));
    return worst;
}

// Presses Ctrl+key on window w from the worker, which owns it, and waits for what it started
void press_ctrl_key_on_worker(HWND w, WPARAM key) {
    harness_run_on_worker([w, key] { harness_hold_ctrl(true), SendMessageW(w, WM_KEYDOWN, key, 0), harness_hold_ctrl(false); });
    harness_run_on_worker([] {});
}

// A UTF-16 path in the ANSI code page
std::string narrow(const std::wstring &wide) {
    char out[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// Removes a folder and everything in it (long names too)
void remove_tree(const std::wstring &folder) {
    std::error_code e;
    std::filesystem::remove_all(L"\\\\?\\" + folder, e);
}

// NOTE: Wine's GIF encoder takes no 24-bit pictures, so the GIF is written from an 8-bit image
const struct Format { int code; const char *ext; int depth, tolerance; } kFormats[] = {
    {0, ".bmp", 32, 0}, {1, ".jpg", 32, 40}, {2, ".gif", 8, 0}, {3, ".png", 32, 0}, {4, ".tif", 32, 0}, {0, ".bmp", 8, 0}};

// Draws that fail as Windows' GDI+ fails on a file damaged past its header, and GetDIBits as Windows
// answers for a bitmap still selected into a DC: the failures Wine does not give
Gdiplus::GpStatus WINGDIPAPI failing_draw(Gdiplus::GpGraphics *, Gdiplus::GpImage *, INT, INT, INT, INT) { return Gdiplus::GenericError; }
int WINAPI refusing_get_dibits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }

}  // namespace

TEST_F(Files, EveryFormatGivesBackTheSavedBlockWithBlackBeyondTheImageWhereItIsLoaded) {
    for (const Format &f : kFormats) {
        SCOPED_TRACE(std::string(f.ext) + (f.depth == 8 ? " of an 8-bit image" : ""));
        std::string path = std::string("C:\\vrx_round") + f.ext;
        int saved = -1, loaded = -1;
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_filled(0, 32, 16, f.depth, f.depth == 8 ? 1 : kBlue);   // blue above, red from row 8
            RasterView v;
            for (int i = 256; image_raster(0, &v) && i < 512; i++) put_pixel(v, i % 32, i / 32, f.depth == 8 ? 2 : kRed);
            RGBQUAD table[3] = {{0, 0, 0, 0}, {0xC0, 0x60, 0x20, 0}, {0, 0, 0xFF, 0}};
            if (f.depth == 8) VRX_SetColorTable(table, 3);
            saved = VRX_SaveImage(36, 18, f.code, "C:\\vrx_round");   // four columns and two rows beyond the image
            open_filled(1, 50, 30, 32, kMark);
            loaded = VRX_LoadImage(path.c_str(), 3, 2);
        }));
        EXPECT_EQ(saved * 10 + loaded, 0);
        // Inside the image, beyond its right and bottom edges (black), outside the file's block (kept)
        const struct { int x, y; uint32_t want; } probes[] = {{11, 4, kBlue}, {11, 14, kRed}, {37, 10, 0}, {11, 19, 0}, {39, 10, kMark}, {11, 20, kMark}, {2, 1, kMark}};
        for (auto &p : probes) EXPECT_LE(channel_error(image_colour(1, p.x, p.y), p.want), f.tolerance) << p.x << "," << p.y;
        DeleteFileA(path.c_str());
    }
}

TEST_F(Files, ASaveInsideA32BitImageLeavesEveryWordOfItsRasterAndWritesItsPixels) {
    ASSERT_TRUE(harness_run_on_worker([&] {
        open_filled(0, 41, 25, 32, 0);   // varied colours, top bytes 0xFF on columns 10..19 only
        for (int i = 0; i < 41 * 25; i++) pixels32[0][i] = (i * 2654435761u & 0xFFFFFF) | (i % 41 >= 10 && i % 41 < 20 ? 0xFF000000u : 0);
        const std::vector<uint32_t> before(pixels32[0], pixels32[0] + 41 * 25);
        for (int w : {41, 30})
            for (int format : {1, 0}) {   // JPEG and BMP, the whole width and a narrower block
                EXPECT_EQ(VRX_SaveImage(w, 25, format, "C:\\vrx_keep"), 0);
                EXPECT_EQ(std::vector<uint32_t>(pixels32[0], pixels32[0] + 41 * 25), before) << w << " wide, format " << format;
            }
        EXPECT_NE(VRX_SaveImage(41, 25, 1, "C:\\no such folder\\x"), 0);
        EXPECT_EQ(std::vector<uint32_t>(pixels32[0], pixels32[0] + 41 * 25), before) << "after a failed save";
        open_filled(1, 30, 25, 32, 0);
        ASSERT_EQ(VRX_LoadImage("C:\\vrx_keep.bmp", 0, 0), 0);   // the 30-wide block
        for (int i = 0; i < 30 * 25; i++) ASSERT_EQ(pixels32[1][i] & 0xFFFFFF, before[i / 30 * 41 + i % 30] & 0xFFFFFF) << i;
    }));
    DeleteFileA("C:\\vrx_keep.bmp"), DeleteFileA("C:\\vrx_keep.jpg");
}

// A file whose size can be read but that cannot be drawn gives an 8-bit image none of its colours, and
// its drop on the main window leaves no window behind
TEST_F(Files, APaletteFileGivesAnEightBitImageItsColoursAndADropItsWindowOnlyWhenItCanBeDrawn) {
    for (bool draw_fails : {false, true}) {
        SCOPED_TRACE(draw_fails ? "the draw fails" : "the draw succeeds");
        uint32_t first = 0;
        int result = -1;
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_filled(0, 4, 2, 8, 1), VRX_DestroyImage(2);   // the window of the last drop
            RGBQUAD colours[2] = {{0, 0, 0xFF, 0}, {0xFF, 0, 0, 0}};
            VRX_SetColorTable(colours, 2), pixels8[0][1] = 0;
            ASSERT_EQ(VRX_SaveImage(4, 2, 2, "C:\\vrx_palette"), 0);
            open_filled(1, 4, 2, 8, 0);   // the grey ramp
        }));
        ImportPatch patch("gdiplus.dll", "GdipDrawImageRectI", draw_fails ? (void *)failing_draw : nullptr);
        ASSERT_TRUE(harness_run_on_worker([&] { result = VRX_LoadImage("C:\\vrx_palette.gif", 0, 0), first = image_colour(1, 0, 0); }));
        main_window_drop(harness_drop_of({L"C:\\vrx_palette.gif"}));
        EXPECT_EQ(result, draw_fails ? 1 : 0);
        EXPECT_EQ(first, draw_fails ? 0u : 0x0000FFu) << "the grey ramp stays when the file cannot be drawn";
        EXPECT_EQ(harness_window_count(L"vrx_iw"), draw_fails ? 2 : 3);
        EXPECT_EQ(vrx_current_image, 1);
    }
    DeleteFileA("C:\\vrx_palette.gif");
}

TEST_F(Clipboard, CopyAndPasteKeepEveryColourWhateverGetDIBitsDoesAndCutClearsOnlyWhatWasCopied) {
    ImportPatch patch("gdi32.dll", "GetDIBits", (void *)refusing_get_dibits);
    for (int depth : {32, 8}) {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_filled(0, 5, 3, depth, 0);
            RGBQUAD colours[15];
            for (int i = 0; i < 15; i++) colours[i] = RGBQUAD{(BYTE)(i * 16), (BYTE)(255 - i), (BYTE)(i * 7), 0};
            if (depth == 8) VRX_SetColorTable(colours, 15);
            RasterView v;
            for (int i = 0; image_raster(0, &v) && i < 15; i++) put_pixel(v, i % 5, i / 5, depth == 8 ? i : 0xFF000000u | i * 0x10F0A1u);
            ASSERT_EQ(copy_image_to_clipboard(0), 0);
        }));
        main_window_paste();
        int wrong = 0;
        for (int i = 0; i < 15; i++) wrong += image_colour(1, i % 5, i / 5) != image_colour(0, i % 5, i / 5);
        EXPECT_EQ(wrong * 100 + VRX_GetImageDepth(1), 32) << "every colour, pasted as 32-bit";
        ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(1); }));
    }
    HWND holder = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));   // held: the copy of Cut fails, so nothing may be cleared
    harness_command(vrx_images[0].window, IDM_CUT);
    CloseClipboard(), DestroyWindow(holder);
    EXPECT_EQ(count_of(0, 0), 1) << "Cut cleared an image it could not copy";
}

namespace {

struct FileCase {
    const char *name;        // in tests/data/bad/, or made here: "@hangul", "@missing"
    bool loads;
    int width, height;
    uint32_t top_left;
    bool narrow_fails = false;
};
const FileCase kFiles[] = {
    {"text.jpg", false}, {"bmp_top_down_8x4.bmp", true, 8, 4, 0x0000FF}, {"@missing", false},
    // Hangul, which the ANSI code page cannot spell: only the narrow call cannot name it
    {"@hangul", true, 48, 32, kRed, true},
};

// Image 0 after a way in: untouched, or the picture drawn over its own size only
void expect_drawn(const FileCase &f, bool loads, const char *way) {
    int marked = count_of(0, kMark), w = VRX_GetImageWidth(0), h = VRX_GetImageHeight(0);
    EXPECT_EQ(marked, w * h - (loads ? f.width * f.height : 0)) << way;
    if (loads) { EXPECT_LE(channel_error(image_colour(0, 0, 0), f.top_left), 8) << way; }
}

}  // namespace

// NOTE: the Load dialog hands its UTF-16 name to the same loader as a drop on the image window
TEST_F(WaysIn, EveryFileGivesThePictureAtItsSizeOrARefusalByTheCallAndBothDrops) {
    const std::wstring good = data_file("good_48x32.png"), hangul = kScratch + L"\\\xD55C\xAE00.png";
    for (const FileCase &f : kFiles) {
        SCOPED_TRACE(f.name);
        std::wstring path = f.name[0] != '@' ? data_file(f.name) : f.name[1] == 'h' ? hangul : kScratch + L"\\none.png";
        CreateDirectoryW(kScratch.c_str(), nullptr), CopyFileW(good.c_str(), hangul.c_str(), FALSE);
        int result = -1;
        ASSERT_TRUE(harness_run_on_worker([&] { open_filled(0, 100, 60, 32, kMark), result = VRX_LoadImage(narrow(path).c_str(), 0, 0); }));
        expect_drawn(f, f.loads && !f.narrow_fails, "VRX_LoadImage");
        EXPECT_EQ(result, f.loads && !f.narrow_fails ? 0 : 1);
        ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({path}), 0);
        expect_drawn(f, f.loads, "a drop on the image window");
        // A drop of the file and a good one on the main window: the good one takes the next number
        ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(0), VRX_DestroyImage(1); }));
        main_window_drop(harness_drop_of({path, good}));
        int good_at = f.loads ? 1 : 0;
        EXPECT_EQ(image_exists(0) + image_exists(1), 1 + f.loads);
        if (f.loads) { EXPECT_EQ(VRX_GetImageWidth(0), f.width); }
        EXPECT_EQ(window_text(vrx_images[good_at].window).substr(0, 19), (good_at ? L"001" : L"000") + std::wstring(L" good_48x32.png("));
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 1 + f.loads);
    }
    remove_tree(kScratch);
}

TEST_F(WaysIn, EveryClipboardPictureIsShownOrRefusedByTheMainWindowCtrlVAndPasteAtAClick) {
    const struct { const char *name; bool readable; DibSpec dib; } kLayouts[] = {
        {"8 bits", true, {8}}, {"32 bits, top-down", true, {32, 0, 3, 2, 0, 0, true}}, {"RLE8", true, {8, 1}},
        {"rows missing", false, {24, 0, 3, 2, 0, 8}}, {"1000 colours used, block short of them", false, {8, 0, 3, 2, 1000, 2000}},
    };
    for (const auto &l : kLayouts) {
        SCOPED_TRACE(l.name);
        put_picture(l.dib);
        // The main window's paste waits out a hold by another program, as a clipboard manager holds it
        std::atomic<int> held{0};
        std::thread holder([&] { held = OpenClipboard(nullptr) ? 1 : -1, Sleep(80), held == 1 && CloseClipboard(); });
        while (held.load() == 0) Sleep(1);
        main_window_paste(), holder.join();
        EXPECT_EQ(harness_window_count(L"vrx_iw"), l.readable ? 1 : 0) << "main window";
        if (l.readable) { EXPECT_LE(picture_error(0, 0, 0), 8) << "main window"; }
        // Ctrl+V into a marked image, an 8-bit one for a picture with a colour table, which it takes
        ASSERT_TRUE(harness_run_on_worker([&] { VRX_DestroyImage(0), open_filled(0, 200, 100, l.dib.bits <= 8 ? 8 : 32, kMark); }));
        press_ctrl_key_on_worker(vrx_images[0].window, 'V');
        EXPECT_EQ(count_of(0, kMark), 200 * 100 - (l.readable ? 6 : 0)) << "Ctrl+V";
        if (l.readable) { EXPECT_LE(picture_error(0, 0, 0), 8) << "Ctrl+V"; }
        // Paste at a clicked point: a click is asked for only when there is a picture, centred on it
        ASSERT_TRUE(harness_run_on_worker([&] { open_filled(0, 200, 100, 32, kMark); }));
        std::atomic<bool> done{false}, waited{false};
        std::thread clicker([&] {
            while (!done && vrx_waiting.load() != 1) Sleep(1);
            if ((waited = vrx_waiting.load() == 1)) post_click(vrx_images[0].window, 50, 30);
        });
        harness_command(vrx_images[0].window, IDM_PASTE_AT_CLICK);
        done = true, clicker.join();
        EXPECT_EQ(waited.load(), l.readable);
        EXPECT_EQ(count_of(0, kMark), 200 * 100 - (l.readable ? 6 : 0)) << "paste at a click";
        if (l.readable) { EXPECT_LE(picture_error(0, 49, 29), 8) << "paste at a click"; }
        ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(0); }));
    }
}

// Save as under a name outside the code page, the next Load in the folder of the last one, and a name
// of 256 units, too long with ".bmp", whose ANSI form cut at a character and given ".bmp" names another
// file (two folders of 80 kana: a Unix name holds at most 255 bytes of UTF-8): refused, that file kept
TEST_F(Files, SaveAsTakesNamesOutsideTheCodePageRefusesOnesItWouldCutAndLoadOpensWhereTheLastLoadWas) {
    std::wstring folder = kScratch + L"\\\xD55C\xAE00", saved = kScratch + L"\\\xC800\xC7A5";
    std::wstring outer = kScratch + L"\\" + std::wstring(80, L'\x3042'), inner = outer + L"\\" + std::wstring(80, L'\x3044');
    std::wstring cut_name = inner + L"\\" + std::wstring(256 - inner.size() - 1, L'v');
    for (const std::wstring &d : {kScratch, folder, outer, inner}) CreateDirectoryW(d.c_str(), nullptr);
    size_t cut = cut_name.size();
    while (WideCharToMultiByte(CP_ACP, 0, cut_name.c_str(), (int)cut, nullptr, 0, nullptr, nullptr) > MAX_PATH - 1) cut--;
    std::wstring other = cut_name.substr(0, cut) + L".bmp";
    CopyFileW(data_file("good_48x32.png").c_str(), (folder + L"\\a.png").c_str(), FALSE);
    CopyFileW(data_file("one_by_one.png").c_str(), (folder + L"\\b.png").c_str(), FALSE);
    CopyFileW(data_file("one_by_one.png").c_str(), other.c_str(), FALSE);
    ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
    std::vector<std::wstring> seen;
    for (const std::wstring &name : {folder + L"\\a.png", saved, std::wstring(L"b.png"), cut_name})
        harness_command(vrx_images[0].window, name == saved || name == cut_name ? IDM_SAVE_AS : IDM_LOAD, [&](HWND d) { return type_file_name(d, name); }, &seen);
    ASSERT_EQ(seen.size(), 5u) << "four dialogs and one error box";
    EXPECT_EQ(seen[4], L"Error: Can't save image file!");
    EXPECT_NE(GetFileAttributesW((saved + L".bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(image_colour(0, 0, 0), 0x123456u) << "b.png of the folder of a.png";
    EXPECT_EQ(GetFileAttributesW((L"\\\\?\\" + cut_name + L".bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file_bytes(narrow(other)), file_bytes(narrow(data_file("one_by_one.png"))));
    remove_tree(kScratch);
}
