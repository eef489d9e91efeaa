// tests/windows/text_window_test.cpp - text windows with the real worker thread: opening, printing into
// the backing bitmap, the colour stack, typed lines, console commands and log files.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class Text : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(harness_start(), 0); }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }
};

// The window text of a text window
std::wstring title_of(HWND w) {
    wchar_t t[64] = {};
    GetWindowTextW(w, t, 64);
    return t;
}

// Posts characters to a window as typed
void type_into(HWND w, const wchar_t *text) {
    for (; *text; text++) PostMessageW(w, WM_CHAR, *text, 0);
}

// True when any pixel of the cell at (x, y) of window n differs from black
// Types text into w from a timer, so that it arrives while the line input that follows waits
// (keys typed while no line input waits are not kept)
void type_later(HWND w, const wchar_t *text) {
    static HWND target;
    static std::wstring pending;
    target = w;
    pending = text;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        type_into(target, pending.c_str());
    });
}

bool cell_has_ink(int n, int x, int y) {
    TextWindowRecord &r = vrx_text_windows[n];
    for (int j = 0; j < r.cell_height; j++)
        for (int i = 0; i < r.cell_width; i++)
            if ((GetPixel(r.memory_dc, x + i, y + j) & 0xFFFFFF) != 0) return true;
    return false;
}

std::string read_file(const std::string &path) {
    std::string s;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return s;
    char buf[4096];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, got);
    fclose(f);
    return s;
}

}  // namespace

TEST_F(Text, OpensWithDefaultsTitleAndOemCellsAndRefusesASecondOpen) {
    harness_run_on_worker([] {
        EXPECT_EQ(VRX_OpenTextWindow(3, 10, 10, -1, -1), 0);
        TextWindowRecord &r = vrx_text_windows[3];
        RECT client;
        GetClientRect(r.window, &client);
        EXPECT_EQ(client.right, 400);
        EXPECT_EQ(client.bottom, 300);
        EXPECT_EQ(title_of(r.window), L"TextWindow 3");
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        DeleteDC(dc);
        EXPECT_EQ(r.cell_width, tm.tmAveCharWidth);
        EXPECT_EQ(r.cell_height, tm.tmHeight);
        EXPECT_EQ(VRX_OpenTextWindow(5, -1, -1, 200, 100), 0);
        EXPECT_EQ(vrx_current_text_window, 5);
        EXPECT_EQ(VRX_OpenTextWindow(3, 0, 0, 50, 50), 1);
        EXPECT_EQ(vrx_current_text_window, 3);
        GetClientRect(r.window, &client);
        EXPECT_EQ(client.right, 400);
        EXPECT_EQ(VRX_OpenTextWindow(256, 0, 0, 10, 10), 1);
    });
}

TEST_F(Text, PrintsRunsIntoTheBackingBitmapAndNeverDrawsLineFeeds) {
    harness_run_on_worker([] {
        ASSERT_EQ(VRX_OpenTextWindow(0, 0, 0, 400, 300), 0);
        TextWindowRecord &r = vrx_text_windows[0];
        RECT all = {0, 0, r.width, r.height};
        FillRect(r.memory_dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
        VRX_Printf("ab\n\n%s", "cd");
        int cw = r.cell_width, ch = r.cell_height;
        EXPECT_TRUE(cell_has_ink(0, 0, 0));
        EXPECT_TRUE(cell_has_ink(0, cw, 0));
        EXPECT_FALSE(cell_has_ink(0, 2 * cw, 0)) << "the line feed is not drawn";
        EXPECT_FALSE(cell_has_ink(0, 0, ch)) << "an empty row";
        EXPECT_TRUE(cell_has_ink(0, cw, 2 * ch));
        EXPECT_EQ(r.cursor_x, 2 * cw);
        EXPECT_EQ(r.cursor_y, 2 * ch);
    });
}

TEST_F(Text, PrintingWithoutAWindowDoesNothingAndALongTextDoesNotOverrun) {
    harness_run_on_worker([] {
        VRX_Printf("nobody %d\n", 1);
        ASSERT_EQ(VRX_OpenTextWindow(1, 0, 0, 400, 300), 0);
        std::string big(10000, 'q');
        VRX_Printf("%s\n", big.c_str());
        TextWindowRecord &r = vrx_text_windows[1];
        EXPECT_EQ(r.cursor_x, 0);
        EXPECT_LT(r.cursor_y + r.cell_height, r.height);
    });
}

TEST_F(Text, ClosingTheCurrentWindowMakesTheLowestOpenOneCurrent) {
    harness_run_on_worker([] {
        VRX_OpenTextWindow(4, 0, 0, 100, 100);
        VRX_OpenTextWindow(2, 0, 0, 100, 100);
        VRX_OpenTextWindow(7, 0, 0, 100, 100);
        EXPECT_EQ(VRX_CloseTextWindow(7), 0);
        EXPECT_EQ(vrx_current_text_window, 2);
        EXPECT_EQ(VRX_CloseTextWindow(7), 1);
        EXPECT_EQ(VRX_SelectTextWindow(7), 1);
        EXPECT_EQ(VRX_SelectTextWindow(4), 0);
        EXPECT_EQ(vrx_current_text_window, 4);
        VRX_CloseTextWindow(2);
        VRX_CloseTextWindow(4);
        EXPECT_EQ(vrx_current_text_window, 4) << "the number stays on a free slot";
        VRX_Printf("dropped\n");
    });
}

TEST_F(Text, NinePushesAndNinePopsEndWithTheFirstPushedColours) {
    harness_run_on_worker([] {
        VRX_OpenTextWindow(0, 0, 0, 100, 100);
        TextWindowRecord &r = vrx_text_windows[0];
        for (unsigned i = 1; i <= 9; i++) VRX_PushTextColor(i, 0x100 * i);
        for (int i = 0; i < 8; i++) VRX_PopTextColor();
        EXPECT_EQ(r.text_color, 1u);
        EXPECT_EQ(r.back_color, 0x100u);
        VRX_PopTextColor();
        EXPECT_EQ(r.text_color, 1u) << "white on black saved by the first push was dropped";
    });
}

TEST_F(Text, ATypedLineIsEditedAndReturnedAndTabIsASpace) {
    char line[256] = "untouched";
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(0, 0, 0, 400, 300);
        type_into(vrx_text_windows[0].window, L"a\tb\bc\r");
        VRX_InputText(line);
    });
    EXPECT_STREQ(line, "a c");
    EXPECT_EQ(vrx_input_owner.load(), 0);
}

TEST_F(Text, KeysTypedIntoAnotherWindowGoToTheWaitingLineAndUpRecallsIt) {
    char first[256] = "", second[256] = "";
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(1, 0, 0, 200, 200);
        VRX_OpenTextWindow(0, 0, 0, 400, 300);
        type_into(vrx_text_windows[1].window, L"xy\r");
        VRX_InputText(first);
        PostMessageW(vrx_text_windows[1].window, WM_KEYDOWN, VK_UP, 0);
        type_into(vrx_text_windows[0].window, L"\r");
        VRX_InputText(second);
    });
    EXPECT_STREQ(first, "xy");
    // the recall may arrive before or after the Enter was read; only a recalled line may appear
    EXPECT_TRUE(strcmp(second, "xy") == 0 || second[0] == 0) << second;
}

TEST_F(Text, TheTwoHundredFiftySixthCharacterIsIgnored) {
    static char line[300];
    memset(line, 'z', sizeof line);
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(0, 0, 0, 400, 300);
        std::wstring keys(200, L'k');
        type_into(vrx_text_windows[0].window, keys.c_str());
        // the ring holds 256 units: the rest is typed from a timer once the line has taken the first ones
        static HWND target;
        target = vrx_text_windows[0].window;
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            std::wstring more(60, L'm');
            type_into(target, more.c_str());
            type_into(target, L"\r");
        });
        VRX_InputText(line);
    });
    EXPECT_EQ(strlen(line), 255u);
    EXPECT_EQ(line[256], 'z') << "nothing written past the 256-byte buffer";
}

TEST_F(Text, ClosingTheWaitingWindowEndsTheInputWithAnEmptyLine) {
    char line[256] = "old";
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(0, 0, 0, 400, 300);
        type_into(vrx_text_windows[0].window, L"abc");
        PostMessageW(vrx_text_windows[0].window, WM_CLOSE, 0, 0);
        VRX_InputText(line);
    });
    EXPECT_STREQ(line, "");
    EXPECT_FALSE(vrx_text_windows[0].in_use);
}

TEST_F(Text, CommandsAreMatchedExactly) {
    int help = -1, spaced = -1, caps = -1, colour = -1;
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(0, 0, 0, 400, 300);
        HWND w = vrx_text_windows[0].window;
        type_later(w, L"help\r");
        help = VRX_RunCommand();
        type_later(w, L" help\r");
        spaced = VRX_RunCommand();
        type_later(w, L"HELP\r");
        caps = VRX_RunCommand();
        type_later(w, L"color\r");
        colour = VRX_RunCommand();
    });
    EXPECT_EQ(help, 0);
    EXPECT_EQ(spaced, 1);
    EXPECT_EQ(caps, 1);
    EXPECT_EQ(colour, 0);
}

TEST_F(Text, LogHoldsPromptsAnswersAndOnlyTheLoggingPeriods) {
    std::string path = std::string(vrx_log_folder) + "VRXLIB9.LOG";
    char answer[256];
    int copied = -1;
    harness_run_on_worker([&] {
        VRX_OpenTextWindow(9, 0, 0, 400, 300);
        EXPECT_EQ(VRX_StartLog(9), 0);
        EXPECT_EQ(VRX_StartLog(9), 1);
        VRX_Printf("one\n");
        EXPECT_EQ(VRX_StopLog(9), 0);
        VRX_Printf("hidden\n");
        EXPECT_EQ(VRX_StartLog(9), 0);
        VRX_Printf("Name=");
        type_later(vrx_text_windows[9].window, L"bob\r");
        VRX_InputText(answer);
        copied = VRX_CopyLog(9);
        VRX_Printf("after\n");
    });
    EXPECT_EQ(copied, 0);
    std::string clip;
    if (OpenClipboard(nullptr)) {
        HANDLE h = GetClipboardData(CF_TEXT);
        if (h) {
            clip = (const char *)GlobalLock(h);
            GlobalUnlock(h);
        }
        CloseClipboard();
    }
    EXPECT_EQ(clip, "one\r\nName=bob\r\n");
    VRX_CloseLogs();
    EXPECT_EQ(read_file(path), "one\r\nName=bob\r\nafter\r\n");
    harness_run_on_worker([&] {
        EXPECT_EQ(VRX_StartLog(9), 0);
        VRX_Printf("fresh\n");
    });
    VRX_CloseLogs();
    EXPECT_EQ(read_file(path), "fresh\r\n") << "a log started again after closing is truncated";
    DeleteFileA(path.c_str());
}
