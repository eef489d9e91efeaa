// tests/e2e/shell_e2e_test.cpp - the main window of both programs seen and driven from outside.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

// Starts a program for one test and makes sure it is gone afterwards
class MainWindow : public testing::TestWithParam<const wchar_t *> {
protected:
    void SetUp() override { ASSERT_TRUE(start_program(&program, GetParam())); }
    void TearDown() override { stop_program(&program); }
    Program program;
};

TEST_P(MainWindow, DropsIntoPlaceCentredAtTheBottomShowingTheColourDepth) {
    RECT r;
    GetWindowRect(program.main_window, &r);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 240) / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYFULLSCREEN) - 58);
    EXPECT_EQ(status_line(program.main_window), L"32-bit color");
}

TEST_P(MainWindow, EndsWithExitCodeZeroOnTheExitCommand) {
    PostMessageW(program.main_window, WM_COMMAND, 1002, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, MainWindow, testing::Values(L"quarvex.exe", L"quarvex-swap.exe"),
                         [](const testing::TestParamInfo<const wchar_t *> &info) {
                             return std::string(info.index == 0 ? "quarvex" : "quarvex_swap");
                         });
