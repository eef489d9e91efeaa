// imaging/analysis_core.cpp - probe text and the plots of the analysis commands.
//
// Thread: any (no state of its own).

#include "imaging/analysis_core.h"

#include "imaging/color_core.h"
#include "imaging/draw_core.h"

#include <stdio.h>

//----------------------------------------------------------------------------------
// Pixel probe
//----------------------------------------------------------------------------------

// Writes the probe lines of one pixel into out
void format_pixel_probe(char *out, size_t size, int x, int y, uint32_t value, int depth) {
    if (!out || size == 0) return;
    if (depth != 32) {
        snprintf(out, size, "(X,Y)=(%d,%d)\n(Luminance)=(%d)\n\n", x, y, (int)(value & 0xFF));
        return;
    }
    int h, s, v;
    rgb_to_hsv(value, &h, &s, &v);
    int yy = color_y(value);
    snprintf(out, size,
             "(X,Y)=(%d,%d)\n(R,G,B)=(%d,%d,%d)\n(H,S,V)=(%d,%d,%d)\n(Y,Cr,Cb)=(%d,%d,%d)\n"
             "(Y,u,v)=(%d,%d,%d)\n(Y,I,Q)=(%d,%d,%d)\n\n",
             x, y, (int)((value >> 16) & 0xFF), (int)((value >> 8) & 0xFF), (int)(value & 0xFF), h, s, v, yy,
             color_cr(value), color_cb(value), yy, color_u(value), color_v(value), yy, color_i(value),
             color_q(value));
}

//----------------------------------------------------------------------------------
// Plots
//----------------------------------------------------------------------------------

// Size of the plot window of a row width pixels long
void plot_size(int kind, int width, int *plot_width, int *plot_height) {
    if (kind == PLOT_CRCB) { *plot_width = CRCB_SIZE; *plot_height = CRCB_SIZE; return; }
    *plot_width = width + (kind == PLOT_YCRCB ? 20 : 12);
    *plot_height = PROFILE_HEIGHT;
}

// Title of the plot of row y
void plot_title(int kind, int y, char *out, size_t size) {
    static const char *const formats[] = {"RGB(Y=%d)", "HSV(Y=%d)", "YCrCb(Y=%d)", "Luminance(Y=%d)", "CrCb(Y=%d)"};
    if (kind < PLOT_RGB || kind > PLOT_CRCB) kind = PLOT_RGB;
    snprintf(out, size, formats[kind], y);
}

// Draws one label in the bitmap font with its left margin at x
static void draw_label(const RasterView &plot, TextCursor *cursor, int x, int baseline, uint32_t colour,
                       const char *text) {
    cursor->x = x;
    cursor->margin = x;
    cursor->y = baseline;
    draw_string(plot, cursor, colour, text);
}

// One trace of a profile plot and its label
struct TraceSpec {
    int flags;
    uint32_t colour;
    const char *label;
};

// Draws the axes and labels of a Cb-Cr plot; the colour of its last label
static uint32_t crcb_frame(const RasterView &plot, TextCursor *cursor) {
    plot_crcb_axes(plot);
    draw_label(plot, cursor, 110, 16, 0xFF8888, "Cr");
    draw_label(plot, cursor, 238, 144, 0x8888FF, "Cb");
    return 0x8888FF;
}

// Draws the traces and labels of a plot; the colour of its last label
uint32_t draw_plot(const RasterView &plot, int kind, const void *row, int count, TextCursor *cursor) {
    static const TraceSpec traces[4][3] = {
        {{0x0081, 0xFF0000, "R"}, {0x0082, 0x00FF00, "G"}, {0x0084, 0x0000FF, "B"}},
        {{0x0088, 0xFFFF00, "H"}, {0x0090, 0xFF00FF, "S"}, {0x00A0, 0x00FFFF, "V"}},
        {{0x0180, 0xFFFFFF, "Y"}, {0x0280, 0xFF8888, "Cr"}, {0x0480, 0x8888FF, "Cb"}},
        {{0x1080, 0xFFFFFF, "L"}, {0, 0, nullptr}, {0, 0, nullptr}},
    };
    static const int baselines[3] = {40, 72, 104};
    if (kind == PLOT_CRCB) {
        uint32_t last = crcb_frame(plot, cursor);
        plot_crcb_trace(plot, (const uint32_t *)row, count);
        return last;
    }
    if (kind < PLOT_RGB || kind > PLOT_LUMI) return 0;
    uint32_t last = 0;
    int x0 = kind == PLOT_YCRCB ? 20 : 12;
    for (const TraceSpec &t : traces[kind])
        if (t.label) plot_profile(plot, row, x0, count, t.flags, t.colour);
    for (int k = 0; k < 3; k++) {
        const TraceSpec &t = traces[kind][k];
        if (!t.label) continue;
        draw_label(plot, cursor, (kind == PLOT_YCRCB && k == 0) ? 4 : 2, baselines[k], t.colour, t.label);
        last = t.colour;
    }
    return last;
}

// Draws the axes, labels and traces of a Cb-Cr plot of a block; the colour of its last label
uint32_t draw_crcb_area_plot(const RasterView &plot, const uint32_t *block, int rows, int columns, TextCursor *cursor) {
    uint32_t last = crcb_frame(plot, cursor);
    plot_crcb_block(plot, rows, block, columns);
    return last;
}
