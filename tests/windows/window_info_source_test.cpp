// tests/windows/window_info_source_test.cpp - the window information report: the colours it prints in,
// the generated source on the clipboard, and the round trip of the boxes through the generated calls.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// Runs body on the worker thread and fails the test when it does not return
static void on_worker(const std::function<void()> &body) { ASSERT_TRUE(harness_run_on_worker(body)); }

// The clipboard's text in format (CF_TEXT bytes, or CF_UNICODETEXT as UTF-16 bytes)
static std::string clipboard_bytes(UINT format) {
    std::string out;
    if (!OpenClipboard(nullptr)) return "<busy>";
    HANDLE h = GetClipboardData(format);
    if (h) {
        const char *p = (const char *)GlobalLock(h);
        if (format == CF_UNICODETEXT) out.assign(p, wcslen((const wchar_t *)p) * 2);
        else out = p;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

// Puts a marker text on the clipboard
static void put_marker(const char *marker) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, strlen(marker) + 1);
    strcpy((char *)GlobalLock(g), marker);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

// Reads the C literal at src[i] (just after its opening quote) as a cp932 compiler reads it
static std::string literal_at(const std::string &src, size_t *i) {
    std::string out;
    while (*i < src.size() && src[*i] != '"') {
        unsigned char c = (unsigned char)src[*i];
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            out += src.substr(*i, 2);
            *i += 2;
        } else if (c == '\\') {
            char e = src[*i + 1];
            *i += 2;
            if (e == 'n') out += '\n';
            else if (e == 't') out += '\t';
            else if (e == 'r') out += '\r';
            else if (e >= '0' && e <= '7') {
                int v = e - '0';
                for (int k = 0; k < 2 && src[*i] >= '0' && src[*i] <= '7'; k++) v = v * 8 + (src[(*i)++] - '0');
                out += (char)v;
            } else out += e;
        } else {
            out += (char)c;
            ++*i;
        }
    }
    ++*i;
    return out;
}

// Carries out the box calls of generated source lines as a compiled user routine would
static int run_generated_box_calls(const std::string &src) {
    int calls = 0;
    size_t line = 0;
    while (line < src.size()) {
        size_t end = src.find('\n', line);
        std::string l = src.substr(line, end - line);
        line = end + 1;
        size_t open = l.find('(');
        if (l.rfind("\tVRX_", 0) != 0 || open == std::string::npos) continue;
        std::string name = l.substr(1, open - 1);
        std::vector<int> n;
        std::string text;
        size_t i = open + 1;
        while (i < l.size() && l[i] != ')') {
            if (l[i] == '"') {
                ++i;
                text = literal_at(l, &i);
            } else if (l[i] == ',') {
                ++i;
            } else {
                char *stop;
                n.push_back((int)strtol(l.c_str() + i, &stop, 10));
                if (stop == l.c_str() + i) break;   // VRXMAINWINDOW
                i = (size_t)(stop - l.c_str());
            }
        }
        if (name == "VRX_OpenInputBox") VRX_OpenInputBox(n[0], n[1], n[2]);
        else if (name == "VRX_ResizeInputBox") VRX_ResizeInputBox(n[0], n[1]);
        else if (name == "VRX_SetInputBoxTitle") VRX_SetInputBoxTitle(n[0], text.c_str());
        else if (name == "VRX_OpenButtonBox") VRX_OpenButtonBox(n[0], n[1], n[2], n[3]);
        else if (name == "VRX_ResizeButtonBox") VRX_ResizeButtonBox(n[0], n[1]);
        else if (name == "VRX_SetButtonBoxTitle") VRX_SetButtonBoxTitle(n[0], text.c_str());
        else if (name == "VRX_SetForeground") VRX_SetForeground(VRXMAINWINDOW);
        else continue;
        calls++;
    }
    return calls;
}

TEST(WindowInfoSource, GeneratedCallsRebuildTheSameBoxes) {
    ASSERT_EQ(harness_start(), 0);
    // "表" (0x95 0x5C) and "ソ" (0x83 0x5C) end in a backslash byte
    const std::string label = "\x95\x5C \"q\" c:\\dir";
    const std::string caption = "\x83\x5C\x83\x74\x83\x67\nNow";
    ReportSnapshot before, after;
    WindowReport first, second;
    int calls = 0;
    on_worker([&] {
        VRX_OpenInputBox(60, 70, 3);
        VRX_ResizeInputBox(130, 85);
        VRX_SetInputBoxTitle(1, label.c_str());
        VRX_OpenButtonBox(320, 90, 3, 2);
        VRX_ResizeButtonBox(400, 120);
        VRX_SetButtonBoxTitle(4, caption.c_str());
        take_window_snapshot(&before);
        build_window_report(before, nullptr, &first);
        VRX_CloseInputBox();
        VRX_CloseButtonBox();
        VRX_ResizeInputBox(80, 70);   // back to the start-up widths: the source must set them itself
        calls = run_generated_box_calls(first.source);
        take_window_snapshot(&after);
        build_window_report(after, nullptr, &second);
    });
    EXPECT_EQ(calls, (2 + 3) + (2 + 6) + 1);
    ASSERT_TRUE(after.input_box.open);
    ASSERT_TRUE(after.button_box.open);
    EXPECT_EQ(after.input_box.x, 60);
    EXPECT_EQ(after.input_box.y, 70);
    EXPECT_EQ(after.input_box.label_width, 130);
    EXPECT_EQ(after.input_box.edit_width, 85);
    EXPECT_EQ(after.input_box.labels, before.input_box.labels);
    EXPECT_EQ(after.input_box.labels[1], label);
    EXPECT_EQ(after.button_box.x, 320);
    EXPECT_EQ(after.button_box.width, 400);
    EXPECT_EQ(after.button_box.height, 120);
    EXPECT_EQ(after.button_box.captions, before.button_box.captions);
    EXPECT_EQ(after.button_box.captions[4], caption);
    EXPECT_EQ(second.source, first.source);
    EXPECT_TRUE(harness_exit());
}

TEST(WindowInfoSource, ClipboardGetsTheSourceAsAnsiTextWithItsOwner) {
    ASSERT_EQ(harness_start(), 0);
    put_marker("before");
    // "作成" in cp932, as in a generated label
    const std::string source = "\tVRX_SetInputBoxTitle(0,\"\x8D\xEC\x90\xAC\");\n";
    int status = -1;
    HWND owner = nullptr, clipboard_owner = nullptr;
    on_worker([&] {
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, vrx_instance, nullptr);
        status = put_text_on_clipboard(owner, source);
        clipboard_owner = GetClipboardOwner();
        DestroyWindow(owner);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(clipboard_owner, owner);
    EXPECT_EQ(clipboard_bytes(CF_TEXT), source);
    std::wstring wide = L"\tVRX_SetInputBoxTitle(0,\"\x4F5C\x6210\");\n";
    EXPECT_EQ(clipboard_bytes(CF_UNICODETEXT), std::string((const char *)wide.c_str(), wide.size() * 2));
    EXPECT_TRUE(harness_exit());
}

TEST(WindowInfoSource, BusyClipboardKeepsItsContentsAndReportsFailure) {
    ASSERT_EQ(harness_start(), 0);
    put_marker("kept");
    ASSERT_TRUE(OpenClipboard(vrx_main_window));   // held by the main thread while the worker tries
    int status = -1;
    on_worker([&] {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, vrx_instance, nullptr);
        status = put_text_on_clipboard(owner, "\tVRX_SetForeground(VRXMAINWINDOW);\n");
        DestroyWindow(owner);
    });
    CloseClipboard();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(clipboard_bytes(CF_TEXT), "kept");
    EXPECT_TRUE(harness_exit());
}

TEST(WindowInfoSource, SnapshotGivesOuterCornersAndClientSizes) {
    ASSERT_EQ(harness_start(), 0);
    ReportSnapshot s;
    RECT text_outer{}, text_client{}, box_client{};
    on_worker([&] {
        // A captioned window in text window slot 2 stands for an open text window.
        HWND tw = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 210, 220, 300, 200, nullptr,
                                  nullptr, vrx_instance, nullptr);
        vrx_text_windows[2].in_use = 1;
        vrx_text_windows[2].window = tw;
        VRX_OpenButtonBox(15, 25, 2, 3);
        take_window_snapshot(&s);
        GetWindowRect(tw, &text_outer);
        GetClientRect(tw, &text_client);
        GetClientRect(vrx_button_box_window, &box_client);
        vrx_text_windows[2].in_use = 0;
        DestroyWindow(tw);
    });
    ASSERT_EQ(s.text_windows.size(), 1u);
    EXPECT_EQ(s.text_windows[0].number, 2);
    EXPECT_EQ(s.text_windows[0].x, 210);
    EXPECT_EQ(s.text_windows[0].y, 220);
    EXPECT_EQ(s.text_windows[0].width, text_client.right);
    EXPECT_LT(s.text_windows[0].width, text_outer.right - text_outer.left) << "client, not outer width";
    EXPECT_FALSE(s.input_box.open);
    ASSERT_TRUE(s.button_box.open);
    EXPECT_EQ(s.button_box.x, 15);
    EXPECT_EQ(s.button_box.y, 25);
    EXPECT_EQ(s.button_box.nx, 2);
    EXPECT_EQ(s.button_box.ny, 3);
    EXPECT_EQ(s.button_box.width, box_client.right);
    EXPECT_EQ(s.button_box.width, 2 * 102 + 4);
    EXPECT_EQ(s.button_box.height, 3 * 30 + 4);
    ASSERT_EQ(s.button_box.captions.size(), 6u);
    EXPECT_EQ(s.button_box.captions[5], "5");
    EXPECT_TRUE(harness_exit());
}

TEST(WindowInfoReport, PlainLinesAreWhiteOnBlackAndTheWindowGetsItsColoursBack) {
    ASSERT_EQ(harness_start(), 0);
    int white = 0, other = 0;
    unsigned text_after = 0, back_after = 0;
    on_worker([&] {
        ASSERT_EQ(VRX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        TextWindowRecord &r = vrx_text_windows[0];
        VRX_PushTextColor(0x0000FF, 0xFF0000);   // blue on red
        int top = r.cursor_y;
        text_window_info(0);
        // With no image window, row 2 is the plain text window line " 0 X:0 Y:0 W:400 H:300".
        for (int y = top + 2 * r.cell_height; y < top + 3 * r.cell_height; y++)
            for (int x = 0; x < r.width; x++) {
                COLORREF p = GetPixel(r.memory_dc, x, y) & 0xFFFFFF;
                if (p == 0xFFFFFF) white++;
                else if (p != 0) other++;
            }
        text_after = r.text_color;
        back_after = r.back_color;
    });
    EXPECT_GT(white, 0);
    EXPECT_EQ(other, 0) << "neither blue letters nor a red background";
    EXPECT_EQ(text_after, 0x0000FFu);
    EXPECT_EQ(back_after, 0xFF0000u);
    EXPECT_TRUE(harness_exit());
}
