// image/zoom_fit.h - the zoom at which an image window fits the screen, and its caption.
//
// Windows-free and tested natively; the Win32 side passes the system metrics in. Thread: any.

#pragma once

#include <stddef.h>

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------

// The screen limits a window must keep to
struct ScreenLimits {
    int min_w, min_h;        // smallest client area the system allows
    int screen_w, screen_h;  // largest client area on the screen
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// The zoom shown for a width x height raster asked at zoom: 0 with *zoom_out and the client size,
// or 2 when no zoom can show it on the screen
int fit_zoom(int width, int height, int zoom, ScreenLimits s, int *zoom_out, int *view_w, int *view_h);
// Formats the caption "%s(%d%%)" or "%s(%d%%)[8bit]", plus "*" in HALFTONE mode, into out (size bytes)
void format_image_caption(char *out, size_t size, const char *title, int zoom, int depth, bool halftone);
