// image/commands/bitmap_text.cpp - bitmap-font text on the current image at the shell's text cursor.

#include "image/commands/bitmap_text.h"

#include "imaging/draw_core.h"
#include "image/commands/drawing.h"
#include "imaging/text_core.h"
#include "host/host.h"

// The shell's text cursor
TextCursor shell_cursor(void) {
    TextCursor c = {vrx_text_x, vrx_text_y, vrx_text_margin};
    return c;
}

// Stores a cursor back into the shell's text cursor
void store_cursor(const TextCursor &c) {
    vrx_text_x = c.x;
    vrx_text_y = c.y;
    vrx_text_margin = c.margin;
}

// Draws one character of the bitmap font
void draw_char(unsigned char c) {
    RasterView r;
    if (!current_raster(&r)) return;
    TextCursor cur = shell_cursor();
    draw_char(r, &cur, vrx_tc, c);
    store_cursor(cur);
}

// Draws every byte of a string
void draw_string(const char *s) {
    RasterView r;
    if (!current_raster(&r)) return;
    TextCursor cur = shell_cursor();
    draw_string(r, &cur, vrx_tc, s);
    store_cursor(cur);
}

// Formats and draws
void draw_textf(const char *format, ...) {
    RasterView r;
    if (!current_raster(&r)) return;
    TextCursor cur = shell_cursor();
    va_list args;
    va_start(args, format);
    draw_textv(r, &cur, vrx_tc, format, args);
    va_end(args);
    store_cursor(cur);
}
