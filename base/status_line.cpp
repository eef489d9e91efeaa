// base/status_line.cpp - the main window's status line.
//
// Thread: any.

#include "base/status_line.h"

#include "base/process.h"
#include "base/status_field.h"
#include "base/text_convert.h"

#include <cstdio>

HWND vrx_status_window;

// Shows a narrow text on the status line, centred by leading spaces
void set_status_text(const char *text) {
    char field[VRX_STATUS_FIELD];
    format_status_field(text, field);
    wchar_t wide[VRX_STATUS_FIELD];
    SetWindowTextW(vrx_status_window, narrow_to_wide(field, wide, VRX_STATUS_FIELD));
}

// Puts "%d-bit color" back on the status line
void restore_status_text(void) {
    char text[16];
    snprintf(text, sizeof text, "%d-bit color", vrx_color_bits);
    set_status_text(text);
}
