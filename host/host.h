// host/host.h - the application shell's process-wide state and helpers, shared by every module.
//
// The main thread owns the main window; the worker thread owns every other toolkit window. The
// four shell flags and the request block are the only hand-over between them (see shell/worker.cpp).

#pragma once

#include <windows.h>

#include <atomic>

#include "base/snap_core.h"

//----------------------------------------------------------------------------------
// Command identifiers (one identifier means one command in every window that offers it)
//----------------------------------------------------------------------------------
#define IDM_START        1001
#define IDM_EXIT         1002
#define IDM_STOP         1003
#define IDM_PASTE        1026
#define IDM_IMAGEWINDOW  1027
#define IDM_TEXTWINDOW   1028
#define IDM_INPUTBOX     1044
#define IDM_WINDOWINFO   1045
#define IDM_BUTTONBOX    1051

#define IDC_STATUS       2001   // the main window's status line control

#define MENU_ENABLED     0      // add_menu_item states
#define MENU_GREYED      3      // MFS_GRAYED | MFS_DISABLED

//----------------------------------------------------------------------------------
// Shell flags (written with release, read with acquire)
//----------------------------------------------------------------------------------
extern std::atomic<int> vrx_start_request;   // 1: Start chosen, the worker has not taken it yet
extern std::atomic<int> vrx_running;         // 1: the user routine runs on the worker thread
extern std::atomic<int> vrx_stop;            // 1: Stop chosen; point tools give up
extern std::atomic<int> vrx_quit;            // 0 running, 1 quit requested, 2 worker finished
extern std::atomic<int> vrx_main_busy;       // >0 while the main thread posts a series of requests

//----------------------------------------------------------------------------------
// Process-wide state
//----------------------------------------------------------------------------------
extern HINSTANCE vrx_instance;
extern HWND vrx_main_window;
extern HWND vrx_status_window;
extern HMENU vrx_menu_bar;
extern HANDLE vrx_worker_handle;
extern DWORD vrx_worker_id;
extern int vrx_color_bits;                   // screen colour depth, measured at main window creation
extern ULONG_PTR vrx_gdiplus_token;
extern double vrx_ms_per_tick;

extern wchar_t vrx_load_folder_w[MAX_PATH];  // initial folder of the Load dialog
extern char vrx_load_folder[MAX_PATH];
extern wchar_t vrx_save_folder_w[MAX_PATH];  // initial folder of the Save dialog
extern char vrx_save_folder[MAX_PATH];
extern wchar_t vrx_program_folder_w[MAX_PATH]; // start-up folder with a trailing backslash
extern char vrx_program_folder[MAX_PATH];
extern COLORREF vrx_custom_colors[16];       // custom colours of the colour dialog

extern HFONT vrx_tt_font;                    // TrueType text font
extern int vrx_tt_cell_width, vrx_tt_cell_height;
extern unsigned int vrx_tttc;                // TrueType text colour 0x00RRGGBB
extern int vrx_text_x, vrx_text_y, vrx_text_margin;   // text cursor: x, baseline y, left margin

extern std::atomic<int> vrx_input_owner;     // 0, or the waiting text window's number plus one
extern std::atomic<int> vrx_waiting;         // 1 while a point tool waits for clicks

//----------------------------------------------------------------------------------
// Start-up and shutdown (shell/startup.cpp)
//----------------------------------------------------------------------------------

// Runs start-up steps up to the message loop; 0, or 1 when a window class cannot be registered
int vrx_startup(HINSTANCE instance);
// Runs the main thread's message loop until the quit message
void vrx_message_loop(void);
// Releases the font, the menu bar and GDI+
void vrx_shutdown(void);
// The whole program: start-up, message loop, shutdown; returns the exit code
int vrx_program_main(HINSTANCE instance);

//----------------------------------------------------------------------------------
// Main window (shell/main_window.cpp)
//----------------------------------------------------------------------------------

// Window procedure of class vrx_mw
LRESULT CALLBACK main_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Ends the program: stops waits, closes logs, waits 2000 ms for the worker, destroys the main window
void exit_procedure(void);

//----------------------------------------------------------------------------------
// Helpers (shell/helpers.cpp), callable from either thread
//----------------------------------------------------------------------------------

// Milliseconds from the performance counter, as a signed 32-bit value
int get_milliseconds(void);
// Reads at most max UTF-16 units of a window's text into dst as ANSI text of at most max bytes
void get_window_text_narrow(HWND w, char *dst, int max);
// Sets a window's text from ANSI text (at most 255 characters)
void set_window_text_narrow(HWND w, const char *text);
// Shows a narrow text on the status line, centred by leading spaces
void set_status_text(const char *text);
// Puts "%d-bit color" back on the status line
void restore_status_text(void);
// Converts ANSI text to UTF-16 into dst (count units, terminated); returns dst
wchar_t *narrow_to_wide(const char *text, wchar_t *dst, int count);
// Converts UTF-16 text to ANSI into dst (count bytes, terminated); returns dst
char *wide_to_narrow(const wchar_t *text, char *dst, int count);
// Inserts a string item by position with a state (0 enabled, 3 greyed) and an identifier
void add_menu_item(HMENU menu, int position, int state, int id, const char *text);
// Inserts a separator by position
void add_menu_separator(HMENU menu, int position);
// Inserts an item opening submenu by position
void add_submenu(HMENU menu, HMENU submenu, int position, const char *text);
// True while the Ctrl key is held down
bool ctrl_held(void);
// Opens the clipboard for owner, trying again for about 200 ms while another program holds it
bool open_clipboard(HWND owner);

//----------------------------------------------------------------------------------
// Worker thread and requests (shell/worker.cpp)
//----------------------------------------------------------------------------------
#define REQ_CREATE_IMAGE      9001
#define REQ_UPDATE_IMAGE      9002
#define REQ_LOAD_IMAGE        9003
#define REQ_PASTE_BITMAP      9004
#define REQ_OPEN_TEXT_WINDOW  9005
#define REQ_OPEN_INPUT_BOX    9006
#define REQ_OPEN_BUTTON_BOX   9007

// The request block; code and done publish the other fields
struct RequestBlock {
    std::atomic<int> code;     // 0 when nothing is pending
    std::atomic<int> done;     // 1 once the worker has carried the request out
    int number;
    const char *title;
    int x, y, width, height, zoom, depth;
    HBITMAP bitmap;
    const char *path;
    const wchar_t *wide_path;  // used instead of path when set (names outside the ANSI code page)
    int result;
};
extern RequestBlock vrx_request;

// Thread procedure of the worker thread
DWORD WINAPI worker_thread(LPVOID);
// Carries out the pending request on the worker thread
void execute_request(void);
// Dispatches the main thread's queued messages; returns when the queue is empty
void pump_main_messages(void);
// Dispatches the worker thread's queued messages, giving the input box its dialog keys
void pump_worker_messages(void);

// Main thread: asks the worker to create image window number; returns its status (4: bad number)
int request_create_image(int number, const char *title, int width, int height, int depth);
// Main thread: asks the worker to copy image number's raster to its window
void request_update_image(int number);
// Main thread: asks the worker to load a file into image number at (0, 0); returns its status
int request_load_image(int number, const char *path);
// Main thread: the same with a UTF-16 path
int request_load_image_wide(int number, const wchar_t *path);
// Main thread: hands a bitmap to the worker, which pastes it into the current image and deletes it
void request_paste_bitmap(HBITMAP bitmap);
// Main thread: brings text window number forward, or asks the worker to open it
void request_text_window(int number);
// Main thread: asks the worker to (re)open the input box with items fields
void request_input_box(int items);
// Main thread: asks the worker to (re)open the button box with columns x rows buttons
void request_button_box(int columns, int rows);

// The application's routine that Start runs on the worker thread
int user_routine(void);

//----------------------------------------------------------------------------------
// Layout registry (shell/layout.cpp)
//----------------------------------------------------------------------------------

extern LayoutRegistry vrx_layout;   // the rectangles dragged windows snap to

// Rebuilds the snapping registry from the screen and every open toolkit window
void rebuild_layout(void);
// Snaps the proposed drag rectangle of window w while Ctrl is held (WM_MOVING)
void snap_window_rect(HWND w, RECT *proposed);
