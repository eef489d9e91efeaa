// text/console_input.cpp - VRX_InputText and console_ask: the line input with its caret, editing, recall
// and paste, and the keyboard ring that every text window feeds while a line input waits.
//
// Thread: the asking thread (worker or main); the ring is fed from the worker's text window procedure.

#include "text/console.h"

#include "base/clipboard.h"
#include "base/clock.h"
#include "base/message_pump.h"
#include "base/process.h"
#include "base/status_line.h"
#include "text/cell_layout.h"
#include "text/key_ring.h"
#include "text/line_editor.h"
#include "text/log_file.h"
#include "text/text_window.h"
#include "vrxlib.h"

#include <cstdarg>
#include <cstdio>

//----------------------------------------------------------------------------------
// Shared state
//----------------------------------------------------------------------------------
static KeyRing key_ring = {{0}, 0, -1};
static SRWLOCK key_ring_lock = SRWLOCK_INIT;   // the ring is written on the worker, read on either thread
static std::atomic<int> recall_request{0};     // 0 none, 1 repeat the last line, 2 paste
static wchar_t last_line[LINE_MAX_UNITS + 1];
std::atomic<int> vrx_input_owner{0};

// Empties the keyboard ring, the recall request and the last line
void clear_console_input(void) {
    AcquireSRWLockExclusive(&key_ring_lock);
    key_ring_reset(&key_ring);
    ReleaseSRWLockExclusive(&key_ring_lock);
    recall_request.store(0, std::memory_order_release);
    last_line[0] = 0;
}

// Appends one unit to the ring; 0 stored, 1 full
static int ring_push(wchar_t unit) {
    AcquireSRWLockExclusive(&key_ring_lock);
    int full = key_ring_push(&key_ring, (uint16_t)unit);
    ReleaseSRWLockExclusive(&key_ring_lock);
    return full;
}

// Takes the oldest unit, 0 when empty
static wchar_t ring_pop(void) {
    AcquireSRWLockExclusive(&key_ring_lock);
    uint16_t u = key_ring_pop(&key_ring);
    ReleaseSRWLockExclusive(&key_ring_lock);
    return (wchar_t)u;
}

//----------------------------------------------------------------------------------
// Keys from the text window procedure
//----------------------------------------------------------------------------------

// Character message of any text window: feeds a waiting line input
void console_feed_char(wchar_t unit) {
    if (vrx_input_owner.load(std::memory_order_acquire) == 0 || ctrl_held()) return;
    ring_push(unit);
}

// Key down of any text window while a line input waits: Up arrow recalls, Ctrl+V pastes
void console_key_down(UINT key) {
    if (recall_request.load(std::memory_order_acquire) != 0) return;
    if (key == VK_UP) recall_request.store(1, std::memory_order_release);
    else if (key == 'V' && ctrl_held()) recall_request.store(2, std::memory_order_release);
}

// Appends the first line of the clipboard's Unicode text to the ring
// NOTE: the clipboard is opened with the reading window as owner and closed on every path.
static void paste_clipboard(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !open_clipboard(owner)) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t *text = data ? (const wchar_t *)GlobalLock(data) : nullptr;
    if (text) {
        SIZE_T limit = GlobalSize(data) / sizeof(wchar_t);
        for (SIZE_T i = 0; i < limit && text[i] && text[i] != 10 && text[i] != 13; i++)
            if (ring_push(text[i])) break;
        GlobalUnlock(data);
    }
    CloseClipboard();
}

// Serves a pending Up arrow or Ctrl+V
// NOTE: the recalled line goes straight into the ring, as the character messages would put it.
static void serve_recall(HWND owner) {
    int request = recall_request.load(std::memory_order_acquire);
    if (request == 1) {
        for (int i = 0; i < LINE_MAX_UNITS && last_line[i]; i++)
            if (ring_push(last_line[i])) break;
    } else if (request == 2) {
        paste_clipboard(owner);
    }
    if (request) recall_request.store(0, std::memory_order_release);
}

//----------------------------------------------------------------------------------
// Line input
//----------------------------------------------------------------------------------

// Carries out one step of the line editor in window n's backing bitmap
static void edit_step(void *context, const CellOp *op) {
    int n = *(int *)context;
    TextWindowRecord *r = &vrx_text_windows[n];
    if (op->kind == CELL_OP_CHAR) {
        draw_text_cells((wchar_t)op->unit, r->memory_dc, op->x, op->y, op->count);
    } else if (op->kind == CELL_OP_SCROLL) {
        r->cursor_y = op->y;
        if (scroll_text_window(n)) InvalidateRect(r->window, nullptr, FALSE);
    }
}

// Draws the caret cell: "_" in phase 1, a space in phase 0
static void draw_caret(TextWindowRecord *r, int phase) {
    draw_text_cells(phase ? L'_' : L' ', r->memory_dc, r->cursor_x, r->cursor_y, 1);
}

// Converts the line to the ANSI code page into 256 bytes, cutting whole characters when it is longer
static void line_to_narrow(const wchar_t *line, int count, char *buffer) {
    int units = count;
    int bytes = 0;
    while (units > 0) {
        bytes = WideCharToMultiByte(CP_ACP, 0, line, units, buffer, 255, nullptr, nullptr);
        if (bytes > 0) break;
        units--;
    }
    buffer[units > 0 ? bytes : 0] = 0;
}

// True while a line input runs, from its claim to its end: there is one editor, ring and last line
// NOTE: claimed before the prompt is printed and held until the line is done, so a second prompt asked
//       meanwhile (a rename on the worker while a main-window prompt waits, or one started from the
//       message pump of the first) is refused instead of sharing the editor with it.
static std::atomic<bool> line_input_busy{false};

// Claims the line input; false, with the reason on the status line, while another one runs
static bool claim_line_input(void) {
    if (!line_input_busy.exchange(true, std::memory_order_acq_rel)) return true;
    set_status_text("Another prompt is waiting");
    return false;
}

// Gives the line input up for the next prompt
static void release_line_input(void) { line_input_busy.store(false, std::memory_order_release); }

// True while a line input waits in some text window
bool console_input_waiting(void) { return vrx_input_owner.load(std::memory_order_acquire) != 0; }

// Reads one typed line into buffer (256 bytes) in the current text window, with the line input
// claimed; CONSOLE_ENTER, or CONSOLE_CLOSED when it ended from outside or no window was open
static int read_line(char *buffer) {
    int n = vrx_current_text_window;
    buffer[0] = 0;
    if (!text_window_open(n)) return CONSOLE_CLOSED;
    TextWindowRecord *r = &vrx_text_windows[n];
    SetForegroundWindow(r->window);
    set_status_text("Input text");
    static LineEditor editor;   // one line input at a time; too large for the worker's stack
    line_reset(&editor);
    int last_toggle = get_milliseconds();
    int phase = 1;
    bool redraw = true;
    vrx_input_owner.store(n + 1, std::memory_order_release);
    bool completed = false;
    for (;;) {
        pump_messages();
        if (vrx_input_owner.load(std::memory_order_acquire) != n + 1 || !text_window_open(n)) break;
        wchar_t c = ring_pop();
        if (c == 9) c = 32;
        if (c == 13) {
            completed = true;
            break;
        }
        serve_recall(r->window);
        CellCursor cur{r->cursor_x, r->cursor_y, r->width, r->height, r->cell_width, r->cell_height};
        bool inserted = false;
        if (c == 8) line_backspace(&editor, &cur, edit_step, &n);
        else if (c != 0 && line_insert(&editor, &cur, (uint16_t)c, edit_step, &n) == 0) inserted = true;
        r->cursor_x = cur.x;
        r->cursor_y = cur.y;
        if (inserted) {
            draw_caret(r, phase);
            redraw = false;
        } else if (redraw) {
            draw_caret(r, phase);
            redraw = false;
        }
        int now = get_milliseconds();
        if (now - last_toggle > 200) {
            phase = 1 - phase;
            last_toggle = now;
            redraw = true;
        }
    }
    if (completed) {
        vrx_input_owner.store(0, std::memory_order_release);
        draw_text_cells(L' ', r->memory_dc, r->cursor_x, r->cursor_y, 1);
        r->cursor_x = 0;
        r->cursor_y += r->cell_height;
        if (scroll_text_window(n)) InvalidateRect(r->window, nullptr, FALSE);
        int count = editor.n;
        for (int i = 0; i < count; i++) last_line[i] = (wchar_t)editor.line[i];
        last_line[count] = 0;
        line_to_narrow(last_line, count, buffer);
        if (log_state(n) == 1) {
            log_write(n, buffer);
            log_write(n, "\n");
        }
    }
    restore_status_text();
    return completed ? CONSOLE_ENTER : CONSOLE_CLOSED;
}

// Reads one typed line (buffer of at least 256 bytes) in the current text window
// NOTE: a line ended from outside (window closed, Exit), asked for with no text window open, or asked
//       for while another line input waits, leaves an empty string; nothing is logged.
void VRX_InputText(char *buffer) {
    if (!buffer) return;
    buffer[0] = 0;
    if (!claim_line_input()) return;
    read_line(buffer);
    release_line_input();
}

// Prints the prompt in the current text window and reads the typed line; how the input ended
int console_ask(char answer[256], const char *format, ...) {
    answer[0] = 0;
    if (!claim_line_input()) return CONSOLE_BUSY;
    char prompt[512];
    va_list args;
    va_start(args, format);
    vsnprintf(prompt, sizeof prompt, format, args);
    va_end(args);
    VRX_Printf("%s", prompt);
    int end = read_line(answer);
    release_line_input();
    if (quitting()) return CONSOLE_EXIT;
    return end;
}
