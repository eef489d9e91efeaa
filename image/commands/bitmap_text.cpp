// image/commands/bitmap_text.cpp - bitmap-font text on the current image at the shared text cursor.
//
// Thread: the worker thread.

#include "image/commands/bitmap_text.h"

#include "base/process.h"
#include "image/image_table.h"

TextCursor vrx_text_cursor = {0, 0, 0};

// Draws one character of the bitmap font
void draw_char(unsigned char c) {
    RasterView r;
    if (!current_raster(&r)) return;
    draw_char(r, &vrx_text_cursor, vrx_tc, c);
}

// Draws every byte of a string
void draw_string(const char *s) {
    RasterView r;
    if (!current_raster(&r)) return;
    draw_string(r, &vrx_text_cursor, vrx_tc, s);
}

// Formats and draws
void draw_textf(const char *format, ...) {
    RasterView r;
    if (!current_raster(&r)) return;
    va_list args;
    va_start(args, format);
    draw_textv(r, &vrx_text_cursor, vrx_tc, format, args);
    va_end(args);
}
