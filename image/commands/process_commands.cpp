// image/commands/process_commands.cpp - the Process menu's analysis, test pattern and transform commands of
// an image window: Pixel, the line and area profiles, the test patterns, Invert, the flips, the quarter
// turns and the fixed rescales.
//
// Thread: the worker thread.
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

#include "base/command_ids.h"
#include "base/process.h"
#include "image/click_wait.h"
#include "image/commands/bitmap_text.h"
#include "image/image_table.h"
#include "imaging/analysis_core.h"
#include "imaging/color_core.h"
#include "imaging/transform_core.h"
#include "vrxlib.h"

#include <cstdio>
#include <cstdlib>

//----------------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------------

// Opens a 32-bit plot window in the lowest free slot (it becomes current); its number or -1
static int open_plot_window(const char *title, int width, int height) {
    return create_in_lowest_free_slot(title, 0, 0, width, height, 100, 32);
}

//----------------------------------------------------------------------------------
// Pixel probe and profiles
//----------------------------------------------------------------------------------

// Pixel: a clicked pixel printed in every colour model into the console
bool probe_command(int n, HWND w, int) {
    int x, y;
    if (wait_point(n, &x, &y) != 0 || !image_shown_in(n, w)) return false;
    RasterView r;
    if (!image_raster(n, &r)) return false;
    char text[PROBE_TEXT];
    format_pixel_probe(text, sizeof text, x, y, get_pixel(r, x, y), r.depth);
    VRX_ShowConsole();
    VRX_Printf("%s", text);
    return true;
}

// A line profile of a clicked row in a new window; kind PLOT_LUMI takes 8-bit images, the others 32-bit
bool profile_command(int n, HWND w, int kind) {
    int depth = kind == PLOT_LUMI ? 8 : 32;
    int x, y;
    if (wait_row(n, &x, &y) != 0 || !image_shown_in(n, w) || vrx_images[n].depth != depth) return false;
    RasterView r;
    if (!image_raster(n, &r)) return false;
    int width = r.width;
    void *row = calloc((size_t)width, (size_t)depth / 8);   // entries of the image's own size
    if (!row) return false;
    read_row(r, y, row, width);
    char title[64];
    plot_title(kind, y, title, sizeof title);
    int pw, ph;
    plot_size(kind, width, &pw, &ph);
    int plot = open_plot_window(title, pw, ph);
    RasterView view;
    bool drawn = plot >= 0 && image_raster(plot, &view);
    if (drawn) vrx_tc = draw_plot(view, kind, row, width, &vrx_text_cursor);
    free(row);
    return drawn;
}

// Area(CrCb): the Cb-Cr traces of a dragged rectangle of a 32-bit image in a new window
bool area_command(int n, HWND w, int) {
    int xmin, ymin, xmax, ymax;
    if (wait_rectangle(n, &xmin, &ymin, &xmax, &ymax) != 0 || !image_shown_in(n, w) || vrx_images[n].depth != 32)
        return false;
    RasterView r;
    if (!image_raster(n, &r)) return false;
    int columns = xmax - xmin + 1, rows = ymax - ymin + 1;
    if (columns < 1 || rows < 1) return false;
    uint32_t *block = (uint32_t *)malloc((size_t)columns * (size_t)rows * sizeof(uint32_t));
    if (!block) return false;
    copy_block_out(r, xmin, ymin, columns, rows, block);
    char title[64];
    snprintf(title, sizeof title, "CrCb(%d,%d)-(%d,%d)", xmin, ymin, xmax, ymax);
    int plot = open_plot_window(title, CRCB_SIZE, CRCB_SIZE);
    RasterView view;
    bool drawn = plot >= 0 && image_raster(plot, &view);
    if (drawn) vrx_tc = draw_crcb_area_plot(view, block, rows, columns, &vrx_text_cursor);
    free(block);
    return drawn;
}

//----------------------------------------------------------------------------------
// Test patterns and Invert
//----------------------------------------------------------------------------------

// A test pattern over the whole image, which the command table made current
bool pattern_command(int n, HWND, int pattern) {
    if (pattern == PATTERN_GREY && vrx_images[n].depth == 8) {
        RGBQUAD greys[256];
        for (int k = 0; k < 256; k++) greys[k] = RGBQUAD{(BYTE)k, (BYTE)k, (BYTE)k, 0};
        VRX_SetColorTable(greys, 256);
    }
    RasterView r;
    if (!image_raster(n, &r)) return false;
    fill_pattern(r, pattern);
    return true;
}

// Invert, or a mirror flip, on the raster of the window's image
bool raster_command(int n, HWND, int id) {
    RasterView r;
    if (!image_raster(n, &r)) return false;
    if (id == IDM_INVERT) invert_raster(r);
    else if (id == IDM_FLIP_HORZ) flip_horizontal(r);
    else flip_vertical(r);
    return true;
}

//----------------------------------------------------------------------------------
// Quarter turns and rescales
//----------------------------------------------------------------------------------

// R. Rotate or L. Rotate: the image re-created height x width with its content turned
// NOTE: the content is saved before the re-creation; when the new size is refused the image keeps its
//       size and content, and when the copy cannot be allocated nothing happens at all
bool rotate_command(int n, HWND, int clockwise) {
    RasterView r;
    if (!image_raster(n, &r)) return false;
    int width = r.width, height = r.height;
    void *packed = malloc(packed_bytes(width, height, r.depth));
    if (!packed) return false;
    copy_to_packed(r, packed);
    if (VRX_ResizeImage(n, height, width) == 0 && image_raster(n, &r))
        rotate_packed(packed, width, height, r, clockwise != 0);
    free(packed);
    return true;
}

// A rescale by factor thousandths, resampled by GDI in the image's stretch mode
// NOTE: the old raster is kept in a temporary bitmap of the same format; if that cannot be made, the
//       command ends before the image is touched
bool rescale_command(int n, HWND, int factor) {
    ImageRecord &old = vrx_images[n];
    int width = old.width, height = old.height;
    HDC copy_dc = CreateCompatibleDC(old.memory_dc);
    HBITMAP copy = copy_dc ? CreateCompatibleBitmap(old.memory_dc, width, height) : nullptr;
    if (!copy) {
        if (copy_dc) DeleteDC(copy_dc);
        return false;
    }
    HGDIOBJ previous = SelectObject(copy_dc, copy);
    if (old.depth == 8) {   // the same colour table on both sides keeps the indices as they are
        RGBQUAD colours[256];
        GetDIBColorTable(old.memory_dc, 0, 256, colours);
        SetDIBColorTable(copy_dc, 0, 256, colours);
    }
    bool resized = false;
    if (previous && BitBlt(copy_dc, 0, 0, width, height, old.memory_dc, 0, 0, SRCCOPY)) {
        int new_width = scaled_length(width, factor), new_height = scaled_length(height, factor);
        resized = VRX_ResizeImage(n, new_width, new_height) == 0;
        if (resized) {
            StretchBlt(vrx_images[n].memory_dc, 0, 0, new_width, new_height, copy_dc, 0, 0, width, height, SRCCOPY);
            GdiFlush();
        }
    }
    if (previous) SelectObject(copy_dc, previous);
    DeleteObject(copy);
    DeleteDC(copy_dc);
    return resized;
}
