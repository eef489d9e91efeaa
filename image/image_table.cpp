// image/image_table.cpp - the image window slots: creation with its fitted zoom, destruction,
// the current image and its stack, block copies, colour tables, zoom and stretch mode.
//
// Thread: the worker thread.
// NOTE: slots are found from a window handle by a linear search; with 256 slots that is cheaper than a
//       map and keeps the table a plain array.

#include "image/image_table.h"

#include "base/process.h"
#include "base/row_split.h"
#include "base/text_convert.h"
#include "base/window_snap.h"
#include "image/zoom_fit.h"
#include "vrxlib.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

//----------------------------------------------------------------------------------
// Tables
//----------------------------------------------------------------------------------
ImageRecord vrx_images[VRX_MAX_IMAGES];
uint32_t *pixels32[VRX_MAX_IMAGES];
unsigned char *pixels8[VRX_MAX_IMAGES];
int vrx_current_image;
int vrx_image_stack[8];

// Empties the image table and the image stack
void clear_image_tables(void) {
    for (int n = 0; n < VRX_MAX_IMAGES; n++) vrx_images[n].exists = 0;
    for (int &entry : vrx_image_stack) entry = 0;
    vrx_current_image = 0;
}

// True when n is 0..255 and slot n holds an image
bool image_exists(int n) { return (unsigned)n < VRX_MAX_IMAGES && vrx_images[n].exists; }

// True while window w still shows image n
bool image_shown_in(int n, HWND w) { return image_exists(n) && vrx_images[n].window == w; }

// The lowest image number from first on whose slot is free, -1 when there is none
int lowest_free_image(int first) {
    for (int n = first < 0 ? 0 : first; n < VRX_MAX_IMAGES; n++)
        if (!vrx_images[n].exists) return n;
    return -1;
}

// Creates an image window in the lowest free slot; its number, or -1
int create_in_lowest_free_slot(const char *title, int x, int y, int width, int height, int zoom, int depth) {
    int n = lowest_free_image(0);
    if (n < 0 || create_image_window(n, title, x, y, width, height, zoom, depth) != 0) return -1;
    return n;
}

// The screen limits of image windows from the system metrics
ScreenLimits screen_limits(void) {
    ScreenLimits s;
    s.min_w = GetSystemMetrics(SM_CXMIN) - 2 * GetSystemMetrics(SM_CXDLGFRAME);
    s.min_h = GetSystemMetrics(SM_CYMIN) - 2 * GetSystemMetrics(SM_CXDLGFRAME) - GetSystemMetrics(SM_CYCAPTION);
    s.screen_w = GetSystemMetrics(SM_CXSCREEN);
    s.screen_h = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
    return s;
}

// Sets a stretch mode on a DC, followed by the brush origin HALFTONE needs
static void set_dc_stretch(HDC dc, int mode) {
    SetStretchBltMode(dc, mode);
    SetBrushOrgEx(dc, 0, 0, nullptr);
}

//----------------------------------------------------------------------------------
// Creation and destruction
//----------------------------------------------------------------------------------

// A top-down DIB section of the size and depth, an 8-bit one with the grey ramp; null when it cannot be made
static HBITMAP make_raster(int width, int height, int depth, void **bits) {
    struct { BITMAPINFOHEADER header; RGBQUAD colours[256]; } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;   // top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)depth;
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 256; i++) info.colours[i] = RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
    *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, (BITMAPINFO *)&info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (bitmap && !*bits) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}

// Builds a whole image window outside the table: window, DCs, raster and title copy in *r (exists 0)
// and the raster's first pixel in *bits; 0, 2 cannot fit the screen, 3 bad depth or something not made
// NOTE: nothing of a half-built window stays behind on failure.
static int build_image_record(const char *title, int x, int y, int width, int height, int zoom, int depth,
                              ImageRecord *r, void **bits) {
    if (depth != 8 && depth != 32) return 3;
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    int f, vw, vh;
    if (fit_zoom(width, height, zoom, screen_limits(), &f, &vw, &vh) != 0) return 2;

    RECT outer = {0, 0, vw, vh};
    const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&outer, style, FALSE);
    if (!title) title = "";
    size_t title_len = strlen(title);
    char *title_copy = (char *)malloc(title_len + 1);
    if (!title_copy) return 3;
    memcpy(title_copy, title, title_len + 1);

    char caption[256];
    format_image_caption(caption, sizeof caption, title_copy, f, depth, false);
    wchar_t wide_caption[256];
    HWND w = CreateWindowExW(0, L"vrx_iw", narrow_to_wide(caption, wide_caption, 256), style,
                             x == -1 ? CW_USEDEFAULT : x, y == -1 ? CW_USEDEFAULT : y,
                             outer.right - outer.left, outer.bottom - outer.top, vrx_main_window, nullptr,
                             vrx_instance, nullptr);
    if (!w) {
        free(title_copy);
        return 3;
    }
    UpdateWindow(w);
    SetForegroundWindow(w);
    DragAcceptFiles(w, TRUE);
    HDC window_dc = GetDC(w);
    set_dc_stretch(window_dc, COLORONCOLOR);
    HDC memory_dc = CreateCompatibleDC(window_dc);
    set_dc_stretch(memory_dc, COLORONCOLOR);

    HBITMAP bitmap = make_raster(width, height, depth, bits);
    if (!bitmap) {
        DeleteDC(memory_dc);
        ReleaseDC(w, window_dc);
        DestroyWindow(w);
        free(title_copy);
        return 3;
    }
    r->exists = 0;
    r->depth = depth;
    r->width = width;
    r->height = height;
    r->view_width = vw;
    r->view_height = vh;
    r->zoom = f;
    r->window = w;
    r->window_dc = window_dc;
    r->memory_dc = memory_dc;
    r->bitmap = bitmap;
    r->previous_bitmap = SelectObject(memory_dc, bitmap);
    r->title = title_copy;
    // NOTE: the raster is not cleared here: a DIB section made without a file mapping lives in fresh
    //       pages that the system hands out zeroed, so it is all 0 already, and writing the zeros again
    //       would touch every page of it for nothing (205 MB for the conversion's canvas).
    return 0;
}

// Puts a built record into the free slot n and makes it the current image
static void install_image_record(int n, const ImageRecord &built, void *bits) {
    ImageRecord &r = vrx_images[n];
    r = built;
    pixels32[n] = (uint32_t *)bits;
    pixels8[n] = (unsigned char *)bits;
    r.exists = 1;
    snap_register(r.window, SNAP_RANK_IMAGE(n));
    rebuild_layout();
    VRX_SelectImage(n);
}

// Releases what a record owns: raster, DCs, title and window
static void release_image_record(ImageRecord &r) {
    SelectObject(r.memory_dc, r.previous_bitmap);
    DeleteObject(r.bitmap);
    DeleteDC(r.memory_dc);
    ReleaseDC(r.window, r.window_dc);
    free(r.title);
    r.title = nullptr;
    snap_unregister(r.window);
    DestroyWindow(r.window);
}

// Creates image window n; 0, 1 slot in use, 2 cannot fit the screen, 3 bad depth or no DIB section
int create_image_window(int n, const char *title, int x, int y, int width, int height, int zoom, int depth) {
    if ((unsigned)n >= VRX_MAX_IMAGES || vrx_images[n].exists) return 1;
    ImageRecord built;
    void *bits = nullptr;
    int status = build_image_record(title, x, y, width, height, zoom, depth, &built, &bits);
    if (status != 0) return status;
    install_image_record(n, built, bits);
    return 0;
}

// Creates a 32-bit image window; see create_image_window
int VRX_CreateImage(int n, const char *title, int x, int y, int width, int height, int zoom) {
    return create_image_window(n, title, x, y, width, height, zoom, 32);
}

// Creates an 8-bit image window with the grey ramp as its colour table
int VRX_CreateImage8(int n, const char *title, int x, int y, int width, int height, int zoom) {
    return create_image_window(n, title, x, y, width, height, zoom, 8);
}

// Closes image window n and frees what it owns; 1 when n is not open
int VRX_DestroyImage(int n) {
    if (!image_exists(n)) return 1;
    vrx_images[n].exists = 0;
    release_image_record(vrx_images[n]);
    return 0;
}

// The lowest slot whose window is w; -1 when none
int find_image_by_window(HWND w) {
    for (int n = 0; n < VRX_MAX_IMAGES; n++)
        if (vrx_images[n].exists && vrx_images[n].window == w) return n;
    return -1;
}

// find_image_by_window, then selects it; the slot or -1
int select_image_by_window(HWND w) {
    int n = find_image_by_window(w);
    VRX_SelectImage(n);
    return n;
}

//----------------------------------------------------------------------------------
// Current image
//----------------------------------------------------------------------------------

// Makes n the current image, pushing the old one; 1 when n is not open
int VRX_SelectImage(int n) {
    if (!image_exists(n)) return 1;
    memmove(vrx_image_stack + 1, vrx_image_stack, 7 * sizeof(int));
    vrx_image_stack[0] = vrx_current_image;
    vrx_current_image = n;
    return 0;
}

// Makes the image on top of the stack current again; 1 when it is not open
int VRX_PopImage(void) {
    int t = vrx_image_stack[0];
    if (!image_exists(t)) return 1;
    vrx_current_image = t;
    memmove(vrx_image_stack, vrx_image_stack + 1, 7 * sizeof(int));
    return 0;
}

//----------------------------------------------------------------------------------
// Display
//----------------------------------------------------------------------------------

// The image whose raster a save has packed (-1 for none), and whether a repaint of it was put off
// NOTE: sequentially consistent on purpose: a repaint that sees the raster hidden marks itself put off
//       and looks again, the save shows the raster and then takes the mark, so one of the two repaints.
static std::atomic<int> hidden_raster{-1};
static std::atomic<bool> repaint_put_off{false};

// Marks image n's raster as not showable while a save has it packed, or showable again, when a repaint
// put off meanwhile is asked for again
void set_raster_hidden(int n, bool hidden) {
    if (hidden) {
        repaint_put_off.store(false);
        hidden_raster.store(n);
        return;
    }
    hidden_raster.store(-1);
    if (repaint_put_off.exchange(false) && image_exists(n)) InvalidateRect(vrx_images[n].window, nullptr, FALSE);
}

// Copies image n's raster to its window at its zoom; 1 when n is not open
int VRX_UpdateImage(int n) {
    if (!image_exists(n)) return 1;
    if (hidden_raster.load() == n) {
        repaint_put_off.store(true);
        if (hidden_raster.load() == n) return 0;
    }
    ImageRecord &r = vrx_images[n];
    GdiFlush();
    if (r.zoom == 100) BitBlt(r.window_dc, 0, 0, r.width, r.height, r.memory_dc, 0, 0, SRCCOPY);
    else StretchBlt(r.window_dc, 0, 0, r.view_width, r.view_height, r.memory_dc, 0, 0, r.width, r.height, SRCCOPY);
    return 0;
}

// Recomputes image n's caption and sets it on its window
void set_image_title(int n) {
    ImageRecord &r = vrx_images[n];
    char caption[256];
    format_image_caption(caption, sizeof caption, r.title, r.zoom, r.depth,
                         GetStretchBltMode(r.memory_dc) == HALFTONE);
    set_window_text_narrow(r.window, caption);
}

// Raster width of image n; 0 when n is not open
int VRX_GetImageWidth(int n) { return image_exists(n) ? vrx_images[n].width : 0; }
// Raster height of image n; 0 when n is not open
int VRX_GetImageHeight(int n) { return image_exists(n) ? vrx_images[n].height : 0; }
// 8 or 32; 0 when n is not open
int VRX_GetImageDepth(int n) { return image_exists(n) ? vrx_images[n].depth : 0; }

// Image n's raster, row 0 first, with its row stride in bytes; null (stride 0) when n is not open
// NOTE: GDI's pending drawing is flushed first, so the pixels are those the window would show.
void *VRX_GetImagePixels(int n, int *stride) {
    RasterView r;
    bool live = image_raster(n, &r);
    if (stride) *stride = live ? r.stride : 0;
    return live ? r.pixels : nullptr;
}

// The stretch mode of image n's window DC (3 or 4); 0 when n is not open
int VRX_GetStretchMode(int n) {
    if (!image_exists(n)) return 0;
    return GetStretchBltMode(vrx_images[n].window_dc);
}

// Sets COLORONCOLOR (3) or HALFTONE (4) on image n, repaints and recomputes the caption
int VRX_SetStretchMode(int mode, int n) {
    if (!image_exists(n)) return 1;
    ImageRecord &r = vrx_images[n];
    if (mode == COLORONCOLOR || mode == HALFTONE) {
        set_dc_stretch(r.window_dc, mode);
        set_dc_stretch(r.memory_dc, mode);
    }
    InvalidateRect(r.window, nullptr, FALSE);
    set_image_title(n);
    return 0;
}

// Shows image n at a new zoom, resizing its window; 2 when that zoom cannot be shown
int VRX_SetZoom(int n, int zoom) {
    if (!image_exists(n)) return 1;
    ImageRecord &r = vrx_images[n];
    int f, vw, vh;
    if (fit_zoom(r.width, r.height, zoom, screen_limits(), &f, &vw, &vh) != 0) return 2;
    // The record takes the new zoom before the window is resized, so the messages the resize sends
    // find it whole; the image stays in the table throughout, where the main thread looks for free numbers.
    int grow_x = vw - r.view_width, grow_y = vh - r.view_height;
    r.zoom = f;
    r.view_width = vw;
    r.view_height = vh;
    RECT outer;
    GetWindowRect(r.window, &outer);
    SetWindowPos(r.window, nullptr, 0, 0, outer.right - outer.left + grow_x, outer.bottom - outer.top + grow_y,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    InvalidateRect(r.window, nullptr, FALSE);
    set_image_title(n);
    rebuild_layout();
    return 0;
}

//----------------------------------------------------------------------------------
// Rasters
//----------------------------------------------------------------------------------

// The raster of image n when it is live
bool image_raster(int n, RasterView *view) {
    if (!image_exists(n)) return false;
    GdiFlush();   // GDI drawing into the DIB section lands before its pixels are read directly
    const ImageRecord &r = vrx_images[n];
    *view = raster_view(pixels8[n], r.width, r.height, r.depth);
    return true;
}

// The raster of the current image when it is live
bool current_raster(RasterView *view) { return image_raster(vrx_current_image, view); }

// The memory DC of the current image when it is live
HDC current_image_dc(void) {
    return image_exists(vrx_current_image) ? vrx_images[vrx_current_image].memory_dc : nullptr;
}

// Sets every byte of image n's raster to 0
void clear_image(int n) {
    RasterView r;
    if (image_raster(n, &r)) memset(r.pixels, 0, raster_bytes(r));
}

//----------------------------------------------------------------------------------
// Pixels and colour tables
//----------------------------------------------------------------------------------

// One block copy, shared by row between two threads
struct PutJob {
    RasterView view;
    int x, width, height;
    const void *pixels;
};

// Copies rows first..last-1 of the block
static void put_rows(void *context, int first, int last) {
    const PutJob &job = *(const PutJob *)context;
    write_block_rows(job.view, job.x, job.pixels, job.width, job.height, first, last);
}

// Copies a width x height block into the current image at column x of row 0, clipping at its edges
// NOTE: a large block is copied on two threads: into a new raster most of the time goes in the page
//       faults of its fresh memory, which both cores then take.
void VRX_PutImage(const void *pixels, int x, int width, int height) {
    PutJob job;
    if (!image_raster(vrx_current_image, &job.view) || width <= 0 || height <= 0) return;
    job.x = x;
    job.width = width;
    job.height = height;
    job.pixels = pixels;
    int rows = height < job.view.height ? height : job.view.height;
    split_rows(put_rows, &job, rows, (size_t)rows * (size_t)width * (job.view.depth / 8));
}

// Copies the width x height block at (x, y) of the current image into pixels; 0 outside the image
void VRX_GetImage(void *pixels, int x, int y, int width, int height) {
    RasterView view;
    if (!image_raster(vrx_current_image, &view)) return;
    copy_block_out(view, x, y, width, height, pixels);
}

// Writes count entries of the current 8-bit image's colour table; 2 when it is not 8-bit
int VRX_SetColorTable(const void *colors, int count) {
    int n = vrx_current_image;
    if (!image_exists(n)) return 1;
    if (vrx_images[n].depth != 8) return 2;
    if (count > 256) count = 256;
    if (count > 0) SetDIBColorTable(vrx_images[n].memory_dc, 0, (UINT)count, (const RGBQUAD *)colors);
    InvalidateRect(vrx_images[n].window, nullptr, FALSE);
    return 0;
}

// Reads the 256 entries of the current 8-bit image's colour table; 2 when it is not 8-bit
int VRX_GetColorTable(void *colors) {
    int n = vrx_current_image;
    if (!image_exists(n)) return 1;
    if (vrx_images[n].depth != 8) return 2;
    GetDIBColorTable(vrx_images[n].memory_dc, 0, 256, (RGBQUAD *)colors);
    return 0;
}

// Gives image n a new blank raster, keeping title, place, zoom, stretch mode and colour table
// NOTE: the new window and raster are built before the old ones go, so when the new size cannot be
//       shown or anything of it cannot be made, image n stays as it was, content included.
int VRX_ResizeImage(int n, int width, int height) {
    if (!image_exists(n)) return 1;
    ImageRecord old = vrx_images[n];
    char title[256];
    snprintf(title, sizeof title, "%s", old.title);
    RECT outer;
    GetWindowRect(old.window, &outer);
    int mode = VRX_GetStretchMode(n);
    ImageRecord built;
    void *bits = nullptr;
    int status = build_image_record(title, outer.left, outer.top, width, height, old.zoom, old.depth, &built, &bits);
    if (status != 0) return status;
    if (old.depth == 8) {
        RGBQUAD colours[256];
        GetDIBColorTable(old.memory_dc, 0, 256, colours);
        SetDIBColorTable(built.memory_dc, 0, 256, colours);
    }
    // The slot is free while the old window is destroyed, so its last messages find no image.
    vrx_images[n].exists = 0;
    release_image_record(old);
    install_image_record(n, built, bits);
    VRX_SetStretchMode(mode, n);
    return 0;
}

// Brings image window n, or the main window for VRXMAINWINDOW, forward; 1 when there is no such window
int VRX_SetForeground(int n) {
    HWND w = nullptr;
    if (n == VRXMAINWINDOW) w = vrx_main_window;
    else if (image_exists(n)) w = vrx_images[n].window;
    if (!w) return 1;
    SetForegroundWindow(w);
    return 0;
}
