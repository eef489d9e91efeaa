// imaging/color_core.cpp - colour models, profile and Cb-Cr plot mapping, test patterns, Invert.
//
// Thread: any (no state of its own).

#include "imaging/color_core.h"

#include "imaging/draw_core.h"

#include <math.h>

//----------------------------------------------------------------------------------
// Fixed-point colour models
//----------------------------------------------------------------------------------

// Red, green and blue bytes of a colour
static int red_of(uint32_t c) { return (int)((c >> 16) & 0xFF); }
static int green_of(uint32_t c) { return (int)((c >> 8) & 0xFF); }
static int blue_of(uint32_t c) { return (int)(c & 0xFF); }

// Fixed-point rounding: (n + 32768) / 65536, truncated toward zero
int fixed_round(int64_t n) { return (int)((n + 32768) / 65536); }

// Weighted sum of the three channels, rounded
static int weigh(uint32_t c, int wr, int wg, int wb) {
    return fixed_round((int64_t)wr * red_of(c) + (int64_t)wg * green_of(c) + (int64_t)wb * blue_of(c));
}

int color_y(uint32_t c) { return weigh(c, 19595, 38470, 7471); }
int color_cr(uint32_t c) { return weigh(c, 32768, -27460, -5308); }
int color_cb(uint32_t c) { return weigh(c, -11076, -21692, 32768); }
int color_u(uint32_t c) { return weigh(c, -9634, -18940, 28574); }
int color_v(uint32_t c) { return weigh(c, 40305, -33751, -6554); }
int color_i(uint32_t c) { return weigh(c, 39053, -18022, -21037); }
int color_q(uint32_t c) { return weigh(c, 13533, -32565, 19032); }

// Hue, spread and value of a colour
void rgb_to_hsv(uint32_t c, int *h, int *s, int *v) {
    int r = red_of(c), g = green_of(c), b = blue_of(c);
    int mx = r > g ? r : g, mn = r < g ? r : g;
    if (b > mx) mx = b;
    if (b < mn) mn = b;
    int d = mx - mn, hue;
    if (d == 0) hue = 0;
    else if (mx == r && mn == b) hue = 60 * (g - b) / d;
    else if (mx == g && mn == b) hue = 60 * (g - r) / d + 60;
    else if (mx == g && mn == r) hue = 60 * (b - r) / d + 120;
    else if (mx == b && mn == r) hue = 60 * (b - g) / d + 180;
    else if (mx == b && mn == g) hue = 60 * (r - g) / d + 240;
    else hue = 60 * (r - b) / d + 300;   // max = R and min = G
    if (h) *h = hue;
    if (s) *s = d;
    if (v) *v = mx;
}

int rgb_to_hue(uint32_t c) { int h; rgb_to_hsv(c, &h, nullptr, nullptr); return h; }
int rgb_to_saturation(uint32_t c) { int s; rgb_to_hsv(c, nullptr, &s, nullptr); return s; }
int rgb_to_value(uint32_t c) { int v; rgb_to_hsv(c, nullptr, nullptr, &v); return v; }

// The colour of value v, spread s and hue h
uint32_t hsv_to_rgb(int v, int s, int h) {
    int m = v - s;
    if (m < 0) m = 0;
    int d = v - m, r, g, b;
    if (h < 0) h = 0;
    if (h < 60)       { r = v; g = m + d * h / 60; b = m; }
    else if (h < 120) { r = m + d * (120 - h) / 60; g = v; b = m; }
    else if (h < 180) { r = m; g = v; b = m + d * (h - 120) / 60; }
    else if (h < 240) { r = m; g = m + d * (240 - h) / 60; b = v; }
    else if (h < 300) { r = m + d * (h - 240) / 60; g = m; b = v; }
    else              { r = v; g = m; b = m + d * (360 - h) / 60; }
    return ((uint32_t)(r & 0xFF) << 16) | ((uint32_t)(g & 0xFF) << 8) | (uint32_t)(b & 0xFF);
}

//----------------------------------------------------------------------------------
// Profiles and Cb-Cr plots
//----------------------------------------------------------------------------------

// The value of one profile entry's channel and that channel's full scale
// NOTE: PROFILE_BYTE decides the entry size, so it wins over the channel bits of 32-bit entries
void profile_value(uint32_t e, int flags, int *value, int *scale) {
    int v = 0, sc = 255;
    if (flags & PROFILE_BYTE) v = (int)(e & 0xFF);
    else if (flags & PROFILE_R) v = red_of(e);
    else if (flags & PROFILE_G) v = green_of(e);
    else if (flags & PROFILE_B) v = blue_of(e);
    else if (flags & PROFILE_H) { v = rgb_to_hue(e); sc = 359; }
    else if (flags & PROFILE_S) v = rgb_to_saturation(e);
    else if (flags & PROFILE_V) v = rgb_to_value(e);
    else if (flags & PROFILE_Y) v = color_y(e);
    else if (flags & PROFILE_CR) v = color_cr(e) + 128;
    else if (flags & PROFILE_CB) v = color_cb(e) + 128;
    *value = v;
    *scale = sc;
}

// The plot row of a value in 0..scale
int profile_row(int value, int scale) { return (PROFILE_HEIGHT - 1) - (value * (PROFILE_HEIGHT - 1)) / scale; }

// Plots one channel of count entries at columns x0 + i
void plot_profile(const RasterView &plot, const void *data, int x0, int count, int flags, uint32_t colour) {
    if (!data || !(flags & (PROFILE_POINTS | PROFILE_LINES))) return;
    Pen pen = {0, 0};
    for (int i = 0; i < count; i++) {
        uint32_t e = (flags & PROFILE_BYTE) ? ((const unsigned char *)data)[i] : ((const uint32_t *)data)[i];
        int value, scale;
        profile_value(e, flags, &value, &scale);
        int x = x0 + i, y = profile_row(value, scale);
        if ((flags & PROFILE_POINTS) || i == 0) plot_pixel(plot, x, y, colour, &pen);
        else draw_line(plot, colour, pen.x, pen.y, x, y, &pen);
    }
}

// Column and row of a colour's point in a Cb-Cr plot
void crcb_point(uint32_t c, int *x, int *y) {
    *x = color_cb(c) + 128;
    *y = 128 - color_cr(c);
}

// Draws the two grey axes of a Cb-Cr plot (their last points lie outside and are skipped)
void plot_crcb_axes(const RasterView &plot) {
    draw_line(plot, 0x808080, 0, 128, 256, 128);
    draw_line(plot, 0x808080, 128, 0, 128, 256);
}

// Plots one row's Cb-Cr trace, segments alternating white and magenta
void plot_crcb_trace(const RasterView &plot, const uint32_t *data, int count) {
    uint32_t colour = 0xFFFFFF;
    Pen pen = {0, 0};
    for (int i = 0; i < count; i++) {
        int x, y;
        crcb_point(data[i], &x, &y);
        if (i == 0) plot_pixel(plot, x, y, colour, &pen);
        else draw_line(plot, colour, pen.x, pen.y, x, y, &pen);
        colour ^= 0x00FF00;
    }
}

// Plots the traces of a block, each row joined on its own, in white
void plot_crcb_block(const RasterView &plot, int rows, const uint32_t *data, int columns) {
    Pen pen = {0, 0};
    for (int j = 0; j < rows; j++) {
        const uint32_t *row = data + (size_t)j * (size_t)columns;
        for (int i = 0; i < columns; i++) {
            int x, y;
            crcb_point(row[i], &x, &y);
            if (i == 0) plot_pixel(plot, x, y, 0xFFFFFF, &pen);
            else draw_line(plot, 0xFFFFFF, pen.x, pen.y, x, y, &pen);
        }
    }
}

//----------------------------------------------------------------------------------
// Test patterns and Invert
//----------------------------------------------------------------------------------

// Clamps to 0..255
static int clamp_byte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Packs three channels
static uint32_t rgb(int r, int g, int b) {
    return ((uint32_t)clamp_byte(r) << 16) | ((uint32_t)clamp_byte(g) << 8) | (uint32_t)clamp_byte(b);
}

// A chroma-plane colour: brightness from the distance to the centre, a and b as the two chroma axes
static uint32_t chroma_plane(int pattern, int x, int y, int w, int h) {
    int a = -(((y - h / 2) * 255) / h);
    int b = ((x - w / 2) * 255) / w;
    int64_t L = (int64_t)sqrt(5.0 * a * a + 5.0 * b * b);
    int64_t base = 65536 * L;
    switch (pattern) {
    case PATTERN_YCRCB:
        return rgb(fixed_round(base + 91881LL * a), fixed_round(base - 46793LL * a - 22544LL * b),
                   fixed_round(base + 116130LL * b));
    case PATTERN_YUV:
        return rgb(fixed_round(base + 74711LL * a), fixed_round(base - 38076LL * a - 25952LL * b),
                   fixed_round(base + 132973LL * b));
    default:   // PATTERN_YIQ
        return rgb(fixed_round(base + 62187LL * a + 42998LL * b), fixed_round(base - 17334LL * a - 44872LL * b),
                   fixed_round(base - 73859LL * a + 118292LL * b));
    }
}

// The colour of a pattern at pixel (x, y) of a w x h image
// NOTE: on an image one row high the HSV pattern has no lower half to ramp down; its only row is
//       shown at full colour (S = V = 255)
uint32_t pattern_color(int pattern, int x, int y, int w, int h) {
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    switch (pattern) {
    case PATTERN_RGB:
        return rgb((x * 255) / w, (y * 255) / h, 255 - ((x + y) * 255) / (w + h));
    case PATTERN_HSV: {
        int n = h / 2, hue = (x * 359) / w, s, v;
        if (y < n) { v = 255; s = (y * 255) / n; }
        else { s = 255; v = n > 0 ? 255 - ((y - n) * 255) / n : 255; }
        return hsv_to_rgb(v, s, hue);
    }
    case PATTERN_YCRCB:
    case PATTERN_YUV:
    case PATTERN_YIQ:
        return chroma_plane(pattern, x, y, w, h);
    case PATTERN_GREY: {
        int g = (x * 255) / w;
        return (uint32_t)(y < h / 2 ? g : 255 - g) * 0x010101u;
    }
    }
    return 0;
}

// Overwrites every pixel with the pattern, moving the pen with each
void fill_pattern(const RasterView &r, int pattern) {
    for (int y = 0; y < r.height; y++)
        for (int x = 0; x < r.width; x++) plot_pixel(r, x, y, pattern_color(pattern, x, y, r.width, r.height));
}

// Turns every colour byte c into 255 - c; row padding is left alone
void invert_raster(const RasterView &r) {
    for (int y = 0; y < r.height; y++)
        for (int x = 0; x < r.width; x++) xor_pixel(r, x, y);
}
