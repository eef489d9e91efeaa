// tests/outside/outside_e2e_test.cpp - the programs of the projects outside the tree (tests/outside/build.sh)
// run under Wine: Start runs their routine, which draws its box in the form the project chose and says
// hello in a "Pause" box; Exit ends them with code 0.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

namespace {

const UINT IDM_START = 1001, IDM_EXIT = 1002;

struct OutsideProgram { const wchar_t *exe; unsigned inside; const char *what; };
const OutsideProgram outside_programs[] = {
    {L"outside\\subdirectory\\build\\hello.exe", 0xFFFFFF, "add_subdirectory, one-colour box"},
    {L"outside\\package\\build\\hello.exe", 0xFFFFFF, "find_package, one-colour box"},
    {L"outside\\package\\build\\hello_border_fill.exe", 0xFF0000, "find_package, BORDER_FILL_BOX"},
};

}  // namespace

TEST(OutsideProject, ProgramsRunTheirRoutineWithTheBoxFormTheyChose) {
    for (const OutsideProgram &p : outside_programs) {
        SCOPED_TRACE(p.what);
        Program program;
        ASSERT_TRUE(start_program(&program, p.exe));
        PostMessageW(program.main_window, WM_COMMAND, IDM_START, 0);
        HWND box = wait_window(program, L"#32770", L"Pause", 10000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), L"Hello from my own routine");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        HWND image = wait_window(program, L"vrx_iw", nullptr, 5000);
        ASSERT_NE(image, nullptr);
        press_keys(image, {VK_CONTROL, 'C'});
        int width = 0;
        EXPECT_EQ(clipboard_pixel(20, 20, &width), 0xFFFFFFu) << "the border";
        EXPECT_EQ(clipboard_pixel(80, 60), p.inside) << "inside the box";
        EXPECT_EQ(clipboard_pixel(10, 10), 0u) << "outside the box";
        EXPECT_EQ(width, 160);
        PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_EQ(wait_exit(&program, 5000), 0);
        stop_program(&program);
    }
}
