// tests/windows/text_console_test.cpp - what a person does to a text window: its keys and shortcuts,
// the pop-up menu and its check marks, Ctrl+V into a line, the status line while a line waits,
// resizing, scrolling, the log error messages, and the main window's creation prompts.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class Console : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(harness_start(), 0); }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }
};

bool line_waits(void) { return vrx_input_owner.load(std::memory_order_acquire) != 0; }

// The status line without its centring spaces
std::string status(void) {
    char text[128] = "";
    GetWindowTextA(vrx_status_window, text, sizeof text);
    std::string s = text;
    size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// True when any pixel of the row of cells starting at y of text window n is not black
bool row_has_ink(int n, int y) {
    TextWindowRecord &r = vrx_text_windows[n];
    for (int j = 0; j < r.cell_height; j++)
        for (int x = 0; x < r.width; x++)
            if ((GetPixel(r.memory_dc, x, y + j) & 0xFFFFFF) != 0) return true;
    return false;
}

// Puts Unicode text on the clipboard
void put_text(const wchar_t *text) {
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(vrx_main_window));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

// One item of an open pop-up menu
struct Item {
    std::wstring text;
    UINT id;
    bool checked;
};

// Reads the pop-up menu that the worker thread opens, then dismisses it (from another thread)
std::thread read_popup_when_open(std::vector<Item> *items) {
    return std::thread([items] {
        HWND popup = nullptr;
        if (!harness_wait_for([&] { return (popup = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(popup); }))
            return;
        HMENU menu = (HMENU)SendMessageW(popup, MN_GETHMENU, 0, 0);
        for (int i = 0; menu && i < GetMenuItemCount(menu); i++) {
            wchar_t text[128] = L"";
            MENUITEMINFOW info = {sizeof info};
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 128;
            GetMenuItemInfoW(menu, (UINT)i, TRUE, &info);
            items->push_back({(info.fType & MFT_SEPARATOR) ? L"" : text, info.wID, (info.fState & MFS_CHECKED) != 0});
        }
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    });
}

}  // namespace

// The window a worker-thread timer finishes typing into
HWND finish_window;

TEST_F(Console, CtrlVTakesOnlyTheFirstLineOfTheClipboardText) {
    put_text(L"first line\r\nsecond line");
    char line[256] = "unset";
    std::string while_waiting;
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        finish_window = vrx_text_windows[0].window;
        harness_hold_ctrl(true);   // the text window reads Ctrl on its own thread
        std::thread typist([&] {
            if (!harness_wait_for(line_waits)) return;
            while_waiting = status();
            PostMessageW(finish_window, WM_KEYDOWN, 'V', 0);
        });
        // Characters typed with Ctrl down are not text: Ctrl is let go on this thread before the rest.
        SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            harness_hold_ctrl(false);
            PostMessageW(finish_window, WM_CHAR, L'!', 0);
            PostMessageW(finish_window, WM_CHAR, L'\r', 0);
        });
        VRX_InputText(line);
        typist.join();
    }));
    EXPECT_STREQ(line, "first line!");
    EXPECT_EQ(while_waiting, "Input text");
    EXPECT_EQ(status(), "32-bit color");
}

TEST_F(Console, SpacePrintsTheCaptureLineAndSIsForwardedToTheMainWindow) {
    std::atomic<int> started{0};
    EXPECT_TRUE(harness_run_on_worker([] { ASSERT_EQ(VRX_OpenTextWindow(2, 0, 0, 400, 300), 0); }));
    TextWindowRecord &r = vrx_text_windows[2];
    PostMessageW(r.window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(harness_pump_until([&] { return r.cursor_y == r.cell_height; }, 3000)) << "\"caputure\\n\" ends its row";
    EXPECT_TRUE(row_has_ink(2, 0));
    // S in a text window reaches the main window, where it starts the user routine.
    harness_user_routine = [&] { started = 1; };
    PostMessageW(r.window, WM_KEYDOWN, 'S', 0);
    EXPECT_TRUE(harness_pump_until([&] { return started.load() == 1; }, 5000));
    harness_pump_until([] { return vrx_running.load() == 0; }, 3000);
    harness_user_routine = nullptr;
}

TEST_F(Console, CtrlShortcutsSelectAndDestroyTheWindow) {
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_OpenTextWindow(4, 0, 0, 200, 200), 0);
        ASSERT_EQ(VRX_OpenTextWindow(6, 0, 0, 200, 200), 0);
        ASSERT_EQ(vrx_current_text_window, 6);
        harness_hold_ctrl(true);
        PostMessageW(vrx_text_windows[4].window, WM_KEYDOWN, 'S', 0);
        for (int i = 0; i < 50; i++) pump_messages(), Sleep(2);
        EXPECT_EQ(vrx_current_text_window, 4) << "Ctrl+S selects";
        PostMessageW(vrx_text_windows[6].window, WM_KEYDOWN, 'Q', 0);
        for (int i = 0; i < 50; i++) pump_messages(), Sleep(2);
        EXPECT_FALSE(text_window_open(6)) << "Ctrl+Q destroys";
        // Plain Q does nothing.
        harness_hold_ctrl(false);
        PostMessageW(vrx_text_windows[4].window, WM_KEYDOWN, 'Q', 0);
        for (int i = 0; i < 50; i++) pump_messages(), Sleep(2);
        EXPECT_TRUE(text_window_open(4));
    }));
}

TEST_F(Console, PopUpMenuShowsItsItemsWithSelectAndLogCheckMarks) {
    strcpy(vrx_log_folder, "C:\\");
    std::vector<Item> items;
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_OpenTextWindow(3, 0, 0, 300, 200), 0);
        ASSERT_EQ(VRX_StartLog(3), 0);
        std::thread reader = read_popup_when_open(&items);
        SendMessageW(vrx_text_windows[3].window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
        reader.join();
        VRX_CloseLogs();
    }));
    ASSERT_EQ(items.size(), 11u);
    const wchar_t *texts[] = {L"&Select\tCtrl+S", L"&Window Info.\tCtrl+W", L"Command", L"", L"Start Log",
                              L"Stop Log", L"&Copy VRXLIB3.LOG\tCtrl+C", L"", L"&About VRXLIB\tCtrl+A", L"",
                              L"&Destroy\tCtrl+Q"};
    for (size_t i = 0; i < items.size(); i++) EXPECT_EQ(items[i].text, texts[i]) << "item " << i;
    EXPECT_TRUE(items[0].checked) << "the current window";
    EXPECT_TRUE(items[4].checked) << "logging";
    EXPECT_FALSE(items[5].checked);
    DeleteFileA("C:\\VRXLIB3.LOG");
}

TEST_F(Console, ResizingClearsTheWindowAndStartsAgainAtTheTopLeft) {
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        VRX_Printf("some text\nmore");
        TextWindowRecord &r = vrx_text_windows[0];
        ASSERT_TRUE(row_has_ink(0, 0));
        RECT outer = {0, 0, 320, 200};
        AdjustWindowRect(&outer, GetWindowLongW(r.window, GWL_STYLE), FALSE);
        SetWindowPos(r.window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(r.width, 320);
        EXPECT_EQ(r.height, 200);
        EXPECT_EQ(r.cursor_x, 0);
        EXPECT_EQ(r.cursor_y, 0);
        EXPECT_FALSE(row_has_ink(0, 0));
        VRX_Printf("x");
        EXPECT_TRUE(row_has_ink(0, 0));
    }));
}

TEST_F(Console, ScrollingMovesRowsUpAndExposesBlackRows) {
    EXPECT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        TextWindowRecord &r = vrx_text_windows[0];
        int rows = r.height / r.cell_height;
        for (int i = 0; i < rows + 3; i++) VRX_Printf(i % 2 ? "\n" : "ink\n");   // ink on even lines
        // Once scrolling has started the cursor row stays put, black; the rows above keep alternating.
        int bottom = r.cursor_y;
        EXPECT_LE(bottom + r.cell_height, r.height);
        VRX_Printf("ink\n\n");
        EXPECT_EQ(r.cursor_y, bottom);
        EXPECT_FALSE(row_has_ink(0, r.cursor_y));
        int above = r.cursor_y - r.cell_height, two_above = r.cursor_y - 2 * r.cell_height;
        EXPECT_NE(row_has_ink(0, above), row_has_ink(0, two_above));
    }));
}

TEST_F(Console, LogThatCannotBeCreatedOrReadSaysSo) {
    strcpy(vrx_log_folder, "C:\\no_such_folder_for_logs\\");
    std::wstring create_message, copy_message;
    int start = -1, copy = -1;
    EXPECT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_OpenTextWindow(1, 0, 0, 300, 200), 0);
        auto dismiss = [](const wchar_t *title, std::wstring *text) {
            return std::thread([title, text] {
                HWND box = nullptr;
                if (!harness_wait_for([&] { return (box = FindWindowW(L"#32770", title)) != nullptr; })) return;
                wchar_t t[128] = L"";
                GetWindowTextW(GetDlgItem(box, 0xFFFF), t, 128);
                *text = t;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            });
        };
        std::thread first = dismiss(L"Error", &create_message);
        start = VRX_StartLog(1);
        first.join();
        std::thread second = dismiss(L"Pause", &copy_message);
        copy = VRX_CopyLog(1);
        second.join();
    }));
    EXPECT_EQ(start, 2);
    EXPECT_EQ(create_message, L"Can't create file for LOG!");
    EXPECT_EQ(log_state(1), 0);
    EXPECT_EQ(copy, 2);
    EXPECT_EQ(copy_message, L"Can't open LOG file!");
}

TEST_F(Console, ImageWindowPromptsCreateTheLowestFreeNumber) {
    EXPECT_TRUE(harness_run_on_worker([] { ASSERT_EQ(VRX_CreateImage(0, "taken", 0, 0, 200, 100, 100), 0); }));
    std::thread answers = harness_answer_prompts({L" 320", L"240x", L"8"});
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    answers.join();
    ASSERT_TRUE(image_exists(1));
    EXPECT_EQ(VRX_GetImageWidth(1), 320);
    EXPECT_EQ(VRX_GetImageHeight(1), 240);
    EXPECT_EQ(VRX_GetImageDepth(1), 8);
    wchar_t caption[64] = L"";
    GetWindowTextW(vrx_images[1].window, caption, 64);
    EXPECT_STREQ(caption, L"001(100%)[8bit]");
    // A depth other than 8 or 32 ends the command quietly.
    answers = harness_answer_prompts({L"10", L"10", L"16"});
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    answers.join();
    EXPECT_FALSE(image_exists(2));
}

TEST_F(Console, ClosingTheConsoleDuringAPromptCancelsTheCreation) {
    std::thread closer([] {
        if (!harness_wait_for(line_waits)) return;
        HWND w = vrx_text_windows[0].window;
        for (wchar_t c : std::wstring(L"3\r")) PostMessageW(w, WM_CHAR, c, 0);   // "Number[X]=>" 3
        harness_wait_for([] { return !line_waits(); });
        if (!harness_wait_for(line_waits)) return;
        PostMessageW(w, WM_CLOSE, 0, 0);                                        // "Number[Y]=>" never answered
    });
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_BUTTONBOX, 0);
    closer.join();
    harness_pump(200);
    EXPECT_EQ(vrx_button_box_window, nullptr) << "no box of 3 x 0 or of any size";
}

TEST_F(Console, InputBoxPromptOpensTheBoxWithTheTypedCount) {
    std::thread answers = harness_answer_prompts({L"4"});
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_INPUTBOX, 0);
    answers.join();
    harness_pump(200);
    ASSERT_NE(vrx_input_box_window, nullptr);
    EXPECT_EQ(vrx_input_box.items, 4);
}

TEST_F(Console, APromptAskedWhileAnotherWaitsIsRefusedAndTheWaitingOneKeepsItsAnswer) {
    EXPECT_TRUE(harness_run_on_worker([] { VRX_OpenInputBox(0, 0, 2); }));
    HWND box = vrx_input_box_window;
    std::string refused;
    bool printed = true;
    char direct[256] = "unset";
    std::thread second([&] {
        if (!harness_wait_for(line_waits)) return;
        TextWindowRecord &r = vrx_text_windows[0];
        int x = r.cursor_x, y = r.cursor_y;
        PostMessageW(box, WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 30));   // a rename of item 1 on the worker
        harness_wait_for([] { return status() == "Another prompt is waiting"; });
        refused = status();
        printed = r.cursor_x != x || r.cursor_y != y;
        if (refused == "Another prompt is waiting") VRX_InputText(direct);   // straight from a routine's thread
        for (wchar_t c : std::wstring(L"4\r")) PostMessageW(r.window, WM_CHAR, c, 0);
    });
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_INPUTBOX, 0);   // "How many items? >" waits on this thread
    second.join();
    EXPECT_TRUE(harness_pump_until([] { return vrx_input_box.items == 4; }, 5000)) << "the first prompt's answer";
    EXPECT_EQ(refused, "Another prompt is waiting");
    EXPECT_FALSE(printed) << "the refused rename printed no prompt";
    EXPECT_STREQ(direct, "");
}

TEST_F(Console, TextWindowCommandOpensTheLowestFreeNumberAndShowConsoleCentresWindowZero) {
    EXPECT_TRUE(harness_run_on_worker([] {
        VRX_ShowConsole();
        ASSERT_TRUE(text_window_open(0));
        RECT r;
        GetWindowRect(vrx_text_windows[0].window, &r);
        EXPECT_EQ(r.left, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 200);
        EXPECT_EQ(r.top, GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 150);
        EXPECT_EQ(vrx_text_windows[0].width, 400);
        ASSERT_EQ(VRX_OpenTextWindow(2, 0, 0, 100, 100), 0);
    }));
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    EXPECT_TRUE(harness_pump_until([] { return text_window_open(1); }, 3000)) << "1 is the lowest free number";
    SendMessageW(vrx_main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    EXPECT_TRUE(harness_pump_until([] { return text_window_open(3); }, 3000));
    EXPECT_EQ(vrx_text_windows[3].width, 400) << "the default size";
}
