// tests/e2e/exit_test.cpp - every way out of quarvex, each taken through the real input queue where a
// person would use the keyboard, ends the process with exit code 0 within 2.5 s: the menu bar, X, Esc,
// the pop-up menu, the console's "exit" typed into text window 0 (after "help", whose list the log must
// hold), and Exit while the user routine is blocked in a message box (its worker is terminated).
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

struct WayOut { const char *name; void (*take)(Program &p); };
static const WayOut ways_out[] = {
    {"Exit(&X) of the menu bar", [](Program &p) { press(p.main_window, {VK_MENU, 'X'}); }},
    {"X", [](Program &p) { press(p.main_window, {'X'}); }},
    {"Esc", [](Program &p) { press(p.main_window, {VK_ESCAPE}); }},
    {"E&xit of the pop-up menu", [](Program &p) {
         PostMessageW(p.main_window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
         ASSERT_NE(wait_window(p, L"#32768"), nullptr) << "a right click opens the pop-up menu";
         press(nullptr, {'X'});   // the mnemonic, into the open menu
     }},
    {"the console command exit, typed after help", [](Program &p) {
         PostMessageW(p.main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
         HWND console = wait_window(p, L"vrx_twi", L"TextWindow 0");
         PostMessageW(console, WM_COMMAND, IDM_TW_STARTLOG, 0);
         for (const wchar_t *line : {L"help\r", L"exit\r"}) {
             PostMessageW(console, WM_COMMAND, IDM_TW_COMMAND, 0);
             ASSERT_TRUE(wait_status(p, L"Input text"));
             type_text(console, line);
         }
         EXPECT_TRUE(log_holds("Cmd>help\nCommand list:exit help start ver color\nCmd>exit\n"));
     }},
    {"Exit while the routine started by S waits in its message box", [](Program &p) {
         press(p.main_window, {'S'});
         EXPECT_EQ(pause_box(p, false), L"ステレオペア画像をドラッグして下さい");
         PostMessageW(p.main_window, WM_COMMAND, IDM_EXIT, 0);
     }},
};

TEST(Exit, EachWayOutEndsWithCodeZeroWithinTwoAndAHalfSeconds) {
    for (const WayOut &way : ways_out) {
        SCOPED_TRACE(way.name);
        Program p;
        ASSERT_TRUE(start_program(&p, L"quarvex.exe"));
        way.take(p);
        EXPECT_EQ(wait_exit(&p, 2500), 0);
        stop_program(&p);
    }
}
