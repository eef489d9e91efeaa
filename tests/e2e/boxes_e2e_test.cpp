// tests/e2e/boxes_e2e_test.cpp - the input box and the button box made through the main window's
// prompts, the window information report's source on the clipboard, and Exit while a prompt waits.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT IDM_EXIT = 1002, IDM_INPUTBOX = 1044, IDM_WINDOWINFO = 1045, IDM_BUTTONBOX = 1051;

class Boxes : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(start_program(&program, L"quarvex.exe")); }
    void TearDown() override { stop_program(&program); }
    Program program;
};

// Waits until the status line shows "Input text", then types answer and Enter into text window 0
bool answer(HWND main_window, const wchar_t *text) {
    for (int i = 0; i < 100 && status_line(main_window) != L"Input text"; i++) pause_ms(50);
    HWND console = FindWindowW(L"vrx_twi", L"TextWindow 0");
    if (!console || status_line(main_window) != L"Input text") return false;
    for (const wchar_t *c = text; *c; c++) PostMessageW(console, WM_CHAR, *c, 0);
    PostMessageW(console, WM_CHAR, L'\r', 0);
    for (int i = 0; i < 100 && status_line(main_window) == L"Input text"; i++) pause_ms(20);
    return true;
}

// Counts the child windows of a class, waiting up to a second for the box to fill itself
int count_children(HWND parent, const wchar_t *cls, int expected) {
    int count = 0;
    for (int i = 0; i < 50; i++) {
        count = 0;
        for (HWND c = FindWindowExW(parent, nullptr, cls, nullptr); c; c = FindWindowExW(parent, c, cls, nullptr))
            count++;
        if (count >= expected) break;
        pause_ms(20);
    }
    return count;
}

// The clipboard's ANSI text, read in this program's code page (932 here, as in the program)
std::wstring clipboard_text(void) {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char *bytes = data ? (const char *)GlobalLock(data) : nullptr;
    if (bytes) {
        int units = MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0);
        text.resize(units > 0 ? units - 1 : 0);
        if (units > 1) MultiByteToWideChar(CP_ACP, 0, bytes, -1, &text[0], units);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST_F(Boxes, PromptsMakeBothBoxesAndWindowInfoPutsTheirSourceOnTheClipboard) {
    PostMessageW(program.main_window, WM_COMMAND, IDM_INPUTBOX, 0);
    ASSERT_TRUE(answer(program.main_window, L"3"));
    HWND input_box = wait_window(L"vrx_ib", L"InputBox", 5000);
    ASSERT_NE(input_box, nullptr);
    EXPECT_EQ(count_children(input_box, L"Edit", 3), 3);

    PostMessageW(program.main_window, WM_COMMAND, IDM_BUTTONBOX, 0);
    ASSERT_TRUE(answer(program.main_window, L"2"));
    ASSERT_TRUE(answer(program.main_window, L"3"));
    HWND button_box = wait_window(L"vrx_bb", L"ButtonBox", 5000);
    ASSERT_NE(button_box, nullptr);
    EXPECT_EQ(count_children(button_box, L"Button", 6), 6);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    PostMessageW(program.main_window, WM_COMMAND, IDM_WINDOWINFO, 0);
    std::wstring source;
    for (int i = 0; i < 100 && (source = clipboard_text()).empty(); i++) pause_ms(50);
    EXPECT_EQ(source.rfind(L"\t// VRXLIB --- Automatic Source Generator\n", 0), 0u) << source.substr(0, 80);
    EXPECT_NE(source.find(L"\tVRX_OpenTextWindow(0,"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_OpenInputBox(0,0,3);"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_OpenButtonBox(0,0,2,3);"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_SetForeground(VRXMAINWINDOW);"), std::wstring::npos);

    PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
}

TEST_F(Boxes, ExitWhileAPromptWaitsEndsTheProgramAndCreatesNothing) {
    PostMessageW(program.main_window, WM_COMMAND, IDM_BUTTONBOX, 0);
    ASSERT_TRUE(answer(program.main_window, L"4"));
    for (int i = 0; i < 100 && status_line(program.main_window) != L"Input text"; i++) pause_ms(50);
    ASSERT_EQ(status_line(program.main_window), L"Input text") << "the second prompt waits";
    PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
    EXPECT_EQ(FindWindowW(L"vrx_bb", nullptr), nullptr);
    EXPECT_EQ(FindWindowW(L"vrx_mw", nullptr), nullptr);
}
