// tests/e2e/shell_e2e_test.cpp - the main window of both programs seen and driven from outside.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

namespace {

const UINT IDM_START = 1001, IDM_EXIT = 1002;

// Starts a program for one test and makes sure it is gone afterwards
class MainWindow : public testing::TestWithParam<const wchar_t *> {
protected:
    void SetUp() override { ASSERT_TRUE(start_program(&program, GetParam())); }
    void TearDown() override { stop_program(&program); }
    Program program;
};

// Waits up to ms for the pop-up menu of the program to open
HWND wait_popup_menu(const Program &p, int ms) { return wait_window(p, L"#32768", nullptr, ms); }

}  // namespace

TEST_P(MainWindow, DropsIntoPlaceCentredAtTheBottomShowingTheColourDepth) {
    RECT r;
    GetWindowRect(program.main_window, &r);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 240) / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYFULLSCREEN) - 58);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYCAPTION) + 58);
    EXPECT_EQ(status_line(program.main_window), L"32-bit color");
    std::wstring raw = window_text(GetDlgItem(program.main_window, 2001));
    EXPECT_EQ(raw.find_first_not_of(L' '), 12u) << "centred by leading spaces";
}

TEST_P(MainWindow, EndsWithExitCodeZeroOnTheExitCommand) {
    PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

TEST_P(MainWindow, EndsWithExitCodeZeroOnTheXKey) {
    PostMessageW(program.main_window, WM_KEYDOWN, 'X', 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

TEST_P(MainWindow, EndsWithExitCodeZeroOnEscape) {
    press_keys(program.main_window, {VK_ESCAPE});
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

TEST_P(MainWindow, IgnoresCtrlXAndCtrlSTypedOnTheKeyboard) {
    press_keys(program.main_window, {VK_CONTROL, 'X'});
    press_keys(program.main_window, {VK_CONTROL, 'S'});
    EXPECT_EQ(wait_exit(&program, 1000), -1) << "still running";
    EXPECT_EQ(status_line(program.main_window), L"32-bit color");
}

TEST_P(MainWindow, EndsFromThePopUpMenusExitItem) {
    RECT r;
    GetWindowRect(program.main_window, &r);
    SetForegroundWindow(program.main_window);
    SetCursorPos(r.left + 120, r.bottom - 20);
    pause_ms(100);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, click, sizeof(INPUT));
    ASSERT_NE(wait_popup_menu(program, 3000), nullptr) << "a right click opens the pop-up menu";
    pause_ms(200);
    press_keys(program.main_window, {'X'});   // the mnemonic of "E&xit"
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, MainWindow, testing::Values(L"quarvex.exe", L"quarvex-swap.exe"),
                         [](const testing::TestParamInfo<const wchar_t *> &info) {
                             return std::string(info.index == 0 ? "quarvex" : "quarvex_swap");
                         });

TEST(BlockedRoutine, ExitEndsTheProgramAboutTwoSecondsLaterWhileTheRoutineWaitsInPause) {
    Program probe;
    ASSERT_TRUE(start_program(&probe, L"vrx_pause_probe.exe"));
    PostMessageW(probe.main_window, WM_COMMAND, IDM_START, 0);
    HWND box = wait_window(probe, L"#32770", L"Pause", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), L"probe");
    DWORD mark = GetTickCount();
    PostMessageW(probe.main_window, WM_COMMAND, IDM_EXIT, 0);
    int code = wait_exit(&probe, 8000);
    DWORD took = GetTickCount() - mark;
    EXPECT_EQ(code, 0);
    EXPECT_GE(took, 1900u) << "Exit waited for the worker";
    EXPECT_LE(took, 6000u);
    stop_program(&probe);
}
