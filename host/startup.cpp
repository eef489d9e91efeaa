// host/startup.cpp - process start-up and shutdown: GDI+, the clock, the tables, the folders, the
// five window classes, the menu bar, the main window, the TrueType text font and the message loop.

#include "host/host.h"
#include "host/modules.h"

#include "base/gdiplus_api.h"

#include <cstdio>

//----------------------------------------------------------------------------------
// Shell flags and process-wide state
//----------------------------------------------------------------------------------
std::atomic<int> vrx_start_request{0};
std::atomic<int> vrx_running{0};
std::atomic<int> vrx_stop{0};
std::atomic<int> vrx_quit{0};
std::atomic<int> vrx_main_busy{0};
std::atomic<int> vrx_input_owner{0};
std::atomic<int> vrx_waiting{0};

HINSTANCE vrx_instance;
HWND vrx_main_window;
HWND vrx_status_window;
HMENU vrx_menu_bar;
HANDLE vrx_worker_handle;
DWORD vrx_worker_id;
int vrx_color_bits;
ULONG_PTR vrx_gdiplus_token;
double vrx_ms_per_tick = 1.0;

wchar_t vrx_load_folder_w[MAX_PATH];
char vrx_load_folder[MAX_PATH];
wchar_t vrx_save_folder_w[MAX_PATH];
char vrx_save_folder[MAX_PATH];
wchar_t vrx_program_folder_w[MAX_PATH];
char vrx_program_folder[MAX_PATH];
COLORREF vrx_custom_colors[16];

HFONT vrx_tt_font;
int vrx_tt_cell_width = 8, vrx_tt_cell_height = 16;
unsigned int vrx_tttc = 0xFFFFFF;
int vrx_text_x, vrx_text_y, vrx_text_margin;

//----------------------------------------------------------------------------------
// Start-up steps
//----------------------------------------------------------------------------------

// Reads the current directory into one folder pair (UTF-16 and ANSI)
static void read_current_folder(wchar_t *wide, char *narrow) {
    GetCurrentDirectoryW(MAX_PATH, wide);
    wide_to_narrow(wide, narrow, MAX_PATH);
}

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
    Gdiplus::GdiplusStartup(&vrx_gdiplus_token, &input, nullptr);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    vrx_ms_per_tick = 1000.0 / (double)frequency.QuadPart;

    clear_toolkit_tables();
    vrx_instance = instance;

    read_current_folder(vrx_load_folder_w, vrx_load_folder);
    read_current_folder(vrx_save_folder_w, vrx_save_folder);
    read_current_folder(vrx_program_folder_w, vrx_program_folder);
    size_t len = wcslen(vrx_program_folder_w);
    if (len > 0 && len + 1 < MAX_PATH && vrx_program_folder_w[len - 1] != L'\\') {
        vrx_program_folder_w[len] = L'\\';
        vrx_program_folder_w[len + 1] = 0;
        wide_to_narrow(vrx_program_folder_w, vrx_program_folder, MAX_PATH);
    }
    for (COLORREF &c : vrx_custom_colors) c = 0;

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
    vrx_menu_bar = CreateMenu();
    add_menu_item(vrx_menu_bar, 0, MENU_ENABLED, IDM_START, "Start(&S)");
    add_menu_item(vrx_menu_bar, 1, MENU_ENABLED, IDM_STOP, "Stop(&C)");
    add_menu_item(vrx_menu_bar, 2, MENU_ENABLED, IDM_EXIT, "Exit(&X)");

    // NOTE: WM_CREATE runs the drop-in animation (about 1.06 s) and starts the worker thread
    //       before CreateWindowExW returns.
    CreateWindowExW(0, L"vrx_mw", L"", WS_VISIBLE | WS_CAPTION,
                    (screen_w - 240) / 2, screen_h - 113, 240, GetSystemMetrics(SM_CYCAPTION) + 58,
                    nullptr, vrx_menu_bar, vrx_instance, nullptr);

    restore_status_text();
    DragAcceptFiles(vrx_main_window, TRUE);
    UpdateWindow(vrx_main_window);

    vrx_tt_font = CreateFontW(16, 8, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");   // "ＭＳ ゴシック"
    vrx_tt_cell_width = 8;
    vrx_tt_cell_height = 16;
    vrx_tttc = 0xFFFFFF;
    vrx_text_x = vrx_text_y = vrx_text_margin = 0;
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
    DeleteObject(vrx_tt_font);
    vrx_tt_font = nullptr;
    DestroyMenu(vrx_menu_bar);
    vrx_menu_bar = nullptr;
    Gdiplus::GdiplusShutdown(vrx_gdiplus_token);
}

// The whole program: start-up, message loop, shutdown; returns the exit code
int vrx_program_main(HINSTANCE instance) {
    if (vrx_startup(instance) != 0) return 1;
    vrx_message_loop();
    vrx_shutdown();
    return 0;
}
