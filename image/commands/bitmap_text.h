// image/commands/bitmap_text.h - bitmap-font text on the current image at the shared text cursor in vrx_tc.
//
// The cursor is the shell's (vrx_text_x, baseline vrx_text_y, vrx_text_margin), shared with TrueType
// text. Without a live current image these calls do nothing, the cursor included.

#pragma once

#include "imaging/text_core.h"

// The shell's text cursor as a TextCursor
TextCursor shell_cursor(void);
// Stores a cursor back into the shell's text cursor
void store_cursor(const TextCursor &c);

// Draws one character of the bitmap font at the text cursor (10: new line; other codes below 32 or
// above 127 are ignored)
void draw_char(unsigned char c);
// Draws every byte of a NUL-terminated string
void draw_string(const char *s);
// Formats like printf into 4096 bytes (longer text is cut) and draws the result
void draw_textf(const char *format, ...);
