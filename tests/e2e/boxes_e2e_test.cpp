// tests/e2e/boxes_e2e_test.cpp - the input box and the button box made through the main window's
// prompts, the window information report's source on the clipboard, and Exit while a prompt waits.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const UINT IDM_EXIT = 1002, IDM_IMAGEWINDOW = 1027, IDM_TEXTWINDOW = 1028, IDM_INPUTBOX = 1044,
           IDM_WINDOWINFO = 1045, IDM_BUTTONBOX = 1051, IDM_TW_STARTLOG = 1024;

class Boxes : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(start_program(&program, L"quarvex.exe")); }
    void TearDown() override { stop_program(&program); }
    Program program;
};

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
    ASSERT_TRUE(answer_prompt(program.main_window, L"3"));
    HWND input_box = wait_window(program, L"vrx_ib", L"InputBox", 5000);
    ASSERT_NE(input_box, nullptr);
    EXPECT_EQ(count_children(input_box, L"Edit", 3), 3);

    PostMessageW(program.main_window, WM_COMMAND, IDM_BUTTONBOX, 0);
    ASSERT_TRUE(answer_prompt(program.main_window, L"2"));
    ASSERT_TRUE(answer_prompt(program.main_window, L"3"));
    HWND button_box = wait_window(program, L"vrx_bb", L"ButtonBox", 5000);
    ASSERT_NE(button_box, nullptr);
    EXPECT_EQ(count_children(button_box, L"Button", 6), 6);

    PostMessageW(program.main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    ASSERT_TRUE(answer_prompt(program.main_window, L"640"));
    ASSERT_TRUE(answer_prompt(program.main_window, L"480"));
    ASSERT_TRUE(answer_prompt(program.main_window, L"32"));
    HWND image = wait_window(program, L"vrx_iw", nullptr, 5000);
    ASSERT_NE(image, nullptr);
    PostMessageW(program.main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    ASSERT_NE(wait_window(program, L"vrx_twi", L"TextWindow 1", 5000), nullptr);

    // The report is printed into the current text window; its log shows the printed lines.
    DeleteFileW(log_path(0).c_str());
    HWND console = FindWindowW(L"vrx_twi", L"TextWindow 0");
    ASSERT_NE(console, nullptr);
    PostMessageW(console, WM_COMMAND, IDM_TW_STARTLOG, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    PostMessageW(console, WM_COMMAND, IDM_WINDOWINFO, 0);
    std::wstring source;
    for (int i = 0; i < 100 && (source = clipboard_text()).empty(); i++) pause_ms(50);
    EXPECT_EQ(source.rfind(L"\t// VRXLIB --- Automatic Source Generator\n", 0), 0u) << source.substr(0, 80);
    EXPECT_NE(source.find(L"\tVRX_OpenTextWindow(0,"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_OpenInputBox(0,0,3);"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_OpenButtonBox(0,0,2,3);"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_SetForeground(VRXMAINWINDOW);"), std::wstring::npos);
    EXPECT_NE(source.find(L"\tVRX_OpenTextWindow(1,"), std::wstring::npos);
    RECT outer;
    GetWindowRect(image, &outer);
    wchar_t create[128];
    swprintf(create, 128, L"\tVRX_CreateImage(0,\"000\",%ld,%ld,640,480,100);", outer.left, outer.top);
    EXPECT_NE(source.find(create), std::wstring::npos) << source;

    std::string log = read_log(0);
    char image_line[128];
    snprintf(image_line, sizeof image_line, " 0 F '000' X:%ld Y:%ld W:640 H:480 ZM:100%%\n", outer.left, outer.top);
    for (const char *line : {(const char *)"******* Window information *******\n", "[Image Window]\n", (const char *)image_line,
                             "[Text Window]\n", "[Input Box]\n", " X:0 Y:0 ITEM:3 ", "[Button Box]\n",
                             " X:0 Y:0 NX:2 NY:3 "})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;

    PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
    DeleteFileW(log_path(0).c_str());
}

TEST_F(Boxes, ExitWhileAPromptWaitsEndsTheProgramAndCreatesNothing) {
    PostMessageW(program.main_window, WM_COMMAND, IDM_BUTTONBOX, 0);
    ASSERT_TRUE(answer_prompt(program.main_window, L"4"));
    for (int i = 0; i < 100 && status_line(program.main_window) != L"Input text"; i++) pause_ms(50);
    ASSERT_EQ(status_line(program.main_window), L"Input text") << "the second prompt waits";
    PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(wait_exit(&program, 5000), 0);
    EXPECT_EQ(FindWindowW(L"vrx_bb", nullptr), nullptr);
    EXPECT_EQ(FindWindowW(L"vrx_mw", nullptr), nullptr);
}
