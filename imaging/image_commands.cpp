// imaging/image_commands.cpp - the analysis, pattern and transform commands of the image window menu.
//
// NOTE: a rotation or rescale re-creates the window at its new size. A size that no zoom can show
//       would leave the slot empty, so such a transform is refused up front and the image stays as it
//       was.

#include "imaging/image_commands.h"

#include "image/image_table.h"
#include "imaging/analysis_core.h"
#include "imaging/color_core.h"
#include "imaging/draw_core.h"
#include "imaging/drawing.h"
#include "imaging/transform_core.h"
#include "shell/shell.h"
#include "vrxlib.h"

#include <stdio.h>
#include <stdlib.h>

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// The shell's text cursor
static TextCursor shell_cursor(void) {
    TextCursor c = {vrx_text_x, vrx_text_y, vrx_text_margin};
    return c;
}

// Stores a cursor back into the shell's text cursor
static void store_cursor(const TextCursor &c) {
    vrx_text_x = c.x;
    vrx_text_y = c.y;
    vrx_text_margin = c.margin;
}

// Creates a 32-bit plot window under the first free number; that number (now current), or -1
static int create_plot_window(const char *title, int width, int height) {
    for (int i = 0; i < VRX_MAX_IMAGES; i++)
        if (create_image_window(i, title, 0, 0, width, height, 100, 32) == 0) return i;
    return -1;
}

// Repaints image n's window later, without erasing
static void invalidate_image(int n) {
    if ((unsigned)n < VRX_MAX_IMAGES && vrx_images[n].exists) InvalidateRect(vrx_images[n].window, nullptr, FALSE);
}

//----------------------------------------------------------------------------------
// Analysis
//----------------------------------------------------------------------------------

// Prints pixel (x, y) of image n in the six colour models
void show_pixel_probe(int n, int x, int y) {
    RasterView r;
    if (!image_raster(n, &r)) return;
    char text[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, x, y, get_pixel(r, x, y), r.depth);
    VRX_ShowConsole();
    VRX_Printf("%s", text);
}

// Opens a plot window of row y of image n; its number or -1
// NOTE: an 8-bit image always gives the Luminance plot of its bytes, and Luminance of a 32-bit image
//       plots Y, so the buffer always holds what the plot reads
int open_row_plot(int n, int kind, int y) {
    RasterView src;
    if (!image_raster(n, &src)) return -1;
    int w = src.width;
    if (src.depth == 8) kind = PLOT_LUMI;
    void *row = calloc((size_t)w, src.depth == 8 || kind == PLOT_LUMI ? 1 : 4);
    if (!row) return -1;
    if (src.depth == 32 && kind == PLOT_LUMI) {
        for (int i = 0; i < w; i++) ((unsigned char *)row)[i] = (unsigned char)color_y(get_pixel(src, i, y));
    } else {
        read_row(src, y, row, w);
    }
    char title[64];
    plot_title(kind, y, title, sizeof title);
    int pw, ph;
    plot_size(kind, w, &pw, &ph);
    int plot = create_plot_window(title, pw, ph);
    RasterView dst;
    if (plot >= 0 && image_raster(plot, &dst)) {
        TextCursor cur = shell_cursor();
        draw_plot(dst, kind, row, w, &cur);
        store_cursor(cur);
        invalidate_image(plot);
    }
    free(row);
    return plot;
}

// Opens a Cb-Cr plot window of a block of image n; its number or -1
int open_area_plot(int n, int xmin, int ymin, int xmax, int ymax) {
    RasterView src;
    if (!image_raster(n, &src) || src.depth != 32 || xmax < xmin || ymax < ymin) return -1;
    int bw = xmax - xmin + 1, bh = ymax - ymin + 1;
    uint32_t *block = (uint32_t *)calloc((size_t)bw * (size_t)bh, sizeof(uint32_t));
    if (!block) return -1;
    read_block(src, xmin, ymin, bw, bh, block);
    char title[96];
    snprintf(title, sizeof title, "CrCb(%d,%d)-(%d,%d)", xmin, ymin, xmax, ymax);
    int plot = create_plot_window(title, CRCB_SIZE, CRCB_SIZE);
    RasterView dst;
    if (plot >= 0 && image_raster(plot, &dst)) {
        TextCursor cur = shell_cursor();
        draw_crcb_area_plot(dst, block, bh, bw, &cur);
        store_cursor(cur);
        VRX_UpdateImage(plot);
    }
    free(block);
    return plot;
}

//----------------------------------------------------------------------------------
// Patterns and Invert
//----------------------------------------------------------------------------------

// Overwrites the window's image with a test pattern
void apply_test_pattern(HWND window, int pattern) {
    int n = select_image_by_window(window);
    RasterView r;
    if (n < 0 || !image_raster(n, &r)) return;
    if (pattern == PATTERN_GREY && r.depth == 8) {
        RGBQUAD greys[256];
        for (int k = 0; k < 256; k++) {
            greys[k].rgbRed = greys[k].rgbGreen = greys[k].rgbBlue = (BYTE)k;
            greys[k].rgbReserved = 0;
        }
        VRX_SetColorTable(greys, 256);
    }
    GdiFlush();
    fill_pattern(r, pattern);
    invalidate_image(n);
}

// Turns every colour byte of the window's image into its complement
// NOTE: done on the raster rather than with InvertRect, which would also invert the unused top byte
//       of 32-bit pixels
void invert_image(HWND window) {
    int n = find_image_by_window(window);
    RasterView r;
    if (n < 0 || !image_raster(n, &r)) return;
    GdiFlush();
    invert_raster(r);
    invalidate_image(n);
}

//----------------------------------------------------------------------------------
// Geometric transforms
//----------------------------------------------------------------------------------

// Mirrors the window's image
void flip_image(HWND window, bool horizontal) {
    int n = find_image_by_window(window);
    RasterView r;
    if (n < 0 || !image_raster(n, &r)) return;
    GdiFlush();
    if (horizontal) flip_horizontal(r);
    else flip_vertical(r);
    invalidate_image(n);
}

// Turns the window's image by 90 degrees; 0 or the failing status
int rotate_image(HWND window, bool clockwise) {
    int n = select_image_by_window(window);
    RasterView r;
    if (n < 0 || !image_raster(n, &r)) return 1;
    int w = r.width, h = r.height;
    if (!image_size_fits(h, w, vrx_images[n].zoom)) return 2;
    void *packed = malloc(packed_bytes(w, h, r.depth));
    if (!packed) return 3;
    GdiFlush();
    copy_to_packed(r, packed);
    int status = VRX_ResizeImage(n, h, w);
    RasterView turned;
    if (status == 0 && image_raster(n, &turned)) rotate_packed(packed, w, h, turned, clockwise);
    free(packed);
    invalidate_image(n);
    return status;
}

// Rescales the window's image by factor thousandths; 0 or the failing status
int rescale_image(HWND window, int factor) {
    int n = select_image_by_window(window);
    if (n < 0) return 1;
    int w = vrx_images[n].width, h = vrx_images[n].height;
    int nw = scaled_length(w, factor), nh = scaled_length(h, factor);
    if (!image_size_fits(nw, nh, vrx_images[n].zoom)) return 2;
    HDC source = vrx_images[n].memory_dc;
    HDC copy = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, w, h);
    if (!copy || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (copy) DeleteDC(copy);
        return 3;
    }
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, w, h, source, 0, 0, SRCCOPY);
    int status = VRX_ResizeImage(n, nw, nh);
    if (status == 0) {
        StretchBlt(vrx_images[n].memory_dc, 0, 0, nw, nh, copy, 0, 0, w, h, SRCCOPY);
        GdiFlush();
        invalidate_image(n);
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    return status;
}
