// imaging/text_core.h - text in the built-in 8x14 bitmap font on a raster view, and the cp932 walk
// that splits a narrow string into single- and double-byte codes for TrueType output.
//
// NOTE: the text cursor's y is the baseline, the row just below the glyph box; lines are 16 apart.
//
// Thread: any (no state of its own).

#pragma once

#include "imaging/raster.h"

#include <stdarg.h>

// Text cursor: x, baseline y and the left margin that a new line returns to
struct TextCursor {
    int x, y, margin;
};

#define FONT_WIDTH       8
#define FONT_HEIGHT      14
#define FONT_LINE        16     // baseline advance of a new line
#define TEXTF_BUFFER     4096   // formatted text with its terminating zero

extern const unsigned char font8x14[96 * 14];

//----------------------------------------------------------------------------------
// Bitmap text
//----------------------------------------------------------------------------------

// v + step, held at the ends of the int range instead of overflowing (the cursor's advance)
int text_advance(int v, int step);
// Draws one character at the cursor in colour (10: new line; other codes below 32 or above 127 are
// ignored) and advances, starting a new line when the next character would not fit
void draw_char(const RasterView &r, TextCursor *cursor, uint32_t colour, unsigned char c);
// Draws every byte of a NUL-terminated string with draw_char
void draw_string(const RasterView &r, TextCursor *cursor, uint32_t colour, const char *s);
// Formats like vprintf into TEXTF_BUFFER bytes and draws the result
// NOTE: text longer than the buffer is cut, never written past it
void draw_textv(const RasterView &r, TextCursor *cursor, uint32_t colour, const char *format, va_list args);

//----------------------------------------------------------------------------------
// cp932 codes
//----------------------------------------------------------------------------------

// True for a cp932 lead byte (0x81..0x9F, 0xE0..0xFC)
bool cp932_is_lead(unsigned char b);
// Reads the next code of s into *code (lead x 256 + trail for a pair); returns the rest of the
// string, or nullptr at the end, which includes a lead byte followed by NUL. is_lead tells the lead
// bytes: the cp932 ranges by default, the ANSI code page's own test on the Win32 side, so that the
// split matches the conversion that follows
const char *cp932_next(const char *s, unsigned *code, bool (*is_lead)(unsigned char) = cp932_is_lead);
// Writes a code as its bytes, lead byte first, NUL-terminated into out; returns the byte count
int cp932_code_bytes(unsigned code, char out[3]);
