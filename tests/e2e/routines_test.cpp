// tests/e2e/routines_test.cpp - routines built into programs of their own, started with S and worked as
// a person would, checked by what they leave (the console's log, the picture, a file, the status line
// once C has stopped a point tool): the four examples, and hello.c of the projects outside the tree
// (tests/outside/build.sh), whose box shows the form of VRX_DrawBox the program was built with.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

// hello.c says hello; its box is white, or with the border-and-fill form red inside a white border
static void hello(Program &p, unsigned inside) {
    EXPECT_EQ(pause_box(p, true), L"Hello from my own routine");
    EXPECT_EQ(copied_pixel(wait_window(p, L"vrx_iw"), 80, 60), inside);
}

struct Routine { const wchar_t *exe; void (*work)(Program &p); };
static const Routine routines[] = {
    {L"examples\\first_routine.exe", [](Program &p) {
         EXPECT_TRUE(log_holds("256 x 256 pixels, mean red 127, mean green 127\n"));
         EXPECT_EQ(pause_box(p, true), L"Look at the picture and the console, then press OK");
         EXPECT_EQ(copied_pixel(wait_window(p, L"vrx_iw"), 200, 100), 0xC86440u);
     }},
    {L"examples\\boxes_drawing.exe", [](Program &p) {   // x 100, y 80, radius 30; Draw, then Quit
         HWND input = wait_window(p, L"vrx_ib"), buttons = wait_window(p, L"vrx_bb"), edit = nullptr;
         for (const wchar_t *value : {L"100", L"80", L"30"}) {
             SendMessageW(edit = FindWindowExW(input, edit, L"Edit", nullptr), WM_SETTEXT, 0, (LPARAM)value);
             PostMessageW(input, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_KILLFOCUS), (LPARAM)edit);
         }
         for (const wchar_t *button : {L"Draw", L"Quit"}) PostMessageW(FindWindowExW(buttons, nullptr, L"Button", button), BM_CLICK, 0, 0);
         EXPECT_TRUE(until([&] { return !IsWindow(input) && !IsWindow(buttons); })) << "Quit closes both boxes";
         EXPECT_EQ(copied_pixel(wait_window(p, L"vrx_iw"), 100, 109), 0xFFD700u) << "in the disc";
     }},
    {L"examples\\click_drawing.exe", [](Program &p) {   // a point, then Stop by the C key
         PostMessageW(wait_window(p, L"vrx_twi", L"TextWindow 0"), WM_COMMAND, IDM_TW_STARTLOG, 0);
         ASSERT_TRUE(wait_status(p, L"Click a point"));
         click(wait_window(p, L"vrx_iw"), 40, 30);
         // the print comes after the first point's prompt has gone: the prompt seen then is the next one
         ASSERT_TRUE(log_holds("point (40, 30)\n") && wait_status(p, L"Click a point"));
         press(p.main_window, {'C'});
         EXPECT_TRUE(until([&] { return status_line(p.main_window).find(L"-bit color") != std::wstring::npos; }));
     }},
    {L"examples\\file_processing.exe", [](Program &p) {   // the pair as a BMP file; its grey copy, by hand
         ASSERT_TRUE(write_bmp(L"c:\\vrx_pair.bmp", pair_dib(80, 30, 24)));
         DeleteFileW(L"c:\\vrx_pair_grey.png");
         ASSERT_TRUE(wait_status(p, L"Input text"));
         type_text(wait_window(p, L"vrx_twi", L"TextWindow 0"), L"c:\\vrx_pair.bmp\r");
         UINT w, h;
         EXPECT_TRUE(until([&] { return file_pixel(L"c:\\vrx_pair_grey.png", 10, 10, &w, &h) == 0x4C4C4C; })) << "0.299 x 255";
         EXPECT_EQ(file_pixel(L"c:\\vrx_pair_grey.png", 60, 10, &w, &h), 0x1D1D1Du) << "0.114 x 255";
         EXPECT_TRUE(w == 80 && h == 30) << w << " x " << h;
     }},
    {L"outside\\subdirectory\\build\\hello.exe", [](Program &p) { hello(p, WHITE); }},
    {L"outside\\package\\build\\hello_border_fill.exe", [](Program &p) { hello(p, RED); }},
};

TEST(Routines, EachDoesWhatItsCommentSays) {
    for (const Routine &r : routines) {
        SCOPED_TRACE(testing::Message() << r.exe);
        Program p;
        ASSERT_TRUE(start_program(&p, r.exe));
        press(p.main_window, {'S'});
        r.work(p);
        stop_program(&p);
    }
}
