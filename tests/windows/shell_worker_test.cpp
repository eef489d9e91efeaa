// tests/windows/shell_worker_test.cpp - the request hand-over, the layout registry, Exit, VRX_Pause
// and the narrow-text helpers, with the real main window and worker thread.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Shell : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(harness_start(), 0); }
    void TearDown() override {
        if (!exited) {
            EXPECT_TRUE(harness_exit());
        }
    }
    bool exited = false;
};

}  // namespace

TEST_F(Shell, RefusesToCreateAnImageNumberOutsideTheTable) {
    EXPECT_EQ(request_create_image(256, "x", 10, 10, 32), 4);
    EXPECT_EQ(request_create_image(-1, "x", 10, 10, 32), 4);
    EXPECT_FALSE(request_pending());
}

TEST_F(Shell, HoldsARequestPostedWhileTheUserRoutineRunsUntilItReturns) {
    std::atomic<int> release{0};
    harness_user_routine = [&] { while (release.load() == 0) Sleep(5); };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 1; }, 3000));
    // Release the routine from a timer that fires inside the request's wait.
    static std::atomic<int> *to_release;
    to_release = &release;
    static int posted_at;
    posted_at = get_milliseconds();
    UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) { to_release->store(1); });
    int status = request_create_image(300, "late", 1, 1, 32);
    int waited = get_milliseconds() - posted_at;
    KillTimer(nullptr, timer);
    EXPECT_EQ(status, 4);
    EXPECT_GE(waited, 250) << "the request was carried out only after the routine returned";
    EXPECT_EQ(vrx_running.load(), 0);
}

TEST_F(Shell, RegistryHoldsTheScreenBandsAndTheMainWindowLast) {
    harness_pump(50);
    rebuild_layout();
    LayoutRegistry vrx_layout = current_layout();
    ASSERT_EQ(vrx_layout.count, 5);
    RECT r;
    GetWindowRect(vrx_main_window, &r);
    EXPECT_EQ(vrx_layout.left[4], r.left);
    EXPECT_EQ(vrx_layout.top[4], r.top);
    EXPECT_EQ(vrx_layout.right[2], GetSystemMetrics(SM_CXFULLSCREEN) + 1000);
    EXPECT_EQ(vrx_layout.top[3], GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(Shell, SnapsTheDraggedMainWindowToTheScreenOnlyWhileCtrlIsHeld) {
    RECT r;
    GetWindowRect(vrx_main_window, &r);
    RECT proposed = {5, 300, 5 + (r.right - r.left), 300 + (r.bottom - r.top)};
    RECT free_move = proposed;
    harness_hold_ctrl(false);
    SendMessageW(vrx_main_window, WM_MOVING, WMSZ_LEFT, (LPARAM)&free_move);
    EXPECT_EQ(free_move.left, 5);
    harness_hold_ctrl(true);
    SendMessageW(vrx_main_window, WM_MOVING, WMSZ_LEFT, (LPARAM)&proposed);
    harness_hold_ctrl(false);
    EXPECT_EQ(proposed.left, 0);
    EXPECT_EQ(proposed.right - proposed.left, r.right - r.left);
}

TEST_F(Shell, ExitEndsTheWorkerAndTheMessageLoop) {
    HANDLE worker;
    DuplicateHandle(GetCurrentProcess(), vrx_worker_handle, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    exited = true;
    EXPECT_TRUE(harness_exit());
    DWORD code = 0;
    EXPECT_EQ(WaitForSingleObject(worker, 1000), WAIT_OBJECT_0);
    GetExitCodeThread(worker, &code);
    EXPECT_EQ(code, 0u) << "the worker left its loop by itself";
    EXPECT_EQ(vrx_quit.load(), 2);
    CloseHandle(worker);
}

TEST_F(Shell, ExitTerminatesAWorkerStuckInTheRoutineAfterTwoSeconds) {
    harness_user_routine = [] { for (;;) Sleep(10); };   // never returns
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 1; }, 3000));
    HANDLE worker;
    DuplicateHandle(GetCurrentProcess(), vrx_worker_handle, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    int mark = get_milliseconds();
    exited = true;
    EXPECT_TRUE(harness_exit());
    EXPECT_GE(get_milliseconds() - mark, 2000);
    DWORD code = 0;
    GetExitCodeThread(worker, &code);
    EXPECT_EQ(code, 1u) << "terminated with exit code 1";
    EXPECT_EQ(harness_end_code, 0) << "the process ends at once, as a normal end";
    EXPECT_EQ(vrx_quit.load(), 2);
    CloseHandle(worker);
}

TEST_F(Shell, ExitChosenInsideARequestWaitStillEndsTheProgram) {
    // The routine keeps the worker busy so the request stays pending; Exit arrives inside its wait.
    harness_user_routine = [] { while (vrx_quit.load() == 0) Sleep(5); };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 1; }, 3000));
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_EXIT, 0);
    int status = request_create_image(0, "never", 8, 8, 32);   // returns once Exit has run
    EXPECT_EQ(status, 3);
    EXPECT_EQ(vrx_main_window, nullptr);
    // The quit message that the nested pump took is back in the queue for the message loop.
    MSG msg;
    bool quit = false;
    for (int i = 0; i < 200 && !quit; i++) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit |= msg.message == WM_QUIT;
        Sleep(5);
    }
    EXPECT_TRUE(quit);
    exited = true;
    vrx_shutdown();
}

TEST_F(Shell, PauseShowsTheTextInABoxTitledPauseAndWaitsForOk) {
    std::atomic<int> returned{0};
    harness_user_routine = [&] {
        VRX_Pause("\x95\xCF\x8A\xB7\x8F\x49\x97\xB9");   // "変換終了"
        returned = 1;
    };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    HWND box = nullptr;
    ASSERT_TRUE(harness_pump_until([&] { return (box = FindWindowW(L"#32770", L"Pause")) != nullptr; }, 5000));
    wchar_t text[64] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 64);
    EXPECT_STREQ(text, L"\x5909\x63DB\x7D42\x4E86");
    harness_pump(100);
    EXPECT_EQ(returned.load(), 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(harness_pump_until([&] { return returned.load() == 1 && vrx_running.load() == 0; }, 3000));
}

TEST(NarrowText, ConvertsCp932BothWaysAndStaysInsideItsBuffers) {
    ASSERT_EQ(GetACP(), 932u) << "the test bed runs with the Japanese ANSI code page";
    HWND w = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    set_window_text_narrow(w, "\x83\x58\x83\x65\x83\x8C\x83\x49");   // "ステレオ"
    wchar_t wide[32] = {};
    GetWindowTextW(w, wide, 32);
    EXPECT_STREQ(wide, L"\x30B9\x30C6\x30EC\x30AA");

    char narrow[16];
    std::memset(narrow, '#', sizeof narrow);
    get_window_text_narrow(w, narrow, 5);   // room for two double-byte characters only
    EXPECT_STREQ(narrow, "\x83\x58\x83\x65");
    EXPECT_EQ(narrow[5], '#');

    std::string longer(1000, 'a');
    set_window_text_narrow(w, longer.c_str());
    GetWindowTextW(w, wide, 32);
    EXPECT_EQ(GetWindowTextLengthW(w), 255) << "cut at 255 characters";
    DestroyWindow(w);
}
