// base/number_text.h - numbers read from typed answers (console prompts, input box values).
//
// Windows-free. Thread: any.

#pragma once

// Reads a decimal number as atoi does: leading white space, an optional sign, digits; 0 when there is
// no number. Values beyond the int range are clamped instead of overflowing.
int parse_number(const char *text);
