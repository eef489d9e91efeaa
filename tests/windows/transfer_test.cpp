// tests/windows/transfer_test.cpp - pictures in and out: files of every format written and read back,
// the clipboard both ways, and damaged files and malformed clipboard pictures through every way in,
// each giving the picture at its size or a refusal that leaves the image as it was and no window.
#include "tests/windows/harness.h"
#include "tests/windows/import_patch.h"

#include <cstring>

namespace {

using Files = Toolkit;
using Clipboard = Toolkit;
using WaysIn = Toolkit;

const uint32_t kMark = 0xABCDEF, kRed = 0xFF0000;

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
    int count = 0;
    for (int y = 0; y < VRX_GetImageHeight(n); y++)
        for (int x = 0; x < VRX_GetImageWidth(n); x++) count += image_pixel(n, x, y) == (value & (vrx_images[n].depth == 8 ? 0xFF : ~0u));
    return count;
}

// The largest channel error of the 3 x 2 picture shown at (x, y) of image n
int picture_error(int n, int x, int y) {
    int worst = 0;
    for (int i = 0; i < 6; i++) worst = std::max(worst, channel_error(image_colour(n, x + i % 3, y + i / 3), kPicture[i / 3][i % 3]));
    return worst;
}

//----------------------------------------------------------------------------------
// Round trips
//----------------------------------------------------------------------------------

// Four flat quarters of a 32 x 16 picture; an 8-bit one holds indices 1..4 of a table whose 0 is black
uint32_t quarter(int x, int y) { return (uint32_t)(1 + (x >= 16) + 2 * (y >= 8)); }
const uint32_t kQuarterColours[5] = {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

struct Format { int code; const char *ext; int depth, tolerance; };
// NOTE: Wine's GIF encoder takes no 24-bit pictures, so the GIF is written from an 8-bit image
const Format kFormats[] = {{0, ".bmp", 32, 0}, {1, ".jpg", 32, 40}, {2, ".gif", 8, 0}, {3, ".png", 32, 0}, {4, ".tif", 32, 0}, {0, ".bmp", 8, 0}};

}  // namespace

TEST_F(Files, EveryFormatGivesBackTheSavedBlockWithBlackBeyondTheImageWhereItIsLoaded) {
    for (const Format &f : kFormats) {
        SCOPED_TRACE(std::string(f.ext) + (f.depth == 8 ? " of an 8-bit image" : ""));
        std::string path = std::string("C:\\vrx_round") + f.ext;
        int worst = 0, moved = 0;
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_filled(0, 32, 16, f.depth, 0);
            RGBQUAD table[5];
            for (int i = 0; i < 5; i++) table[i] = RGBQUAD{(BYTE)kQuarterColours[i], (BYTE)(kQuarterColours[i] >> 8), (BYTE)(kQuarterColours[i] >> 16), 0};
            if (f.depth == 8) VRX_SetColorTable(table, 5);
            RasterView v;
            image_raster(0, &v);
            for (int i = 0; i < 32 * 16; i++) put_pixel(v, i % 32, i / 32, f.depth == 8 ? quarter(i % 32, i / 32) : kQuarterColours[quarter(i % 32, i / 32)]);
            ASSERT_EQ(VRX_SaveImage(36, 18, f.code, "C:\\vrx_round"), 0);   // four columns and two rows beyond the image
            open_filled(1, 50, 30, 32, kMark);
            ASSERT_EQ(VRX_LoadImage(path.c_str(), 3, 2), 0);
            for (int y = 0; y < 30; y++)
                for (int x = 0, lx = x - 3, ly = y - 2; x < 50; x++, lx++) {
                    bool outside = lx < 0 || ly < 0 || lx >= 36 || ly >= 18;
                    if (outside) moved += image_colour(1, x, y) != kMark;
                    bool near_edge = abs(lx - 16) < 4 || abs(lx - 32) < 4 || abs(ly - 8) < 4 || abs(ly - 16) < 4;
                    if (outside || (f.tolerance && near_edge)) continue;
                    uint32_t want = lx >= 32 || ly >= 16 ? 0 : kQuarterColours[quarter(lx, ly)];
                    worst = std::max(worst, channel_error(image_colour(1, x, y), want));
                }
        }));
        EXPECT_LE(worst, f.tolerance);
        EXPECT_EQ(moved, 0) << "drawn outside the file's block";
        DeleteFileA(path.c_str());
    }
}

namespace {
// Draws that fail as Windows' GDI+ fails on a file damaged past its header, and GetDIBits as Windows
// answers for a bitmap still selected into a DC: the failures Wine does not give
Gdiplus::GpStatus WINGDIPAPI failing_draw(Gdiplus::GpGraphics *, Gdiplus::GpImage *, INT, INT, INT, INT) { return Gdiplus::GenericError; }
int WINAPI refusing_get_dibits(HDC, HBITMAP, UINT, UINT, LPVOID, LPBITMAPINFO, UINT) { return 0; }
}  // namespace

TEST_F(Files, APaletteFileGivesAnEightBitImageItsColoursOnlyWhenItCanBeDrawn) {
    for (bool draw_fails : {false, true}) {
        SCOPED_TRACE(draw_fails ? "the draw fails" : "the draw succeeds");
        uint32_t first = 0;
        int result = -1;
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_filled(0, 4, 2, 8, 1);
            pixels8[0][1] = 0;
            RGBQUAD colours[2] = {{0, 0, 0xFF, 0}, {0xFF, 0, 0, 0}};
            VRX_SetColorTable(colours, 2);
            ASSERT_EQ(VRX_SaveImage(4, 2, 2, "C:\\vrx_palette"), 0);
            open_filled(1, 4, 2, 8, 0);   // the grey ramp
            ImportPatch patch("gdiplus.dll", "GdipDrawImageRectI", draw_fails ? (void *)failing_draw : nullptr);
            result = VRX_LoadImage("C:\\vrx_palette.gif", 0, 0);
            first = image_colour(1, 0, 0);
        }));
        EXPECT_EQ(result, draw_fails ? 1 : 0);
        EXPECT_EQ(first, draw_fails ? 0u : 0x0000FFu) << "the grey ramp stays when the file cannot be drawn";
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
            image_raster(0, &v);
            for (int i = 0; i < 15; i++) put_pixel(v, i % 5, i / 5, depth == 8 ? i : 0xFF000000u | i * 0x10F0A1u);
            ASSERT_EQ(copy_image_to_clipboard(0), 0);
        }));
        main_window_paste();
        int wrong = 0;
        for (int i = 0; i < 15; i++) wrong += image_colour(1, i % 5, i / 5) != image_colour(0, i % 5, i / 5);
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(VRX_GetImageDepth(1), 32);
        ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(1); }));
    }
    HWND holder = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));   // held: the copy of Cut fails, so nothing may be cleared
    harness_command(vrx_images[0].window, IDM_CUT);
    CloseClipboard();
    DestroyWindow(holder);
    EXPECT_EQ(count_of(0, 0), 1) << "Cut cleared an image it could not copy";
}

TEST_F(Clipboard, APasteWaitsForAClipboardAnotherProgramHoldsForAMoment) {
    put_clipboard(CF_DIB, make_dib({}).data(), make_dib({}).size());
    std::atomic<int> held{0};
    std::thread holder([&] {
        held = OpenClipboard(nullptr) ? 1 : -1;
        Sleep(80);   // as a clipboard manager does after every change
        if (held == 1) CloseClipboard();
    });
    while (held.load() == 0) Sleep(1);
    main_window_paste();
    holder.join();
    EXPECT_EQ(VRX_GetImageWidth(0), 3);
}

//----------------------------------------------------------------------------------
// Files through every way in
//----------------------------------------------------------------------------------
namespace {

enum Outcome { REFUSED, LOADS, EITHER };   // EITHER: cut inside its pixels, refused or drawn whole
struct FileCase {
    const char *name;        // in tests/data/bad/, or made here: "@long", "@hangul", "@locked", "@readonly", "@missing"
    Outcome outcome;
    int width, height;
    uint32_t top_left;       // 1: not told
    bool fits = true;        // some zoom shows it in a window of its own
    bool narrow_fails = false, dialog = true;
};
const FileCase kFiles[] = {
    {"empty.png", REFUSED}, {"text.jpg", REFUSED}, {"folder.png", REFUSED, 0, 0, 0, true, false, false},
    {"png_signature_only.png", REFUSED}, {"png_cut_in_header.png", REFUSED}, {"png_cut_in_data.png", EITHER, 48, 32, kRed},
    {"png_no_end.png", EITHER, 48, 32, kRed}, {"png_bad_checksum.png", EITHER, 48, 32, kRed},
    {"jpeg_start_only.jpg", REFUSED}, {"jpeg_cut_in_header.jpg", REFUSED}, {"jpeg_cut_in_scan.jpg", EITHER, 48, 32, kRed},
    {"gif_cut_in_header.gif", REFUSED}, {"gif_cut_in_data.gif", EITHER, 48, 32, kRed}, {"bmp_cut_in_header.bmp", REFUSED},
    {"bmp_cut_in_rows.bmp", EITHER, 48, 32, 1}, {"tiff_cut_in_header.tif", REFUSED}, {"tiff_cut_in_strips.tif", EITHER, 48, 32, kRed},
    {"bmp_huge_100000x100000.bmp", REFUSED}, {"bmp_zero_width.bmp", REFUSED}, {"bmp_zero_height.bmp", REFUSED},
    {"bmp_negative_width.bmp", REFUSED}, {"bmp_top_down_8x4.bmp", LOADS, 8, 4, 0x0000FF}, {"bmp_named_as.png", LOADS, 48, 32, kRed},
    {"one_by_one.png", LOADS, 1, 1, 0x123456}, {"wide_65535x1.png", LOADS, 65535, 1, 0x0080FF, false},
    {"good_48x32.jpg", LOADS, 48, 32, kRed},
    // A path of 281 characters whose first 259 name another picture
    {"@long", REFUSED, 0, 0, 0, true, false, false},
    // Hangul, which the ANSI code page cannot spell: only the narrow call cannot name it
    {"@hangul", LOADS, 48, 32, kRed, true, true},
    {"@locked", REFUSED}, {"@readonly", LOADS, 48, 32, kRed}, {"@missing", REFUSED, 0, 0, 0, true, false, false},
};
const std::wstring kScratch = L"C:\\vrx_ways_in";

// Removes a folder and everything in it (long names too)
void remove_tree(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) {
        std::wstring name = found.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove_tree(path);
        SetFileAttributesW((L"\\\\?\\" + path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((L"\\\\?\\" + path).c_str());
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

// The path of a case, made on drive C: when it is not in the test data; *lock holds a locked file
std::wstring path_of(const FileCase &f, HANDLE *lock) {
    std::wstring good = data_file("good_48x32.png"), name = f.name[0] == '@' ? L"" : data_file(f.name);
    if (f.name[0] != '@') return name;
    auto copy = [&](const std::wstring &to) { CreateDirectoryW(kScratch.c_str(), nullptr), CopyFileW(good.c_str(), (L"\\\\?\\" + to).c_str(), FALSE); return to; };
    if (!strcmp(f.name, "@long")) {
        std::wstring folder = kScratch + L"\\" + std::wstring(200 - kScratch.size() - 1, L'd'), longer = folder + L"\\" + std::wstring(56, L'a') + L".png";
        CreateDirectoryW(kScratch.c_str(), nullptr), CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(data_file("one_by_one.png").c_str(), (L"\\\\?\\" + longer).c_str(), FALSE);
        return copy(longer.substr(0, MAX_PATH - 1)), longer;
    }
    if (!strcmp(f.name, "@hangul")) return CreateDirectoryW(kScratch.c_str(), nullptr), copy(kScratch + L"\\\xD55C\xAE00.png");
    if (!strcmp(f.name, "@missing")) return kScratch + L"\\none.png";
    std::wstring made = copy(kScratch + L"\\held.png");
    if (!strcmp(f.name, "@locked")) *lock = CreateFileW(made.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    else SetFileAttributesW(made.c_str(), FILE_ATTRIBUTE_READONLY);
    return made;
}

// Image 0 after a way in: untouched (false), or the picture drawn over its own size only (true)
bool drawn(const FileCase &f, const char *way) {
    const int w = VRX_GetImageWidth(0), h = VRX_GetImageHeight(0);
    int marked = count_of(0, kMark), inside = std::min(f.width, w) * std::min(f.height, h);
    bool drew = marked != w * h;
    EXPECT_TRUE(f.outcome == EITHER || drew == (f.outcome == LOADS)) << way;
    if (drew) { EXPECT_EQ(marked, w * h - inside) << way << ": drawn outside the picture"; }
    if (drew && f.top_left != 1) { EXPECT_LE(channel_error(image_colour(0, 0, 0), f.top_left), 8) << way; }
    return drew;
}

}  // namespace

TEST_F(WaysIn, EveryFileGivesThePictureAtItsSizeOrARefusalByTheCallTheDialogAndBothDrops) {
    const std::wstring good = data_file("good_48x32.png");
    for (const FileCase &f : kFiles) {
        SCOPED_TRACE(f.name);
        HANDLE lock = INVALID_HANDLE_VALUE;
        std::wstring path = path_of(f, &lock);
        int result = -1;
        ASSERT_TRUE(harness_run_on_worker([&] { open_filled(0, 100, 60, 32, kMark), result = VRX_LoadImage(narrow(path).c_str(), 0, 0); }));
        FileCase narrow_case = f;
        if (f.narrow_fails) narrow_case.outcome = REFUSED;
        EXPECT_EQ(result, drawn(narrow_case, "VRX_LoadImage") ? 0 : 1);
        ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
        SendMessageW(vrx_images[0].window, WM_DROPFILES, (WPARAM)harness_drop_of({path}), 0);
        drawn(f, "a drop on the image window");
        if (f.dialog) {
            ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
            harness_command(vrx_images[0].window, IDM_LOAD, [&](HWND d) { return type_file_name(d, path); });
            drawn(f, "Load image file");
        }
        // A drop of the file and a good one on the main window: the good one takes the next number
        ASSERT_TRUE(harness_run_on_worker([] { for (int n = 0; n < 2; n++) VRX_DestroyImage(n); }));
        main_window_drop(harness_drop_of({path, good}));
        // (a picture no zoom can show uses its number up without a window)
        int good_at = image_exists(1) ? 1 : 0;
        EXPECT_TRUE(f.outcome == EITHER || good_at == (f.outcome == LOADS));
        EXPECT_EQ(image_exists(0), !good_at || f.fits);
        if (good_at && f.fits) { EXPECT_EQ(VRX_GetImageWidth(0), f.width); }
        EXPECT_EQ(caption_of(vrx_images[good_at].window).substr(0, 19), (good_at ? L"001" : L"000") + std::wstring(L" good_48x32.png("));
        EXPECT_EQ(harness_window_count(L"vrx_iw"), image_exists(0) + image_exists(1));
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        HANDLE again = f.name[0] == '@' && f.outcome == LOADS ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        EXPECT_NE(again, INVALID_HANDLE_VALUE) << "a loaded file is not held open";
        if (again) CloseHandle(again);
        remove_tree(kScratch);
    }
}

//----------------------------------------------------------------------------------
// Clipboard pictures through every way in
//----------------------------------------------------------------------------------
namespace {

struct Layout {
    const char *name;
    bool readable;           // what every paste must make of it
    DibSpec dib;
    bool check_pixels = true;   // false where the rows index colours the table does not have
};
DibSpec bits(unsigned b, unsigned compression = 0, int header = 40) {
    DibSpec d;
    d.bits = b, d.compression = compression, d.header = header;
    return d;
}
template <class F> DibSpec with(DibSpec d, F change) { return change(d), d; }

const Layout kLayouts[] = {
    {"bits 1", true, bits(1)}, {"bits 4", true, bits(4)}, {"bits 8", true, bits(8)}, {"bits 16", true, bits(16)},
    {"bits 24", true, bits(24)}, {"bits 32", true, bits(32)}, {"bit fields 16, masks after the header", true, bits(16, 3)},
    {"bit fields 32, masks after the header", true, bits(32, 3)}, {"bit fields 32, header 52", true, bits(32, 3, 52)},
    {"v4 header, bit fields", true, bits(32, 3, 108)}, {"v5 header, 24 bits", true, bits(24, 0, 124)},
    {"v5 header, bit fields 16", true, bits(16, 3, 124)}, {"top-down", true, with(bits(24), [](DibSpec &d) { d.top_down = true; })},
    {"1000 colours used", true, with(bits(8), [](DibSpec &d) { d.used = 1000; })},
    {"6 colours used", true, with(bits(8), [](DibSpec &d) { d.used = 6; })},
    {"1 bit, 1000 colours used", true, with(bits(1), [](DibSpec &d) { d.used = 1000; })},
    {"1 colour used", true, with(bits(8), [](DibSpec &d) { d.used = 1; }), false},
    {"1000 colours used, block short of them", false, with(bits(8), [](DibSpec &d) { d.used = 1000, d.cut = 2000; })},
    {"RLE8", true, bits(8, 1)}, {"RLE4 with its size", true, with(bits(4, 2), [](DibSpec &d) { d.size_image = -1; })},
    {"RLE8 top-down", false, with(bits(8, 1), [](DibSpec &d) { d.top_down = true; })},
    {"RLE8 size past the block", false, with(bits(8, 1), [](DibSpec &d) { d.size_image = 17; })},
    {"RLE8 cut inside a run", false, with(bits(8, 1), [](DibSpec &d) { d.cut = 3; })},
    // 255 pixels into a 3-pixel row, then a delta past the top row: clipped, then the end
    {"RLE4 run past the edge, delta past the top", true, with(bits(4, 2), [](DibSpec &d) { d.stream = {0xFF, 0x12, 0, 2, 0, 5, 0x03, 0x33}; }), false},
    {"JPEG", false, bits(24, 4)}, {"rows missing", false, with(bits(24), [](DibSpec &d) { d.cut = 8; })},
    {"claims 100 x 100", false, with(bits(24), [](DibSpec &d) { d.width = d.height = 100; })},
    {"shorter than a header", false, with(bits(24), [](DibSpec &d) { d.cut = -32; })},
    {"zero height", false, with(bits(24), [](DibSpec &d) { d.height = 0; })},
    {"negative width", false, with(bits(24), [](DibSpec &d) { d.width = -3; })},
    {"header size past the block", false, with(bits(24, 0, 4000), [](DibSpec &d) { d.cut = -64; })},
    {"masks past the block", false, with(bits(16, 3, 44), [](DibSpec &d) { d.width = d.height = 1, d.cut = -48; })},
};

}  // namespace

TEST_F(WaysIn, EveryClipboardPictureIsShownOrRefusedByTheMainWindowCtrlVAndPasteAtAClick) {
    for (const Layout &l : kLayouts) {
        SCOPED_TRACE(l.name);
        std::vector<unsigned char> block = make_dib(l.dib);
        put_clipboard(CF_DIB, block.data(), block.size());
        main_window_paste();
        EXPECT_EQ(harness_window_count(L"vrx_iw"), l.readable ? 1 : 0) << "main window";
        if (l.readable && l.check_pixels) { EXPECT_LE(picture_error(0, 0, 0), 8) << "main window"; }
        // Ctrl+V into a marked image, an 8-bit one for a picture with a colour table, which it takes
        int depth = l.dib.bits <= 8 ? 8 : 32;
        ASSERT_TRUE(harness_run_on_worker([&] { VRX_DestroyImage(0), open_filled(0, 200, 100, depth, kMark); }));
        HWND w = vrx_images[0].window;
        harness_run_on_worker([w] { harness_hold_ctrl(true), SendMessageW(w, WM_KEYDOWN, 'V', 0), harness_hold_ctrl(false); });
        harness_run_on_worker([] {});
        EXPECT_EQ(count_of(0, kMark), 200 * 100 - (l.readable ? 6 : 0)) << "Ctrl+V";
        if (l.readable && l.check_pixels) { EXPECT_LE(picture_error(0, 0, 0), 8) << "Ctrl+V"; }
        // Paste at a clicked point: a click is asked for only when there is a picture, centred on it
        ASSERT_TRUE(harness_run_on_worker([&] { open_filled(0, 200, 100, 32, kMark); }));
        std::atomic<bool> done{false}, waited{false};
        std::thread clicker([&] {
            while (!done && vrx_waiting.load() != 1) Sleep(1);
            if ((waited = vrx_waiting.load() == 1)) post_click(vrx_images[0].window, 50, 30);
        });
        harness_command(vrx_images[0].window, IDM_PASTE_AT_CLICK);
        done = true;
        clicker.join();
        EXPECT_EQ(waited.load(), l.readable);
        EXPECT_EQ(count_of(0, kMark), 200 * 100 - (l.readable ? 6 : 0)) << "paste at a click";
        if (l.readable && l.check_pixels) { EXPECT_LE(picture_error(0, 49, 29), 8) << "paste at a click"; }
        ASSERT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(0); }));
    }
}

//----------------------------------------------------------------------------------
// Names in UTF-16 and names that do not fit
//----------------------------------------------------------------------------------

TEST_F(Files, SaveAsWritesUnderANameOutsideTheCodePageAndTheNextLoadOpensWhereTheLastFileWasLoaded) {
    std::wstring folder = kScratch + L"\\\xD55C\xAE00", saved = kScratch + L"\\\xC800\xC7A5";
    CreateDirectoryW(kScratch.c_str(), nullptr), CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(data_file("good_48x32.png").c_str(), (folder + L"\\a.png").c_str(), FALSE);
    CopyFileW(data_file("one_by_one.png").c_str(), (folder + L"\\b.png").c_str(), FALSE);
    ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
    std::vector<std::wstring> seen;
    for (const std::wstring &name : {folder + L"\\a.png", saved, std::wstring(L"b.png")})
        harness_command(vrx_images[0].window, name == saved ? IDM_SAVE_AS : IDM_LOAD, [&](HWND d) { return type_file_name(d, name); }, &seen);
    EXPECT_EQ(seen.size(), 3u) << "the three dialogs and no error box";
    EXPECT_NE(GetFileAttributesW((saved + L".bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(image_colour(0, 0, 0), 0x123456u) << "b.png of the folder of a.png";
    remove_tree(kScratch);
}

TEST_F(Files, ANameThatWouldHaveToBeCutIsRefusedAndTheFileOfTheCutNameStays) {
    // 256 units, too long with ".bmp"; its ANSI form cut at a character and given ".bmp" names another
    // file (two folders of 80 kana: a Unix name holds at most 255 bytes of UTF-8)
    std::wstring inner = kScratch + L"\\" + std::wstring(80, L'\x3042') + L"\\" + std::wstring(80, L'\x3044');
    std::wstring name = inner + L"\\" + std::wstring(256 - inner.size() - 1, L'v');
    CreateDirectoryW(kScratch.c_str(), nullptr), CreateDirectoryW(inner.substr(0, inner.rfind(L'\\')).c_str(), nullptr);
    CreateDirectoryW(inner.c_str(), nullptr);
    size_t cut = name.size();
    while (WideCharToMultiByte(CP_ACP, 0, name.c_str(), (int)cut, nullptr, 0, nullptr, nullptr) > MAX_PATH - 1) cut--;
    std::wstring other = name.substr(0, cut) + L".bmp";
    CopyFileW(data_file("one_by_one.png").c_str(), other.c_str(), FALSE);
    ASSERT_TRUE(harness_run_on_worker([] { open_filled(0, 100, 60, 32, kMark); }));
    std::vector<std::wstring> seen;
    harness_command(vrx_images[0].window, IDM_SAVE_AS, [&](HWND d) { return type_file_name(d, name); }, &seen);
    int result = -1;
    ASSERT_TRUE(harness_run_on_worker([&] { result = VRX_SaveImage(100, 60, 0, narrow(name).c_str()); }));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], L"Error: Can't save image file!");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(GetFileAttributesW((L"\\\\?\\" + name + L".bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file_bytes(narrow(other)), file_bytes(narrow(data_file("one_by_one.png"))));
    remove_tree(kScratch);
}
