// image/commands/bitmap_text.h - bitmap-font text on the current image at the shared text cursor in vrx_tc.
//
// The text cursor (x, baseline y, left margin) is shared with TrueType text and the plots' labels.
// Without a live current image these calls do nothing, the cursor included.
//
// Thread: the worker thread.

#pragma once

#include "imaging/text_core.h"

extern TextCursor vrx_text_cursor;   // x, baseline y and left margin of the next text; all 0 at start

// Draws one character of the bitmap font at the text cursor (10: new line; other codes below 32 or
// above 127 are ignored)
void draw_char(unsigned char c);
// Draws every byte of a NUL-terminated string
void draw_string(const char *s);
// Formats like printf into 4096 bytes (longer text is cut) and draws the result
void draw_textf(const char *format, ...);
