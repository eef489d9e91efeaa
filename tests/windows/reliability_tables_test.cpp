// tests/windows/reliability_tables_test.cpp - full tables: all 256 image windows and all 256 text windows
// open, then one more of each through every way a window is made (the calls, the Image Window and Text
// Window commands, Paste, a drop, Clipping, a line profile); each is refused without a crash, a new
// window or a change to the open ones; then everything is destroyed and the whole round repeated.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

const int kImages = VRX_MAX_IMAGES, kTexts = VRX_MAX_TEXT_WINDOWS;

// Top-level windows of class cls that belong to the worker thread
int worker_windows(const wchar_t *cls) {
    struct Count { const wchar_t *cls; int n; } count = {cls, 0};
    EnumThreadWindows(vrx_worker_id, [](HWND w, LPARAM lp) -> BOOL {
        Count *c = (Count *)lp;
        wchar_t name[32] = {};
        GetClassNameW(w, name, 32);
        if (wcscmp(name, c->cls) == 0) c->n++;
        return TRUE;
    }, (LPARAM)&count);
    return count.n;
}

// What the open windows looked like when the tables were filled
struct Tables {
    HWND images[kImages];
    HWND texts[kTexts];
    uint32_t first_pixels[kImages];
};

// The value image n gets in its first pixel: different for every image
uint32_t mark_of(int n) { return 0x010203u * (uint32_t)(n + 1) & 0xFFFFFF; }

// Opens every image window (even numbers 32-bit, odd 8-bit) and every text window, on the worker
void fill_tables(Tables *t) {
    ASSERT_TRUE(harness_run_on_worker([t] {
        for (int n = 0; n < kImages; n++) {
            int x = (n % 16) * 60, y = (n / 16) * 50;
            int status = n % 2 ? VRX_CreateImage8(n, "full", x, y, 16, 16, 100)
                               : VRX_CreateImage(n, "full", x, y, 16, 16, 100);
            ASSERT_EQ(status, 0) << "image " << n;
            if (n % 2) pixels8[n][0] = (unsigned char)mark_of(n);
            else pixels32[n][0] = mark_of(n);
            t->images[n] = vrx_images[n].window;
            t->first_pixels[n] = n % 2 ? pixels8[n][0] : pixels32[n][0];
        }
        for (int n = 0; n < kTexts; n++) {
            ASSERT_EQ(VRX_OpenTextWindow(n, (n % 16) * 70, 300 + (n / 16) * 40, 64, 24), 0) << "text " << n;
            t->texts[n] = vrx_text_windows[n].window;
        }
    }, 120000));
}

// Counts what differs from the filled tables: a slot emptied or re-made, a pixel changed, an extra window
void expect_intact(const Tables &t, const char *after) {
    int changed = 0;
    for (int n = 0; n < kImages; n++) {
        if (!image_exists(n) || vrx_images[n].window != t.images[n] || !IsWindow(t.images[n])) changed++;
        else if ((n % 2 ? pixels8[n][0] : pixels32[n][0]) != t.first_pixels[n]) changed++;
    }
    for (int n = 0; n < kTexts; n++)
        if (!vrx_text_windows[n].in_use || vrx_text_windows[n].window != t.texts[n] || !IsWindow(t.texts[n]))
            changed++;
    EXPECT_EQ(changed, 0) << "slots changed after " << after;
    EXPECT_EQ(worker_windows(L"vrx_iw"), kImages) << "image windows after " << after;
    EXPECT_EQ(worker_windows(L"vrx_twi"), kTexts) << "text windows after " << after;
}

// Puts a 24-bit packed DIB of 8 x 8 grey pixels on the clipboard
void put_picture(void) {
    const int rows = 8 * 24;   // 8 rows of 24 bytes
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + rows);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = 8;
    h.biHeight = 8;
    h.biPlanes = 1;
    h.biBitCount = 24;
    memcpy(p, &h, 40);
    memset(p + 40, 0x80, rows);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// One more image window and one more text window through every way there is, each refused
void try_one_more_of_each(const Tables &t, const std::string &picture) {
    // The calls of a user routine.
    ASSERT_TRUE(harness_run_on_worker([] {
        for (int n : {0, 1, 128, 255}) {
            EXPECT_EQ(VRX_CreateImage(n, "more", 0, 0, 20, 20, 100), 1) << n;
            EXPECT_EQ(VRX_CreateImage8(n, "more", 0, 0, 20, 20, 100), 1) << n;
            EXPECT_EQ(VRX_OpenTextWindow(n, 0, 0, 50, 50), 1) << n;
        }
        EXPECT_NE(VRX_CreateImage(256, "beyond", 0, 0, 20, 20, 100), 0);
        EXPECT_EQ(VRX_OpenTextWindow(256, 0, 0, 50, 50), 1);
        VRX_ShowConsole();
    }));
    expect_intact(t, "the calls");
    EXPECT_EQ(request_create_image(256, "beyond", 20, 20, 32), 4);
    expect_intact(t, "a request for number 256");

    // The Image Window prompts, answered in full.
    std::thread answers = harness_answer_prompts({L"20", L"20", L"32"});
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    answers.join();
    harness_pump(100);
    expect_intact(t, "the Image Window command");

    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    harness_pump(100);
    expect_intact(t, "the Text Window command");

    put_picture();
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_PASTE, 0);
    harness_pump(100);
    expect_intact(t, "Paste");

    std::wstring wide(picture.begin(), picture.end());
    SendMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)harness_drop_of({wide}), 0);
    harness_pump(100);
    expect_intact(t, "a drop on the main window");

    // Clipping of image 0: the rectangle is dragged, the new window has no number left.
    PostMessageW(t.images[0], WM_COMMAND, IDM_CLIPPING, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << "Clipping waits for clicks";
    PostMessageW(t.images[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    harness_pump(50);
    PostMessageW(t.images[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000)) << "the second click ends it";
    harness_pump(100);
    expect_intact(t, "Clipping");

    // The line profiles of a 32-bit and an 8-bit image: one click, and the plot has no number left.
    for (int n : {0, 1}) {
        PostMessageW(t.images[n], WM_COMMAND, n == 0 ? IDM_LINE_RGB : IDM_LINE_LUMI, 0);
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << "the profile waits for a click";
        PostMessageW(t.images[n], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000)) << "the click ends it";
        harness_pump(100);
        expect_intact(t, n == 0 ? "Line(RGB)" : "Line(Lumi)");
    }
}

// Destroys everything, by the calls or by the close boxes, and checks nothing is left
void empty_tables(const Tables &t, bool close_boxes) {
    if (close_boxes) {
        for (int n = 0; n < kImages; n++) PostMessageW(t.images[n], WM_CLOSE, 0, 0);
        for (int n = 0; n < kTexts; n++) PostMessageW(t.texts[n], WM_CLOSE, 0, 0);
        harness_pump_until([] { return worker_windows(L"vrx_iw") + worker_windows(L"vrx_twi") == 0; }, 30000);
    } else {
        ASSERT_TRUE(harness_run_on_worker([] {
            for (int n = 0; n < kImages; n++) EXPECT_EQ(VRX_DestroyImage(n), 0) << n;
            for (int n = 0; n < kTexts; n++) EXPECT_EQ(VRX_CloseTextWindow(n), 0) << n;
        }, 60000));
    }
    int left = 0;
    for (int n = 0; n < kImages; n++) left += image_exists(n);
    for (int n = 0; n < kTexts; n++) left += vrx_text_windows[n].in_use;
    EXPECT_EQ(left, 0);
    EXPECT_EQ(worker_windows(L"vrx_iw"), 0);
    EXPECT_EQ(worker_windows(L"vrx_twi"), 0);
}

}  // namespace

TEST(FullTables, RefuseOneMoreWindowOfEachKindThroughEveryPathAndEmptyAgainTwice) {
    ASSERT_EQ(harness_start(), 0);
    // A picture file for the drop, written by the toolkit itself.
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string picture = std::string(folder) + "vrx_tables_drop.bmp";
    ASSERT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "file", 0, 0, 8, 8, 100), 0);
        ASSERT_EQ(VRX_SaveImage(8, 8, 0, picture.c_str()), 0);
        VRX_DestroyImage(0);
    }));
    Tables tables;
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round == 0 ? "first round" : "second round");
        fill_tables(&tables);
        if (HasFatalFailure()) break;
        expect_intact(tables, "filling");
        try_one_more_of_each(tables, picture);
        empty_tables(tables, round == 1);
    }
    DeleteFileA(picture.c_str());
    EXPECT_TRUE(harness_exit());
}
