// tests/windows/host_test.cpp - the two threads and the requests between them, with the interleavings
// forced (the worker held in a dialog while the main window's paste and drop wait on each other), the
// main window's keys, and Exit from every kind of wait, each ending within 2.5 s.
#include "tests/windows/harness.h"

namespace {

using Requests = Toolkit;

const uint32_t kMark = 0x123456;

// Image 0 as a drop or paste finds it: 64 x 48, every pixel kMark, current
void make_marked_image_zero(void) {
    ASSERT_EQ(request_create_image(0, "000", 64, 48, 32), 0);
    harness_run_on_worker([] { std::fill(pixels32[0], pixels32[0] + 64 * 48, kMark); });
}

// The worker held in image 0's Load dialog
HWND held_dialog;

// Main-thread timer: once every posted message has been dispatched and a request waits for the held
// worker, cancels the dialog
// NOTE: WM_TIMER comes only when no posted message is queued, so every posted handler has started.
void CALLBACK release_when_queued(HWND, UINT, UINT_PTR id, DWORD) {
    if (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) != 0 || !request_pending()) return;
    KillTimer(nullptr, id);
    PostMessageW(held_dialog, WM_COMMAND, IDCANCEL, 0);
}

// Holds the worker in image 0's Load dialog until the timer lets it go; false when no dialog came
bool hold_worker(void) {
    PostMessageW(vrx_images[0].window, WM_COMMAND, IDM_LOAD, 0);
    if (!harness_pump_until([] { return (held_dialog = find_dialog(vrx_worker_id, 1)) != nullptr; }, 10000)) return false;
    SetTimer(nullptr, 0, 10, release_when_queued);
    return true;
}

// Pumps until the held worker was let go and the main window's paste and drop have finished
bool settled(void) {
    return harness_pump_until([] { return !IsWindow(held_dialog) && vrx_main_busy.load() == 0 && !request_pending(); }, 15000);
}

}  // namespace

TEST_F(Requests, APasteAndADropWhoseWaitsNestGetTheirOwnResultsAndWindowsInEitherOrder) {
    for (bool drop_first : {true, false}) {
        SCOPED_TRACE(drop_first ? "the paste nested in the drop's wait" : "the drop nested in the paste's wait");
        ASSERT_TRUE(harness_reset());
        make_marked_image_zero();
        put_picture();
        ASSERT_TRUE(hold_worker());
        HDROP drop = harness_drop_of({data_file("good_48x32.png")});
        if (drop_first) PostMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)drop, 0);
        PostMessageW(vrx_main_window, WM_COMMAND, IDM_PASTE, 0);
        if (!drop_first) PostMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)drop, 0);
        EXPECT_TRUE(settled());
        const int pasted = 1, dropped = 2;   // the paste asks for 1 first in both orders
        EXPECT_EQ(harness_window_count(L"vrx_iw"), 3);
        EXPECT_EQ(image_pixel(0, 5, 5), kMark) << "image 0 keeps its pixels";
        EXPECT_EQ(image_colour(pasted, 0, 0), kPicture[0][0]) << "the paste has a window of its own";
        EXPECT_EQ(image_colour(dropped, 0, 0), 0xFF0000u) << "so has the dropped file";
        EXPECT_EQ(window_text(vrx_images[dropped].window).substr(0, 19), L"00" + std::to_wstring(dropped) + L" good_48x32.png(");
        EXPECT_EQ(vrx_current_image, 0) << "the current image is what it was";
    }
}

TEST_F(Requests, APasteGoesIntoTheNumberMadeForItWhateverIsCurrent) {
    make_marked_image_zero();
    put_picture();
    RGBQUAD table[256];
    int count;
    HBITMAP bitmap = get_clipboard_bitmap(vrx_main_window, table, &count);
    ASSERT_EQ(request_create_image(1, "001", 3, 2, 32), 0);
    harness_run_on_worker([] { VRX_SelectImage(0); });   // a command on the worker chose image 0 meanwhile
    request_paste_bitmap(1, bitmap);
    EXPECT_EQ(image_colour(1, 0, 0), kPicture[0][0]);
    EXPECT_EQ(image_pixel(0, 0, 0), kMark);
}

//----------------------------------------------------------------------------------
// Exit from every kind of wait, each in a process of its own
//----------------------------------------------------------------------------------
namespace {

struct ExitCase {
    void (*start)(void);      // begins the wait: a routine, or a command posted to image 0
    bool (*waiting)(void);    // true once it waits
    bool terminated;          // the worker cannot leave the wait: terminated, the process ended as a normal end
    bool request;             // a request is made while Exit runs, which the worker never serves
    bool (*check)(void);      // what the wait itself must have left
};

int result = -1;
char line[256] = "unset";
std::string log_path(int n) { return std::string(vrx_log_folder) + "VRXLIB" + std::to_string(n) + ".LOG"; }
bool tool_waits(void) { return vrx_waiting.load() == 1; }
bool dialog_shows(void) { return find_dialog(vrx_worker_id, 1) != nullptr; }
bool routine_runs(void) { return vrx_running.load() == 1 && result == 0; }
void post_to_image(int id) { PostMessageW(vrx_images[0].window, WM_COMMAND, id, 0); }

// Opens text window n with its log started and one line printed in it
void open_logging(int n, const char *text) {
    VRX_OpenTextWindow(n, 0, 0, 300, 200), VRX_StartLog(n), VRX_SelectTextWindow(n), VRX_Printf("%s", text);
}

const ExitCase kExits[] = {
    {[] { harness_start_routine([] { int a, b, c, d; result = VRX_WaitLine(0, &a, &b, &c, &d); }); }, tool_waits, false, false,
     [] { return result == VRX_POINT_STOPPED; }},
    {[] { post_to_image(IDM_CLIPPING); }, tool_waits, false, false, [] { return image_exists(0) && !image_exists(1); }},
    {[] { post_to_image(IDM_COLOR_CHANGE); }, dialog_shows, true, false, nullptr},
    {[] { harness_start_routine([] { VRX_Pause("waiting"); }); }, dialog_shows, true, true, nullptr},
    {[] { harness_start_routine([] { for (result = 0;;) Sleep(10); }); }, routine_runs, true, false, nullptr},
    {[] { harness_start_routine([] { VRX_OpenTextWindow(0, 0, 0, 300, 200), VRX_InputText(line); }); }, [] { return vrx_input_owner.load() != 0; }, false, false,
     [] { return line[0] == 0; }},
    // Logs are closed only once the worker has stopped: what it prints while Exit waits is kept
    {[] {
         harness_start_routine([] {
             open_logging(2, "two\n"), VRX_CloseTextWindow(2), open_logging(1, "before\n");
             for (result = 0; !vrx_quit.load();) Sleep(1);
             VRX_Printf("after\n");
         });
     }, routine_runs, false, true,
     [] { return file_bytes(log_path(1)) == "before\r\nafter\r\n" && DeleteFileA(log_path(2).c_str()) && DeleteFileA(log_path(1).c_str()); }},
};

// The top-level windows of thread tid and the toolkit's windows of this process
int windows_left(DWORD tid) {
    int count = 0;
    EnumThreadWindows(tid, [](HWND, LPARAM lp) -> BOOL { return ++*(int *)lp, TRUE; }, (LPARAM)&count);
    for (const wchar_t *cls : {L"vrx_mw", L"vrx_iw", L"vrx_twi", L"vrx_ib", L"vrx_bb"}) count += harness_window_count(cls);
    return count;
}

void exit_during(const ExitCase &c) {
    ASSERT_TRUE(harness_reset());
    ASSERT_TRUE(harness_run_on_worker([] { VRX_CreateImage(0, "exit", 100, 100, 120, 90, 100); }));
    HANDLE worker;
    DuplicateHandle(GetCurrentProcess(), vrx_worker_handle, GetCurrentProcess(), &worker, 0, FALSE, DUPLICATE_SAME_ACCESS);
    DWORD tid = vrx_worker_id, code = STILL_ACTIVE;
    c.start();
    ASSERT_TRUE(harness_pump_until(c.waiting, 10000)) << "the wait began";
    int mark = get_milliseconds(), status = -1;
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_EXIT, 0);
    if (c.request) status = request_create_image(3, "never", 8, 8, 32);   // Exit runs inside its wait
    EXPECT_TRUE(harness_exit());
    EXPECT_LE(get_milliseconds() - mark, 2500) << "Exit ended the program within 2.5 s";
    WaitForSingleObject(worker, 1000);
    GetExitCodeThread(worker, &code);
    EXPECT_EQ(code, c.terminated ? 1u : 0u) << "1: terminated; 0: the worker left by itself";
    EXPECT_EQ(harness_end_code, c.terminated ? 0 : -1);
    EXPECT_EQ(windows_left(tid), 0);
    EXPECT_EQ(status, c.request ? 3 : -1) << "the request was not carried out";
    EXPECT_TRUE(!c.check || c.check());
}

}  // namespace

TEST(ExitFrom, APointToolInTheRoutine) { exit_during(kExits[0]); }
TEST(ExitFrom, ClippingChosenOnAnImageWindow) { exit_during(kExits[1]); }
TEST(ExitFrom, TheColourDialog) { exit_during(kExits[2]); }
TEST(ExitFrom, PauseWithARequestWaitingBehindIt) { exit_during(kExits[3]); }
TEST(ExitFrom, ARoutineThatNeverReturns) { exit_during(kExits[4]); }
TEST(ExitFrom, ALineInputInTheRoutine) { exit_during(kExits[5]); }
TEST(ExitFrom, ABusyRoutinePrintingIntoItsLogWithARequestWaiting) { exit_during(kExits[6]); }
