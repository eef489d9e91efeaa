// base/text_convert.h - narrow texts (the ANSI code page) and UTF-16, for window texts and paths.
//
// Thread: any.
// NOTE: the toolkit's narrow strings are in the ANSI code page (932 for the program's own Japanese texts);
//       the fixed-buffer calls cut at whole characters, the *_ansi calls convert texts of any length.

#pragma once

#include <windows.h>

#include <string>

// Converts ANSI text to UTF-16 into dst (count units, terminated); returns dst
wchar_t *narrow_to_wide(const char *text, wchar_t *dst, int count);
// Converts UTF-16 text to ANSI into dst (count bytes, terminated); returns dst
char *wide_to_narrow(const wchar_t *text, char *dst, int count);
// Reads at most max UTF-16 units of a window's text into dst as ANSI text of at most max bytes
void get_window_text_narrow(HWND w, char *dst, int max);
// Sets a window's text from ANSI text (at most 255 characters)
void set_window_text_narrow(HWND w, const char *text);
// The whole text of window w, converted to the ANSI code page (empty for no window)
std::string window_text_ansi(HWND w);
// Sets the text of window w from ANSI text of any length
void set_window_text_ansi(HWND w, const char *text);
