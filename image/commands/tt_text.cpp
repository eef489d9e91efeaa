// image/commands/tt_text.cpp - TrueType text drawn with GDI on the current image's memory DC.
//
// Thread: the worker thread; start-up and shutdown on the main thread.

#include "image/commands/tt_text.h"

#include "base/process.h"
#include "image/commands/bitmap_text.h"
#include "image/commands/color_dialog.h"
#include "image/image_table.h"
#include "imaging/text_core.h"

#include <commdlg.h>
#include <string.h>

//----------------------------------------------------------------------------------
// Font
//----------------------------------------------------------------------------------
HFONT vrx_tt_font;
int vrx_tt_cell_width = 8, vrx_tt_cell_height = 16;

// Creates the start-up font and resets the colour and the text cursor
void tt_text_startup(void) {
    vrx_tt_font = CreateFontW(16, 8, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");   // "ＭＳ ゴシック"
    vrx_tt_cell_width = 8;
    vrx_tt_cell_height = 16;
    vrx_tttc = 0xFFFFFF;
    vrx_text_cursor = TextCursor{0, 0, 0};
}

// Deletes the font
void tt_text_shutdown(void) {
    DeleteObject(vrx_tt_font);
    vrx_tt_font = nullptr;
}

// Replaces the TrueType font by one made from lf; false (old font kept) when it cannot be made
static bool replace_font(const LOGFONTW &lf) {
    HFONT made = CreateFontIndirectW(&lf);
    if (!made) return false;
    if (vrx_tt_font) DeleteObject(vrx_tt_font);
    vrx_tt_font = made;
    return true;
}

// The current font's description (zeros when there is no font)
static LOGFONTW current_logfont(void) {
    LOGFONTW lf;
    memset(&lf, 0, sizeof lf);
    if (vrx_tt_font) GetObjectW(vrx_tt_font, sizeof lf, &lf);
    return lf;
}

// Re-creates the font at a new size; 0, or 1 when it cannot be created
int tt_set_font_size(int width, int height) {
    LOGFONTW lf = current_logfont();
    lf.lfWidth = width / 2;
    lf.lfHeight = height;
    if (!replace_font(lf)) return 1;
    vrx_tt_cell_width = width / 2;
    vrx_tt_cell_height = height;
    return 0;
}

// Opens the font dialog and re-creates the font from its LOGFONT
void change_tt_font(HWND owner) {
    LOGFONTW lf = current_logfont();
    CHOOSEFONTW cf;
    memset(&cf, 0, sizeof cf);
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_SCRIPTSONLY | CF_INITTOLOGFONTSTRUCT;
    cf.nFontType = SCREEN_FONTTYPE;
    LOGFONTW before = lf;
    // NOTE: some dialog implementations (Wine's) write their own choice into the LOGFONT even when
    //       cancelled; a Cancel re-creates the font as it was.
    if (!ChooseFontW(&cf)) lf = before;
    replace_font(lf);
}

//----------------------------------------------------------------------------------
// Text
//----------------------------------------------------------------------------------

// Re-creates the font with one style change
static void restyle(int code) {
    LOGFONTW lf = current_logfont();
    switch (code) {
    case TT_ITALIC_ON: lf.lfItalic = TRUE; break;
    case TT_ITALIC_OFF: lf.lfItalic = FALSE; break;
    case TT_BOLD_ON: lf.lfWeight = 700; break;
    case TT_BOLD_OFF: lf.lfWeight = 400; break;
    case TT_UNDERLINE_ON: lf.lfUnderline = TRUE; break;
    case TT_UNDERLINE_OFF: lf.lfUnderline = FALSE; break;
    }
    replace_font(lf);
}

// Draws one character code or carries out a control code
void tt_draw_char(unsigned int code) {
    if (code < 32) {
        if (code >= TT_ITALIC_ON && code <= TT_UNDERLINE_OFF) restyle((int)code);
        else if (code == TT_NEW_LINE) {
            vrx_text_cursor.y = text_advance(vrx_text_cursor.y, vrx_tt_cell_height);
            vrx_text_cursor.x = vrx_text_cursor.margin;
        }
        return;
    }
    HDC dc = current_image_dc();
    if (!dc) return;
    char bytes[3];
    int count = cp932_code_bytes(code, bytes);
    wchar_t wide[2] = {0, 0};
    // A code the ANSI code page has no character for is skipped: nothing drawn, no advance
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, count, wide, 2) != 1) return;
    SetTextColor(dc, swap_red_blue(vrx_tttc));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, vrx_tt_font);
    TextOutW(dc, vrx_text_cursor.x, text_advance(vrx_text_cursor.y, 1 - vrx_tt_cell_height), wide, 1);
    ABC abc;
    INT plain = 0;
    // NOTE: the advance holds at the end of the int range, like the bitmap text's
    int advance = 0;
    if (GetCharABCWidthsW(dc, wide[0], wide[0], &abc)) advance = abc.abcA + (int)abc.abcB + abc.abcC;
    else if (GetCharWidth32W(dc, wide[0], wide[0], &plain)) advance = plain;
    vrx_text_cursor.x = text_advance(vrx_text_cursor.x, advance);
    SelectObject(dc, previous);
    GdiFlush();
}

// True for a lead byte of the ANSI code page, the code page the characters are converted with
static bool ansi_is_lead(unsigned char b) { return IsDBCSLeadByteEx(CP_ACP, b) != FALSE; }

// Draws a narrow string at the text cursor
void tt_draw_string(const char *text) {
    unsigned code;
    while ((text = cp932_next(text, &code, ansi_is_lead)) != nullptr) tt_draw_char(code);
}
