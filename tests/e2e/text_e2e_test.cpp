// tests/e2e/text_e2e_test.cpp - a text window opened from the main window, logged, and given console
// commands typed on the keyboard, as a person would; what it printed is read back from its log.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const UINT IDM_TEXTWINDOW = 1028, IDM_TW_STARTLOG = 1024, IDM_TW_COMMAND = 1029;

class Console : public testing::TestWithParam<const wchar_t *> {
protected:
    void SetUp() override {
        DeleteFileW(log_path(0).c_str());
        ASSERT_TRUE(start_program(&program, GetParam()));
        PostMessageW(program.main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
        console = wait_window(program, L"vrx_twi", L"TextWindow 0", 5000);
        ASSERT_NE(console, nullptr);
        PostMessageW(console, WM_COMMAND, IDM_TW_STARTLOG, 0);
    }
    void TearDown() override {
        stop_program(&program);
        DeleteFileW(log_path(0).c_str());
    }
    // Chooses Command and types a line at "Cmd>"
    void command(const wchar_t *line) {
        PostMessageW(console, WM_COMMAND, IDM_TW_COMMAND, 0);
        for (int i = 0; i < 100 && status_line(program.main_window) != L"Input text"; i++) pause_ms(20);
        type_text(console, line);
    }
    Program program;
    HWND console = nullptr;
};

}  // namespace

TEST_P(Console, TypedCommandsAreObeyedAndLogged) {
    command(L"help\r");
    EXPECT_TRUE(log_holds(0, "Cmd>help\nCommand list:exit help start ver color\n")) << read_log(0);
    command(L" help\r");
    EXPECT_TRUE(log_holds(0, "Cmd> help\nInvalid command\n")) << read_log(0);
    command(L"color\r");
    EXPECT_TRUE(log_holds(0, "Cmd>color\nRed  :")) << read_log(0);
    std::string log = read_log(0);
    EXPECT_NE(log.find("vrx_tttc=ffffff\n"), std::string::npos) << log;
    EXPECT_NE(log.find("vrx_tc=000000\n"), std::string::npos) << log;
    command(L"exit\r");
    EXPECT_EQ(wait_exit(&program, 5000), 0);
    EXPECT_NE(read_log(0).find("Cmd>exit\n"), std::string::npos) << "the log is closed with everything in it";
}

TEST_P(Console, StartTypedAtTheCommandPromptRunsTheUserRoutine) {
    command(L"start\r");
    // The conversion routine runs and, with no pair, asks for one.
    HWND box = wait_window(program, L"#32770", L"Pause", 5000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Console, testing::Values(L"quarvex.exe", L"quarvex-swap.exe"),
                         [](const testing::TestParamInfo<const wchar_t *> &info) {
                             return std::string(info.index == 0 ? "quarvex" : "quarvex_swap");
                         });
