// tests/windows/shell_test.cpp - start-up, the main window, the worker hand-over and Exit, in-process.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"

#include <gtest/gtest.h>

#include <string>

// The text of a menu item by position, as UTF-16
static std::wstring menu_text(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, (UINT)position, text, 256, MF_BYPOSITION);
    return text;
}

// The status line's text without the leading spaces that centre it
static std::wstring status_text(void) {
    wchar_t text[128] = {};
    GetWindowTextW(GetDlgItem(vrx_main_window, IDC_STATUS), text, 128);
    std::wstring s = text;
    return s.substr(s.find_first_not_of(L' ') == std::wstring::npos ? 0 : s.find_first_not_of(L' '));
}

TEST(StartUp, MainWindowDropsIntoPlaceWithMenuBarAndStatusLine) {
    int before = GetTickCount();
    ASSERT_EQ(harness_start(), 0);
    int took = (int)(GetTickCount() - before);
    EXPECT_GE(took, 1000) << "the drop-in animation lasts about 1.06 s";

    HWND w = FindWindowW(L"vrx_mw", nullptr);
    ASSERT_EQ(w, vrx_main_window);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 240) / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYFULLSCREEN) - 58);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";

    HMENU bar = GetMenu(w);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(menu_text(bar, 0), L"Start(&S)");
    EXPECT_EQ(menu_text(bar, 1), L"Stop(&C)");
    EXPECT_EQ(menu_text(bar, 2), L"Exit(&X)");
    EXPECT_EQ(GetMenuItemID(bar, 0), (UINT)IDM_START);
    EXPECT_EQ(GetMenuItemID(bar, 1), (UINT)IDM_STOP);
    EXPECT_EQ(GetMenuItemID(bar, 2), (UINT)IDM_EXIT);

    EXPECT_EQ(status_text(), std::to_wstring(vrx_color_bits) + L"-bit color");
    EXPECT_EQ(vrx_color_bits, 32);
    EXPECT_TRUE(harness_exit());
}

TEST(StartUp, RegistersTheFiveClassesWithTheirStylesAndBackgrounds) {
    ASSERT_EQ(harness_start(), 0);
    struct { const wchar_t *name; UINT style; bool black; } classes[] = {
        {L"vrx_mw", CS_CLASSDC, false},
        {L"vrx_iw", CS_OWNDC, true},
        {L"vrx_twi", CS_OWNDC, true},
        {L"vrx_ib", CS_OWNDC | CS_DBLCLKS, false},
        {L"vrx_bb", CS_OWNDC | CS_DBLCLKS, false},
    };
    for (auto &c : classes) {
        WNDCLASSEXW wc = {sizeof wc};
        ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), c.name, &wc));
        EXPECT_EQ(wc.style, c.style);
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_EQ(wc.cbWndExtra, 0);
        HBRUSH expected = c.black ? (HBRUSH)GetStockObject(BLACK_BRUSH) : (HBRUSH)(COLOR_BTNFACE + 1);
        EXPECT_EQ(wc.hbrBackground, expected);
        EXPECT_EQ(wc.hIcon, nullptr);
    }
    EXPECT_TRUE(harness_exit());
}
