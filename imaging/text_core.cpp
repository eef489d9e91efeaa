// imaging/text_core.cpp - bitmap text through plot_pixel, and the cp932 code walk.
//
// Thread: any (no state of its own).

#include "imaging/text_core.h"

#include "imaging/draw_core.h"

#include <limits.h>
#include <stdio.h>

//----------------------------------------------------------------------------------
// Bitmap text
//----------------------------------------------------------------------------------

// v + step, held at the ends of the int range instead of overflowing
int text_advance(int v, int step) {
    long long sum = (long long)v + step;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return (int)sum;
}

// Moves the cursor to the start of the next line
static void new_line(TextCursor *cursor) {
    cursor->y = text_advance(cursor->y, FONT_LINE);
    cursor->x = cursor->margin;
}

// Draws one character at the cursor and advances
// NOTE: the cursor may be anywhere in the int range (a caller sets it, and a long text walks it far
//       down); glyph pixels are placed in 64 bits and those beyond the int range skipped, so nothing
//       overflows and text off the raster simply draws nothing.
void draw_char(const RasterView &r, TextCursor *cursor, uint32_t colour, unsigned char c) {
    if (c == 10) { new_line(cursor); return; }
    if (c < 32 || c > 127) return;
    const unsigned char *glyph = font8x14 + (c - 32) * FONT_HEIGHT;
    for (int row = 0; row < FONT_HEIGHT; row++) {
        long long y = (long long)cursor->y - FONT_HEIGHT + row;
        if (y < INT_MIN || y > INT_MAX) continue;
        for (int b = 0; b < FONT_WIDTH; b++) {
            long long x = (long long)cursor->x + b;
            if (x <= INT_MAX && (glyph[row] & (0x80 >> b))) plot_pixel(r, (int)x, (int)y, colour);
        }
    }
    cursor->x = text_advance(cursor->x, FONT_WIDTH);
    if (cursor->x > r.width - FONT_WIDTH) new_line(cursor);
}

// Draws every byte of a NUL-terminated string
void draw_string(const RasterView &r, TextCursor *cursor, uint32_t colour, const char *s) {
    if (!s) return;
    for (; *s; s++) draw_char(r, cursor, colour, (unsigned char)*s);
}

// Formats into TEXTF_BUFFER bytes and draws the result
void draw_textv(const RasterView &r, TextCursor *cursor, uint32_t colour, const char *format, va_list args) {
    char text[TEXTF_BUFFER];
    if (!format) return;
    int n = vsnprintf(text, sizeof text, format, args);
    if (n < 0) return;
    text[sizeof text - 1] = 0;
    draw_string(r, cursor, colour, text);
}

//----------------------------------------------------------------------------------
// cp932 codes
//----------------------------------------------------------------------------------

// True for a cp932 lead byte
bool cp932_is_lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Reads the next code of s; nullptr at the end
const char *cp932_next(const char *s, unsigned *code, bool (*is_lead)(unsigned char)) {
    if (!s || !*s) return nullptr;
    unsigned char b = (unsigned char)s[0];
    if (is_lead ? is_lead(b) : cp932_is_lead(b)) {
        unsigned char t = (unsigned char)s[1];
        if (!t) return nullptr;
        *code = b * 256u + t;
        return s + 2;
    }
    *code = b;
    return s + 1;
}

// Writes a code as its bytes, lead byte first
int cp932_code_bytes(unsigned code, char out[3]) {
    if (code > 0xFF) {
        out[0] = (char)((code >> 8) & 0xFF);
        out[1] = (char)(code & 0xFF);
        out[2] = 0;
        return 2;
    }
    out[0] = (char)code;
    out[1] = 0;
    return 1;
}
