// tests/windows/host_requests_test.cpp - the request hand-over under nesting: a paste and a drop whose
// waits interleave, the paste into the number created for it, a dropped file that cannot be drawn after
// its size was read; and drops staying refused when a point tool ends inside the user routine.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "tests/windows/worker_dialog.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>

namespace {

const uint32_t kMark = 0x123456, kGreen = 0x00FF00, kRed = 0xFF0000;

// The file every drop here uses: 48 x 32, its top-left pixel red
std::wstring good_png(void) {
    std::string file = __FILE__;
    for (char &c : file) if (c == '/') c = '\\';
    std::string path = file.substr(0, file.rfind("\\tests\\windows\\")) + "\\tests\\data\\bad\\good_48x32.png";
    if (path[0] == '\\') path = "Z:" + path;
    return std::wstring(path.begin(), path.end());
}

// Image 0 as a drop or paste would find it: 64 x 48, every pixel kMark, current
void make_marked_image_zero(void) {
    ASSERT_EQ(request_create_image(0, "000", 64, 48, 32), 0);
    harness_run_on_worker([] { for (int i = 0; i < 64 * 48; i++) pixels32[0][i] = kMark; });
}

// Puts a 20 x 10 green 24-bit picture on the clipboard
void put_green_picture(void) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + 60 * 10);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = 20;
    h.biHeight = 10;
    h.biPlanes = 1;
    h.biBitCount = 24;
    memcpy(p, &h, 40);
    for (int i = 0; i < 200; i++) p[40 + i * 3] = 0, p[41 + i * 3] = 0xFF, p[42 + i * 3] = 0;
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// Pixel (x, y) of image n, read on the worker once its drawing is flushed; 1 when n is not open
uint32_t pixel_of(int n, int x, int y) {
    uint32_t v = 1;
    harness_run_on_worker([&] {
        int stride = 0;
        const uint32_t *p = (const uint32_t *)VRX_GetImagePixels(n, &stride);
        if (p) v = p[y * (stride / 4) + x] & 0xFFFFFF;   // GDI+ sets the unused top byte
    });
    return v;
}

// The worker held in image 0's Load dialog, and what runs on the main thread just before it is let go
HWND held_dialog;
std::function<void()> before_release;

// Main-thread timer: once everything posted has been dispatched and a request waits for the held
// worker, runs before_release and cancels the dialog
// NOTE: WM_TIMER comes only when no posted message is queued, so every posted handler has started.
void CALLBACK release_when_queued(HWND, UINT, UINT_PTR id, DWORD) {
    if (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) != 0 || !request_pending()) return;
    KillTimer(nullptr, id);
    if (before_release) before_release();
    PostMessageW(held_dialog, WM_COMMAND, IDCANCEL, 0);
}

// Opens image 0's Load dialog on the worker, which then serves no request until the timer lets it go
bool hold_worker(std::function<void()> run_before_release = nullptr) {
    before_release = run_before_release;
    PostMessageW(vrx_images[0].window, WM_COMMAND, IDM_LOAD, 0);
    held_dialog = nullptr;
    if (!harness_pump_until([] { return (held_dialog = find_worker_dialog(1)) != nullptr; }, 10000)) return false;
    SetTimer(nullptr, 0, 10, release_when_queued);
    return true;
}

// Pumps until the held worker was let go and the main window's paste and drop have finished
bool wait_until_settled(void) {
    return harness_pump_until([] {
        return !IsWindow(held_dialog) && vrx_main_busy.load() == 0 && !request_pending();
    }, 15000);
}

// true: the drop is posted first
class Nesting : public testing::TestWithParam<bool> {};

}  // namespace

TEST_P(Nesting, APasteAndADropWhoseWaitsNestGetTheirOwnResultsAndWindows) {
    ASSERT_EQ(harness_start(), 0);
    make_marked_image_zero();
    put_green_picture();
    ASSERT_TRUE(hold_worker());
    HDROP drop = harness_drop_of({good_png()});
    if (GetParam()) PostMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)drop, 0);
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_PASTE, 0);
    if (!GetParam()) PostMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)drop, 0);
    EXPECT_TRUE(wait_until_settled());
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 3);
    EXPECT_EQ(pixel_of(0, 5, 5), kMark) << "image 0 keeps its pixels";
    EXPECT_EQ(pixel_of(1, 19, 9), kGreen) << "the paste went into a new window";
    EXPECT_EQ(VRX_GetImageWidth(2), 48);
    EXPECT_EQ(pixel_of(2, 0, 0), kRed) << "the dropped file went into a window of its own";
    EXPECT_EQ(vrx_current_image, 0) << "the current image is what it was";
    EXPECT_TRUE(harness_exit());
}

// The paste nested in the wait of the drop's create(0), which answers 1; the drop nested in the wait
// of the paste's create(1)
INSTANTIATE_TEST_SUITE_P(BothOrders, Nesting,
                         testing::Bool(), [](const testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "drop_then_paste" : "paste_then_drop");
                         });

TEST(HostRequests, APasteGoesIntoTheNumberCreatedForItWhateverIsCurrent) {
    ASSERT_EQ(harness_start(), 0);
    make_marked_image_zero();
    put_green_picture();
    RGBQUAD table[256];
    int count;
    HBITMAP bitmap = get_clipboard_bitmap(vrx_main_window, table, &count);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(request_create_image(1, "001", 20, 10, 32), 0);
    harness_run_on_worker([] { VRX_SelectImage(0); });   // a command on the worker chose image 0 meanwhile
    request_paste_bitmap(1, bitmap);
    request_update_image(1, true);
    EXPECT_EQ(pixel_of(1, 0, 0), kGreen);
    EXPECT_EQ(pixel_of(0, 0, 0), kMark);
    EXPECT_TRUE(harness_exit());
}

TEST(HostRequests, ADroppedFileThatCannotBeDrawnAfterItsSizeWasReadLeavesNoWindow) {
    ASSERT_EQ(harness_start(), 0);
    make_marked_image_zero();
    const wchar_t *file = L"C:\\vrx_host_drop_gone.png";
    ASSERT_TRUE(CopyFileW(good_png().c_str(), file, FALSE));
    // The drop has read the size and waits for its create(1); the file goes before the load.
    ASSERT_TRUE(hold_worker([file] { DeleteFileW(file); }));
    PostMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)harness_drop_of({file}), 0);
    EXPECT_TRUE(wait_until_settled());
    EXPECT_FALSE(image_exists(1));
    EXPECT_EQ(harness_window_count(L"vrx_iw"), 1);
    EXPECT_EQ(vrx_current_image, 0);
    DeleteFileW(file);
    EXPECT_TRUE(harness_exit());
}

TEST(HostRequests, APointToolEndedInsideTheUserRoutineLeavesDropsRefused) {
    ASSERT_EQ(harness_start(), 0);
    auto accepts_drops = [] { return (GetWindowLongW(vrx_main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
    std::thread stop([] {
        if (harness_wait_for([] { return vrx_waiting.load() == 1; })) vrx_stop.store(1);
    });
    bool inside = true;
    harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(0, "tool", 0, 0, 32, 32, 100), 0);
        int x, y;
        wait_point(0, &x, &y);
        inside = accepts_drops();
    });
    stop.join();
    EXPECT_FALSE(inside) << "drops stay refused while the routine runs";
    EXPECT_TRUE(harness_pump_until(accepts_drops, 3000)) << "and are accepted again once it returns";
    EXPECT_TRUE(harness_exit());
}
