// image/zoom_fit.cpp - the zoom an image window is shown at, and its caption.
//
// Thread: any.
// NOTE: fit_zoom computes in 64 bits: width x zoom overflows 32 bits for large pictures at large zooms.

#include "image/zoom_fit.h"

#include <cmath>
#include <cstdio>

//----------------------------------------------------------------------------------
// Zoom
//----------------------------------------------------------------------------------

// The client size of a raster at zoom f
static void view_size(int width, int height, long long f, int *vw, int *vh) {
    *vw = (int)(f * width / 100);
    *vh = (int)(f * height / 100);
}

// The zoom shown for a width x height raster asked at zoom
int fit_zoom(int width, int height, int zoom, ScreenLimits s, int *zoom_out, int *view_w, int *view_h) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    double x = (double)width * zoom / 100.0, y = (double)height * zoom / 100.0;
    if (x > s.screen_w) x = s.screen_w;
    if (y > s.screen_h) y = s.screen_h;
    if (x < 1) x = 1;
    if (y < 1) y = 1;
    double fx = x * 100.0 / width, fy = y * 100.0 / height;
    long long f = (long long)(fx < fy ? fx : fy);
    int vw, vh;
    view_size(width, height, f, &vw, &vh);
    if (vw < s.min_w || vh < s.min_h) {
        long long a = (long long)std::ceil((double)s.min_w * 100.0 / width);
        long long b = (long long)std::ceil((double)s.min_h * 100.0 / height);
        f = a > b ? a : b;
        if (f > 0x7FFFFFFF) return 2;
        view_size(width, height, f, &vw, &vh);
        if ((long long)f * width / 100 > s.screen_w || (long long)f * height / 100 > s.screen_h) return 2;
    }
    *zoom_out = (int)f;
    *view_w = vw;
    *view_h = vh;
    return 0;
}

//----------------------------------------------------------------------------------
// Captions
//----------------------------------------------------------------------------------

// Formats the caption of an image window, cut to size bytes
void format_image_caption(char *out, size_t size, const char *title, int zoom, int depth, bool halftone) {
    if (!out || size == 0) return;
    snprintf(out, size, depth == 8 ? "%s(%d%%)[8bit]%s" : "%s(%d%%)%s", title ? title : "", zoom,
             halftone ? "*" : "");
}
