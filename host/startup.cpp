// host/startup.cpp - process start-up and shutdown: GDI+, the clock, the tables, the folders, the five
// window classes, the menu bar, the main window, the TrueType text font and the message loop.
//
// Thread: the main thread.

#include "host/host.h"

#include "base/clock.h"
#include "base/gdiplus_api.h"
#include "base/process.h"
#include "base/status_line.h"
#include "boxes/boxes.h"
#include "image/commands/color_dialog.h"
#include "image/commands/tt_text.h"
#include "image/file_dialogs.h"
#include "image/image_table.h"
#include "image/image_window.h"
#include "text/report_command.h"
#include "text/text_window.h"

static ULONG_PTR gdiplus_token;
static HMENU menu_bar;

// Registers one toolkit window class; false when the system refuses it
static bool register_class(const wchar_t *name, WNDPROC proc, UINT style, HBRUSH background) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;   // 48 on 32-bit Windows, 80 on 64-bit
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = vrx_instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

// Runs start-up steps up to the message loop; 0, or 1 when a window class cannot be registered
int vrx_startup(HINSTANCE instance) {
    Gdiplus::GdiplusStartupInput input;   // version 1, no callback, nothing suppressed
    Gdiplus::GdiplusStartup(&gdiplus_token, &input, nullptr);
    clock_start();

    // The tables of every subsystem, and the folders each one keeps (read from the current directory)
    clear_image_tables();
    text_startup();
    file_dialogs_startup();
    clear_custom_colors();
    set_report_snapshot_maker(take_window_snapshot);
    vrx_instance = instance;

    HBRUSH face = (HBRUSH)(COLOR_BTNFACE + 1);
    HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
    if (!register_class(L"vrx_mw", main_window_proc, CS_CLASSDC, face) ||
        !register_class(L"vrx_iw", image_window_proc, CS_OWNDC, black) ||
        !register_class(L"vrx_twi", text_window_proc, CS_OWNDC, black) ||
        !register_class(L"vrx_ib", input_box_proc, CS_OWNDC | CS_DBLCLKS, face) ||
        !register_class(L"vrx_bb", button_box_proc, CS_OWNDC | CS_DBLCLKS, face))
        return 1;

    int screen_w = GetSystemMetrics(SM_CXFULLSCREEN);
    int screen_h = GetSystemMetrics(SM_CYFULLSCREEN);
    menu_bar = build_menu_bar();

    // NOTE: WM_CREATE runs the drop-in animation (about 1.06 s) and starts the worker thread
    //       before CreateWindowExW returns.
    CreateWindowExW(0, L"vrx_mw", L"", WS_VISIBLE | WS_CAPTION,
                    (screen_w - 240) / 2, screen_h - 113, 240, GetSystemMetrics(SM_CYCAPTION) + 58,
                    nullptr, menu_bar, vrx_instance, nullptr);

    restore_status_text();
    DragAcceptFiles(vrx_main_window, TRUE);
    UpdateWindow(vrx_main_window);
    tt_text_startup();
    return 0;
}

// Runs the main thread's message loop until the quit message
void vrx_message_loop(void) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Releases the font, the menu bar and GDI+
void vrx_shutdown(void) {
    tt_text_shutdown();
    DestroyMenu(menu_bar);
    menu_bar = nullptr;
    Gdiplus::GdiplusShutdown(gdiplus_token);
}

// The whole program: start-up, message loop, shutdown; returns the exit code
int vrx_program_main(HINSTANCE instance) {
    if (vrx_startup(instance) != 0) return 1;
    vrx_message_loop();
    vrx_shutdown();
    return 0;
}
