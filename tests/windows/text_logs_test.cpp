// tests/windows/text_logs_test.cpp - log files around Exit and the toolkit's log calls: the worker's
// output until it stops, the logs of closed windows, and a copy that fails on its way.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string log_path(int n) { return std::string(vrx_log_folder) + "VRXLIB" + std::to_string(n) + ".LOG"; }

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The clipboard's ANSI text
std::string clipboard_text(void) {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(not opened)";
    HANDLE h = GetClipboardData(CF_TEXT);
    if (h) {
        text = (const char *)GlobalLock(h);
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

// Opens text window n and starts its log with one line in it
void open_logging(int n, const char *line) {
    ASSERT_EQ(VRX_OpenTextWindow(n, 0, 0, 300, 200), 0);
    ASSERT_EQ(VRX_StartLog(n), 0);
    VRX_SelectTextWindow(n);
    VRX_Printf("%s", line);
}

}  // namespace

TEST(TextLogs, ExitClosesEveryLogOnlyOnceTheWorkerHasStopped) {
    ASSERT_EQ(harness_start(), 0);
    std::atomic<int> waits_for_quit{0};
    harness_user_routine = [&] {
        open_logging(2, "two\n");
        VRX_CloseTextWindow(2);
        open_logging(1, "before\n");
        waits_for_quit = 1;
        while (vrx_quit.load() == 0) Sleep(1);
        VRX_Printf("after\n");   // while Exit waits for the worker
    };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([&] { return waits_for_quit.load() == 1; }, 5000));
    EXPECT_TRUE(harness_exit());
    EXPECT_EQ(harness_end_code, -1) << "the worker ended by itself";
    EXPECT_EQ(read_file(log_path(1)), "before\r\nafter\r\n");
    EXPECT_TRUE(DeleteFileA(log_path(2).c_str())) << "the log of the closed window 2 was closed too";
    DeleteFileA(log_path(1).c_str());
}

TEST(TextLogs, CloseLogsKeepsTheLogOfAClosedWindowForItsNextWindow) {
    ASSERT_EQ(harness_start(), 0);
    harness_run_on_worker([] {
        open_logging(4, "four\n");
        open_logging(5, "first\n");
        VRX_CloseTextWindow(5);
        VRX_CloseLogs();
        EXPECT_EQ(log_state(4), 0);
        VRX_OpenTextWindow(5, 0, 0, 300, 200);
        VRX_SelectTextWindow(5);
        VRX_Printf("again\n");
    });
    EXPECT_TRUE(harness_exit());
    EXPECT_EQ(read_file(log_path(5)), "first\r\nagain\r\n");
    DeleteFileA(log_path(4).c_str());
    DeleteFileA(log_path(5).c_str());
}

TEST(TextLogs, ACopyThatCannotBeMadeKeepsTheClipboardAndAFailedReopenIsTold) {
    ASSERT_EQ(harness_start(), 0);
    const std::string path = log_path(6);
    harness_run_on_worker([] { open_logging(6, "x\n"); });
    // A log of 1 TB (sparse): beyond a 32-bit size, and no block can hold it.
    HANDLE grow = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(grow, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = 1LL << 40;
    ASSERT_TRUE(SetFilePointerEx(grow, end, nullptr, FILE_BEGIN) && SetEndOfFile(grow));
    CloseHandle(grow);
    ASSERT_EQ(put_text_on_clipboard(vrx_main_window, "keep me"), 0);

    // Closes each Pause box, noting its text; while the first shows, the log is held against writing,
    // so that its reopening after the copy fails.
    std::vector<std::wstring> boxes;
    std::atomic<int> done{0};
    std::thread closer([&] {
        HANDLE hold = INVALID_HANDLE_VALUE;
        while (done.load() == 0) {
            HWND box = FindWindowW(L"#32770", L"Pause");
            if (!box || !IsWindowVisible(box)) { Sleep(5); continue; }
            wchar_t text[128] = {};
            GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 128);
            boxes.push_back(text);
            if (hold == INVALID_HANDLE_VALUE)
                hold = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            harness_wait_for([&] { return !IsWindow(box); });
        }
        if (hold != INVALID_HANDLE_VALUE) CloseHandle(hold);
    });
    int result = -1, state = -1;
    harness_run_on_worker([&] {
        result = VRX_CopyLog(6);
        state = log_state(6);
    });
    done = 1;
    closer.join();
    EXPECT_EQ(result, 3);
    EXPECT_EQ(clipboard_text(), "keep me");
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"No enough memory (copy log)", L"Can't reopen LOG file!"}));
    EXPECT_EQ(state, 0) << "without a file the log is off";
    EXPECT_TRUE(harness_exit());
    DeleteFileA(path.c_str());
}
