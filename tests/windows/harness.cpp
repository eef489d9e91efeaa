// tests/windows/harness.cpp - the toolkit hosted by the Windows test program.
#include "tests/windows/harness.h"

#include <shlobj.h>

#include "tests/windows/toolkit.h"

#include <gtest/gtest.h>

#include <cstring>

std::function<void()> harness_user_routine;

// Start runs the routine a test gave
int user_routine(void) {
    if (harness_user_routine) harness_user_routine();
    return 0;
}

int harness_end_code = -1;

int harness_start(void) {
    harness_end_code = -1;
    vrx_end_process = [](UINT code) { harness_end_code = (int)code; };
    return vrx_startup(GetModuleHandleW(nullptr));
}

void harness_pump(int ms) {
    int mark = get_milliseconds();
    while (get_milliseconds() - mark < ms) {
        pump_messages();
        Sleep(1);
    }
}

bool harness_pump_until(const std::function<bool()> &done, int ms) {
    int mark = get_milliseconds();
    while (!done()) {
        if (get_milliseconds() - mark > ms) return false;
        pump_messages();
        Sleep(1);
    }
    return true;
}

bool harness_run_on_worker(const std::function<void()> &body, int ms) {
    std::atomic<int> finished{0};
    harness_user_routine = [&] {
        body();
        finished.store(1, std::memory_order_release);
    };
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    bool ok = harness_pump_until([&] {
        return finished.load(std::memory_order_acquire) == 1 && vrx_running.load() == 0;
    }, ms);
    harness_user_routine = nullptr;
    return ok;
}

bool harness_exit(void) {
    if (vrx_main_window) exit_procedure();
    MSG msg;
    int mark = get_milliseconds();
    bool quit = false;
    while (get_milliseconds() - mark < 5000) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) { quit = true; break; }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(1);
        }
    }
    vrx_shutdown();
    return quit;
}

void harness_hold_ctrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// A DROPFILES block naming files, as the shell hands it to a window (the receiver frees it)
HDROP harness_drop_of(const std::vector<std::wstring> &files) {
    size_t chars = 1;
    for (const auto &f : files) chars += f.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    DROPFILES *d = (DROPFILES *)GlobalLock(block);
    d->pFiles = sizeof(DROPFILES);
    d->fWide = TRUE;
    wchar_t *p = (wchar_t *)(d + 1);
    for (const auto &f : files) {
        memcpy(p, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
        p += f.size() + 1;
    }
    GlobalUnlock(block);
    return (HDROP)block;
}

// How many top-level windows of class cls this process has
int harness_window_count(const wchar_t *cls) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId()) count++;
    }
    return count;
}

// Waits on the calling thread, without pumping, up to ms for done(); true when it became true
bool harness_wait_for(const std::function<bool()> &done, int ms) {
    for (int i = 0; i < ms; i++) {
        if (done()) return true;
        Sleep(1);
    }
    return done();
}

// Answers the console prompts of a main-window creation command in turn from a new thread: each
// answer and Enter typed into text window 0 once a line input waits
std::thread harness_answer_prompts(std::vector<std::wstring> answers) {
    return std::thread([answers] {
        auto line_waits = [] { return vrx_input_owner.load(std::memory_order_acquire) != 0; };
        for (const std::wstring &a : answers) {
            if (!harness_wait_for(line_waits)) return;
            HWND w = vrx_text_windows[0].window;
            for (wchar_t c : a) PostMessageW(w, WM_CHAR, c, 0);
            PostMessageW(w, WM_CHAR, L'\r', 0);
            harness_wait_for([&] { return !line_waits(); });
        }
    });
}
