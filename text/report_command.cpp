// text/report_command.cpp - the Window Info command of a text window: prints the window information
// report in that window and puts the generated source on the clipboard.

#include "text/text_window.h"
#include "text/report_command.h"

#include "vrxlib.h"

// 1 for a lead byte of the ANSI code page
static int system_lead_byte(unsigned char byte) { return IsDBCSLeadByte(byte) ? 1 : 0; }

// Prints the window information report in text window n and puts the generated source on the clipboard
void text_window_info(int n) {
    if (VRX_SelectTextWindow(n) != 0) return;
    ReportSnapshot snapshot;
    take_window_snapshot(&snapshot);
    WindowReport report;
    build_window_report(snapshot, system_lead_byte, &report);
    for (const ReportPiece &piece : report.printed) {
        if (piece.coloured) VRX_PushTextColor(piece.text_color, piece.back_color);
        VRX_Printf("%s", piece.text.c_str());
        if (piece.coloured) VRX_PopTextColor();
    }
    if (!text_window_open(n)) return;
    if (put_text_on_clipboard(vrx_text_windows[n].window, report.source) == 0) {
        VRX_PushTextColor(REPORT_YELLOW, REPORT_DARK_BLUE);
        VRX_Printf("%s", REPORT_CLIPBOARD_NOTICE);
        VRX_PopTextColor();
    }
}
