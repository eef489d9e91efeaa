// host/main_window.cpp - the main window: drop-in animation, menu bar and pop-up menu, keys,
// commands, dropped files, and the Exit procedure.
//
// Thread: the main thread.
// NOTE: the main window is the only window of the main thread. Everything else is created by the
//       worker thread on request (host/worker.cpp).

#include "host/host.h"

#include "base/clock.h"
#include "base/command_ids.h"
#include "base/menus.h"
#include "base/process.h"
#include "base/status_line.h"
#include "base/window_snap.h"
#include "text/console.h"
#include "text/log_file.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <windowsx.h>

//----------------------------------------------------------------------------------
// Creation
//----------------------------------------------------------------------------------

// Offsets of the drop-in animation: a fall of 55 pixels with two small rebounds
static const int drop_offsets[28] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -6, -5, -4, -3,
                                     -2, -1, 1, 2, 3, 4, 5, 6, -3, -2, -1, 1, 2, 3};

// Busy-waits until ms milliseconds have passed since mark; returns the new mark
static int spin_until(int mark, int ms) {
    int now = get_milliseconds();
    while (now - mark < ms) now = get_milliseconds();
    return now;
}

// Drops the window into place, 20 ms per step, then rests 500 ms
// NOTE: spins on the performance counter without sleeping or pumping; the worker does not exist yet.
static void run_drop_animation(HWND w) {
    int mark = get_milliseconds();
    for (int offset : drop_offsets) {
        RECT r;
        GetWindowRect(w, &r);
        SetWindowPos(w, nullptr, r.left, r.top + offset, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        mark = spin_until(mark, 20);
    }
    spin_until(mark, 500);
}

// Creates the status line, animates, measures the colour depth and starts the worker thread
static LRESULT on_create(HWND w) {
    vrx_main_window = w;
    snap_register(w, SNAP_RANK_MAIN);
    vrx_status_window = CreateWindowExW(0, L"STATIC", L"Ready", WS_CHILD | WS_VISIBLE, 0, 6, 234, 20, w,
                                        (HMENU)(INT_PTR)IDC_STATUS, vrx_instance, nullptr);
    run_drop_animation(w);
    HDC dc = GetDC(w);
    vrx_color_bits = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(w, dc);
    vrx_worker_handle = CreateThread(nullptr, 0, worker_thread, nullptr, 0, &vrx_worker_id);
    return 0;
}

//----------------------------------------------------------------------------------
// Commands: one table builds the menu bar, the pop-up menu, the keys and the dispatch
//----------------------------------------------------------------------------------

// Sets the Start request unless the user routine already runs
static void start_action(void) {
    if (vrx_running.load(std::memory_order_acquire) == 0)
        vrx_start_request.store(1, std::memory_order_release);
}

static void stop_action(void) { vrx_stop.store(1, std::memory_order_release); }

// Paste: ignored while the user routine runs
static void paste_action(void) {
    if (vrx_running.load(std::memory_order_acquire) != 1) main_window_paste();
}

// Text Window: opens the lowest free text window number at the default place
static void open_free_text_window(void) {
    int n = lowest_free_text_window();
    if (n >= 0) request_text_window(n);
}

// Makes sure a text window shows, then asks the current one for its window information report
static void window_info(void) {
    if (!text_window_open(vrx_current_text_window)) request_text_window(0);
    int current = vrx_current_text_window;
    if (current >= 0 && current < VRX_MAX_TEXT_WINDOWS)
        PostMessageW(vrx_text_windows[current].window, WM_COMMAND, IDM_WINDOWINFO, 0);
}

// How an item of the pop-up menu looks while the user routine runs or a line input waits
enum ItemWhenBusy { GREYED_WHEN_BUSY, ALWAYS_ENABLED };

// One command of the main window, or a separator of the pop-up menu (id 0)
struct MainCommand {
    int id;
    const char *bar_text;    // its item in the menu bar, or null
    const char *text;        // its item in the pop-up menu
    ItemWhenBusy when_busy;
    char ctrl_key;           // Ctrl+key posts the command
    char key;                // the key alone carries it out at once
    void (*run)(void);
};

// The pop-up menu's items top to bottom; the menu bar shows Start, Stop and Exit
static const MainCommand main_commands[] = {
    {IDM_PASTE, nullptr, "Paste\tCtrl+V", GREYED_WHEN_BUSY, 'V', 0, paste_action},
    {0, nullptr, nullptr, ALWAYS_ENABLED, 0, 0, nullptr},
    {IDM_START, "Start(&S)", "Start", GREYED_WHEN_BUSY, 0, 'S', start_action},
    {IDM_STOP, "Stop(&C)", "Stop", ALWAYS_ENABLED, 0, 'C', stop_action},
    {IDM_EXIT, "Exit(&X)", "E&xit", ALWAYS_ENABLED, 0, 'X', exit_procedure},
    {0, nullptr, nullptr, ALWAYS_ENABLED, 0, 0, nullptr},
    {IDM_IMAGEWINDOW, nullptr, "Image Window", GREYED_WHEN_BUSY, 0, 0, interactive_create_image_window},
    {IDM_TEXTWINDOW, nullptr, "Text Window", GREYED_WHEN_BUSY, 0, 0, open_free_text_window},
    {IDM_INPUTBOX, nullptr, "Input Box", GREYED_WHEN_BUSY, 0, 0, interactive_create_input_box},
    {IDM_BUTTONBOX, nullptr, "Button Box", GREYED_WHEN_BUSY, 0, 0, interactive_create_button_box},
    {0, nullptr, nullptr, ALWAYS_ENABLED, 0, 0, nullptr},
    {IDM_WINDOWINFO, nullptr, "&Window Info.\tCtrl+W", GREYED_WHEN_BUSY, 'W', 0, window_info},
};

// Builds the menu bar Start, Stop, Exit
HMENU build_menu_bar(void) {
    HMENU bar = CreateMenu();
    int position = 0;
    for (const MainCommand &c : main_commands)
        if (c.bar_text) add_menu_item(bar, position++, MENU_ENABLED, c.id, c.bar_text);
    return bar;
}

// Shows the main window's pop-up menu at the cursor; the choice arrives as WM_COMMAND
static LRESULT on_right_click(HWND w) {
    if (vrx_waiting.load(std::memory_order_acquire) == 1) return 0;   // a point tool waits for clicks
    bool busy = vrx_running.load(std::memory_order_acquire) == 1 || console_input_waiting();
    HMENU menu = CreatePopupMenu();
    int position = 0;
    for (const MainCommand &c : main_commands) {
        if (!c.id) add_menu_separator(menu, position++);
        else add_menu_item(menu, position++, busy && c.when_busy == GREYED_WHEN_BUSY ? MENU_GREYED : MENU_ENABLED,
                           c.id, c.text);
    }
    track_menu_at_cursor(menu, w);
    return 0;
}

// With Ctrl, V and W post their commands; alone, X or Esc exit, S starts and C stops, at once
static LRESULT on_key_down(HWND w, UINT key) {
    bool ctrl = ctrl_held();
    if (!ctrl && key == VK_ESCAPE) key = 'X';
    for (const MainCommand &c : main_commands) {
        if (!c.id) continue;
        if (ctrl && c.ctrl_key == (char)key) PostMessageW(w, WM_COMMAND, (WPARAM)c.id, 0);
        else if (!ctrl && c.key == (char)key) c.run();
    }
    return 0;
}

// Carries out a menu command or a posted shortcut
static LRESULT on_command(UINT id) {
    for (const MainCommand &c : main_commands)
        if (c.id && c.id == (int)id) c.run();
    return 0;
}

//----------------------------------------------------------------------------------
// Window procedure
//----------------------------------------------------------------------------------

// Window procedure of class vrx_mw
LRESULT CALLBACK main_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:        return on_create(w);
    case WM_DESTROY:       PostQuitMessage(0); return 0;
    case WM_MOVE:          rebuild_layout(); return 0;
    case WM_MOVING:        snap_window_rect(w, (RECT *)lp); return 0;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN: return on_right_click(w);
    case WM_KEYDOWN:       return on_key_down(w, (UINT)wp);
    case WM_COMMAND:       return on_command(GET_WM_COMMAND_ID(wp, lp));
    case WM_DROPFILES:     main_window_drop((HDROP)wp); return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

//----------------------------------------------------------------------------------
// Exit
//----------------------------------------------------------------------------------

// Ends the process at once with an exit code
static void terminate_this_process(UINT code) { TerminateProcess(GetCurrentProcess(), code); }

void (*vrx_end_process)(UINT code) = terminate_this_process;

// Ends the program: stops waits, waits 2000 ms for the worker, closes the logs, destroys the main window;
// after the worker had to be terminated it flushes the logs and ends the process at once
// NOTE: the logs are closed only once the worker has stopped, since it may print into them until then.
void exit_procedure(void) {
    if (!vrx_main_window) return;   // Exit chosen again from a pump nested inside this one
    vrx_input_owner.store(0, std::memory_order_release);
    vrx_stop.store(1, std::memory_order_release);
    int expected = 0;
    vrx_quit.compare_exchange_strong(expected, 1, std::memory_order_acq_rel);

    int mark = get_milliseconds();
    DWORD code = STILL_ACTIVE;
    while (vrx_worker_handle && GetExitCodeThread(vrx_worker_handle, &code) && code == STILL_ACTIVE) {
        if (get_milliseconds() - mark > 2000) break;
        // NOTE: on its way out the worker may send to a window of this thread (a point tool or a line
        //       input puts the status line back, drops are accepted again); answering sent messages,
        //       and only those, lets it end by itself instead of being terminated after 2000 ms.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(0);
    }
    // NOTE: the user routine may be blocked (a message box, an endless loop); it cannot be asked to end.
    bool terminated = code == STILL_ACTIVE && vrx_worker_handle;
    if (terminated) {
        TerminateThread(vrx_worker_handle, 1);
        WaitForSingleObject(vrx_worker_handle, 1000);   // the termination completes asynchronously
    }
    expected = 1;
    vrx_quit.compare_exchange_strong(expected, 2, std::memory_order_acq_rel);

    if (terminated) {
        // NOTE: the dead thread may have held a lock of the heap, of GDI+ or of a log stream, and the
        //       normal shutdown (GdiplusShutdown, frees, the C runtime's exit) could wait on it for ever.
        //       What was logged is flushed and the process ends here, as a normal end (code 0).
        flush_logs_after_termination();
        vrx_end_process(0);   // returns only in the in-process tests, which go on without closing logs
    } else {
        close_all_logs();
    }

    if (vrx_worker_handle) CloseHandle(vrx_worker_handle);
    vrx_worker_handle = nullptr;
    HWND w = vrx_main_window;
    vrx_main_window = nullptr;
    snap_unregister(w);
    DestroyWindow(w);
}
