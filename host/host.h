// host/host.h - the floor that knows every subsystem: start-up and shutdown, the main window, the worker
// thread and the hand-over of requests to it, the main window's prompts, paste and drop, and the
// snapshot of every window that the window information report describes.
//
// Thread: the main thread owns the main window and posts requests; the worker thread owns every other
// toolkit window and carries the requests out.

#pragma once

#include <windows.h>

#include <atomic>

#include "text/window_report.h"

extern std::atomic<int> vrx_main_busy;       // >0 while the main thread posts a series of requests
extern HANDLE vrx_worker_handle;
extern DWORD vrx_worker_id;

//----------------------------------------------------------------------------------
// Start-up and shutdown (host/startup.cpp)
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
// Main window (host/main_window.cpp)
//----------------------------------------------------------------------------------

// Window procedure of class vrx_mw
LRESULT CALLBACK main_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Builds the menu bar Start, Stop, Exit
HMENU build_menu_bar(void);
// Ends the program: stops waits, closes logs, waits 2000 ms for the worker, destroys the main window
void exit_procedure(void);

//----------------------------------------------------------------------------------
// Worker thread and requests (host/worker.cpp)
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

//----------------------------------------------------------------------------------
// The main window's commands (host/interactive_create.cpp, host/main_transfer.cpp)
//----------------------------------------------------------------------------------

// Interactive creation from the main window's pop-up menu, prompting in text window 0
void interactive_create_image_window(void);
void interactive_create_input_box(void);
void interactive_create_button_box(void);
// Main thread: the clipboard's picture into the first free image window
void main_window_paste(void);
// Main thread: each dropped image file into the next free image window
void main_window_drop(HDROP drop);

//----------------------------------------------------------------------------------
// The window information snapshot (host/window_snapshot.cpp)
//----------------------------------------------------------------------------------

// Fills s from the window tables and the boxes, reading positions and texts from the system
void take_window_snapshot(ReportSnapshot *s);
