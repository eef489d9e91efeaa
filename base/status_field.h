// base/status_field.h - the main window's status line field and the numbers read from typed answers.
//
// Windows-free helpers used by the status line, the console prompts and the boxes.

#pragma once

#define VRX_STATUS_FIELD 64   // bytes in the status field, terminator included

// Fills field with spaces and places text so that its middle falls near column 18; the text is cut
// to fit the field. field receives a zero-terminated string of at most 63 characters.
void format_status_field(const char *text, char field[VRX_STATUS_FIELD]);

// Reads a decimal number as atoi does: leading white space, an optional sign, digits; 0 when there is
// no number. Values beyond the int range are clamped instead of overflowing.
int parse_number(const char *text);
