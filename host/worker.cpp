// host/worker.cpp - the worker thread, which owns every toolkit window but the main window, and the
// hand-over of requests from the main thread to it.
//
// Thread: both; each function says which side it belongs to.
// NOTE: there are no locks. The main thread writes the arguments, then done = 0, then the code (release);
//       the worker reads the arguments after it sees the code (acquire), writes the result, then done = 1,
//       then code = 0. The main thread reads the result after it sees done = 1.
// NOTE: once Exit has set vrx_quit the worker serves no more requests, so every wait here also ends
//       when vrx_quit is set, and a pump that takes the quit message puts it back for the main loop.

#include "host/host.h"

#include "base/message_pump.h"
#include "base/process.h"
#include "base/window_snap.h"
#include "boxes/boxes.h"
#include "image/clipboard.h"
#include "image/image_files.h"
#include "image/image_table.h"
#include "text/text_window.h"
#include "vrxlib.h"

//----------------------------------------------------------------------------------
// Request block
//----------------------------------------------------------------------------------
RequestBlock vrx_request;
std::atomic<int> vrx_main_busy{0};
HANDLE vrx_worker_handle;
DWORD vrx_worker_id;

//----------------------------------------------------------------------------------
// Main thread side
//----------------------------------------------------------------------------------

// Waits for a free request block; false when the program is quitting
static bool wait_for_free_block(void) {
    while (vrx_request.code.load(std::memory_order_acquire) != 0) {
        if (quitting()) return false;
        pump_messages();
    }
    return !quitting();
}

// Publishes the request written into the block and waits until the worker has carried it out
// NOTE: a wait that Exit interrupts ends with result 3 (not carried out).
static int post_request(int code) {
    vrx_request.done.store(0, std::memory_order_release);
    vrx_request.code.store(code, std::memory_order_release);
    while (vrx_request.done.load(std::memory_order_acquire) == 0) {
        if (quitting()) return 3;
        pump_messages();
    }
    return vrx_request.result;
}

// Main thread: asks the worker to create image window number; returns its status (4: bad number)
int request_create_image(int number, const char *title, int width, int height, int depth) {
    if (!wait_for_free_block()) return 3;
    vrx_request.number = number;
    vrx_request.title = title;
    vrx_request.x = -1;
    vrx_request.y = -1;
    vrx_request.width = width;
    vrx_request.height = height;
    vrx_request.zoom = 100;
    vrx_request.depth = depth;
    return post_request(REQ_CREATE_IMAGE);
}

// Main thread: asks the worker to copy image number's raster to its window
void request_update_image(int number) {
    if (!wait_for_free_block()) return;
    vrx_request.number = number;
    post_request(REQ_UPDATE_IMAGE);
}

// Main thread: asks the worker to load the file of one of the two paths into image number at (0, 0)
static int request_load(int number, const char *path, const wchar_t *wide_path) {
    if (!wait_for_free_block()) return 3;
    vrx_request.number = number;
    vrx_request.path = path;
    vrx_request.wide_path = wide_path;
    vrx_request.x = 0;
    vrx_request.y = 0;
    return post_request(REQ_LOAD_IMAGE);
}

// Main thread: asks the worker to load a file into image number at (0, 0); returns its status
int request_load_image(int number, const char *path) { return request_load(number, path, nullptr); }

// Main thread: the same with a UTF-16 path
int request_load_image_wide(int number, const wchar_t *path) { return request_load(number, nullptr, path); }

// Main thread: hands a bitmap to the worker, which pastes it into the current image and deletes it
void request_paste_bitmap(HBITMAP bitmap) {
    if (!wait_for_free_block()) {
        DeleteObject(bitmap);   // nobody else will own it now
        return;
    }
    vrx_request.bitmap = bitmap;
    post_request(REQ_PASTE_BITMAP);
}

// Main thread: brings text window number forward, or asks the worker to open it
void request_text_window(int number) {
    if (number >= 0 && number < VRX_MAX_TEXT_WINDOWS && vrx_text_windows[number].in_use) {
        SetForegroundWindow(vrx_text_windows[number].window);
        return;
    }
    if (!wait_for_free_block()) return;
    vrx_request.number = number;
    vrx_request.x = vrx_request.y = vrx_request.width = vrx_request.height = -1;
    post_request(REQ_OPEN_TEXT_WINDOW);
}

// Main thread: asks the worker to (re)open the input box with items fields
void request_input_box(int items) {
    if (!wait_for_free_block()) return;
    vrx_request.number = items;
    vrx_request.x = 0;
    vrx_request.y = 0;
    post_request(REQ_OPEN_INPUT_BOX);
}

// Main thread: asks the worker to (re)open the button box with columns x rows buttons
void request_button_box(int columns, int rows) {
    if (!wait_for_free_block()) return;
    vrx_request.width = columns;
    vrx_request.height = rows;
    vrx_request.x = 0;
    vrx_request.y = 0;
    post_request(REQ_OPEN_BUTTON_BOX);
}

//----------------------------------------------------------------------------------
// Worker side
//----------------------------------------------------------------------------------

// Carries out the pending request on the worker thread
void execute_request(void) {
    RequestBlock &r = vrx_request;
    switch (r.code.load(std::memory_order_acquire)) {
    case REQ_CREATE_IMAGE:
        if (r.number < 0 || r.number >= VRX_MAX_IMAGES) r.result = 4;
        else r.result = create_image_window(r.number, r.title, r.x, r.y, r.width, r.height, r.zoom, r.depth);
        break;
    case REQ_UPDATE_IMAGE:
        VRX_UpdateImage(r.number);
        break;
    case REQ_LOAD_IMAGE:
        VRX_SelectImage(r.number);
        r.result = r.wide_path ? load_image_file_wide(r.wide_path, r.x, r.y) : VRX_LoadImage(r.path, r.x, r.y);
        VRX_PopImage();
        break;
    case REQ_PASTE_BITMAP:
        paste_bitmap_into_current(r.bitmap);
        break;
    case REQ_OPEN_TEXT_WINDOW:
        if (r.number >= 0 && r.number < VRX_MAX_TEXT_WINDOWS)
            VRX_OpenTextWindow(r.number, r.x, r.y, r.width, r.height);
        break;
    case REQ_OPEN_INPUT_BOX:
        if (vrx_input_box_window) VRX_CloseInputBox();
        VRX_OpenInputBox(r.x, r.y, r.number);
        break;
    case REQ_OPEN_BUTTON_BOX:
        if (vrx_button_box_window) VRX_CloseButtonBox();
        VRX_OpenButtonBox(r.x, r.y, r.width, r.height);
        break;
    }
    r.done.store(1, std::memory_order_release);
    r.code.store(0, std::memory_order_release);
}

// Runs the user routine once Start has been taken; false when the program quits meanwhile
static bool run_user_routine(void) {
    DragAcceptFiles(vrx_main_window, FALSE);
    vrx_running.store(1, std::memory_order_release);
    vrx_start_request.store(0, std::memory_order_release);
    vrx_stop.store(0, std::memory_order_release);
    user_routine();
    if (vrx_quit.load(std::memory_order_acquire) != 0) return false;   // running stays 1, drops refused
    vrx_running.store(0, std::memory_order_release);
    vrx_stop.store(0, std::memory_order_release);
    DragAcceptFiles(vrx_main_window, TRUE);
    return true;
}

// Thread procedure of the worker thread: pump, serve one request, run the user routine on Start
DWORD WINAPI worker_thread(LPVOID) {
    rebuild_layout();
    while (vrx_quit.load(std::memory_order_acquire) == 0) {
        Sleep(1);
        pump_messages();
        if (vrx_request.code.load(std::memory_order_acquire) != 0) execute_request();
        // NOTE: Start waits while the main thread is in the middle of a paste or a drop, so the
        //       routine never sees a window that was created but not yet filled.
        if (vrx_start_request.load(std::memory_order_acquire) == 1 &&
            vrx_running.load(std::memory_order_acquire) == 0 &&
            vrx_main_busy.load(std::memory_order_acquire) == 0 &&
            vrx_request.code.load(std::memory_order_acquire) == 0 && !run_user_routine())
            break;
    }
    vrx_quit.store(2, std::memory_order_release);
    pump_messages();
    return 0;
}
