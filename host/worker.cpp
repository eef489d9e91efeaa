// host/worker.cpp - the worker thread, which owns every toolkit window but the main window, and the
// hand-over of requests from the main thread to it.
//
// Thread: both; each function says which side it belongs to.
// NOTE: there are no locks. Each request lives on the stack of the call that posts it and carries its own
//       result and done flag. The poster waits until no request is pending, fills its request and
//       publishes it through vrx_pending_request (release); the worker takes it (acquire), carries it
//       out, clears the pointer and only then sets done (release), after which it touches the request no
//       more. A request posted from a handler that runs nested inside another one's wait thus gets its
//       own result, not the other's.
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
// Request hand-over
//----------------------------------------------------------------------------------
std::atomic<Request *> vrx_pending_request{nullptr};
std::atomic<int> vrx_main_busy{0};
HANDLE vrx_worker_handle;
DWORD vrx_worker_id;

// True while a request waits for the worker or is being carried out
bool request_pending(void) { return vrx_pending_request.load(std::memory_order_acquire) != nullptr; }

//----------------------------------------------------------------------------------
// Main thread side
//----------------------------------------------------------------------------------

// Waits until no request is pending, publishes r and waits until the worker has carried it out; its
// result, or 3 when Exit ended the wait (then r is not carried out)
// NOTE: Exit, run nested in a pump here, has stopped or terminated the worker before quitting() is
//       seen, so a request still published can be taken back safely.
static int post_request(Request &r) {
    while (request_pending()) {
        if (quitting()) return 3;
        pump_messages();
    }
    if (quitting()) return 3;
    r.done.store(0, std::memory_order_relaxed);
    vrx_pending_request.store(&r, std::memory_order_release);
    while (r.done.load(std::memory_order_acquire) == 0) {
        if (quitting()) {
            Request *mine = &r;
            vrx_pending_request.compare_exchange_strong(mine, nullptr, std::memory_order_acq_rel);
            return 3;
        }
        pump_messages();
    }
    return r.result;
}

// Main thread: asks the worker to create image window number; returns its status (4: bad number)
int request_create_image(int number, const char *title, int width, int height, int depth) {
    Request r = {};
    r.code = REQ_CREATE_IMAGE;
    r.number = number;
    r.title = title;
    r.x = -1;
    r.y = -1;
    r.width = width;
    r.height = height;
    r.zoom = 100;
    r.depth = depth;
    return post_request(r);
}

// Main thread: asks the worker to copy image number's raster to its window, then maybe pop the current image
void request_update_image(int number, bool pop_after) {
    Request r = {};
    r.code = REQ_UPDATE_IMAGE;
    r.number = number;
    r.flags = pop_after ? REQUEST_POP_AFTER : 0;
    post_request(r);
}

// Main thread: asks the worker to load the file of one of the two paths into image number at (0, 0)
static int request_load(int number, const char *path, const wchar_t *wide_path, int flags) {
    Request r = {};
    r.code = REQ_LOAD_IMAGE;
    r.number = number;
    r.path = path;
    r.wide_path = wide_path;
    r.flags = flags;
    return post_request(r);
}

// Main thread: asks the worker to load a file into image number at (0, 0); returns its status
int request_load_image(int number, const char *path) { return request_load(number, path, nullptr, 0); }

// Main thread: the same with a UTF-16 path, maybe closing the image again when the file cannot be drawn
int request_load_image_wide(int number, const wchar_t *path, bool remove_on_failure) {
    return request_load(number, nullptr, path, remove_on_failure ? REQUEST_REMOVE_ON_FAILURE : 0);
}

// Main thread: hands a bitmap to the worker, which pastes it into image number and deletes it
void request_paste_bitmap(int number, HBITMAP bitmap) {
    Request r = {};
    r.code = REQ_PASTE_BITMAP;
    r.number = number;
    r.bitmap = bitmap;
    if (post_request(r) == 3 && !r.done.load(std::memory_order_acquire))
        DeleteObject(bitmap);   // not carried out: nobody else will own it now
}

// Main thread: brings text window number forward, or asks the worker to open it
void request_text_window(int number) {
    if (number >= 0 && number < VRX_MAX_TEXT_WINDOWS && vrx_text_windows[number].in_use) {
        SetForegroundWindow(vrx_text_windows[number].window);
        return;
    }
    Request r = {};
    r.code = REQ_OPEN_TEXT_WINDOW;
    r.number = number;
    r.x = r.y = r.width = r.height = -1;
    post_request(r);
}

// Main thread: asks the worker to (re)open the input box with items fields
void request_input_box(int items) {
    Request r = {};
    r.code = REQ_OPEN_INPUT_BOX;
    r.number = items;
    post_request(r);
}

// Main thread: asks the worker to (re)open the button box with columns x rows buttons
void request_button_box(int columns, int rows) {
    Request r = {};
    r.code = REQ_OPEN_BUTTON_BOX;
    r.width = columns;
    r.height = rows;
    post_request(r);
}

//----------------------------------------------------------------------------------
// Worker side
//----------------------------------------------------------------------------------

// Loads r's file into image r.number, which is made current for the load only; the load's status
// NOTE: with REQUEST_REMOVE_ON_FAILURE a file that could be sized but not drawn (damaged, replaced or
//       gone since) closes the image again, so no empty window stays behind, and the image current
//       before its creation is current again.
static int load_into(const Request &r) {
    if (VRX_SelectImage(r.number) != 0) return 2;   // never into whatever image is current
    int status = r.wide_path ? load_image_file_wide(r.wide_path, r.x, r.y) : VRX_LoadImage(r.path, r.x, r.y);
    VRX_PopImage();
    if (status != 0 && (r.flags & REQUEST_REMOVE_ON_FAILURE)) {
        VRX_DestroyImage(r.number);
        VRX_PopImage();
    }
    return status;
}

// Pastes r's bitmap into image r.number, made current for the paste only, and deletes the bitmap
static void paste_into(const Request &r) {
    if (VRX_SelectImage(r.number) != 0) {
        DeleteObject(r.bitmap);
        return;
    }
    paste_bitmap_into_current(r.bitmap);
    VRX_PopImage();
}

// Carries out one request
static void carry_out(Request &r) {
    switch (r.code) {
    case REQ_CREATE_IMAGE:
        if (r.number < 0 || r.number >= VRX_MAX_IMAGES) r.result = 4;
        else r.result = create_image_window(r.number, r.title, r.x, r.y, r.width, r.height, r.zoom, r.depth);
        break;
    case REQ_UPDATE_IMAGE:
        VRX_UpdateImage(r.number);
        if (r.flags & REQUEST_POP_AFTER) VRX_PopImage();
        break;
    case REQ_LOAD_IMAGE:
        r.result = load_into(r);
        break;
    case REQ_PASTE_BITMAP:
        paste_into(r);
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
}

// Carries out the pending request on the worker thread, then clears it and marks it done
void execute_request(void) {
    Request *r = vrx_pending_request.load(std::memory_order_acquire);
    if (!r) return;
    carry_out(*r);
    vrx_pending_request.store(nullptr, std::memory_order_release);
    r->done.store(1, std::memory_order_release);   // the poster may return now: r is not touched again
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
        execute_request();
        // NOTE: Start waits while the main thread is in the middle of a paste or a drop, so the
        //       routine never sees a window that was created but not yet filled.
        if (vrx_start_request.load(std::memory_order_acquire) == 1 &&
            vrx_running.load(std::memory_order_acquire) == 0 &&
            vrx_main_busy.load(std::memory_order_acquire) == 0 &&
            !request_pending() && !run_user_routine())
            break;
    }
    vrx_quit.store(2, std::memory_order_release);
    pump_messages();
    return 0;
}
