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
// Ends the program: stops waits, waits 2000 ms for the worker, closes the logs, destroys the main window;
// after the worker had to be terminated it flushes the logs and ends the process at once
void exit_procedure(void);
// Ends the process at once with an exit code, without the normal shutdown (tests replace it)
extern void (*vrx_end_process)(UINT code);

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

// What a request asks of the worker besides its code
#define REQUEST_POP_AFTER          1   // REQ_UPDATE_IMAGE: make the image current before the paste or drop again
#define REQUEST_REMOVE_ON_FAILURE  2   // REQ_LOAD_IMAGE: close the image again when the file cannot be drawn

// One request with its arguments and its own result; the posting call owns it (on its stack) until done
struct Request {
    int code;                  // one of the seven REQ_ codes
    int number;                // image or text window number; items of the input box
    const char *title;
    int x, y, width, height, zoom, depth;
    HBITMAP bitmap;            // REQ_PASTE_BITMAP: passes to the worker with the request
    const char *path;
    const wchar_t *wide_path;  // used instead of path when set (names outside the ANSI code page)
    int flags;                 // REQUEST_ flags
    int result;                // status of REQ_CREATE_IMAGE and REQ_LOAD_IMAGE
    std::atomic<int> done;     // 1 once the worker has carried it out and will touch it no more
};
// The request the worker carries out next, or null; it publishes the request's fields
extern std::atomic<Request *> vrx_pending_request;

// Thread procedure of the worker thread
DWORD WINAPI worker_thread(LPVOID);
// Carries out the pending request on the worker thread, then clears it and marks it done
void execute_request(void);
// True while a request waits for the worker or is being carried out
bool request_pending(void);

// Main thread: asks the worker to create image window number; returns its status (4: bad number)
int request_create_image(int number, const char *title, int width, int height, int depth);
// Main thread: asks the worker to copy image number's raster to its window; with pop_after the image
// current before the creation of a paste or drop is current again afterwards
void request_update_image(int number, bool pop_after = false);
// Main thread: asks the worker to load a file into image number at (0, 0); returns its status
int request_load_image(int number, const char *path);
// Main thread: the same with a UTF-16 path; with remove_on_failure a file that cannot be drawn closes
// image number again and makes the image current before its creation current again
int request_load_image_wide(int number, const wchar_t *path, bool remove_on_failure = false);
// Main thread: hands a bitmap to the worker, which pastes it into image number at (0, 0) and deletes it
void request_paste_bitmap(int number, HBITMAP bitmap);
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
