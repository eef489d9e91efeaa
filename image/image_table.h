// image/image_table.h - the 256 image window slots and the current-image stack.

#pragma once

#include <windows.h>

#define VRX_MAX_IMAGES 256

// One image window slot
struct ImageRecord {
    int exists;     // 1 while the slot holds an image window
    HWND window;
};

extern ImageRecord vrx_images[VRX_MAX_IMAGES];

// Empties the image table and the image stack
void clear_image_tables(void);
// Creates image window n with a width x height raster of depth bits; 0 created, 1 number in use
int create_image_window(int n, const char *title, int x, int y, int width, int height, int zoom, int depth);
// Window procedure of class vrx_iw
LRESULT CALLBACK image_window_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
