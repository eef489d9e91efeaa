// base/status_field.h - where a text sits in the 64-byte field of the main window's status line.
//
// Windows-free. Thread: any.

#pragma once

#define VRX_STATUS_FIELD 64   // bytes in the status field, terminator included

// Fills field with spaces and places text so that its middle falls near column 18; the text is cut
// to fit the field. field receives a zero-terminated string of at most 63 characters.
void format_status_field(const char *text, char field[VRX_STATUS_FIELD]);
