// image/image_table.cpp - the image window slots.
//
// NOTE: provisional: slots and an empty window class only; image windows are not created yet.

#include "image/image_table.h"
#include "image/image_transfer.h"
#include "vrxlib.h"

ImageRecord vrx_images[VRX_MAX_IMAGES];

// Empties the image table and the image stack
void clear_image_tables(void) {
    for (ImageRecord &r : vrx_images) r = ImageRecord{};
}

// Not built yet: reports "bad depth or no bitmap"
int create_image_window(int, const char *, int, int, int, int, int, int) { return 3; }
int VRX_UpdateImage(int) { return 1; }
int VRX_SelectImage(int) { return 1; }
int VRX_PopImage(void) { return 1; }
int VRX_LoadImage(const char *, int, int) { return 2; }
void main_window_paste(void) {}
void main_window_drop(HDROP drop) { DragFinish(drop); }
void paste_bitmap_into_current(HBITMAP bitmap) { DeleteObject(bitmap); }

// Window procedure of class vrx_iw
LRESULT CALLBACK image_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, msg, wp, lp);
}
