// tests/windows/image_window_proc_test.cpp - keys, the wheel and the close box of a real image window,
// sent on the worker thread that owns it (the Ctrl key state is the worker's own).
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ImageWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(harness_start(), 0);
        ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(3, "pic", 0, 0, 200, 150, 100); }));
        ASSERT_TRUE(image_exists(3));
        ASSERT_EQ(vrx_images[3].zoom, 100);
        w = vrx_images[3].window;
    }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }
    HWND w = nullptr;
};

// Sends a key press to window w on the calling (worker) thread with Ctrl held or not
void key(HWND w, UINT vk, bool ctrl) {
    harness_hold_ctrl(ctrl);
    SendMessageW(w, WM_KEYDOWN, vk, 0);
    harness_hold_ctrl(false);
}

// Takes the WM_COMMAND posted to w out of the worker's queue: its id, or 0 when none was posted
int posted_command(HWND w) {
    MSG m;
    if (!PeekMessageW(&m, w, WM_COMMAND, WM_COMMAND, PM_REMOVE)) return 0;
    return m.lParam == 0 ? (int)LOWORD(m.wParam) : -1;
}

// The caption of a window
std::wstring caption(HWND w) {
    wchar_t t[128] = {};
    GetWindowTextW(w, t, 128);
    return t;
}

// Keys the main window received, recorded by a stand-in main window on the test's thread
std::vector<UINT> forwarded;

LRESULT CALLBACK recorder_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN) forwarded.push_back((UINT)wp);
    return DefWindowProcW(w, msg, wp, lp);
}

// A window of the test's thread that records the keys posted to it
HWND make_recorder(void) {
    WNDCLASSW c = {};
    c.lpfnWndProc = recorder_proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"test_key_recorder";
    RegisterClassW(&c);
    return CreateWindowW(L"test_key_recorder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, nullptr);
}

}  // namespace

TEST_F(ImageWindow, CtrlShortcutsPostTheirCommandsToTheWindowItself) {
    std::vector<int> got;
    ASSERT_TRUE(harness_run_on_worker([&] {
        for (UINT vk : {UINT('X'), UINT('C'), UINT('V'), UINT('Q'), UINT('R')}) {
            key(w, vk, true);
            got.push_back(posted_command(w));
        }
        key(w, 'V', false);   // without Ctrl, V is no shortcut
        got.push_back(posted_command(w));
    }));
    EXPECT_EQ(got, (std::vector<int>{1011, 1012, 1014, 1005, 1019, 0}));
    EXPECT_TRUE(image_exists(3)) << "the posted commands were taken out before they ran";
}

TEST_F(ImageWindow, CtrlQDestroysAndCtrlXClearsOnceTheCommandRuns) {
    uint32_t after_cut = 1;
    bool on_clipboard = false;
    ASSERT_TRUE(harness_run_on_worker([&] {
        pixels32[3][0] = 0x00ABCDEF;
        key(w, 'X', true);
        pump_messages();
        after_cut = pixels32[3][0];
        on_clipboard = IsClipboardFormatAvailable(CF_DIB) != 0;
        key(w, 'Q', true);
        pump_messages();
    }));
    EXPECT_EQ(after_cut, 0u);
    EXPECT_TRUE(on_clipboard);
    EXPECT_FALSE(image_exists(3));
}

TEST_F(ImageWindow, CtrlKeypadKeysAndTheWheelStepTheZoom) {
    std::vector<int> zooms;
    ASSERT_TRUE(harness_run_on_worker([&] {
        key(w, VK_ADD, true);
        zooms.push_back(vrx_images[3].zoom);        // (100 * 10 + 4) / 9
        key(w, VK_SUBTRACT, true);
        zooms.push_back(vrx_images[3].zoom);        // (111 * 9 + 5) / 10
        key(w, VK_SUBTRACT, true);
        zooms.push_back(vrx_images[3].zoom);        // (100 * 9 + 5) / 10
        key(w, '0', true);                          // the main keyboard's 0 does nothing
        zooms.push_back(vrx_images[3].zoom);
        key(w, VK_NUMPAD0, true);
        zooms.push_back(vrx_images[3].zoom);
        key(w, VK_ADD, false);                      // no Ctrl: nothing
        zooms.push_back(vrx_images[3].zoom);
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-120), 0);
        zooms.push_back(vrx_images[3].zoom);        // towards the person: in
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
        zooms.push_back(vrx_images[3].zoom);        // away: out
        SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        zooms.push_back(vrx_images[3].zoom);        // no Ctrl: nothing
    }));
    EXPECT_EQ(zooms, (std::vector<int>{111, 100, 90, 90, 100, 100, 111, 100, 100}));
}

TEST_F(ImageWindow, TabTogglesTheStretchModeAndTheStarInTheCaption) {
    int first = 0, second = 0;
    std::wstring with_star, without;
    ASSERT_TRUE(harness_run_on_worker([&] {
        key(w, VK_TAB, false);
        first = VRX_GetStretchMode(3);
        with_star = caption(w);
        key(w, VK_TAB, false);
        second = VRX_GetStretchMode(3);
        without = caption(w);
    }));
    EXPECT_EQ(first, HALFTONE);
    EXPECT_EQ(with_star, L"pic(100%)*");
    EXPECT_EQ(second, COLORONCOLOR);
    EXPECT_EQ(without, L"pic(100%)");
}

TEST_F(ImageWindow, ExitStartAndStopKeysReachTheMainWindowAsTheSameKey) {
    HWND recorder = make_recorder();
    ASSERT_NE(recorder, nullptr);
    forwarded.clear();
    ASSERT_TRUE(harness_run_on_worker([&] {
        HWND main = vrx_main_window;
        vrx_main_window = recorder;
        key(w, 'X', false);
        key(w, VK_ESCAPE, false);
        key(w, 'S', false);
        key(w, 'C', false);
        key(w, 'S', true);    // Ctrl+S is taken as S
        key(w, 'A', false);   // not forwarded
        vrx_main_window = main;
    }));
    harness_pump_until([] { return forwarded.size() >= 5; }, 2000);
    harness_pump(50);
    EXPECT_EQ(forwarded, (std::vector<UINT>{'X', VK_ESCAPE, 'S', 'C', 'S'}));
    DestroyWindow(recorder);
}

TEST_F(ImageWindow, WhileAClickWaitRunsKeysPostNothingAndTheWaitedWindowDoesNotClose) {
    HWND recorder = make_recorder();
    forwarded.clear();
    int command = -1, zoom = 0, mode = 0;
    bool exists_after_close = false;
    ASSERT_TRUE(harness_run_on_worker([&] {
        HWND main = vrx_main_window;
        vrx_main_window = recorder;
        vrx_click.waited_image = 3;
        vrx_waiting.store(1);
        key(w, 'Q', true);
        key(w, 'V', true);
        key(w, VK_ADD, true);
        key(w, VK_TAB, false);
        key(w, VK_ESCAPE, false);
        key(w, 'S', false);
        command = posted_command(w);
        zoom = vrx_images[3].zoom;
        mode = VRX_GetStretchMode(3);
        SendMessageW(w, WM_CLOSE, 0, 0);
        exists_after_close = image_exists(3);
        vrx_waiting.store(0);
        vrx_click.waited_image = -1;
        vrx_main_window = main;
    }));
    harness_pump(50);
    EXPECT_EQ(command, 0);
    EXPECT_EQ(zoom, 100);
    EXPECT_EQ(mode, COLORONCOLOR);
    EXPECT_TRUE(forwarded.empty());
    EXPECT_TRUE(exists_after_close);
    DestroyWindow(recorder);
}

TEST_F(ImageWindow, WhileALineIsReadCtrlShortcutsPostNothingAndPostedCommandsDoNotRun) {
    int command = -1;
    ASSERT_TRUE(harness_run_on_worker([&] {
        vrx_input_owner.store(1);
        key(w, 'Q', true);
        command = posted_command(w);
        PostMessageW(w, WM_COMMAND, 1005, 0);   // Destroy, as the menu would send it
        pump_messages();
        vrx_input_owner.store(0);
    }));
    EXPECT_EQ(command, 0);
    EXPECT_TRUE(image_exists(3));
}

TEST_F(ImageWindow, TheCloseBoxDestroysTheImage) {
    ASSERT_TRUE(harness_run_on_worker([&] { SendMessageW(w, WM_CLOSE, 0, 0); }));
    EXPECT_FALSE(image_exists(3));
    EXPECT_FALSE(IsWindow(w));
}
