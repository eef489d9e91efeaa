// tests/e2e/exit_e2e_test.cpp - Exit chosen from outside while the program waits: during the entrance
// animation, at a prompt of each interactive creation, in VRX_Pause, while a request is pending behind a
// blocked user routine, in the colour, font, load and save dialogs and in a point tool. Each time the
// process ends with exit code 0 within 2.5 s and leaves no window and no process behind. The measured
// times are appended to exit_times.log beside the test program.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

const UINT IDM_START = 1001, IDM_EXIT = 1002, IDM_IMAGEWINDOW = 1027, IDM_TEXTWINDOW = 1028,
           IDM_INPUTBOX = 1044, IDM_BUTTONBOX = 1051;
const DWORD kExitBoundMs = 2500;

// The folder of this test program, with a trailing backslash
std::wstring own_folder(void) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L'\\') + 1);
}

// Appends one measured Exit time to exit_times.log
void log_exit_time(const char *what, DWORD ms) {
    FILE *f = _wfopen((own_folder() + L"exit_times.log").c_str(), L"at");
    if (f) {
        fprintf(f, "e2e %s %lu ms\n", what, (unsigned long)ms);
        fclose(f);
    }
    printf("Exit %s took %lu ms\n", what, (unsigned long)ms);
}

// Top-level windows of process pid, counted
int windows_of(DWORD pid) {
    struct Count { DWORD pid; int n; } c = {pid, 0};
    EnumWindows([](HWND w, LPARAM lp) -> BOOL {
        Count *c = (Count *)lp;
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == c->pid) c->n++;
        return TRUE;
    }, (LPARAM)&c);
    return c.n;
}

// Running processes with this id or this executable name
int processes_like(DWORD pid, const wchar_t *exe_name) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32W e = {sizeof e};
    int n = 0;
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
        if (e.th32ProcessID == pid || _wcsicmp(e.szExeFile, exe_name) == 0) n++;
    CloseHandle(snap);
    return n;
}

// Posts Exit (or runs choose_exit) and checks the program ends as it must; the time it took
DWORD expect_clean_exit(Program *p, const wchar_t *exe_name, const char *what,
                        void (*choose_exit)(Program *) = nullptr) {
    DWORD pid = p->process.dwProcessId;
    DWORD mark = GetTickCount();
    if (choose_exit) choose_exit(p);
    else PostMessageW(p->main_window, WM_COMMAND, IDM_EXIT, 0);
    int code = wait_exit(p, 8000);
    DWORD took = GetTickCount() - mark;
    log_exit_time(what, took);
    EXPECT_EQ(code, 0) << what;
    EXPECT_LE(took, kExitBoundMs) << what;
    pause_ms(100);
    EXPECT_EQ(windows_of(pid), 0) << "windows left by " << what;
    EXPECT_EQ(processes_like(pid, exe_name), 0) << "processes left by " << what;
    return took;
}

// A visible dialog of process pid titled title, waiting up to ms
HWND wait_dialog_of(DWORD pid, const wchar_t *title, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        for (HWND w = FindWindowW(L"#32770", title); w; w = FindWindowExW(nullptr, w, L"#32770", title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w)) return w;
        }
        Sleep(50);
    }
    return nullptr;
}

// The image window of the probe, once its routine has made it and returned
HWND start_image_probe(Program *p) {
    if (!start_program(p, L"vrx_image_probe.exe")) return nullptr;
    PostMessageW(p->main_window, WM_COMMAND, IDM_START, 0);
    HWND image = wait_window(*p, L"vrx_iw", nullptr, 5000);
    pause_ms(300);   // the routine returns right after its last repaint
    return image;
}

class ExitFromOutside : public testing::Test {
protected:
    void TearDown() override { stop_program(&program); }
    Program program;
};

}  // namespace

TEST_F(ExitFromOutside, DuringTheEntranceAnimation) {
    std::wstring exe = own_folder() + L"quarvex.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {sizeof si};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, own_folder().c_str(), &si,
                               &program.process));
    HWND w = nullptr;
    for (int i = 0; i < 500 && !w; i++) {
        for (HWND c = FindWindowW(L"vrx_mw", nullptr); c && !w; c = FindWindowExW(nullptr, c, L"vrx_mw", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(c, &pid);
            if (pid == program.process.dwProcessId) w = c;
        }
        if (!w) Sleep(5);
    }
    ASSERT_NE(w, nullptr) << "the main window appears";
    program.main_window = w;
    RECT r;
    GetWindowRect(w, &r);
    // Still falling: the window rests at SM_CYFULLSCREEN - 58 only when the animation is over.
    EXPECT_LT(r.top, GetSystemMetrics(SM_CYFULLSCREEN) - 58) << "Exit chosen while the window drops";
    expect_clean_exit(&program, L"quarvex.exe", "entrance animation");
}

// A creation command of the main window and the answers given before Exit
struct Prompt {
    const char *name;
    UINT command;
    const wchar_t *answers[2];
    const wchar_t *window_class;   // what the command would have made
};

class ExitAtAPrompt : public testing::TestWithParam<Prompt> {
protected:
    void TearDown() override { stop_program(&program); }
    Program program;
};

void PrintTo(const Prompt &p, std::ostream *os) { *os << p.name; }

TEST_P(ExitAtAPrompt, EndsTheProgramWithoutCreatingAnything) {
    const Prompt &p = GetParam();
    ASSERT_TRUE(start_program(&program, L"quarvex.exe"));
    PostMessageW(program.main_window, WM_COMMAND, p.command, 0);
    for (const wchar_t *a : p.answers)
        if (a) {
            ASSERT_TRUE(answer_prompt(program.main_window, a));
        }
    for (int i = 0; i < 100 && status_line(program.main_window) != L"Input text"; i++) pause_ms(50);
    ASSERT_EQ(status_line(program.main_window), L"Input text") << "a prompt waits";
    expect_clean_exit(&program, L"quarvex.exe", (std::string("prompt ") + p.name).c_str());
    EXPECT_EQ(FindWindowW(p.window_class, nullptr), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachCreation, ExitAtAPrompt,
                         testing::Values(Prompt{"image_window_height", IDM_IMAGEWINDOW, {L"640", nullptr}, L"vrx_iw"},
                                         Prompt{"image_window_depth", IDM_IMAGEWINDOW, {L"64", L"48"}, L"vrx_iw"},
                                         Prompt{"input_box", IDM_INPUTBOX, {nullptr, nullptr}, L"vrx_ib"},
                                         Prompt{"button_box_rows", IDM_BUTTONBOX, {L"3", nullptr}, L"vrx_bb"}),
                         [](const testing::TestParamInfo<Prompt> &info) { return std::string(info.param.name); });

TEST_F(ExitFromOutside, WhileTheUserRoutineWaitsInPause) {
    ASSERT_TRUE(start_program(&program, L"vrx_pause_probe.exe"));
    PostMessageW(program.main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_NE(wait_dialog_of(program.process.dwProcessId, L"Pause", 5000), nullptr);
    expect_clean_exit(&program, L"vrx_pause_probe.exe", "VRX_Pause");
}

TEST_F(ExitFromOutside, WhileARequestWaitsBehindABlockedRoutine) {
    ASSERT_TRUE(start_program(&program, L"vrx_pause_probe.exe"));
    PostMessageW(program.main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_NE(wait_dialog_of(program.process.dwProcessId, L"Pause", 5000), nullptr);
    // Text Window posts a request that the worker, stuck in the routine, does not take.
    PostMessageW(program.main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
    pause_ms(300);
    EXPECT_EQ(FindWindowW(L"vrx_twi", nullptr), nullptr) << "the request is still pending";
    expect_clean_exit(&program, L"vrx_pause_probe.exe", "pending request");
}

// A dialog of the image window and the command that opens it
struct Dialog {
    const char *name;
    UINT command;
};

class ExitInADialog : public testing::TestWithParam<Dialog> {
protected:
    void TearDown() override { stop_program(&program); }
    Program program;
};

void PrintTo(const Dialog &d, std::ostream *os) { *os << d.name; }

TEST_P(ExitInADialog, EndsTheProgramWithExitCodeZero) {
    HWND image = start_image_probe(&program);
    ASSERT_NE(image, nullptr);
    PostMessageW(image, WM_COMMAND, GetParam().command, 0);
    ASSERT_NE(wait_dialog_of(program.process.dwProcessId, nullptr, 10000), nullptr) << "the dialog opens";
    pause_ms(200);
    expect_clean_exit(&program, L"vrx_image_probe.exe", (std::string("dialog ") + GetParam().name).c_str());
}

INSTANTIATE_TEST_SUITE_P(FourDialogs, ExitInADialog,
                         testing::Values(Dialog{"colour", 1031}, Dialog{"font", 1049}, Dialog{"load", 1004},
                                         Dialog{"save", 1010}),
                         [](const testing::TestParamInfo<Dialog> &info) { return std::string(info.param.name); });

TEST_F(ExitFromOutside, WhileClippingWaitsForItsSecondCorner) {
    HWND image = start_image_probe(&program);
    ASSERT_NE(image, nullptr);
    PostMessageW(image, WM_COMMAND, 1019, 0);   // Clipping
    for (int i = 0; i < 100 && status_line(program.main_window) != L"Click the first point"; i++) pause_ms(20);
    PostMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    for (int i = 0; i < 100 && status_line(program.main_window) != L"Click the second point"; i++) pause_ms(20);
    ASSERT_EQ(status_line(program.main_window), L"Click the second point");
    expect_clean_exit(&program, L"vrx_image_probe.exe", "point tool (Clipping)");
}
