// tests/windows/imaging_process_commands_test.cpp - the analysis, test pattern and transform commands of
// the Process menu, posted to real image windows and answered with clicks while their tools wait.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "imaging/draw_core.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int W = 200, H = 150;   // large enough to be shown at 100 %

class ProcessCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(harness_start(), 0);
        ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(2, "canvas", 0, 0, W, H, 100); }));
        ASSERT_TRUE(image_exists(2));
        ASSERT_EQ(vrx_images[2].zoom, 100);
        w = vrx_images[2].window;
    }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }

    // Posts command id to window win and waits until its point tool waits
    void start(int id, HWND win = nullptr) {
        PostMessageW(win ? win : canvas(), WM_COMMAND, id, 0);
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << id;
    }
    // Carries out command id (one that asks for nothing) on the worker, as the window receives it
    void run(int id, HWND win = nullptr) {
        HWND target = win ? win : canvas();
        ASSERT_TRUE(harness_run_on_worker([&] { SendMessageW(target, WM_COMMAND, id, 0); }));
    }
    // A left click at image point (x, y) of window win
    void click(int x, int y, HWND win = nullptr) {
        PostMessageW(win ? win : canvas(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    // The click that ends a tool; waits until the command has returned
    void last_click(int x, int y, HWND win = nullptr) {
        click(x, y, win);
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
        ASSERT_TRUE(harness_run_on_worker([] {}));
    }
    // The two clicks of a rectangle
    void rectangle(int x1, int y1, int x2, int y2, HWND win = nullptr) {
        click(x1, y1, win);
        ASSERT_TRUE(harness_pump_until([] { return status_has(L"second"); }, 5000));
        last_click(x2, y2, win);
    }
    // Fills image n on the worker: pixel (x, y) = f(x, y) (bytes on an 8-bit image)
    void fill(int n, uint32_t (*f)(int, int)) {
        ASSERT_TRUE(harness_run_on_worker([&] {
            const ImageRecord &r = vrx_images[n];
            RasterView v = raster_view(pixels8[n], r.width, r.height, r.depth);
            for (int y = 0; y < r.height; y++)
                for (int x = 0; x < r.width; x++) put_pixel(v, x, y, f(x, y));
        }));
    }
    // Pixel (x, y) of image n, read on the worker
    uint32_t at(int n, int x, int y) {
        uint32_t value = 0xDEADBEEF;
        harness_run_on_worker([&] {
            const ImageRecord &r = vrx_images[n];
            if (image_exists(n)) value = get_pixel(raster_view(pixels8[n], r.width, r.height, r.depth), x, y);
        });
        return value;
    }
    // Every byte of image n's raster, padding included
    std::vector<unsigned char> raster(int n) {
        std::vector<unsigned char> out;
        harness_run_on_worker([&] {
            if (!image_exists(n)) return;
            const ImageRecord &r = vrx_images[n];
            out.assign(pixels8[n], pixels8[n] + raster_bytes(raster_view(pixels8[n], r.width, r.height, r.depth)));
        });
        return out;
    }
    // The number of image slots in use
    static int images_open(void) {
        int count = 0;
        for (int n = 0; n < 256; n++) count += image_exists(n);
        return count;
    }
    static bool status_has(const wchar_t *part) {
        wchar_t t[128] = {};
        GetWindowTextW(vrx_status_window, t, 128);
        return std::wstring(t).find(part) != std::wstring::npos;
    }
    // The window of image 2, which a quarter turn or a rescale re-creates
    static HWND canvas(void) { return vrx_images[2].window; }
    HWND w = nullptr;
};

// Numbers every pixel by its position (8-bit images keep the low byte)
uint32_t numbered(int x, int y) { return (uint32_t)(x + 1) << 12 | (uint32_t)(y * 7 + x + 1); }
uint32_t orange(int, int) { return 0xFF8000; }

// Creates an 8-bit image n on the worker with colour table entry i = colour(i)
void create_paletted(int n, int width, int height, uint32_t (*colour)(int)) {
    ASSERT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage8(n, "eight", 300, 0, width, height, 100), 0);
        RGBQUAD table[256];
        for (int i = 0; i < 256; i++) {
            uint32_t c = colour(i);
            table[i] = RGBQUAD{(BYTE)c, (BYTE)(c >> 8), (BYTE)(c >> 16), 0};
        }
        VRX_SetColorTable(table, 256);
    }));
}

// A colour table that is far from the grey ramp
uint32_t scrambled(int i) { return (uint32_t)((i * 97) & 0xFF) << 16 | (uint32_t)((255 - i) << 8) | (uint32_t)(i * 13 & 0xFF); }

// Image n's colour table, read on the worker
std::vector<uint32_t> palette(int n) {
    std::vector<uint32_t> out(256);
    harness_run_on_worker([&] {
        RGBQUAD table[256] = {};
        GetDIBColorTable(vrx_images[n].memory_dc, 0, 256, table);
        for (int i = 0; i < 256; i++)
            out[i] = (uint32_t)table[i].rgbRed << 16 | (uint32_t)table[i].rgbGreen << 8 | table[i].rgbBlue;
    });
    return out;
}

// True when a width x height raster can be shown at zoom 100
bool showable(int width, int height) {
    int f, vw, vh;
    return fit_zoom(width, height, 100, screen_limits(), &f, &vw, &vh) == 0;
}

// The text of text window 0's log so far (the log is closed to read it)
std::string console_log(void) {
    std::string text;
    harness_run_on_worker([&] {
        VRX_CloseLogs();
        char name[MAX_PATH + 16];
        snprintf(name, sizeof name, "%sVRXLIB0.LOG", vrx_log_folder);
        FILE *f = fopen(name, "rb");
        if (!f) return;
        char buf[4096];
        size_t got;
        while ((got = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, got);
        fclose(f);
        remove(name);
    });
    return text;
}

// Opens text window 0 with a fresh log
void open_logged_console(void) {
    ASSERT_TRUE(harness_run_on_worker([] {
        char name[MAX_PATH + 16];
        snprintf(name, sizeof name, "%sVRXLIB0.LOG", vrx_log_folder);
        remove(name);
        VRX_OpenTextWindow(0, 600, 0, -1, -1);
        VRX_SelectTextWindow(0);
        ASSERT_EQ(VRX_StartLog(0), 0);
    }));
}

}  // namespace

//----------------------------------------------------------------------------------
// Pixel probe
//----------------------------------------------------------------------------------
TEST_F(ProcessCommands, PixelPrintsTheClickedPixelInEveryModel) {
    open_logged_console();
    fill(2, [](int x, int y) -> uint32_t { return x == 7 && y == 9 ? 0xFF8000 : 0xFFFFFF; });
    start(1015);
    last_click(7, 9);
    start(1015);
    last_click(8, 9);
    std::string log = console_log();
    EXPECT_NE(log.find("(X,Y)=(7,9)\r\n(R,G,B)=(255,128,0)\r\n(H,S,V)=(30,255,255)\r\n(Y,Cr,Cb)=(151,74,-84)\r\n"
                       "(Y,u,v)=(151,-73,91)\r\n(Y,I,Q)=(151,117,-10)\r\n\r\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("(X,Y)=(8,9)\r\n(R,G,B)=(255,255,255)\r\n(H,S,V)=(0,0,255)\r\n(Y,Cr,Cb)=(255,0,0)\r\n"),
              std::string::npos) << log;
    EXPECT_EQ(images_open(), 1) << "the probe opens no window";
}

TEST_F(ProcessCommands, PixelOnAnEightBitImagePrintsTheIndexAsLuminance) {
    create_paletted(4, W, H, scrambled);
    fill(4, [](int x, int) -> uint32_t { return (uint32_t)x; });
    open_logged_console();
    start(1015, vrx_images[4].window);
    last_click(77, 3, vrx_images[4].window);
    std::string log = console_log();
    EXPECT_NE(log.find("(X,Y)=(77,3)\r\n(Luminance)=(77)\r\n\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("(R,G,B)"), std::string::npos) << log;
}

TEST_F(ProcessCommands, CancelledProbePrintsNothing) {
    open_logged_console();
    start(1015);
    PostMessageW(w, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    EXPECT_EQ(console_log().find("(X,Y)"), std::string::npos);
}

//----------------------------------------------------------------------------------
// Line profiles
//----------------------------------------------------------------------------------
TEST_F(ProcessCommands, LineRgbPlotsTheClickedRowInTheLowestFreeSlot) {
    fill(2, [](int x, int y) -> uint32_t { return y == 5 ? (x == 0 ? 0xFF8000 : 0x000000) : 0xFFFFFF; });
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(0, "taken", 0, 300, W, H, 100); }));
    start(1016);
    last_click(30, 5);
    ASSERT_TRUE(image_exists(1));
    EXPECT_EQ(vrx_current_image, 1);
    EXPECT_STREQ(vrx_images[1].title, "RGB(Y=5)");
    EXPECT_EQ(vrx_images[1].width, W + 12);
    EXPECT_EQ(vrx_images[1].height, 128);
    EXPECT_EQ(vrx_images[1].depth, 32);
    // pixel 0 is orange: R 255 on row 0, G 128 on row 127 - 128*127/255 = 64, B 0 on row 127
    EXPECT_EQ(at(1, 12, 0), 0xFF0000u);
    EXPECT_EQ(at(1, 12, 64), 0x00FF00u);
    EXPECT_EQ(at(1, 12, 127), 0x0000FFu);
    // pixel 1 is black: every trace ends its join on row 127, blue drawn last
    EXPECT_EQ(at(1, 13, 127), 0x0000FFu);
    EXPECT_EQ(at(1, 12 + W - 1, 127), 0x0000FFu);
    EXPECT_EQ(at(1, 12 + W - 1, 126), 0u);
    EXPECT_EQ(at(1, 11, 127), 0u) << "nothing left of column 12 on the bottom row";
}

TEST_F(ProcessCommands, LineHsvAndYCrCbPlotTheirChannelsOfAnOrangeRow) {
    fill(2, orange);
    start(1017);
    last_click(0, 10);
    ASSERT_TRUE(image_exists(0));
    EXPECT_STREQ(vrx_images[0].title, "HSV(Y=10)");
    EXPECT_EQ(vrx_images[0].width, W + 12);
    // H 30 of 359 on row 127 - 30*127/359 = 117; S and V 255 on row 0, V drawn last
    EXPECT_EQ(at(0, 12, 117), 0xFFFF00u);
    EXPECT_EQ(at(0, 12, 0), 0x00FFFFu);

    start(1018);
    last_click(0, 11);
    ASSERT_TRUE(image_exists(1));
    EXPECT_STREQ(vrx_images[1].title, "YCrCb(Y=11)");
    EXPECT_EQ(vrx_images[1].width, W + 20);
    EXPECT_EQ(vrx_images[1].height, 128);
    // Y 151 on row 127 - 151*127/255 = 52; Cr + 128 = 202 on row 27; Cb + 128 = 44 on row 106
    EXPECT_EQ(at(1, 20, 52), 0xFFFFFFu);
    EXPECT_EQ(at(1, 20, 27), 0xFF8888u);
    EXPECT_EQ(at(1, 20, 106), 0x8888FFu);
    EXPECT_EQ(at(1, 19, 52), 0u) << "the traces start at column 20";
}

TEST_F(ProcessCommands, LineCrCbPlotsEveryPointOfTheRowAtItsCbCrPlace) {
    fill(2, orange);
    start(1021);
    last_click(0, 0);
    ASSERT_TRUE(image_exists(0));
    EXPECT_STREQ(vrx_images[0].title, "CrCb(Y=0)");
    EXPECT_EQ(vrx_images[0].width, 256);
    EXPECT_EQ(vrx_images[0].height, 256);
    // Cb -84 -> column 44, Cr 74 -> row 54; the last of 200 points (odd) is magenta
    EXPECT_EQ(at(0, 44, 54), 0xFF00FFu);
    EXPECT_EQ(at(0, 0, 128), 0x808080u);
    EXPECT_EQ(at(0, 128, 0), 0x808080u);
}

TEST_F(ProcessCommands, LineLumiPlotsTheBytesOfAnEightBitRow) {
    create_paletted(4, W, H, scrambled);
    fill(4, [](int x, int) -> uint32_t { return x == 0 ? 255 : 0; });
    start(1070, vrx_images[4].window);
    last_click(3, 6, vrx_images[4].window);
    ASSERT_TRUE(image_exists(0));
    EXPECT_STREQ(vrx_images[0].title, "Luminance(Y=6)");
    EXPECT_EQ(vrx_images[0].width, W + 12);
    EXPECT_EQ(vrx_images[0].height, 128);
    EXPECT_EQ(vrx_images[0].depth, 32);
    EXPECT_EQ(at(0, 12, 0), 0xFFFFFFu);      // index 255 on the top row, not its palette colour
    EXPECT_EQ(at(0, 12 + W - 1, 127), 0xFFFFFFu);
}

TEST_F(ProcessCommands, ProfilesOfTheOtherDepthAreRefusedBeforeAnyClick) {
    create_paletted(4, W, H, scrambled);
    run(1070);                               // Line(Lumi) posted to the 32-bit image
    EXPECT_EQ(vrx_waiting.load(), 0);
    for (int id : {1016, 1017, 1018, 1021, 1022}) {
        run(id, vrx_images[4].window);       // 32-bit analysis posted to the 8-bit image
        EXPECT_EQ(vrx_waiting.load(), 0) << id;
    }
    EXPECT_EQ(images_open(), 2);
}

TEST_F(ProcessCommands, CancelledProfileOpensNoWindow) {
    start(1016);
    PostMessageW(w, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    ASSERT_TRUE(harness_run_on_worker([] {}));
    EXPECT_EQ(images_open(), 1);
}

TEST_F(ProcessCommands, AreaCrCbPlotsEachRowOfTheDraggedRectangle) {
    // red in column 10, green in column 11, rows 20..21: two rows of red -> green
    fill(2, [](int x, int) -> uint32_t { return x == 10 ? 0xFF0000 : x == 11 ? 0x00FF00 : 0x808080; });
    start(1022);
    rectangle(11, 21, 10, 20);
    ASSERT_TRUE(image_exists(0));
    EXPECT_STREQ(vrx_images[0].title, "CrCb(10,20)-(11,21)");
    EXPECT_EQ(vrx_images[0].width, 256);
    EXPECT_EQ(vrx_images[0].height, 256);
    EXPECT_EQ(at(0, 86, 0), 0xFFFFFFu);     // red: Cb -42 -> 86, Cr 128 -> 0
    EXPECT_EQ(at(0, 45, 234), 0xFFFFFFu);   // green: Cb -83 -> 45, Cr -106 -> 234
    EXPECT_EQ(at(0, 128, 128), 0x808080u) << "no grey point: the block holds only the two columns";
}

//----------------------------------------------------------------------------------
// Test patterns and Invert
//----------------------------------------------------------------------------------
TEST_F(ProcessCommands, TestPatternsOverwriteTheImageAndMakeItCurrent) {
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(6, "other", 300, 300, W, H, 100); }));
    fill(2, orange);
    run(1053);
    EXPECT_EQ(vrx_current_image, 2);
    EXPECT_EQ(at(2, 0, 0), 0x0000FFu);
    // R = 100*255/200 = 127, G = 75*255/150 = 127, B = 255 - 175*255/350 = 128
    EXPECT_EQ(at(2, 100, 75), 0x7F7F80u);
    run(1054);
    EXPECT_EQ(at(2, 0, 0), 0xFFFFFFu);      // HSV: white at the top
    EXPECT_EQ(at(2, 0, 75), 0xFF0000u);     // full red at half height
    // chroma planes: black at the centre; at the corner a = 127, b = -127 and L = 401
    const struct { int id; uint32_t corner; } planes[] = {{1055, 0xFFFFB0}, {1067, 0xFFFF8F}, {1068, 0xFFFF1D}};
    for (auto p : planes) {
        fill(2, orange);
        run(p.id);
        EXPECT_EQ(at(2, 100, 75), 0u) << p.id;
        EXPECT_EQ(at(2, 0, 0), p.corner) << p.id;
    }
    fill(2, orange);
    run(1071);
    EXPECT_EQ(at(2, 100, 0), 0x7F7F7Fu);    // upper half: 100*255/200
    EXPECT_EQ(at(2, 100, 75), 0x808080u);   // lower half: 255 - 127
    EXPECT_EQ(at(2, 0, 149), 0xFFFFFFu);
}

TEST_F(ProcessCommands, GreyPatternGivesAnEightBitImageTheGreyRamp) {
    create_paletted(4, W, H, scrambled);
    run(1071, vrx_images[4].window);
    std::vector<uint32_t> table = palette(4);
    for (int k = 0; k < 256; k++) ASSERT_EQ(table[k], (uint32_t)k * 0x010101u) << k;
    EXPECT_EQ(at(4, 199, 0), 253u);          // 199*255/200
    EXPECT_EQ(at(4, 199, 149), 2u);
    run(1053, vrx_images[4].window);         // RGB pattern: the blue byte of each colour
    EXPECT_EQ(at(4, 0, 0), 255u);
}

TEST_F(ProcessCommands, HsvPatternOnOneRowShowsFullColour) {
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(5, "row", 300, 300, 300, 1, 100); }));
    ASSERT_TRUE(image_exists(5));
    run(1054, vrx_images[5].window);
    EXPECT_EQ(at(5, 0, 0), 0xFF0000u);
    EXPECT_EQ(at(5, 100, 0), 0x04FF00u);     // hue 100*359/300 = 119: R = 255*1/60
}

TEST_F(ProcessCommands, InvertIsExactAndKeepsTheTopByte) {
    ASSERT_TRUE(harness_run_on_worker([] {
        pixels32[2][0] = 0xAB123456;
        pixels32[2][1] = 0x00FF8000;
        VRX_SetStretchMode(HALFTONE, 2);
    }));
    run(1058);
    EXPECT_EQ(at(2, 0, 0), 0xABEDCBA9u);
    EXPECT_EQ(at(2, 1, 0), 0x00007FFFu);
    EXPECT_EQ(at(2, 5, 5), 0x00FFFFFFu);
    EXPECT_EQ(vrx_current_image, 2) << "Invert does not select";

    create_paletted(4, 5, 3, scrambled);
    fill(4, [](int x, int y) -> uint32_t { return (uint32_t)(y * 5 + x) * 11; });
    std::vector<unsigned char> before = raster(4);
    run(1058, vrx_images[4].window);
    std::vector<unsigned char> after = raster(4);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); i++) {
        bool padding = i % 8 >= 5;
        EXPECT_EQ(after[i], padding ? before[i] : (unsigned char)(255 - before[i])) << i;
    }
    EXPECT_EQ(palette(4)[0], scrambled(0)) << "the colour table is untouched";
}

//----------------------------------------------------------------------------------
// Flips, quarter turns and rescales
//----------------------------------------------------------------------------------
TEST_F(ProcessCommands, FlipsMirrorExactlyInHalftoneModeToo) {
    create_paletted(4, W, H, scrambled);
    fill(4, [](int x, int y) -> uint32_t { return (uint32_t)(x * 3 + y); });
    fill(2, numbered);
    ASSERT_TRUE(harness_run_on_worker([] {
        VRX_SetStretchMode(HALFTONE, 2);
        VRX_SetStretchMode(HALFTONE, 4);
        VRX_SelectImage(4);
    }));
    run(1059);
    EXPECT_EQ(at(2, 0, 0), numbered(W - 1, 0));
    EXPECT_EQ(at(2, 17, 40), numbered(W - 18, 40));
    run(1060);
    EXPECT_EQ(at(2, 0, 0), numbered(W - 1, H - 1));
    EXPECT_EQ(vrx_current_image, 4) << "the flips do not select";
    run(1059);
    run(1060);
    for (int y = 0; y < H; y += 13)
        for (int x = 0; x < W; x += 11) ASSERT_EQ(at(2, x, y), numbered(x, y)) << x << "," << y;

    HWND eight = vrx_images[4].window;
    run(1060, eight);
    EXPECT_EQ(at(4, 3, 0), (uint32_t)((3 * 3 + H - 1) & 0xFF));
    run(1059, eight);
    EXPECT_EQ(at(4, 0, 0), (uint32_t)(((W - 1) * 3 + H - 1) & 0xFF));
}

TEST_F(ProcessCommands, RightRotationTurnsAndKeepsTitleZoomModeAndPlace) {
    fill(2, numbered);
    RECT before;
    GetWindowRect(w, &before);
    ASSERT_TRUE(harness_run_on_worker([] { VRX_SetStretchMode(HALFTONE, 2); }));
    run(1061);
    ASSERT_TRUE(image_exists(2));
    EXPECT_EQ(vrx_images[2].width, H);
    EXPECT_EQ(vrx_images[2].height, W);
    EXPECT_STREQ(vrx_images[2].title, "canvas");
    EXPECT_EQ(vrx_images[2].zoom, 100);
    EXPECT_EQ(VRX_GetStretchMode(2), HALFTONE);
    RECT after;
    GetWindowRect(vrx_images[2].window, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    // new (x, y) = old (y, h - 1 - x): the old bottom-left corner is the new top-left
    EXPECT_EQ(at(2, 0, 0), numbered(0, H - 1));
    EXPECT_EQ(at(2, H - 1, 0), numbered(0, 0));
    EXPECT_EQ(at(2, 5, 7), numbered(7, H - 1 - 5));
    run(1062);
    EXPECT_EQ(vrx_images[2].width, W);
    for (int y = 0; y < H; y += 7)
        for (int x = 0; x < W; x += 9) ASSERT_EQ(at(2, x, y), numbered(x, y)) << x << "," << y;
}

TEST_F(ProcessCommands, FourRightTurnsOfAnEightBitImageGiveItBackWithItsColourTable) {
    create_paletted(4, 5, 3, scrambled);
    fill(4, [](int x, int y) -> uint32_t { return (uint32_t)(y * 5 + x + 1); });
    std::vector<unsigned char> start_raster = raster(4);
    HWND eight = vrx_images[4].window;
    run(1061, eight);
    EXPECT_EQ(vrx_current_image, 4);
    ASSERT_EQ(vrx_images[4].width, 3);
    ASSERT_EQ(vrx_images[4].height, 5);
    std::vector<unsigned char> once = raster(4);
    ASSERT_EQ(once.size(), 20u);             // rows of 3 padded to 4 bytes
    EXPECT_EQ(once[0], 11);                  // old (0, 2)
    EXPECT_EQ(once[2], 1);                   // old (0, 0)
    EXPECT_EQ(once[3], 0) << "padding";
    EXPECT_EQ(once[4 * 4 + 0], 15);          // new (0, 4) = old (4, 2)
    for (int k = 0; k < 3; k++) run(1061, vrx_images[4].window);
    EXPECT_EQ(raster(4), start_raster);
    std::vector<uint32_t> table = palette(4);
    for (int i = 0; i < 256; i++) ASSERT_EQ(table[i], scrambled(i)) << i;
}

TEST_F(ProcessCommands, RotationWhoseNewSizeIsRefusedKeepsTheImageAsItWas) {
    // a wide, low raster that can be shown while its turned form cannot
    int height = 0;
    const int width = screen_limits().screen_w - 20;
    for (int h = 1; h < 400 && !height; h++)
        if (showable(width, h) && !showable(h, width)) height = h;
    ASSERT_GT(height, 0) << "no such size on this display";
    ASSERT_TRUE(harness_run_on_worker([&] { ASSERT_EQ(VRX_CreateImage(5, "wide", 0, 0, width, height, 100), 0); }));
    fill(5, numbered);
    std::vector<unsigned char> before = raster(5);
    HWND wide = vrx_images[5].window;
    run(1061, wide);
    ASSERT_TRUE(image_exists(5));
    EXPECT_EQ(vrx_images[5].window, wide);
    EXPECT_EQ(vrx_images[5].width, width);
    EXPECT_EQ(vrx_images[5].height, height);
    EXPECT_EQ(raster(5), before);
}

TEST_F(ProcessCommands, RescalesGiveTheRoundedSizesAndDuplicateOrDropPixels) {
    fill(2, numbered);
    run(1066);                                // 200 %: COLORONCOLOR duplicates every pixel
    ASSERT_TRUE(image_exists(2));
    EXPECT_EQ(vrx_images[2].width, 400);
    EXPECT_EQ(vrx_images[2].height, 300);
    EXPECT_STREQ(vrx_images[2].title, "canvas");
    for (int y = 0; y < 300; y += 17)
        for (int x = 0; x < 400; x += 13) ASSERT_EQ(at(2, x, y), numbered(x / 2, y / 2)) << x << "," << y;
    run(1063);                                // 50 %: back to the start
    EXPECT_EQ(vrx_images[2].width, W);
    EXPECT_EQ(vrx_images[2].height, H);
    for (int y = 0; y < H; y += 7)
        for (int x = 0; x < W; x += 9) ASSERT_EQ(at(2, x, y), numbered(x, y)) << x << "," << y;
    run(1064);                                // 70.7 %: (200*707 + 500)/1000, (150*707 + 500)/1000
    EXPECT_EQ(vrx_images[2].width, 141);
    EXPECT_EQ(vrx_images[2].height, 106);
    run(1065);                                // 141.4 %
    EXPECT_EQ(vrx_images[2].width, 199);
    EXPECT_EQ(vrx_images[2].height, 150);
    EXPECT_EQ(vrx_current_image, 2);
}

TEST_F(ProcessCommands, RescaleOfAnEightBitImageKeepsItsIndicesAndColourTable) {
    create_paletted(4, W, H, scrambled);
    fill(4, [](int x, int y) -> uint32_t { return (uint32_t)((x + 2 * y) & 0xFF); });
    run(1066, vrx_images[4].window);
    ASSERT_EQ(vrx_images[4].width, 400);
    for (int y = 0; y < 300; y += 11)
        for (int x = 0; x < 400; x += 7) ASSERT_EQ(at(4, x, y), (uint32_t)((x / 2 + y / 2 * 2) & 0xFF)) << x << "," << y;
    EXPECT_EQ(palette(4)[9], scrambled(9));
    EXPECT_EQ(vrx_images[4].depth, 8);
}

TEST_F(ProcessCommands, RescaleWhoseNewSizeIsRefusedKeepsTheImageAsItWas) {
    // a raster one pixel wide, magnified to the smallest window width, whose 141.4 % is too tall
    int height = 0;
    for (int h = 1; h < 2000 && !height; h++)
        if (showable(1, h) && !showable(1, (h * 1414 + 500) / 1000)) height = h;
    ASSERT_GT(height, 0) << "no such size on this display";
    ASSERT_TRUE(harness_run_on_worker([&] { ASSERT_EQ(VRX_CreateImage(5, "thin", 0, 0, 1, height, 100), 0); }));
    fill(5, numbered);
    std::vector<unsigned char> before = raster(5);
    HWND thin = vrx_images[5].window;
    run(1065, thin);
    ASSERT_TRUE(image_exists(5));
    EXPECT_EQ(vrx_images[5].window, thin);
    EXPECT_EQ(vrx_images[5].height, height);
    EXPECT_EQ(raster(5), before);
}
