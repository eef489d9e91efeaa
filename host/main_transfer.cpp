// host/main_transfer.cpp - the main window's paste and dropped files, which become new numbered image
// windows.
//
// Thread: the main thread.
// NOTE: the main window reaches the image table only through requests; the worker thread creates, fills
//       and repaints the windows, and its last request of each picture makes the image that was current
//       before the creation current again. The main thread reads the exists flags only, to find a free
//       number, and never touches the current image or its stack.

#include "host/host.h"

#include "base/gdiplus_api.h"
#include "base/process.h"
#include "base/text_convert.h"
#include "image/clipboard.h"
#include "image/image_table.h"
#include "vrxlib.h"

#include <shellapi.h>

#include <cstdio>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The clipboard's picture into the first free image window, through three requests
static void paste_into_new_window(void) {
    RGBQUAD table[256];
    int count;
    HBITMAP bitmap = get_clipboard_bitmap(vrx_main_window, table, &count);
    if (!bitmap) return;
    SIZE s = bitmap_size(bitmap);
    for (int n = lowest_free_image(0); n >= 0; n = lowest_free_image(n + 1)) {
        char title[16];
        snprintf(title, sizeof title, "%03d", n);
        int status = request_create_image(n, title, s.cx, s.cy, 32);
        if (status == 0) {
            request_paste_bitmap(n, bitmap);   // the worker takes the bitmap over
            request_update_image(n, true);
            return;
        }
        if (vrx_quit.load(std::memory_order_acquire)) break;
    }
    DeleteObject(bitmap);
}

// Main thread: the clipboard's picture into the first free image window
void main_window_paste(void) {
    vrx_main_busy.fetch_add(1, std::memory_order_acq_rel);
    paste_into_new_window();
    vrx_main_busy.fetch_sub(1, std::memory_order_acq_rel);
}

// Main thread: each dropped image file into the next free image window, titled "%03d %s"
// NOTE: files are loaded through their UTF-16 path, so names outside the ANSI code page work too;
//       a file that cannot be loaded leaves no empty window behind: one that cannot even be sized is
//       skipped here, one that is sized but then cannot be drawn (damaged, replaced or deleted since) is
//       closed again by its load request, and its number stays free for the next file.
void main_window_drop(HDROP drop) {
    vrx_main_busy.fetch_add(1, std::memory_order_acq_rel);
    UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    int s = 0;
    for (UINT i = 0; i < files && s < VRX_MAX_IMAGES && !vrx_quit.load(std::memory_order_acquire); i++) {
        wchar_t name[MAX_PATH], full[MAX_PATH];
        wchar_t *part = nullptr;
        // A name that does not fit is skipped: cut to fit it would name another file.
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0 || length >= MAX_PATH || !DragQueryFileW(drop, i, name, MAX_PATH)) continue;
        DWORD len = GetFullPathNameW(name, MAX_PATH, full, &part);
        if (len == 0 || len >= MAX_PATH || !part || !*part) continue;
        GpImage *image = nullptr;
        UINT width = 0, height = 0;
        if (GdipLoadImageFromFile(full, &image) == Ok && image) {
            GdipGetImageWidth(image, &width);
            GdipGetImageHeight(image, &height);
            GdipDisposeImage(image);
        }
        if (width == 0 || height == 0) continue;
        char part_narrow[MAX_PATH];
        wide_to_narrow(part, part_narrow, MAX_PATH);
        for (; s < VRX_MAX_IMAGES; s++) {
            char title[300];
            snprintf(title, sizeof title, "%03d %.240s", s, part_narrow);
            int status = request_create_image(s, title, (int)width, (int)height, 32);
            if (status == 1) continue;   // number in use: the next one
            if (status == 0) {
                if (request_load_image_wide(s, full, true) != 0) break;   // closed again: s stays free
                request_update_image(s, true);
            }
            s++;
            break;
        }
    }
    DragFinish(drop);
    vrx_main_busy.fetch_sub(1, std::memory_order_acq_rel);
}
