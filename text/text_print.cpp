// text/text_print.cpp - VRX_Printf and the per-window colour stacks.
//
// Thread: the worker thread, and the main thread for its prompts.

#include "base/message_pump.h"
#include "text/cell_layout.h"
#include "text/log_file.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

//----------------------------------------------------------------------------------
// Printing
//----------------------------------------------------------------------------------

// What a layout step needs: the window and the text
struct PrintTarget {
    int n;
    const uint16_t *text;
};

// Carries out one layout step in the backing bitmap
static void print_step(void *context, const CellOp *op) {
    PrintTarget *t = (PrintTarget *)context;
    TextWindowRecord *r = &vrx_text_windows[t->n];
    if (op->kind == CELL_OP_RUN) {
        TextOutW(r->memory_dc, op->x, op->y, (const wchar_t *)t->text + op->start, op->count);
    } else if (op->kind == CELL_OP_SCROLL) {
        r->cursor_y = op->y;
        scroll_text_window(t->n);
    }
}

// Prints formatted text into the current text window
// NOTE: text longer than the 4096-byte buffer is formatted again into a buffer of its own size, so
//       nothing is cut and nothing overruns.
void VRX_Printf(const char *format, ...) {
    int n = vrx_current_text_window;
    if (!text_window_open(n)) return;
    char fixed[4096];
    std::vector<char> grown;
    char *narrow = fixed;
    va_list args;
    va_start(args, format);
    int length = vsnprintf(fixed, sizeof fixed, format, args);
    va_end(args);
    if (length < 0) return;
    if (length >= (int)sizeof fixed) {
        grown.resize((size_t)length + 1);
        va_start(args, format);
        vsnprintf(grown.data(), grown.size(), format, args);
        va_end(args);
        narrow = grown.data();
    }
    log_write(n, narrow);
    int units = MultiByteToWideChar(CP_ACP, 0, narrow, length, nullptr, 0);
    std::vector<wchar_t> wide((size_t)units + 1);
    if (units > 0) MultiByteToWideChar(CP_ACP, 0, narrow, length, wide.data(), units);
    TextWindowRecord *r = &vrx_text_windows[n];
    CellCursor c{r->cursor_x, r->cursor_y, r->width, r->height, r->cell_width, r->cell_height};
    PrintTarget target{n, (const uint16_t *)wide.data()};
    layout_text(&c, target.text, units, print_step, &target);
    r->cursor_x = c.x;
    r->cursor_y = c.y;
    InvalidateRect(r->window, nullptr, FALSE);
    pump_messages();
}

//----------------------------------------------------------------------------------
// Colour stacks
//----------------------------------------------------------------------------------

// Saves the current colours (entry 7 dropped) and sets new ones
void VRX_PushTextColor(unsigned int text, unsigned int back) {
    int n = vrx_current_text_window;
    if (!text_window_open(n)) return;
    TextWindowRecord *r = &vrx_text_windows[n];
    for (int i = 7; i > 0; i--) {
        r->text_color_stack[i] = r->text_color_stack[i - 1];
        r->back_color_stack[i] = r->back_color_stack[i - 1];
    }
    r->text_color_stack[0] = r->text_color;
    r->back_color_stack[0] = r->back_color;
    r->text_color = text;
    r->back_color = back;
    apply_text_colors(r);
}

// Takes back the most recently saved colours
// NOTE: entry 7 keeps its value, so popping more often than pushing keeps returning the oldest colours.
void VRX_PopTextColor(void) {
    int n = vrx_current_text_window;
    if (!text_window_open(n)) return;
    TextWindowRecord *r = &vrx_text_windows[n];
    r->text_color = r->text_color_stack[0];
    r->back_color = r->back_color_stack[0];
    for (int i = 0; i < 7; i++) {
        r->text_color_stack[i] = r->text_color_stack[i + 1];
        r->back_color_stack[i] = r->back_color_stack[i + 1];
    }
    apply_text_colors(r);
}
