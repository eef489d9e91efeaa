// tests/e2e/examples_e2e_test.cpp - each routine of examples/ in its own program, worked as its comment
// tells a person to, and checked by what it leaves: the console's log, the picture, a file.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT IDM_START = 1001, IDM_EXIT = 1002, IDM_TW_STARTLOG = 1024;
const wchar_t kInput[] = L"C:\\vrx_example_in.png", kOutput[] = L"C:\\vrx_example_in_grey.png";

// The example program under test, whose windows find() waits for
const Program *current;
HWND find(const wchar_t *cls, const wchar_t *title, int ms) { return wait_window(*current, cls, title, ms); }

// Waits until the status line starts with text
bool status_is(HWND main_window, const wchar_t *text) {
    for (int i = 0; i < 250; i++) {
        if (status_line(main_window).rfind(text, 0) == 0) return true;
        pause_ms(20);
    }
    return false;
}

// A left click at client point (x, y) of window w
void click(HWND w, int x, int y) {
    PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Copies the picture of the image window to the clipboard (Ctrl+C) once the routine has ended
void copy_picture(HWND main_window) {
    for (int i = 0; i < 250 && status_line(main_window).find(L"-bit color") == std::wstring::npos; i++) pause_ms(20);
    press_keys(FindWindowW(L"vrx_iw", nullptr), {VK_CONTROL, 'C'});
}

// The means it printed are in the log; the picture's row 100 is 100 rows from its top
void first_routine(HWND main_window) {
    EXPECT_TRUE(log_holds(0, "256 x 256 pixels, mean red 127, mean green 127\n")) << read_log(0);
    HWND box = find(L"#32770", L"Pause", 5000);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    copy_picture(main_window);
    EXPECT_EQ(clipboard_pixel(200, 100), 0xC86440u);
}

// A centre and a radius typed into the input box, then Draw and Quit: one gold disc
void boxes_drawing(HWND main_window) {
    HWND input = find(L"vrx_ib", L"InputBox", 5000), buttons = find(L"vrx_bb", nullptr, 5000);
    ASSERT_TRUE(input && buttons);
    HWND edit = nullptr;
    for (const wchar_t *value : {L"100", L"80", L"30"}) {
        edit = FindWindowExW(input, edit, L"Edit", nullptr);
        SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)value);
        // the field loses the focus, as when the person goes on to a button
        PostMessageW(input, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_KILLFOCUS), (LPARAM)edit);
    }
    HWND draw = FindWindowExW(buttons, nullptr, L"Button", nullptr);
    HWND quit = FindWindowExW(buttons, FindWindowExW(buttons, draw, L"Button", nullptr), L"Button", nullptr);
    PostMessageW(draw, BM_CLICK, 0, 0);
    PostMessageW(quit, BM_CLICK, 0, 0);
    bool open = true;
    for (int i = 0; i < 250 && (open = FindWindowW(L"vrx_bb", nullptr) || FindWindowW(L"vrx_ib", nullptr)); i++) pause_ms(20);
    EXPECT_FALSE(open) << "Quit closes both boxes";
    copy_picture(main_window);
    EXPECT_EQ(clipboard_pixel(100, 80), 0xFFD700u);
    EXPECT_EQ(clipboard_pixel(100, 109), 0xFFD700u);
    EXPECT_EQ(clipboard_pixel(100, 112), 0u);
}

// A click draws a ring; a right click, then two corners, an outline
void click_drawing(HWND main_window) {
    HWND console = find(L"vrx_twi", L"TextWindow 0", 5000), image = find(L"vrx_iw", nullptr, 5000);
    ASSERT_TRUE(console && image);
    PostMessageW(console, WM_COMMAND, IDM_TW_STARTLOG, 0);
    ASSERT_TRUE(status_is(main_window, L"Click a point"));
    click(image, 40, 30);
    EXPECT_TRUE(log_holds(0, "point (40, 30)\n")) << read_log(0);
    ASSERT_TRUE(status_is(main_window, L"Click a point"));
    PostMessageW(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(status_is(main_window, L"Click the first point"));
    click(image, 200, 150);
    ASSERT_TRUE(status_is(main_window, L"Click the second point"));
    click(image, 100, 50);
    EXPECT_TRUE(log_holds(0, "rectangle (100, 50) - (200, 150)\n")) << read_log(0);
    copy_picture(main_window);
    EXPECT_EQ(clipboard_pixel(46, 30), 0xFFFFFFu) << "the ring";
    EXPECT_EQ(clipboard_pixel(40, 30), 0u) << "its centre";
    EXPECT_EQ(clipboard_pixel(150, 50), 0xFFFFFFu) << "the rectangle's top";
    EXPECT_EQ(clipboard_pixel(150, 100), 0u) << "inside it";
}

// The test picture's path typed at the prompt: its grey copy beside it, luminances worked by hand
void file_processing(HWND main_window) {
    ASSERT_TRUE(answer_prompt(main_window, kInput));
    UINT w = 0, h = 0;
    for (int i = 0; i < 250 && w == 0; i++) file_pixel(kOutput, 0, 0, &w, &h), pause_ms(20);
    EXPECT_EQ(w, 48u);
    EXPECT_EQ(h, 32u);
    EXPECT_EQ(file_pixel(kOutput, 10, 10, &w, &h), 0x4C4C4Cu) << "red quarter: 0.299 x 255";
    EXPECT_EQ(file_pixel(kOutput, 30, 10, &w, &h), 0x969696u) << "green quarter: 0.587 x 255";
}

struct Example { const wchar_t *exe; void (*work)(HWND main_window); };
const Example examples[] = {
    {L"examples\\first_routine.exe", first_routine},
    {L"examples\\boxes_drawing.exe", boxes_drawing},
    {L"examples\\click_drawing.exe", click_drawing},
    {L"examples\\file_processing.exe", file_processing},
};

// The test picture of the damaged-file tests (quarters red, green / blue, white), where this file was compiled
std::wstring test_picture(void) {
    std::string file = __FILE__;
    std::wstring path = L"Z:";
    for (char c : file.substr(0, file.rfind("/tests/e2e/"))) path += c == '/' ? L'\\' : (wchar_t)c;
    return path + L"\\tests\\data\\bad\\good_48x32.png";
}

}  // namespace

TEST(Examples, EachRoutineDoesWhatItsCommentSays) {
    ASSERT_TRUE(CopyFileW(test_picture().c_str(), kInput, FALSE));
    for (const Example &e : examples) {
        SCOPED_TRACE(testing::Message() << e.exe);
        DeleteFileW(log_path(0).c_str());
        DeleteFileW(kOutput);
        Program program;
        ASSERT_TRUE(start_program(&program, e.exe));
        PostMessageW(program.main_window, WM_COMMAND, IDM_START, 0);
        current = &program;
        e.work(program.main_window);
        PostMessageW(program.main_window, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_EQ(wait_exit(&program, 5000), 0);
        stop_program(&program);
    }
    DeleteFileW(log_path(0).c_str());
    DeleteFileW(kInput);
    DeleteFileW(kOutput);
}
