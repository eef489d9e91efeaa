// base/status_field.cpp - status line field layout and atoi-style number reading.

#include "base/status_field.h"

#include <climits>
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

// Reads a decimal number as atoi does; clamps instead of overflowing
int parse_number(const char *text) {
    if (!text) return 0;
    const unsigned char *s = (const unsigned char *)text;
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) s++;
    bool negative = false;
    if (*s == '+' || *s == '-') negative = (*s++ == '-');
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; s++) {
        value = value * 10 + (*s - '0');
        if (value > (long long)INT_MAX + 1) value = (long long)INT_MAX + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return (int)value;
}
