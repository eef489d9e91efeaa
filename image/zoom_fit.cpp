// image/zoom_fit.cpp - the zoom an image window is shown at, and its caption.
//
// Thread: any.
// NOTE: fit_zoom computes in 64-bit integers: width x zoom overflows 32 bits for large pictures at large
//       zooms, and floating point is a percent off where the quotients are whole numbers.

#include "image/zoom_fit.h"

#include <cstdio>

//----------------------------------------------------------------------------------
// Zoom
//----------------------------------------------------------------------------------

// The client size of a raster at zoom f
static void view_size(int width, int height, long long f, long long *vw, long long *vh) {
    *vw = f * width / 100;
    *vh = f * height / 100;
}

// The smallest integer at least a / b, for b > 0
static long long ceil_div(long long a, long long b) { return a > 0 ? (a + b - 1) / b : a / b; }

// n kept within lo..hi, the upper bound applied first
static long long clamp_down_then_up(long long n, long long lo, long long hi) {
    if (n > hi) n = hi;
    return n < lo ? lo : n;
}

// The zoom shown for a width x height raster asked at zoom
// NOTE: all in integers: the client width X = min(screen_w, width x zoom / 100), at least 1, is held as
//       100 X, so the largest zoom F with F x width <= 100 X is one exact division; in floating point
//       100 X / width came out just below a whole number for many sizes (one Ctrl+wheel step in from
//       100 % gave 110 % instead of 111 %).
int fit_zoom(int width, int height, int zoom, ScreenLimits s, int *zoom_out, int *view_w, int *view_h) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    long long x100 = clamp_down_then_up((long long)width * zoom, 100, (long long)s.screen_w * 100);
    long long y100 = clamp_down_then_up((long long)height * zoom, 100, (long long)s.screen_h * 100);
    long long fx = x100 / width, fy = y100 / height;
    long long f = fx < fy ? fx : fy;
    long long vw, vh;
    view_size(width, height, f, &vw, &vh);
    if (vw < s.min_w || vh < s.min_h) {
        long long a = ceil_div((long long)s.min_w * 100, width);
        long long b = ceil_div((long long)s.min_h * 100, height);
        f = a > b ? a : b;
        view_size(width, height, f, &vw, &vh);
        if (vw > s.screen_w || vh > s.screen_h || f > 0x7FFFFFFF) return 2;
    }
    *zoom_out = (int)f;
    *view_w = (int)vw;
    *view_h = (int)vh;
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
