// image/commands/process_commands.cpp - the Process menu's analysis, test pattern and transform commands of an
// image window: Pixel, the line and area profiles, the test patterns, Invert, the flips, the quarter
// turns and the fixed rescales.
//
// The arithmetic lives in imaging/color_core, imaging/analysis_core and imaging/transform_core; this
// module finds the image, asks for its points, opens the plot windows and repaints.
// NOTE: a point tool pumps messages, so the image can be closed (and its slot reused) while it waits;
//       after the tool a command goes on only while the same window still shows the image.
// NOTE: each analysis command checks the depth of its image itself, because a posted command id can
//       reach an image whose menu never offered it (Line(Lumi) on a 32-bit image, Line(RGB) on an
//       8-bit one); such a command ends before it asks for a point.
// NOTE: Invert and the flips work on the raster itself, so they are exact whatever the stretch mode
//       (a stretched self-copy in HALFTONE mode would average, and GDI inversion of a 32-bit DIB also
//       turns the unused top byte). Reading the raster flushes GDI's pending drawing first.

#include "image/commands/process_commands.h"

#include "image/click_wait.h"
#include "image/image_table.h"
#include "imaging/analysis_core.h"
#include "image/commands/bitmap_text.h"
#include "imaging/color_core.h"
#include "image/commands/drawing.h"
#include "imaging/transform_core.h"
#include "host/host.h"
#include "vrxlib.h"

#include <cstdio>
#include <cstdlib>

//----------------------------------------------------------------------------------
// Command identifiers
//----------------------------------------------------------------------------------
#define IDM_PIXEL          1015
#define IDM_LINE_RGB       1016
#define IDM_LINE_HSV       1017
#define IDM_LINE_YCRCB     1018
#define IDM_LINE_CRCB      1021
#define IDM_AREA_CRCB      1022
#define IDM_PATTERN_RGB    1053
#define IDM_PATTERN_HSV    1054
#define IDM_PATTERN_YCRCB  1055
#define IDM_INVERT         1058
#define IDM_FLIP_HORZ      1059
#define IDM_FLIP_VERT      1060
#define IDM_ROTATE_RIGHT   1061
#define IDM_ROTATE_LEFT    1062
#define IDM_SIZE_50        1063
#define IDM_SIZE_70        1064
#define IDM_SIZE_141       1065
#define IDM_SIZE_200       1066
#define IDM_PATTERN_YUV    1067
#define IDM_PATTERN_YIQ    1068
#define IDM_LINE_LUMI      1070
#define IDM_PATTERN_GREY   1071

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// True while window w still shows image n
static bool still_shown(int n, HWND w) { return image_exists(n) && vrx_images[n].window == w; }

// Invalidates the window of image n without erasing, when it is live
static void invalidate_image(int n) {
    if (image_exists(n)) InvalidateRect(vrx_images[n].window, nullptr, FALSE);
}

// Opens a 32-bit plot window in the lowest slot that takes it (it becomes current); its number or -1
static int open_plot_window(const char *title, int width, int height) {
    for (int i = 0; i < VRX_MAX_IMAGES; i++)
        if (create_image_window(i, title, 0, 0, width, height, 100, 32) == 0) return i;
    return -1;
}


//----------------------------------------------------------------------------------
// Pixel probe and profiles
//----------------------------------------------------------------------------------

// Pixel: a clicked pixel printed in every colour model into the console
static void probe_command(HWND w) {
    int n = find_image_by_window(w), x, y;
    if (n < 0 || wait_point(n, &x, &y) != 0 || !still_shown(n, w)) return;
    RasterView r;
    if (!image_raster(n, &r)) return;
    char text[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, x, y, get_pixel(r, x, y), r.depth);
    VRX_ShowConsole();
    VRX_Printf("%s", text);
}

// A line profile of a clicked row in a new window; kind PLOT_LUMI takes 8-bit images, the others 32-bit
static void line_command(HWND w, int kind) {
    int n = find_image_by_window(w);
    int depth = kind == PLOT_LUMI ? 8 : 32;
    if (n < 0 || vrx_images[n].depth != depth) return;
    int x, y;
    if (wait_row(n, &x, &y) != 0 || !still_shown(n, w) || vrx_images[n].depth != depth) return;
    RasterView r;
    if (!image_raster(n, &r)) return;
    int width = r.width;
    void *row = calloc((size_t)width, (size_t)depth / 8);   // entries of the image's own size
    if (!row) return;
    read_row(r, y, row, width);
    char title[64];
    plot_title(kind, y, title, sizeof title);
    int pw, ph;
    plot_size(kind, width, &pw, &ph);
    int plot = open_plot_window(title, pw, ph);
    RasterView view;
    if (plot >= 0 && image_raster(plot, &view)) {
        TextCursor cursor = shell_cursor();
        draw_plot(view, kind, row, width, &cursor);
        store_cursor(cursor);
        invalidate_image(vrx_current_image);
    }
    free(row);
}

// Area(CrCb): the Cb-Cr traces of a dragged rectangle of a 32-bit image in a new window
static void area_command(HWND w) {
    int n = find_image_by_window(w);
    if (n < 0 || vrx_images[n].depth != 32) return;
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !still_shown(n, w) || vrx_images[n].depth != 32)
        return;
    RasterView r;
    if (!image_raster(n, &r)) return;
    int columns = xmax - xmin + 1, rows = ymax - ymin + 1;
    if (columns < 1 || rows < 1) return;
    uint32_t *block = (uint32_t *)malloc((size_t)columns * (size_t)rows * sizeof(uint32_t));
    if (!block) return;
    copy_block_out(r, xmin, ymin, columns, rows, block);
    char title[64];
    snprintf(title, sizeof title, "CrCb(%d,%d)-(%d,%d)", xmin, ymin, xmax, ymax);
    int plot = open_plot_window(title, CRCB_SIZE, CRCB_SIZE);
    RasterView view;
    if (plot >= 0 && image_raster(plot, &view)) {
        TextCursor cursor = shell_cursor();
        draw_crcb_area_plot(view, block, rows, columns, &cursor);
        store_cursor(cursor);
        VRX_UpdateImage(vrx_current_image);
    }
    free(block);
}

//----------------------------------------------------------------------------------
// Test patterns and Invert
//----------------------------------------------------------------------------------

// A test pattern over the whole image, which becomes current
static void pattern_command(HWND w, int pattern) {
    int n = select_image_by_window(w);
    if (n < 0) return;
    if (pattern == PATTERN_GREY && vrx_images[n].depth == 8) {
        RGBQUAD greys[256];
        for (int k = 0; k < 256; k++) greys[k] = RGBQUAD{(BYTE)k, (BYTE)k, (BYTE)k, 0};
        VRX_SetColorTable(greys, 256);
    }
    RasterView r;
    if (!image_raster(n, &r)) return;
    fill_pattern(r, pattern);
    invalidate_image(vrx_current_image);
}

// Invert, or a mirror flip, on the raster of the window's image
static void raster_command(HWND w, int id) {
    int n = find_image_by_window(w);
    RasterView r;
    if (!image_raster(n, &r)) return;
    if (id == IDM_INVERT) invert_raster(r);
    else if (id == IDM_FLIP_HORZ) flip_horizontal(r);
    else flip_vertical(r);
    invalidate_image(n);
}

//----------------------------------------------------------------------------------
// Quarter turns and rescales
//----------------------------------------------------------------------------------

// R. Rotate or L. Rotate: the image re-created height x width with its content turned
// NOTE: the content is saved before the re-creation; when the new size is refused the image keeps its
//       size and content, and when the copy cannot be allocated nothing happens at all
static void rotate_command(HWND w, bool clockwise) {
    int n = select_image_by_window(w);
    RasterView r;
    if (!image_raster(n, &r)) return;
    int width = r.width, height = r.height;
    void *packed = malloc(packed_bytes(width, height, r.depth));
    if (!packed) return;
    copy_to_packed(r, packed);
    if (VRX_ResizeImage(n, height, width) == 0 && image_raster(n, &r))
        rotate_packed(packed, width, height, r, clockwise);
    free(packed);
    invalidate_image(vrx_current_image);
}

// A rescale by factor thousandths, resampled by GDI in the image's stretch mode
// NOTE: the old raster is kept in a temporary bitmap of the same format; if that cannot be made, the
//       command ends before the image is touched
static void rescale_command(HWND w, int factor) {
    int n = select_image_by_window(w);
    if (n < 0) return;
    ImageRecord &old = vrx_images[n];
    int width = old.width, height = old.height;
    HDC copy_dc = CreateCompatibleDC(old.memory_dc);
    HBITMAP copy = copy_dc ? CreateCompatibleBitmap(old.memory_dc, width, height) : nullptr;
    if (!copy) {
        if (copy_dc) DeleteDC(copy_dc);
        return;
    }
    HGDIOBJ previous = SelectObject(copy_dc, copy);
    if (old.depth == 8) {   // the same colour table on both sides keeps the indices as they are
        RGBQUAD colours[256];
        GetDIBColorTable(old.memory_dc, 0, 256, colours);
        SetDIBColorTable(copy_dc, 0, 256, colours);
    }
    if (previous && BitBlt(copy_dc, 0, 0, width, height, old.memory_dc, 0, 0, SRCCOPY)) {
        int new_width = scaled_length(width, factor), new_height = scaled_length(height, factor);
        if (VRX_ResizeImage(n, new_width, new_height) == 0) {
            StretchBlt(vrx_images[n].memory_dc, 0, 0, new_width, new_height, copy_dc, 0, 0, width, height, SRCCOPY);
            GdiFlush();
            invalidate_image(n);
        }
    }
    if (previous) SelectObject(copy_dc, previous);
    DeleteObject(copy);
    DeleteDC(copy_dc);
}

//----------------------------------------------------------------------------------
// Dispatch
//----------------------------------------------------------------------------------

// Carries out Process-menu command id on image window w; false when id is not one of these commands
bool process_command(HWND w, int id) {
    switch (id) {
    case IDM_PIXEL: probe_command(w); break;
    case IDM_LINE_RGB: line_command(w, PLOT_RGB); break;
    case IDM_LINE_HSV: line_command(w, PLOT_HSV); break;
    case IDM_LINE_YCRCB: line_command(w, PLOT_YCRCB); break;
    case IDM_LINE_CRCB: line_command(w, PLOT_CRCB); break;
    case IDM_LINE_LUMI: line_command(w, PLOT_LUMI); break;
    case IDM_AREA_CRCB: area_command(w); break;
    case IDM_PATTERN_RGB: pattern_command(w, PATTERN_RGB); break;
    case IDM_PATTERN_HSV: pattern_command(w, PATTERN_HSV); break;
    case IDM_PATTERN_YCRCB: pattern_command(w, PATTERN_YCRCB); break;
    case IDM_PATTERN_YUV: pattern_command(w, PATTERN_YUV); break;
    case IDM_PATTERN_YIQ: pattern_command(w, PATTERN_YIQ); break;
    case IDM_PATTERN_GREY: pattern_command(w, PATTERN_GREY); break;
    case IDM_INVERT:
    case IDM_FLIP_HORZ:
    case IDM_FLIP_VERT: raster_command(w, id); break;
    case IDM_ROTATE_RIGHT: rotate_command(w, true); break;
    case IDM_ROTATE_LEFT: rotate_command(w, false); break;
    case IDM_SIZE_50: rescale_command(w, 500); break;
    case IDM_SIZE_70: rescale_command(w, 707); break;
    case IDM_SIZE_141: rescale_command(w, 1414); break;
    case IDM_SIZE_200: rescale_command(w, 2000); break;
    default: return false;
    }
    return true;
}
