// host/main_window.cpp - the main window: drop-in animation, menu bar and pop-up menu, keys,
// commands, dropped files, and the Exit procedure.
//
// NOTE: the main window is the only window of the main thread. Everything else is created by the
//       worker thread on request (shell/worker.cpp).

#include "host/host.h"
#include "host/modules.h"
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
// Pop-up menu
//----------------------------------------------------------------------------------

// Shows the main window's pop-up menu at the cursor; the choice arrives as WM_COMMAND
static LRESULT on_right_click(HWND w) {
    if (vrx_waiting.load(std::memory_order_acquire) == 1) return 0;   // a point tool waits for clicks
    int greyed = (vrx_running.load(std::memory_order_acquire) == 1 ||
                  vrx_input_owner.load(std::memory_order_acquire) != 0) ? MENU_GREYED : MENU_ENABLED;
    HMENU menu = CreatePopupMenu();
    add_menu_item(menu, 0, greyed, IDM_PASTE, "Paste\tCtrl+V");
    add_menu_separator(menu, 1);
    add_menu_item(menu, 2, greyed, IDM_START, "Start");
    add_menu_item(menu, 3, MENU_ENABLED, IDM_STOP, "Stop");
    add_menu_item(menu, 4, MENU_ENABLED, IDM_EXIT, "E&xit");
    add_menu_separator(menu, 5);
    add_menu_item(menu, 6, greyed, IDM_IMAGEWINDOW, "Image Window");
    add_menu_item(menu, 7, greyed, IDM_TEXTWINDOW, "Text Window");
    add_menu_item(menu, 8, greyed, IDM_INPUTBOX, "Input Box");
    add_menu_item(menu, 9, greyed, IDM_BUTTONBOX, "Button Box");
    add_menu_separator(menu, 10);
    add_menu_item(menu, 11, greyed, IDM_WINDOWINFO, "&Window Info.\tCtrl+W");
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, w, nullptr);
    DestroyMenu(menu);
    return 0;
}

//----------------------------------------------------------------------------------
// Keys and commands
//----------------------------------------------------------------------------------

// Sets the Start request unless the user routine already runs
static void start_action(void) {
    if (vrx_running.load(std::memory_order_acquire) == 0)
        vrx_start_request.store(1, std::memory_order_release);
}

// X or Esc exit, S starts, C stops; with Ctrl only V (paste) and W (window info)
static LRESULT on_key_down(HWND w, UINT key) {
    if (ctrl_held()) {
        if (key == 'V') PostMessageW(w, WM_COMMAND, IDM_PASTE, 0);
        else if (key == 'W') PostMessageW(w, WM_COMMAND, IDM_WINDOWINFO, 0);
        return 0;
    }
    switch (key) {
    case 'X':
    case VK_ESCAPE: exit_procedure(); break;
    case 'S': start_action(); break;
    case 'C': vrx_stop.store(1, std::memory_order_release); break;
    }
    return 0;
}

// Opens the lowest free text window number at the default place
static void open_free_text_window(void) {
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++) {
        if (!vrx_text_windows[n].in_use) {
            request_text_window(n);
            return;
        }
    }
}

// Makes sure a text window shows, then asks the current one for its window information report
static void window_info(void) {
    int current = vrx_current_text_window;
    if (current < 0 || current >= VRX_MAX_TEXT_WINDOWS || !vrx_text_windows[current].in_use)
        request_text_window(0);
    current = vrx_current_text_window;
    if (current >= 0 && current < VRX_MAX_TEXT_WINDOWS)
        PostMessageW(vrx_text_windows[current].window, WM_COMMAND, IDM_WINDOWINFO, 0);
}

// Carries out a menu command or a posted shortcut
static LRESULT on_command(UINT id) {
    switch (id) {
    case IDM_START: start_action(); break;
    case IDM_STOP: vrx_stop.store(1, std::memory_order_release); break;
    case IDM_EXIT: exit_procedure(); break;
    case IDM_PASTE:
        if (vrx_running.load(std::memory_order_acquire) != 1) main_window_paste();
        break;
    case IDM_IMAGEWINDOW: interactive_create_image_window(); break;
    case IDM_TEXTWINDOW: open_free_text_window(); break;
    case IDM_INPUTBOX: interactive_create_input_box(); break;
    case IDM_BUTTONBOX: interactive_create_button_box(); break;
    case IDM_WINDOWINFO: window_info(); break;
    }
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

// Ends the program: stops waits, closes logs, waits 2000 ms for the worker, destroys the main window
void exit_procedure(void) {
    if (!vrx_main_window) return;   // Exit chosen again from a pump nested inside this one
    vrx_input_owner.store(0, std::memory_order_release);
    vrx_stop.store(1, std::memory_order_release);
    int expected = 0;
    vrx_quit.compare_exchange_strong(expected, 1, std::memory_order_acq_rel);
    VRX_CloseLogs();

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
    if (code == STILL_ACTIVE && vrx_worker_handle) TerminateThread(vrx_worker_handle, 1);
    expected = 1;
    vrx_quit.compare_exchange_strong(expected, 2, std::memory_order_acq_rel);

    if (vrx_worker_handle) CloseHandle(vrx_worker_handle);
    vrx_worker_handle = nullptr;
    HWND w = vrx_main_window;
    vrx_main_window = nullptr;
    DestroyWindow(w);
}
