// text/report_command.cpp - the Window Info command of a text window: prints the window information
// report in that window and puts the generated source on the clipboard.
//
// Thread: the worker thread.

#include "text/report_command.h"

#include "base/clipboard.h"
#include "text/text_window.h"
#include "vrxlib.h"

static SnapshotMaker snapshot_maker;

// Sets the snapshot maker the report uses
void set_report_snapshot_maker(SnapshotMaker make) { snapshot_maker = make; }

// 1 for a lead byte of the ANSI code page
static int system_lead_byte(unsigned char byte) { return IsDBCSLeadByte(byte) ? 1 : 0; }

// Prints the window information report in text window n and puts the generated source on the clipboard
// NOTE: the whole report runs inside a push of white on black, so its plain lines are white on black
//       whatever colours the window had, and the window gets those colours back at the end.
void text_window_info(int n) {
    if (VRX_SelectTextWindow(n) != 0) return;
    VRX_PushTextColor(REPORT_WHITE, REPORT_BLACK);
    ReportSnapshot snapshot;
    if (snapshot_maker) snapshot_maker(&snapshot);
    WindowReport report;
    build_window_report(snapshot, system_lead_byte, &report);
    for (const ReportPiece &piece : report.printed) {
        if (piece.coloured) VRX_PushTextColor(piece.text_color, piece.back_color);
        VRX_Printf("%s", piece.text.c_str());
        if (piece.coloured) VRX_PopTextColor();
    }
    if (text_window_open(n)) {
        int status = put_text_on_clipboard(vrx_text_windows[n].window, report.source);
        if (status == 2) MessageBoxW(nullptr, L"GlobalAlloc() failed. (ID_INFO)", L"Pause", MB_OK);
        if (status == 0) {
            VRX_PushTextColor(REPORT_YELLOW, REPORT_DARK_BLUE);
            VRX_Printf("%s", REPORT_CLIPBOARD_NOTICE);
            VRX_PopTextColor();
        }
    }
    VRX_PopTextColor();
}
