// text/window_report.h - the window information report built from a snapshot of the open windows:
// the coloured lines printed in the text window and the source text of toolkit calls that rebuild them.
//
// Windows-free: text/window_info.cpp takes the snapshot from the window tables, prints the pieces and
// puts the source on the clipboard. Texts are narrow strings in the ANSI code page.
//
// Thread: any (no state of its own).

#pragma once

#include <string>
#include <vector>

//----------------------------------------------------------------------------------
// Snapshot of the windows
//----------------------------------------------------------------------------------

// One open image window
struct ReportImage {
    int number;
    int depth;                 // 32 or 8
    std::string title;
    int x, y;                  // outer top-left corner on the screen
    int width, height;         // raster size
    int zoom;                  // percent
};

// One open text window
struct ReportTextWindow {
    int number;
    int x, y;                  // outer top-left corner on the screen
    int width, height;         // client size
};

// The input box, when open
struct ReportInputBox {
    int open = 0;
    int x = 0, y = 0;          // outer top-left corner on the screen
    int items = 0;
    int label_width = 0, edit_width = 0;
    std::vector<std::string> labels;   // one per item, full texts
};

// The button box, when open
struct ReportButtonBox {
    int open = 0;
    int x = 0, y = 0;          // outer top-left corner on the screen
    int nx = 0, ny = 0;
    int width = 0, height = 0; // client size
    std::vector<std::string> captions; // one per button, full texts
};

// Every window the report describes, in increasing number order
struct ReportSnapshot {
    std::vector<ReportImage> images;
    std::vector<ReportTextWindow> text_windows;
    ReportInputBox input_box;
    ReportButtonBox button_box;
};

//----------------------------------------------------------------------------------
// The report
//----------------------------------------------------------------------------------
#define REPORT_WHITE      0xFFFFFFu
#define REPORT_BLACK      0x000000u
#define REPORT_YELLOW     0xFFFF00u
#define REPORT_GREEN      0x00FF00u
#define REPORT_DEPTH      0x0080FFu
#define REPORT_DARK_BLUE  0x000080u

// One printed piece: text in its own colours, or in the report's white on black when coloured is 0
struct ReportPiece {
    int coloured;
    unsigned int text_color, back_color;   // 0x00RRGGBB
    std::string text;
};

// What one run of the report produces
struct WindowReport {
    std::vector<ReportPiece> printed;      // up to and including the closing line of asterisks
    std::string source;                    // the generated source text for the clipboard
};

// The notice printed in yellow on dark blue once the source is on the clipboard:
// "クリップボードにレイアウト作成ソースリストを保存しました．\n" (cp932)
#define REPORT_CLIPBOARD_NOTICE \
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83\x8C\x83\x43\x83\x41\x83\x45" \
    "\x83\x67\x8D\xEC\x90\xAC\x83\x5C\x81\x5B\x83\x58\x83\x8A\x83\x58\x83\x67\x82\xF0\x95\xDB\x91\xB6" \
    "\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x44\n"

// Tells whether a byte opens a double-byte character in the ANSI code page
typedef int (*LeadBytePredicate)(unsigned char byte);

// 1 for a cp932 lead byte (0x81..0x9F, 0xE0..0xFC)
int cp932_lead_byte(unsigned char byte);

// Appends text to out as the inside of a C string literal: quotes, backslashes and control characters
// escaped, double-byte characters (lead byte by is_lead, NULL for cp932) copied whole
void append_c_string(std::string *out, const std::string &text, LeadBytePredicate is_lead);

// Builds the printed pieces and the source text for the windows of the snapshot
void build_window_report(const ReportSnapshot &snapshot, LeadBytePredicate is_lead, WindowReport *report);
