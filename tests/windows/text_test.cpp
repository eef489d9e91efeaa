// tests/windows/text_test.cpp - what a person types into text windows and boxes: line input with its
// edits, recall and paste, one line input at a time, the console commands, the main window's prompts,
// the logs on disk, the input and button boxes, and the window report of live windows.
#include "tests/windows/harness.h"

#include <cstring>

namespace {

using Console = Toolkit;
using Logs = Toolkit;
using Boxes = Toolkit;
using Report = Toolkit;

// The clipboard's ANSI text ("" without one)
std::string clipboard_text(void) {
    std::string text;
    HANDLE h = OpenClipboard(nullptr) ? GetClipboardData(CF_TEXT) : nullptr;
    if (h) text = (const char *)GlobalLock(h), GlobalUnlock(h);
    return CloseClipboard(), text;
}
std::string log_of(int n) { return file_bytes(std::string(vrx_log_folder) + "VRXLIB" + std::to_string(n) + ".LOG"); }
void type(HWND w, const std::wstring &keys) { for (wchar_t c : keys) PostMessageW(w, WM_CHAR, c, 0); }
bool line_waits(void) { return vrx_input_owner.load() != 0; }
int cursor_x(int n) { return vrx_text_windows[n].cursor_x; }

// Reads one line in text window 0 while drive types from another thread once it waits; the line
std::string read_line(const std::function<void(HWND reading, HWND other)> &drive) {
    char line[300];
    memset(line, '#', sizeof line);
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(1, 0, 400, 200, 100), VRX_OpenTextWindow(0, 0, 0, 400, 300);
        std::thread driver([&] { if (until(line_waits)) drive(vrx_text_windows[0].window, vrx_text_windows[1].window); });
        VRX_InputText(line);
        driver.join();
    });
    EXPECT_EQ(line[256], '#') << "nothing written past the 256 bytes";
    return line;
}

// Types into text window 0 from a worker timer, once the line waits: Ctrl+V, then, once the pasted
// line shows, Ctrl let go and "!" and Enter
// NOTE: Ctrl is read in the key state of the worker, which owns the text windows.
void CALLBACK paste_then_enter(HWND, UINT, UINT_PTR id, DWORD) {
    static int state = 0;
    HWND w = vrx_text_windows[0].window;
    if (!line_waits()) return;
    if (state == 0) harness_hold_ctrl(true), PostMessageW(w, WM_KEYDOWN, 'V', 0), state = 1;
    else if (cursor_x(0) == 10 * vrx_text_windows[0].cell_width) harness_hold_ctrl(false), type(w, L"!\r"), KillTimer(nullptr, id), state = 0;
}

}  // namespace

TEST_F(Console, KeysIntoAnotherWindowReachTheWaitingLineUpRecallsItCtrlVPastesOneLineAndClosingEndsIt) {
    EXPECT_EQ(read_line([](HWND, HWND other) { type(other, L"xy\r"); }), "xy");
    EXPECT_EQ(read_line([](HWND w, HWND other) {
                  PostMessageW(other, WM_KEYDOWN, VK_UP, 0);
                  until([] { return cursor_x(0) == 2 * vrx_text_windows[0].cell_width; });
                  type(w, L"\r");
              }), "xy");
    const wchar_t text[] = L"first line\r\nsecond line";
    put_clipboard(CF_UNICODETEXT, text, sizeof text);
    char line[256] = "unset";
    harness_run_on_worker([&] { VRX_OpenTextWindow(0, 0, 0, 400, 300), SetTimer(nullptr, 0, 5, paste_then_enter), VRX_InputText(line); });
    EXPECT_STREQ(line, "first line!");
    EXPECT_EQ(read_line([](HWND w, HWND) { type(w, L"abc"), PostMessageW(w, WM_CLOSE, 0, 0); }), "");
    EXPECT_EQ(status_text(), "32-bit color") << "the status line is given back";
}

TEST_F(Console, APromptAskedWhileAnotherWaitsIsRefusedAndTheWaitingOneKeepsItsAnswer) {
    harness_run_on_worker([] { VRX_OpenInputBox(0, 0, 2); });
    std::string refused;
    bool printed = true;
    std::thread second([&] {
        if (!until(line_waits)) return;
        int x = cursor_x(0);
        PostMessageW(vrx_input_box_window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 30));   // a rename of item 1 on the worker
        until([&] { return (refused = status_text()) == "Another prompt is waiting"; });
        printed = cursor_x(0) != x;
        type(vrx_text_windows[0].window, L"4\r");
    });
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_INPUTBOX, 0);   // "How many items? >" waits on this thread
    second.join();
    EXPECT_TRUE(harness_pump_until([] { return vrx_input_box.items == 4; })) << "the first prompt's answer";
    EXPECT_EQ(refused, "Another prompt is waiting");
    EXPECT_FALSE(printed) << "the refused rename printed no prompt";
}

TEST_F(Console, TheMainWindowsPromptsCreateTheLowestFreeNumberAndAClosedConsoleCreatesNothing) {
    harness_run_on_worker([] { VRX_CreateImage(0, "taken", 0, 0, 200, 100, 100); });
    std::thread answers = harness_answer_prompts({L" 320", L"240x", L"8"});
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    answers.join();
    EXPECT_EQ(window_text(vrx_images[1].window), L"001(100%)[8bit]");
    EXPECT_EQ(VRX_GetImageWidth(1) * 1000 + VRX_GetImageHeight(1), 320240);
    std::thread closer([] {
        if (until(line_waits)) PostMessageW(vrx_text_windows[0].window, WM_CLOSE, 0, 0);
    });
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_INPUTBOX, 0);   // an empty answer would give one item
    closer.join();
    harness_run_on_worker([] {});
    EXPECT_EQ(vrx_input_box_window, nullptr);
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    EXPECT_TRUE(harness_pump_until([] { return text_window_open(0) && !text_window_open(1); }));
}

TEST_F(Logs, HoldWhatWasPrintedAndTypedWhileLoggingAndStartAfreshOnlyOnceClosed) {
    harness_run_on_worker([] {
        VRX_OpenTextWindow(9, 0, 0, 400, 300);
        int first = VRX_StartLog(9);
        EXPECT_EQ(first * 10 + VRX_StartLog(9), 1) << "started, then already logging";
        VRX_Printf("one\n"), VRX_StopLog(9), VRX_Printf("hidden\n"), VRX_StartLog(9), VRX_Printf("Name=");
    });
    std::thread answer = harness_answer_prompts({L"bob"});
    harness_run_on_worker([] {
        char line[256];
        VRX_InputText(line);
        EXPECT_EQ(VRX_CopyLog(9), 0);
        VRX_Printf("after\n");
    });
    answer.join();
    EXPECT_EQ(clipboard_text(), "one\r\nName=bob\r\n");
    harness_run_on_worker([] {
        VRX_CloseLogs();
        EXPECT_EQ(log_of(9), "one\r\nName=bob\r\nafter\r\n");
        VRX_StartLog(9), VRX_Printf("fresh\n");
        VRX_OpenTextWindow(5, 0, 0, 300, 200), VRX_StartLog(5), VRX_SelectTextWindow(5), VRX_Printf("first\n");
        VRX_CloseTextWindow(5), VRX_CloseLogs();   // the log of the closed window 5 stays open for its number
        VRX_OpenTextWindow(5, 0, 0, 300, 200), VRX_SelectTextWindow(5), VRX_Printf("again\n");
    });
    EXPECT_EQ(log_of(9), "fresh\r\n");
    EXPECT_EQ(log_of(5), "first\r\nagain\r\n");
}

TEST_F(Logs, ALogThatCannotBeMadeReadOrCopiedSaysSoAndACopyThatFailsKeepsTheClipboard) {
    std::vector<std::wstring> seen;
    harness_run_on_worker([] { VRX_OpenTextWindow(6, 0, 0, 300, 200), VRX_StartLog(6), VRX_SelectTextWindow(6), VRX_Printf("x\n"); });
    // A log of 1 TB (sparse): no block can hold it; while the first box shows, the log is held against
    // writing, so that its reopening fails as well
    std::string path = std::string(vrx_log_folder) + "VRXLIB6.LOG";
    HANDLE grow = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr), hold = nullptr;
    LARGE_INTEGER end = {{0, 1 << 8}};
    SetFilePointerEx(grow, end, nullptr, FILE_BEGIN), SetEndOfFile(grow), CloseHandle(grow), put_text_on_clipboard(vrx_main_window, "keep me");
    int copy = -1, state = -1, start = -1, copy_none = -1;
    std::thread boxes([&] {
        for (HWND box; seen.size() < 4 && (box = find_dialog(vrx_worker_id)) != nullptr; until([box] { return !IsWindow(box); })) {
            seen.push_back(dialog_text(box)), PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (!hold) hold = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        }
    });
    harness_run_on_worker([&] {
        copy = VRX_CopyLog(6), state = log_state(6);
        strcpy(vrx_log_folder, "C:\\no_such_folder_for_logs\\");
        start = VRX_StartLog(6), copy_none = VRX_CopyLog(6);
    });
    boxes.join(), CloseHandle(hold);
    EXPECT_EQ((std::vector<int>{copy, state, start, copy_none}), (std::vector<int>{3, 0, 2, 2}));
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Pause: No enough memory (copy log)", L"Pause: Can't reopen LOG file!",
                                               L"Error: Can't create file for LOG!", L"Pause: Can't open LOG file!"}));
    EXPECT_EQ(clipboard_text(), "keep me");
    DeleteFileA(path.c_str());
}

TEST_F(Boxes, TheInputBoxKeepsAValueWhenItsFieldIsLeftOrEnterIsPressedAndSelectsItemZeroOnReturn) {
    std::string after_tab, after_enter;
    DWORD start = 9, end = 9;
    harness_run_on_worker([&] {
        VRX_OpenInputBox(0, 0, 4);
        HWND *e = vrx_input_box.edits;
        SetWindowTextW(e[0], L"abcd"), SetFocus(e[2]), SetWindowTextW(e[2], L"12");
        PostMessageW(e[2], WM_KEYDOWN, VK_TAB, 0), VRX_PumpMessages(), after_tab = VRX_GetInputBoxText(2);
        SetWindowTextW(e[3], L"-7x"), PostMessageW(e[3], WM_KEYDOWN, VK_RETURN, 0), VRX_PumpMessages(), after_enter = VRX_GetInputBoxText(3);
        HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 400, 400, 100, 24, nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(other), VRX_PumpMessages(), SetActiveWindow(vrx_input_box_window), VRX_PumpMessages();
        SendMessageW(e[0], EM_GETSEL, (WPARAM)&start, (LPARAM)&end), DestroyWindow(other);
    });
    EXPECT_EQ(after_tab + "," + after_enter, "12,-7x");
    EXPECT_EQ(VRX_GetInputBoxValue(3), -7);
    EXPECT_EQ(start + end * 10, 40u) << "item 0's whole text selected";
    harness_run_on_worker([] { VRX_CloseInputBox(); });
    EXPECT_STREQ(VRX_GetInputBoxText(2), "") << "the values go with the box";
}

TEST_F(Boxes, ADoubleClickRenamesTheRowsItemAndTheButtonBoxCountsClicksAndDigits) {
    harness_run_on_worker([] { VRX_OpenInputBox(0, 0, 3), VRX_OpenButtonBox(300, 0, 3, 2); });
    std::thread answer = harness_answer_prompts({L"Speed"});
    harness_run_on_worker([] { PostMessageW(vrx_input_box_window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 30)); });
    harness_run_on_worker([] {}), answer.join();
    EXPECT_EQ(window_text(vrx_input_box.labels[1]), L"Speed");
    HWND focus = nullptr;
    harness_run_on_worker([&] {
        for (int b : {4, 4, 1}) SendMessageW(vrx_button_box.buttons[b], BM_CLICK, 0, 0);
        SendMessageW(vrx_button_box_window, WM_CHAR, '3', 0), VRX_PumpMessages();
        focus = GetFocus();
    });
    EXPECT_EQ((std::vector<int>{VRX_GetButtonBoxCount(4), VRX_GetButtonBoxCount(1), VRX_GetButtonBoxCount(3)}), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(focus, vrx_button_box_window) << "the focus goes back to the box";
    harness_run_on_worker([] { VRX_CloseButtonBox(), VRX_OpenButtonBox(0, 0, 3, 2); });
    EXPECT_EQ(VRX_GetButtonBoxCount(4), 0) << "a new box counts from 0";
}

// The report of live windows names each as it is, on the clipboard; printed into the console, its plain
// lines are white on black whatever colours the console had, and it gets them back
TEST_F(Report, TheSourceRebuildsEachWindowAsItIsAndTheConsoleKeepsItsColours) {
    int red = -1;
    harness_run_on_worker([] {
        VRX_OpenTextWindow(0, 500, 40, 320, 200), VRX_PushTextColor(0x0000FF, 0xFF0000);   // blue on red
        VRX_CreateImage8(3, "a \"q\" c:\\dir", 20, 30, 200, 150, 100);
        VRX_OpenInputBox(60, 300, 3), VRX_ResizeInputBox(130, 85), VRX_SetInputBoxTitle(1, "\x95\x5C label");   // ends in a backslash byte
        VRX_OpenButtonBox(320, 300, 3, 2), VRX_ResizeButtonBox(400, 120), VRX_SetButtonBoxTitle(4, "\x83\x5C\x83\x74\x83\x67\nNow");
    });
    harness_command(vrx_text_windows[0].window, IDM_WINDOWINFO);
    std::string source = clipboard_text();
    for (const char *call : {"VRX_CreateImage8(3,\"a \\\"q\\\" c:\\\\dir\",20,30,200,150,100);", "VRX_OpenTextWindow(0,500,40,320,200);", "VRX_OpenInputBox(60,300,3);",
                             "VRX_ResizeInputBox(130,85);", "VRX_SetInputBoxTitle(1,\"\x95\x5C label\");", "VRX_OpenButtonBox(320,300,3,2);", "VRX_ResizeButtonBox(400,120);",
                             "VRX_SetButtonBoxTitle(4,\"\x83\x5C\x83\x74\x83\x67\\nNow\");"})
        EXPECT_NE(source.find(std::string("\t") + call + "\n"), std::string::npos) << call;
    harness_run_on_worker([&] {
        TextWindowRecord &r = vrx_text_windows[0];
        red = (r.text_color != 0x0000FF) + (r.back_color != 0xFF0000);
        for (int i = 0; i < r.width * r.height; i++) red += GetPixel(r.memory_dc, i % r.width, i / r.width) == RGB(255, 0, 0);
    });
    EXPECT_EQ(red, 0);
}
