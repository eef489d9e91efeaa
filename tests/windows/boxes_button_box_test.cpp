// tests/windows/boxes_button_box_test.cpp - the button box in-process: opening, counts, keys, sizing.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"
#include "tests/windows/boxes_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The push buttons of the box, in creation order
static std::vector<HWND> buttons_of(HWND box) {
    std::vector<HWND> found;
    EnumChildWindows(box, [](HWND c, LPARAM lp) -> BOOL {
        ((std::vector<HWND> *)lp)->push_back(c);
        return TRUE;
    }, (LPARAM)&found);
    return found;
}

// The UTF-16 text of a window
static std::wstring text_of(HWND w) {
    wchar_t t[1024] = {};
    GetWindowTextW(w, t, 1024);
    return t;
}

// The rectangle of child c in its parent's client coordinates
static RECT child_rect(HWND parent, HWND c) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, parent, (POINT *)&r, 2);
    return r;
}

// The client size of w
static SIZE client_size(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
}

// Runs body on the worker thread and fails the test when it does not return
static void on_worker(const std::function<void()> &body) { ASSERT_TRUE(harness_run_on_worker(body)); }

TEST(ButtonBox, SixteenBySixteenGives256ButtonsNumberedRowByRow) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenButtonBox(30, 40, 16, 16); });
    HWND box = FindWindowW(L"vrx_bb", L"ButtonBox");
    ASSERT_NE(box, nullptr);
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(GetWindow(box, GW_OWNER), vrx_main_window);
    std::vector<HWND> b = buttons_of(box);
    ASSERT_EQ(b.size(), 256u);
    for (int i = 0; i < 256; i++) ASSERT_EQ(text_of(b[i]), std::to_wstring(i));
    // NOTE: 16 columns of 98-pixel buttons are wider than the 1280-pixel test screen; the system keeps
    //       the window within its largest tracking size, and the buttons share what is left.
    RECT b0 = child_rect(box, b[0]);
    int bw = b0.right - b0.left, bh = b0.bottom - b0.top;
    EXPECT_EQ(bw, (client_size(box).cx - (16 * 4 + 4)) / 16);
    EXPECT_EQ(bh, 26);
    RECT b17 = child_rect(box, b[17]);   // row 1, column 1
    EXPECT_EQ(b17.left, bw + 8);
    EXPECT_EQ(b17.top, bh + 8);
    RECT b255 = child_rect(box, b[255]);
    EXPECT_EQ(b255.left, 15 * (bw + 4) + 4);
    EXPECT_EQ(b255.top, 15 * (bh + 4) + 4);
    EXPECT_NE(GetWindowLongW(b[0], GWL_STYLE) & BS_MULTILINE, 0);
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, CountsBeyond256OrBelowOneOpenNothing) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 16, 17);
        VRX_OpenButtonBox(0, 0, 0, 3);
        VRX_OpenButtonBox(0, 0, 3, -1);
        VRX_OpenButtonBox(0, 0, 65536, 65536);
    });
    EXPECT_EQ(vrx_button_box_window, nullptr);
    EXPECT_EQ(FindWindowW(L"vrx_bb", nullptr), nullptr);
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, ClicksCountPerButtonAndGiveTheFocusBackToTheBox) {
    ASSERT_EQ(harness_start(), 0);
    HWND focus = nullptr;
    on_worker([&] {
        VRX_OpenButtonBox(0, 0, 3, 2);
        std::vector<HWND> b = buttons_of(vrx_button_box_window);
        SendMessageW(b[4], BM_CLICK, 0, 0);
        SendMessageW(b[4], BM_CLICK, 0, 0);
        SendMessageW(b[1], BM_CLICK, 0, 0);
        pump_messages();
        focus = GetFocus();
    });
    EXPECT_EQ(VRX_GetButtonBoxCount(4), 2);
    EXPECT_EQ(VRX_GetButtonBoxCount(1), 1);
    EXPECT_EQ(VRX_GetButtonBoxCount(0), 0);
    EXPECT_EQ(VRX_GetButtonBoxCount(5), 0);
    EXPECT_EQ(focus, vrx_button_box_window);
    VRX_ClearButtonBoxCount(4);
    EXPECT_EQ(VRX_GetButtonBoxCount(4), 0);
    on_worker([] {
        VRX_CloseButtonBox();
        VRX_OpenButtonBox(0, 0, 3, 2);
    });
    EXPECT_EQ(VRX_GetButtonBoxCount(1), 0) << "a new box starts counting from 0";
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, DigitKeyCountsThatButtonEvenInASmallerBox) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 1, 1);
        SendMessageW(vrx_button_box_window, WM_CHAR, '3', 0);
        SendMessageW(vrx_button_box_window, WM_CHAR, '0', 0);
        SendMessageW(vrx_button_box_window, WM_CHAR, 'a', 0);
    });
    EXPECT_EQ(VRX_GetButtonBoxCount(3), 1);
    EXPECT_EQ(VRX_GetButtonBoxCount(0), 1);
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, StopKeyReachesTheMainWindow) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenButtonBox(0, 0, 2, 2); });
    vrx_stop.store(0);
    PostMessageW(vrx_button_box_window, WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(harness_pump_until([] { return vrx_stop.load() == 1; }, 5000));
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, EscapeAfterAButtonClickStillEndsTheProgram) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 1);
        SendMessageW(buttons_of(vrx_button_box_window)[0], BM_CLICK, 0, 0);
    });
    // The box has the focus back: the key a person presses next arrives at the box.
    PostMessageW(vrx_button_box_window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(harness_pump_until([] { return vrx_quit.load() != 0; }, 5000));
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, WideningTwoByOneByNinePixelsWidensEachButtonByFour) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 1);
        RECT r;
        GetWindowRect(vrx_button_box_window, &r);
        SetWindowPos(vrx_button_box_window, nullptr, 0, 0, r.right - r.left + 9, r.bottom - r.top + 31,
                     SWP_NOMOVE | SWP_NOZORDER);
    });
    std::vector<HWND> b = buttons_of(vrx_button_box_window);
    RECT b1 = child_rect(vrx_button_box_window, b[1]);
    EXPECT_EQ(b1.right - b1.left, 102);
    EXPECT_EQ(b1.left, 4 + 106);
    EXPECT_EQ(b1.bottom - b1.top, 26 + 31) << "one row takes all the height";
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, ResizeAndCaptionsRebuildTheLook) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 2);
        VRX_ResizeButtonBox(300, 100);
        VRX_SetButtonBoxTitle(1, "Start\nNow");
        VRX_SetButtonBoxTitle(2, "\x83\x5C\x83\x74\x83\x67");   // "ソフト" in cp932
        VRX_SetButtonBoxTitle(4, "no such button");
    });
    HWND box = vrx_button_box_window;
    EXPECT_EQ(client_size(box).cx, 300);
    EXPECT_EQ(client_size(box).cy, 100);
    std::vector<HWND> b = buttons_of(box);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(text_of(b[1]), L"Start\nNow");
    EXPECT_EQ(text_of(b[2]), L"\x30BD\x30D5\x30C8");
    RECT b3 = child_rect(box, b[3]);
    EXPECT_EQ(b3.right - b3.left, (300 - 12) / 2);
    EXPECT_EQ(b3.bottom - b3.top, (100 - 12) / 2);
    on_worker([] {
        VRX_CloseButtonBox();
        VRX_OpenButtonBox(0, 0, 1, 1);
    });
    EXPECT_EQ(client_size(vrx_button_box_window).cx, 144 + 8) << "a new box keeps the button size";
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBox, DestroyCommandAndCloseBoxForgetTheBox) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 2);
        SendMessageW(vrx_button_box_window, WM_COMMAND, IDM_BB_DESTROY, 0);
    });
    EXPECT_EQ(vrx_button_box_window, nullptr);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 2);
        SendMessageW(vrx_button_box_window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(vrx_button_box_window, nullptr);
    EXPECT_EQ(FindWindowW(L"vrx_bb", nullptr), nullptr);
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBoxMenus, RightClickBelowTheLastRowChoosesAButtonOfTheLastRow) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenButtonBox(0, 0, 3, 2); });
    vrx_button_box.rename_button = -1;
    PostMessageW(vrx_button_box_window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(110, 500));
    std::wstring text;
    UINT id = 0;
    ASSERT_TRUE(shown_menu(&text, &id));
    EXPECT_EQ(text, L"Rename");
    EXPECT_EQ(id, (UINT)IDM_BB_RENAME);
    answer_menu(false);
    EXPECT_EQ(vrx_button_box.rename_button, 4) << "row clamped to 1, column 110 / 102 = 1";
    EXPECT_TRUE(harness_exit());
}

TEST(ButtonBoxMenus, FrameMenuDestroysTheBox) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenButtonBox(0, 0, 2, 1); });
    PostMessageW(vrx_button_box_window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(20, 10));
    std::wstring text;
    UINT id = 0;
    ASSERT_TRUE(shown_menu(&text, &id));
    EXPECT_EQ(text, L"&Destroy\tCtrl+Q");
    EXPECT_EQ(id, (UINT)IDM_BB_DESTROY);
    answer_menu(true);
    EXPECT_TRUE(harness_pump_until([] { return vrx_button_box_window == nullptr; }, 5000));
    EXPECT_EQ(FindWindowW(L"vrx_bb", nullptr), nullptr);
    EXPECT_TRUE(harness_exit());
}

// Presses the keys vks through the system's input queue, held down in order, then released
static void press_keys(std::initializer_list<WORD> vks) {
    for (WORD vk : vks) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        SendInput(1, &in, sizeof in);
        harness_pump(30);
    }
    for (auto it = vks.end(); it != vks.begin();) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
        harness_pump(30);
    }
}

TEST(ButtonBoxKeys, CtrlQClosesTheBoxAndPlainQDoesNothing) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenButtonBox(0, 0, 2, 1);
        SetForegroundWindow(vrx_button_box_window);
        SetFocus(vrx_button_box_window);
    });
    harness_pump(200);
    press_keys({'Q'});
    harness_pump(300);
    EXPECT_NE(vrx_button_box_window, nullptr);
    // NOTE: Ctrl must be really held (GetKeyState), so the keys go through SendInput.
    press_keys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(harness_pump_until([] { return vrx_button_box_window == nullptr; }, 5000));
    EXPECT_TRUE(harness_exit());
}
