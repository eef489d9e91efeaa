// image/commands/tt_text.h - TrueType text on the current image's memory DC, the font's size and style
// controls, and the "TrueType..." -> "Font Change" command.
//
// Text is placed at the shared text cursor (vrx_text_cursor of image/commands/bitmap_text.h) in vrx_tttc;
// the cell height (vrx_tt_cell_height) is the line advance.
//
// Thread: the worker thread; the main thread creates the font at start-up and deletes it at the end.

#pragma once

#include <windows.h>

extern HFONT vrx_tt_font;                          // the TrueType text font
extern int vrx_tt_cell_width, vrx_tt_cell_height;  // its cell: 8 x 16 at start

// Creates the font "ＭＳ ゴシック" 16 high and 8 wide, sets vrx_tttc to white and the text cursor to 0
void tt_text_startup(void);
// Deletes the font
void tt_text_shutdown(void);

#define TT_ITALIC_ON      1
#define TT_ITALIC_OFF     2
#define TT_BOLD_ON        3
#define TT_BOLD_OFF       4
#define TT_UNDERLINE_ON   5
#define TT_UNDERLINE_OFF  6
#define TT_NEW_LINE       10

// Re-creates the TrueType font with character width width/2 and height height; 0, or 1 when the font
// cannot be created
// NOTE: the new font is made before the old one is deleted, so a failure keeps the old font and cell
int tt_set_font_size(int width, int height);
// Draws a narrow string of the ANSI code page (a lead byte and its trail byte make one character) at
// the text cursor; a lead byte followed by the end of the string ends it, and a code the code page
// cannot convert is skipped
void tt_draw_string(const char *text);
// Draws one character code (lead byte x 256 + trail byte for a pair) or carries out a control code
void tt_draw_char(unsigned int code);
// Opens the font dialog owned by owner at the current font and re-creates the font, confirmed or
// cancelled: from the dialog's choice, or as it was after Cancel; a failed creation keeps the old
// font; the cell size stays
void change_tt_font(HWND owner);
