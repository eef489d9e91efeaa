// tests/windows/reliability_exit_test.cpp - Exit while the worker thread waits: in each of the seven
// point tools, in Clipping started from an image window, in the colour, font, load and save dialogs,
// in VRX_Pause, and while the main thread waits for a request. Each time the message loop ends within
// 2.5 s, the worker ends (by itself, or terminated with exit code 1 when it cannot return) and no
// window of the toolkit is left. The times are appended to exit_times.log beside the test program.
#include "tests/windows/harness.h"
#include "tests/windows/worker_dialog.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

const int kExitBoundMs = 2500;

// Top-level windows of the thread tid, and toolkit windows of this process found by class
int windows_left(DWORD tid) {
    int count = 0;
    EnumThreadWindows(tid, [](HWND, LPARAM lp) -> BOOL { ++*(int *)lp; return TRUE; }, (LPARAM)&count);
    for (const wchar_t *cls : {L"vrx_mw", L"vrx_iw", L"vrx_twi", L"vrx_ib", L"vrx_bb"}) {
        for (HWND w = FindWindowW(cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId()) count++;
        }
    }
    return count;
}

// Appends one measured Exit time to exit_times.log in the folder of this program
void log_exit_time(const std::string &what, int ms) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file = path;
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"exit_times.log";
    FILE *f = _wfopen(file.c_str(), L"at");
    if (!f) return;
    fprintf(f, "windows %s %d ms\n", what.c_str(), ms);
    fclose(f);
    printf("Exit %s took %d ms\n", what.c_str(), ms);
}

// What Exit left behind
struct ExitOutcome {
    bool loop_ended = false;   // the message loop saw its quit message
    int ms = 0;                // from Exit to the end of the message loop
    DWORD worker_code = STILL_ACTIVE;
    int windows = -1;          // windows of the worker thread and toolkit windows still there
};

// Chooses Exit now and reports how it went
ExitOutcome exit_now(const std::string &what, const std::function<void()> &choose_exit = nullptr) {
    ExitOutcome o;
    HANDLE worker = nullptr;
    DuplicateHandle(GetCurrentProcess(), vrx_worker_handle, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    DWORD tid = vrx_worker_id;
    int mark = get_milliseconds();
    if (choose_exit) choose_exit();
    o.loop_ended = harness_exit();
    o.ms = get_milliseconds() - mark;
    if (worker) {
        WaitForSingleObject(worker, 1000);
        GetExitCodeThread(worker, &o.worker_code);
        CloseHandle(worker);
    }
    o.windows = windows_left(tid);
    log_exit_time(what, o.ms);
    return o;
}

// Creates image 0 of 120 x 90 on the worker, a pattern in it
void make_image(void) {
    ASSERT_TRUE(harness_run_on_worker([] {
        ASSERT_EQ(VRX_CreateImage(0, "exit", 100, 100, 120, 90, 100), 0);
        for (int i = 0; i < 120 * 90; i++) pixels32[0][i] = (uint32_t)(i * 2654435761u) & 0xFFFFFF;
    }));
}

// Starts the user routine without waiting for it
void start_routine(std::function<void()> body) {
    harness_user_routine = std::move(body);
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
}

// A point tool run on image 0; its result
struct Tool {
    const char *name;
    int (*run)(void);
};

int run_point(void) { int x, y; return wait_point(0, &x, &y); }
int run_row(void) { int x, y; return wait_row(0, &x, &y); }
int run_column(void) { int x, y; return wait_column(0, &x, &y); }
int run_box_point(void) { int x, y; return wait_box_point(0, 20, 10, &x, &y); }
int run_rectangle(void) { int a, b, c, d; return wait_rectangle(0, &a, &b, &c, &d); }
int run_line(void) { int a, b, c, d; return wait_line(0, &a, &b, &c, &d); }
int run_circle(void) { int a, b, r; return wait_circle(0, &a, &b, &r); }

void PrintTo(const Tool &t, std::ostream *os) { *os << t.name; }

class ExitDuringPointTool : public testing::TestWithParam<Tool> {};

// A dialog opened by an image window command
struct Dialog {
    const char *name;
    int command;
};

void PrintTo(const Dialog &d, std::ostream *os) { *os << d.name; }

class ExitDuringDialog : public testing::TestWithParam<Dialog> {};

}  // namespace

TEST_P(ExitDuringPointTool, EndsTheToolTheRoutineAndTheWorkerWithin2500Ms) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    std::atomic<int> result{-1};
    int (*run)(void) = GetParam().run;
    start_routine([&result, run] { result = run(); });
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << "the tool waits";
    harness_pump(50);
    ExitOutcome o = exit_now(std::string("point tool ") + GetParam().name);
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 0u) << "the worker left its loop by itself";
    EXPECT_EQ(result.load(), 1) << "the tool ended without points";
    EXPECT_EQ(o.windows, 0);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, ExitDuringPointTool,
                         testing::Values(Tool{"point", run_point}, Tool{"row", run_row}, Tool{"column", run_column},
                                         Tool{"box_point", run_box_point}, Tool{"rectangle", run_rectangle},
                                         Tool{"line", run_line}, Tool{"circle", run_circle}),
                         [](const testing::TestParamInfo<Tool> &info) { return std::string(info.param.name); });

TEST(ExitDuringWait, ClippingStartedFromTheImageWindowEndsWithTheWorker) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    PostMessageW(vrx_images[0].window, WM_COMMAND, 1019, 0);   // Clipping
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000));
    PostMessageW(vrx_images[0].window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));   // first corner
    harness_pump(100);
    ExitOutcome o = exit_now("clipping command");
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 0u);
    EXPECT_EQ(o.windows, 0);
}

TEST_P(ExitDuringDialog, TerminatesTheWorkerThatCannotLeaveTheDialogWithin2500Ms) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    PostMessageW(vrx_images[0].window, WM_COMMAND, GetParam().command, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(harness_pump_until([&] { return (dialog = find_worker_dialog(1)) != nullptr; }, 10000))
        << "the dialog opens";
    harness_pump(200);
    ExitOutcome o = exit_now(std::string("dialog ") + GetParam().name);
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 1u) << "terminated with exit code 1";
    // NOTE: Wine keeps the windows of a terminated thread until the process ends (Windows destroys them);
    //       that the process leaves none behind is checked end to end.
    EXPECT_EQ(o.windows, 0);
}

INSTANTIATE_TEST_SUITE_P(FourDialogs, ExitDuringDialog,
                         testing::Values(Dialog{"colour", 1031}, Dialog{"font", 1049}, Dialog{"load", 1004},
                                         Dialog{"save", 1010}),
                         [](const testing::TestParamInfo<Dialog> &info) { return std::string(info.param.name); });

TEST(ExitDuringWait, PauseInTheUserRoutineIsEndedByTerminatingTheWorker) {
    ASSERT_EQ(harness_start(), 0);
    make_image();
    start_routine([] { VRX_Pause("waiting"); });
    ASSERT_TRUE(harness_pump_until([] { return find_worker_dialog(1) != nullptr; }, 5000)) << "the Pause box shows";
    ExitOutcome o = exit_now("VRX_Pause");
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 1u);
    EXPECT_EQ(o.windows, 0);
}

TEST(ExitDuringWait, ARequestPendingBehindABlockedRoutineEndsWithTheProgram) {
    ASSERT_EQ(harness_start(), 0);
    start_routine([] { VRX_Pause("busy"); });
    ASSERT_TRUE(harness_pump_until([] { return find_worker_dialog(1) != nullptr; }, 5000));
    int status = -1;
    // Exit arrives inside the wait of the request, which the blocked worker never serves.
    ExitOutcome o = exit_now("pending request", [&] {
        PostMessageW(vrx_main_window, WM_COMMAND, IDM_EXIT, 0);
        status = request_create_image(3, "never", 10, 10, 32);
    });
    EXPECT_EQ(status, 3) << "the request was not carried out";
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 1u);
    EXPECT_EQ(o.windows, 0);
}

TEST(ExitDuringWait, ARequestPendingBehindABusyRoutineLetsTheWorkerEndByItself) {
    ASSERT_EQ(harness_start(), 0);
    // The routine draws until the program quits, so the request stays pending.
    start_routine([] {
        ASSERT_EQ(VRX_CreateImage(1, "busy", 0, 0, 64, 64, 100), 0);
        for (unsigned i = 0; vrx_quit.load() == 0; i++) {
            pixels32[1][i % (64 * 64)] = i;
            VRX_UpdateImage(1);
            Sleep(1);
        }
    });
    ASSERT_TRUE(harness_pump_until([] { return image_exists(1); }, 5000));
    int status = -1;
    ExitOutcome o = exit_now("pending request, busy routine", [&] {
        PostMessageW(vrx_main_window, WM_COMMAND, IDM_EXIT, 0);
        request_text_window(5);
        status = vrx_text_windows[5].in_use;
    });
    EXPECT_EQ(status, 0) << "text window 5 was never opened";
    EXPECT_TRUE(o.loop_ended);
    EXPECT_LE(o.ms, kExitBoundMs);
    EXPECT_EQ(o.worker_code, 0u);
    EXPECT_EQ(o.windows, 0);
}
