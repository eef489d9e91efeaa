// image/zoom_fit.h - the arithmetic of image windows: the zoom that fits the screen, captions,
// file extensions and the layout of clipboard pictures.
//
// Windows-free and tested natively; the Win32 side passes the system metrics in.

#pragma once

#include <stddef.h>
#include <stdint.h>

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------

// The screen limits a window must keep to
struct ScreenLimits {
    int min_w, min_h;        // smallest client area the system allows
    int screen_w, screen_h;  // largest client area on the screen
};

// What a packed device-independent bitmap holds, once checked
struct PackedDibInfo {
    int width, height;       // height positive; top_down tells the row order
    int top_down;
    int bit_count;           // 1, 4, 8, 16, 24 or 32
    int colours;             // colour-table entries present (0..256 taken)
    size_t header_size;      // biSize
    size_t masks_offset;     // where the three BI_BITFIELDS masks start; 0 without them
    size_t table_offset;     // where the colour table starts
    size_t bits_offset;      // where the pixel rows start
    size_t row_bytes;        // bytes per row, padded to 4
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// The zoom shown for a width x height raster asked at zoom: 0 with *zoom_out and the client size,
// or 2 when no zoom can show it on the screen
int fit_zoom(int width, int height, int zoom, ScreenLimits s, int *zoom_out, int *view_w, int *view_h);
// Formats the caption "%s(%d%%)" or "%s(%d%%)[8bit]", plus "*" in HALFTONE mode, into out (size bytes)
void format_image_caption(char *out, size_t size, const char *title, int zoom, int depth, bool halftone);
// Appends ext (".jpg", four lower-case characters) to a UTF-16 path of room units unless it ends in it;
// false when the path would not fit
bool ensure_extension(uint16_t *path, size_t room, const char *ext);
// Checks a packed DIB of size bytes; 0 and *info filled, or 1 when it is not one this program can read
int read_packed_dib(const void *block, size_t size, PackedDibInfo *info);
