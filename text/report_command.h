// text/report_command.h - the window information report of a text window: the printed description of
// every open toolkit window and the generated source on the clipboard that rebuilds them.

#pragma once

#include <windows.h>

#include <string>

#include "text/window_report.h"

// Prints the window information report in text window n and puts the generated source on the clipboard
void text_window_info(int n);

// Fills s from the window tables and the boxes, reading positions and texts from the system
void take_window_snapshot(ReportSnapshot *s);

// Puts text on the clipboard as ANSI text, with owner as the clipboard's owner window;
// 0 done, 1 the clipboard could not be opened, 2 no memory, 3 the clipboard refused the text
int put_text_on_clipboard(HWND owner, const std::string &text);
