// tests/windows/boxes_input_box_test.cpp - the input box in-process: opening, values, sizing, titles.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"
#include "tests/windows/boxes_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The child windows of w whose class is cls, in creation order
static std::vector<HWND> children_of_class(HWND w, const wchar_t *cls) {
    struct Find { const wchar_t *cls; std::vector<HWND> found; } f{cls, {}};
    EnumChildWindows(w, [](HWND c, LPARAM lp) -> BOOL {
        Find *f = (Find *)lp;
        wchar_t name[32] = {};
        GetClassNameW(c, name, 32);
        if (_wcsicmp(name, f->cls) == 0) f->found.push_back(c);
        return TRUE;
    }, (LPARAM)&f);
    return f.found;
}

// The UTF-16 text of a window
static std::wstring text_of(HWND w) {
    wchar_t t[1024] = {};
    GetWindowTextW(w, t, 1024);
    return t;
}

// The client size of w
static SIZE client_size(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
}

// The rectangle of child c in its parent's client coordinates
static RECT child_rect(HWND parent, HWND c) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, parent, (POINT *)&r, 2);
    return r;
}

// Runs body on the worker thread and fails the test when it does not return
static void on_worker(const std::function<void()> &body) { ASSERT_TRUE(harness_run_on_worker(body)); }

TEST(InputBox, OpensAtItsCornerWithNumberedLabelsAndZeroFields) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenInputBox(40, 50, 3); });
    HWND box = FindWindowW(L"vrx_ib", L"InputBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box, vrx_input_box_window);
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    SIZE c = client_size(box);
    EXPECT_EQ(c.cx, 80 + 70 + 12);
    EXPECT_EQ(c.cy, 3 * 28 + 2);
    EXPECT_EQ(GetWindow(box, GW_OWNER), vrx_main_window);
    EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & WS_THICKFRAME, 0);

    std::vector<HWND> labels = children_of_class(box, L"Static");
    std::vector<HWND> edits = children_of_class(box, L"Edit");
    ASSERT_EQ(labels.size(), 3u);
    ASSERT_EQ(edits.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(text_of(labels[i]), L"Item " + std::to_wstring(i));
        EXPECT_EQ(text_of(edits[i]), L"0");
        EXPECT_STREQ(VRX_GetInputBoxText(i), "0");
        RECT e = child_rect(box, edits[i]);
        EXPECT_EQ(e.left, 88);
        EXPECT_EQ(e.top, 4 + 28 * i);
        EXPECT_EQ(e.right - e.left, 70);
        EXPECT_EQ(e.bottom - e.top, 24);
        RECT l = child_rect(box, labels[i]);
        EXPECT_EQ(l.left, 4);
        EXPECT_EQ(l.top, 7 + 28 * i);
        EXPECT_EQ(l.right - l.left, 80);
    }
    EXPECT_NE(GetWindowLongW(edits[0], GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_NE(GetWindowLongW(edits[0], GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, ItemCountsBeyondTheRangeClampToOneAndThirty) {
    ASSERT_EQ(harness_start(), 0);
    size_t zero = 0, many = 0;
    on_worker([&] {
        VRX_OpenInputBox(0, 0, 0);
        zero = children_of_class(vrx_input_box_window, L"Edit").size();
        VRX_CloseInputBox();
        VRX_OpenInputBox(0, 0, 31);
        many = children_of_class(vrx_input_box_window, L"Edit").size();
    });
    EXPECT_EQ(zero, 1u);
    EXPECT_EQ(many, 30u);
    EXPECT_EQ(client_size(vrx_input_box_window).cy, 30 * 28 + 2);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, SecondOpeningIsIgnoredWhileABoxExists) {
    ASSERT_EQ(harness_start(), 0);
    HWND first = nullptr;
    on_worker([&] {
        VRX_OpenInputBox(0, 0, 2);
        first = vrx_input_box_window;
        VRX_OpenInputBox(100, 100, 5);
    });
    EXPECT_EQ(vrx_input_box_window, first);
    EXPECT_EQ(children_of_class(first, L"Edit").size(), 2u);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, TypedValueIsKeptOnlyWhenTheFieldLosesTheFocusOrEnterIsPressed) {
    ASSERT_EQ(harness_start(), 0);
    std::string before, after_tab, before_enter, after_enter;
    on_worker([&] {
        VRX_OpenInputBox(0, 0, 4);
        std::vector<HWND> edits = children_of_class(vrx_input_box_window, L"Edit");
        SetFocus(edits[2]);
        SetWindowTextW(edits[2], L"12");
        before = VRX_GetInputBoxText(2);
        PostMessageW(edits[2], WM_KEYDOWN, VK_TAB, 0);   // Tab through the dialog-message handling
        pump_messages();
        after_tab = VRX_GetInputBoxText(2);

        SetWindowTextW(edits[3], L"-7x");
        before_enter = VRX_GetInputBoxText(3);
        PostMessageW(edits[3], WM_KEYDOWN, VK_RETURN, 0);
        pump_messages();
        after_enter = VRX_GetInputBoxText(3);
    });
    EXPECT_EQ(before, "0");
    EXPECT_EQ(after_tab, "12");
    EXPECT_EQ(before_enter, "0");
    EXPECT_EQ(after_enter, "-7x") << "Enter keeps the field that last got the focus";
    EXPECT_EQ(VRX_GetInputBoxValue(3), -7);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, ValuesAreGoneOnceTheBoxIsDestroyed) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenInputBox(0, 0, 2);
        HWND e = children_of_class(vrx_input_box_window, L"Edit")[1];
        SetFocus(e);
        SetWindowTextW(e, L"55");
        // The edit still has the focus: destroying the box makes it report the loss of focus.
        SendMessageW(vrx_input_box_window, WM_COMMAND, IDM_IB_DESTROY, 0);
    });
    EXPECT_EQ(vrx_input_box_window, nullptr);
    EXPECT_EQ(FindWindowW(L"vrx_ib", nullptr), nullptr);
    EXPECT_STREQ(VRX_GetInputBoxText(1), "");
    EXPECT_EQ(VRX_GetInputBoxValue(1), 0);
    on_worker([] { VRX_OpenInputBox(0, 0, 2); });
    EXPECT_STREQ(VRX_GetInputBoxText(1), "0") << "a new box starts from 0";
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, DraggingKeepsTheHeightAndTheEdgeChoosesTheColumn) {
    ASSERT_EQ(harness_start(), 0);
    RECT proposed{};
    RECT before{};
    int edit_after_right = 0, label_after_right = 0, label_after_left = 0, edit_after_left = 0;
    on_worker([&] {
        VRX_OpenInputBox(100, 100, 2);
        HWND box = vrx_input_box_window;
        GetWindowRect(box, &before);
        proposed = RECT{before.left, before.top - 40, before.right + 30, before.bottom + 50};
        SendMessageW(box, WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&proposed);
        SetWindowPos(box, nullptr, 0, 0, before.right - before.left + 30, before.bottom - before.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        label_after_right = vrx_input_box.label_width;
        edit_after_right = vrx_input_box.edit_width;

        RECT r;
        GetWindowRect(box, &r);
        RECT left = RECT{r.left - 20, r.top, r.right, r.bottom};
        SendMessageW(box, WM_SIZING, WMSZ_LEFT, (LPARAM)&left);
        SetWindowPos(box, nullptr, r.left - 20, r.top, r.right - r.left + 20, r.bottom - r.top, SWP_NOZORDER);
        label_after_left = vrx_input_box.label_width;
        edit_after_left = vrx_input_box.edit_width;
    });
    EXPECT_EQ(proposed.top, before.top);
    EXPECT_EQ(proposed.bottom, before.bottom);
    EXPECT_EQ(label_after_right, 80);
    EXPECT_EQ(edit_after_right, 100);
    EXPECT_EQ(label_after_left, 100);
    EXPECT_EQ(edit_after_left, 100);
    std::vector<HWND> edits = children_of_class(vrx_input_box_window, L"Edit");
    RECT e = child_rect(vrx_input_box_window, edits[1]);
    EXPECT_EQ(e.left, 108);
    EXPECT_EQ(e.right - e.left, 100);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, NewBoxKeepsTheWidenedLabelColumn) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] {
        VRX_OpenInputBox(0, 0, 1);
        VRX_ResizeInputBox(120, 70);
        VRX_CloseInputBox();
        VRX_OpenInputBox(0, 0, 1);
    });
    HWND label = children_of_class(vrx_input_box_window, L"Static")[0];
    RECT l = child_rect(vrx_input_box_window, label);
    EXPECT_EQ(l.right - l.left, 120);
    EXPECT_EQ(client_size(vrx_input_box_window).cx, 120 + 70 + 12);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, ResizeAndTitlesRebuildTheLook) {
    ASSERT_EQ(harness_start(), 0);
    std::string long_title(300, 'L');
    on_worker([&] {
        VRX_OpenInputBox(0, 0, 3);
        VRX_ResizeInputBox(150, 90);
        VRX_SetInputBoxTitle(1, "Speed");
        VRX_SetInputBoxTitle(2, long_title.c_str());
        VRX_SetInputBoxTitle(3, "no such item");
        VRX_SetInputBoxTitle(0, "\x95\x5C\x8E\xA6");   // "表示" in cp932, trail byte 0x5C
    });
    HWND box = vrx_input_box_window;
    EXPECT_EQ(client_size(box).cx, 150 + 90 + 12);
    EXPECT_EQ(client_size(box).cy, 3 * 28 + 2);
    std::vector<HWND> labels = children_of_class(box, L"Static");
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(text_of(labels[0]), L"\x8868\x793A");
    EXPECT_EQ(text_of(labels[1]), L"Speed");
    EXPECT_EQ(text_of(labels[2]), std::wstring(300, L'L')) << "long labels are not cut";
    RECT e = child_rect(box, children_of_class(box, L"Edit")[2]);
    EXPECT_EQ(e.left, 158);
    EXPECT_EQ(e.right - e.left, 90);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBox, ActivationRestoresTheFieldSelectsItemZeroButLeavingDoesNotTakeTheFocusBack) {
    ASSERT_EQ(harness_start(), 0);
    HWND focus_after_leaving = nullptr, focus_after_return = nullptr, field = nullptr, other_field = nullptr;
    DWORD start = 99, end = 99;
    on_worker([&] {
        VRX_OpenInputBox(0, 0, 3);
        std::vector<HWND> edits = children_of_class(vrx_input_box_window, L"Edit");
        SetWindowTextW(edits[0], L"abcd");
        SendMessageW(edits[0], EM_SETSEL, 1, 1);
        field = edits[2];
        SetFocus(field);
        other_field = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 400, 400, 100, 24, nullptr, nullptr,
                                      vrx_instance, nullptr);
        SetActiveWindow(other_field);
        SetFocus(other_field);
        pump_messages();
        focus_after_leaving = GetFocus();
        SetActiveWindow(vrx_input_box_window);
        pump_messages();
        focus_after_return = GetFocus();
        SendMessageW(edits[0], EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        DestroyWindow(other_field);
    });
    EXPECT_EQ(focus_after_leaving, other_field);
    EXPECT_EQ(focus_after_return, field);
    EXPECT_EQ(start, 0u) << "item 0's whole text is selected, though item 2 had the focus";
    EXPECT_EQ(end, 4u);
    EXPECT_TRUE(harness_exit());
}

TEST(InputBoxMenus, FrameMenuOffersDestroyAndClientMenuRenameForTheRowClicked) {
    ASSERT_EQ(harness_start(), 0);
    on_worker([] { VRX_OpenInputBox(0, 0, 3); });
    std::wstring text;
    UINT id = 0;
    PostMessageW(vrx_input_box_window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 30));   // between rows 0 and 1
    ASSERT_TRUE(shown_menu(&text, &id));
    EXPECT_EQ(text, L"Rename");
    EXPECT_EQ(id, (UINT)IDM_IB_RENAME);
    answer_menu(false);
    EXPECT_EQ(vrx_input_box.rename_item, 1);

    PostMessageW(vrx_input_box_window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(20, 10));
    ASSERT_TRUE(shown_menu(&text, &id));
    EXPECT_EQ(text, L"Destroy");
    EXPECT_EQ(id, (UINT)IDM_IB_DESTROY);
    answer_menu(true);
    EXPECT_TRUE(harness_pump_until([] { return vrx_input_box_window == nullptr; }, 5000));
    EXPECT_STREQ(VRX_GetInputBoxText(0), "");
    EXPECT_TRUE(harness_exit());
}
