// tests/windows/shell_menu_test.cpp - the main window's pop-up menu, its greying, and its keys.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One item of a menu as the person sees it
struct SeenItem {
    std::wstring text;   // empty for a separator
    UINT id;
    bool greyed;
};

std::vector<SeenItem> seen_items;
bool menu_seen;

// Timer callback that runs inside TrackPopupMenu's modal loop: reads the open menu and closes it
void CALLBACK read_open_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup) return;
    HMENU menu = (HMENU)SendMessageW(popup, MN_GETHMENU, 0, 0);
    if (!menu) return;
    KillTimer(nullptr, timer);
    menu_seen = true;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {sizeof info};
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(menu, (UINT)i, TRUE, &info);
        seen_items.push_back({(info.fType & MFT_SEPARATOR) ? L"" : text, info.wID,
                              (info.fState & MFS_GRAYED) != 0});
    }
    EndMenu();
}

// Right-clicks the main window and returns what its pop-up menu showed (nothing if none opened)
std::vector<SeenItem> right_click_menu(void) {
    seen_items.clear();
    menu_seen = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, read_open_menu);
    SendMessageW(vrx_main_window, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    KillTimer(nullptr, timer);
    return seen_items;
}

const UINT greyable[] = {IDM_PASTE, IDM_START, IDM_IMAGEWINDOW, IDM_TEXTWINDOW, IDM_INPUTBOX,
                         IDM_BUTTONBOX, IDM_WINDOWINFO};

bool is_greyable(UINT id) {
    for (UINT g : greyable) if (g == id) return true;
    return false;
}

class MainWindowMenu : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(harness_start(), 0); }
    void TearDown() override {
        vrx_input_owner.store(0);
        vrx_waiting.store(0);
        harness_hold_ctrl(false);
        EXPECT_TRUE(harness_exit());
    }
};

}  // namespace

TEST_F(MainWindowMenu, ShowsTheTwelveItemsInOrderAllEnabledWhenIdle) {
    std::vector<SeenItem> items = right_click_menu();
    const wchar_t *texts[] = {L"Paste\tCtrl+V", L"", L"Start", L"Stop", L"E&xit", L"", L"Image Window",
                              L"Text Window", L"Input Box", L"Button Box", L"", L"&Window Info.\tCtrl+W"};
    const UINT ids[] = {IDM_PASTE, 0, IDM_START, IDM_STOP, IDM_EXIT, 0, IDM_IMAGEWINDOW, IDM_TEXTWINDOW,
                        IDM_INPUTBOX, IDM_BUTTONBOX, 0, IDM_WINDOWINFO};
    ASSERT_EQ(items.size(), 12u);
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(items[i].text, texts[i]) << "position " << i;
        if (ids[i]) {
            EXPECT_EQ(items[i].id, ids[i]) << "position " << i;
        }
        EXPECT_FALSE(items[i].greyed) << "position " << i;
    }
}

TEST_F(MainWindowMenu, GreysAllButStopAndExitWhileALineInputWaits) {
    vrx_input_owner.store(1);
    std::vector<SeenItem> items = right_click_menu();
    ASSERT_EQ(items.size(), 12u);
    for (const SeenItem &item : items) {
        if (item.text.empty()) continue;
        EXPECT_EQ(item.greyed, is_greyable(item.id)) << std::string(item.text.begin(), item.text.end());
    }
}

TEST_F(MainWindowMenu, GreysAllButStopAndExitWhileTheUserRoutineRuns) {
    std::atomic<int> release{0};
    harness_user_routine = [&] { while (release.load() == 0) Sleep(5); };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 1; }, 3000));
    std::vector<SeenItem> items = right_click_menu();
    release = 1;
    harness_pump_until([] { return vrx_running.load() == 0; }, 3000);
    ASSERT_EQ(items.size(), 12u);
    for (const SeenItem &item : items)
        if (!item.text.empty()) {
            EXPECT_EQ(item.greyed, is_greyable(item.id));
        }
}

TEST_F(MainWindowMenu, ShowsNothingWhileAPointToolWaitsForClicks) {
    vrx_waiting.store(1);
    right_click_menu();
    EXPECT_FALSE(menu_seen);
}

TEST_F(MainWindowMenu, IgnoresCtrlSAndCtrlXButStartsOnS) {
    harness_hold_ctrl(true);
    SendMessageW(vrx_main_window, WM_KEYDOWN, 'S', 0);
    SendMessageW(vrx_main_window, WM_KEYDOWN, 'X', 0);
    EXPECT_EQ(vrx_start_request.load() + vrx_running.load(), 0);
    EXPECT_EQ(vrx_quit.load(), 0);
    EXPECT_TRUE(IsWindow(vrx_main_window));
    harness_hold_ctrl(false);

    std::atomic<int> runs{0};
    harness_user_routine = [&] { runs++; };
    SendMessageW(vrx_main_window, WM_KEYDOWN, 'S', 0);
    SendMessageW(vrx_main_window, WM_KEYDOWN, 'S', 0);
    harness_pump(300);
    EXPECT_EQ(runs.load(), 1) << "S twice before the worker's next pass runs the routine once";
    EXPECT_EQ(vrx_running.load(), 0);
}

TEST_F(MainWindowMenu, StopSetsTheStopFlagThatTheRoutineSees) {
    std::atomic<int> saw_stop{0};
    harness_user_routine = [&] {
        for (int i = 0; i < 2000 && vrx_stop.load(std::memory_order_acquire) == 0; i++) Sleep(1);
        saw_stop = vrx_stop.load();
    };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    harness_pump_until([] { return vrx_running.load() == 1; }, 3000);
    SendMessageW(vrx_main_window, WM_KEYDOWN, 'C', 0);
    harness_pump_until([] { return vrx_running.load() == 0; }, 3000);
    EXPECT_EQ(saw_stop.load(), 1);
    EXPECT_EQ(vrx_stop.load(), 0) << "the worker clears Stop after the routine returns";
}
