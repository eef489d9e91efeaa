// image/image_window.cpp - the window procedure of image windows: paint at the zoom, keys, the wheel,
// clicks reported to a waiting point tool, the pop-up menus, dropped files and the close box.
//
// Thread: the worker thread.
// NOTE: while a point tool waits, every key is ignored, no menu opens, and the waited window can be
//       neither closed nor loaded into, so the tool's raster stays valid until it ends. While a point
//       tool waits or a text window reads a line, no command starts: a posted shortcut or command
//       would otherwise run inside the waiting command's message pump, on the image it is using.

#include "image/image_window.h"

#include "base/menus.h"
#include "base/process.h"
#include "base/window_snap.h"
#include "image/click_wait.h"
#include "image/image_files.h"
#include "image/image_menus.h"
#include "image/image_table.h"
#include "image/key_map.h"
#include "text/console.h"
#include "vrxlib.h"

#include <shellapi.h>
#include <windowsx.h>

// True while a point tool waits for clicks
static bool tool_waiting(void) { return vrx_waiting.load(std::memory_order_acquire) == 1; }

// True while a text window reads a line
static bool input_pending(void) { return console_input_waiting(); }

// Repaints the image at its zoom from its memory DC
static LRESULT on_paint(HWND w) {
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    VRX_UpdateImage(find_image_by_window(w));
    EndPaint(w, &ps);
    return 0;
}

// The close box destroys the image, unless a point tool waits on it
static LRESULT on_close(HWND w) {
    if (tool_waiting() && click_wait_is_waited(w)) return 0;
    int n = find_image_by_window(w);
    if (n >= 0) VRX_DestroyImage(n);
    return 0;
}

// Zooms image n one step in or out, or back to 100 %; nothing for a window without an image
static void zoom_by(int n, ImageKeyAction step) {
    if (!image_exists(n)) return;
    int zoom = vrx_images[n].zoom;
    if (step == IMAGE_KEY_ZOOM_IN) zoom = zoom_step_in(zoom);
    else if (step == IMAGE_KEY_ZOOM_OUT) zoom = zoom_step_out(zoom);
    else if (step == IMAGE_KEY_ZOOM_100) zoom = 100;
    else return;
    VRX_SetZoom(n, zoom);
}

// Shortcuts with Ctrl, keys forwarded to the main window, Tab for the stretch mode
static LRESULT on_key_down(HWND w, UINT vk) {
    int command = 0;
    int n = find_image_by_window(w);
    ImageKeyAction action = image_key_action(vk, ctrl_held(), tool_waiting(), input_pending(), &command);
    switch (action) {
    case IMAGE_KEY_POST_COMMAND: PostMessageW(w, WM_COMMAND, (WPARAM)command, 0); break;
    case IMAGE_KEY_ZOOM_IN:
    case IMAGE_KEY_ZOOM_OUT:
    case IMAGE_KEY_ZOOM_100: zoom_by(n, action); break;
    case IMAGE_KEY_FORWARD_MAIN: PostMessageW(vrx_main_window, WM_KEYDOWN, vk, 0); break;
    case IMAGE_KEY_TOGGLE_STRETCH:
        if (n >= 0) VRX_SetStretchMode(VRX_GetStretchMode(n) == COLORONCOLOR ? HALFTONE : COLORONCOLOR, n);
        break;
    case IMAGE_KEY_NOTHING: break;
    }
    return 0;
}

// Ctrl and the wheel: towards the person zooms in, away zooms out
static LRESULT on_wheel(HWND w, int delta, UINT keys) {
    zoom_by(find_image_by_window(w), image_wheel_action(delta, (keys & MK_CONTROL) != 0));
    return 0;
}

// A right (or middle) click cancels a waiting tool or opens the context or Process menu
static LRESULT on_menu_click(HWND w, bool process) {
    if (tool_waiting()) {
        click_wait_report_cancel(w);
        return 0;
    }
    if (input_pending()) return 0;
    int n = find_image_by_window(w);
    if (n < 0) return 0;
    track_menu_at_cursor(process ? build_process_menu(n) : build_context_menu(w), w);
    return 0;
}

// Loads the first dropped file into this image; the image current before stays current
static LRESULT on_drop(HWND w, HDROP drop) {
    if (!tool_waiting() || !click_wait_is_waited(w)) {
        wchar_t name[MAX_PATH];
        // A name too long for the buffer is refused rather than cut to another file's name.
        UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        if (length > 0 && length < MAX_PATH && DragQueryFileW(drop, 0, name, MAX_PATH) > 0 &&
            select_image_by_window(w) >= 0) {
            load_image_file_wide(name, 0, 0);
            InvalidateRect(w, nullptr, FALSE);
            VRX_PopImage();
        }
    }
    DragFinish(drop);
    SetForegroundWindow(w);
    return 0;
}

// A command of the menus or a posted shortcut; nothing while a point tool or a line input waits
static LRESULT on_command(HWND w, int id) {
    if (!image_command_may_start(tool_waiting(), input_pending())) return 0;
    if (find_image_by_window(w) < 0) return 0;
    image_command(w, id);
    return 0;
}

// Window procedure of class vrx_iw
LRESULT CALLBACK image_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
    case WM_DESTROY:     return 0;
    case WM_MOVE:        rebuild_layout(); return 0;
    case WM_MOVING:      snap_window_rect(w, (RECT *)lp); return 0;
    case WM_PAINT:       return on_paint(w);
    case WM_CLOSE:       return on_close(w);
    case WM_KEYDOWN:     return on_key_down(w, (UINT)wp);
    case WM_COMMAND:     return on_command(w, GET_WM_COMMAND_ID(wp, lp));
    case WM_MOUSEMOVE:   click_wait_report_move(w, LOWORD(lp), HIWORD(lp)); return 0;
    case WM_LBUTTONDOWN: click_wait_report_click(w, LOWORD(lp), HIWORD(lp)); return 0;
    case WM_RBUTTONDOWN: return on_menu_click(w, (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL) != 0);
    case WM_MBUTTONDOWN: return on_menu_click(w, true);
    case WM_MOUSEWHEEL:  return on_wheel(w, GET_WHEEL_DELTA_WPARAM(wp), GET_KEYSTATE_WPARAM(wp));
    case WM_DROPFILES:   return on_drop(w, (HDROP)wp);
    }
    return DefWindowProcW(w, msg, wp, lp);
}
