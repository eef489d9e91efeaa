// base/status_field.cpp - where a text sits in the status line's field.
//
// Thread: any.

#include "base/status_field.h"

#include <cstring>

// Fills field with spaces and places text so that its middle falls near column 18
void format_status_field(const char *text, char field[VRX_STATUS_FIELD]) {
    std::memset(field, ' ', VRX_STATUS_FIELD - 1);
    field[VRX_STATUS_FIELD - 1] = '\0';
    if (!text) text = "";
    size_t len = std::strlen(text);
    int col = 18 - (int)(len > 1000 ? 1000 : len) / 2;
    if (col < 0) col = 0;
    if (col > VRX_STATUS_FIELD - 1) col = VRX_STATUS_FIELD - 1;
    // NOTE: a text longer than the field is cut at byte 63 rather than written past it.
    size_t room = (size_t)(VRX_STATUS_FIELD - 1 - col);
    if (len > room) len = room;
    std::memcpy(field + col, text, len);
    field[col + len] = '\0';
}
