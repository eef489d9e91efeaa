// image/image_table.h - the 256 image window slots, their pixel pointers, the current image and its
// stack, and the calls that create, show, re-create and destroy image windows.
//
// Thread: the worker thread owns the table; the main thread only reads the exists flags to find a free
// number.

#pragma once

#include "image/zoom_fit.h"
#include "imaging/raster.h"

#include <windows.h>

#include <stdint.h>

#define VRX_MAX_IMAGES 256

//----------------------------------------------------------------------------------
// Types and tables
//----------------------------------------------------------------------------------

// One image window slot; every field but exists is valid only while exists is 1
struct ImageRecord {
    int exists;                // 1 while the slot holds a live image window
    int depth;                 // 8 or 32
    int width, height;         // raster size, at least 1
    int view_width, view_height; // client size: width x zoom / 100, height x zoom / 100
    int zoom;                  // percent
    HWND window;               // class vrx_iw
    HDC memory_dc;             // holds the DIB section
    HDC window_dc;             // the window's own DC, kept for its life
    HBITMAP bitmap;            // the raster
    HGDIOBJ previous_bitmap;   // what memory_dc held before bitmap
    char *title;               // owned copy of the title
};

extern ImageRecord vrx_images[VRX_MAX_IMAGES];
extern uint32_t *pixels32[VRX_MAX_IMAGES];   // first pixel of each slot's raster, as words
extern unsigned char *pixels8[VRX_MAX_IMAGES]; // the same address, as bytes
extern int vrx_current_image;                // the image drawing and file calls act on
extern int vrx_image_stack[8];               // earlier current images, entry 0 the top

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// Empties the image table and the image stack
void clear_image_tables(void);
// The lowest image number from first on whose slot is free, -1 when there is none
int lowest_free_image(int first);
// Creates an image window in the lowest free slot (it becomes current); its number, or -1 when the
// creation fails or no slot is free
int create_in_lowest_free_slot(const char *title, int x, int y, int width, int height, int zoom, int depth);
// The screen limits image windows keep to, from this display's system metrics
ScreenLimits screen_limits(void);
// True when n is 0..255 and slot n holds an image
bool image_exists(int n);
// True while window w still shows image n (a prompt or a point tool may have closed or replaced it)
bool image_shown_in(int n, HWND w);
// Creates image window n; 0, 1 slot in use, 2 cannot fit the screen, 3 bad depth or no DIB section
int create_image_window(int n, const char *title, int x, int y, int width, int height, int zoom, int depth);
// The lowest slot whose window is w; -1 when none
int find_image_by_window(HWND w);
// find_image_by_window, then selects it; the slot or -1
int select_image_by_window(HWND w);
// Recomputes image n's caption and sets it on its window
void set_image_title(int n);
// Marks image n's raster as not showable while a save has packed it (repaints are put off), or as
// showable again (a repaint put off meanwhile is asked for again)
void set_raster_hidden(int n, bool hidden);

//----------------------------------------------------------------------------------
// Rasters
//----------------------------------------------------------------------------------

// The raster of image n when n is 0..255 and its slot is in use (GDI's pending drawing flushed first);
// false, view untouched, otherwise
bool image_raster(int n, RasterView *view);
// The raster of the current image when it is in use
bool current_raster(RasterView *view);
// The memory DC of the current image when it is live, else nullptr
HDC current_image_dc(void);
// Sets every byte of image n's raster, row padding included, to 0 (n must be a live image)
void clear_image(int n);
