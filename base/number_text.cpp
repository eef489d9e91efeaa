// base/number_text.cpp - numbers read from typed answers, as atoi reads them.
//
// Thread: any.

#include "base/number_text.h"

#include <climits>

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
