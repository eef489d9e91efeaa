// text/window_report.cpp - the window information report from a snapshot: printed pieces and the
// generated source text.
//
// NOTE: every text taken from a window (image titles, labels, captions) goes into the source as an
//       escaped C literal, so a quote, a backslash or a line break in it cannot break the generated
//       line; double-byte characters are copied whole, since their trail byte may be a backslash.
//
// Thread: any (no state of its own).

#include "text/window_report.h"

#include <cstdarg>
#include <cstdio>

//----------------------------------------------------------------------------------
// Text helpers
//----------------------------------------------------------------------------------

// Appends printf-formatted text to out, however long it gets
static void append_format(std::string *out, const char *format, ...) {
    char small[256];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) return;
    if (n < (int)sizeof small) {
        out->append(small, (size_t)n);
        return;
    }
    std::vector<char> big((size_t)n + 1);
    va_start(args, format);
    vsnprintf(big.data(), big.size(), format, args);
    va_end(args);
    out->append(big.data(), (size_t)n);
}

// 1 for a cp932 lead byte (0x81..0x9F, 0xE0..0xFC)
int cp932_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Appends text to out as the inside of a C string literal: quotes, backslashes and control characters
// escaped, double-byte characters (lead byte by is_lead, NULL for cp932) copied whole
// NOTE: other control bytes become three-digit octal escapes, which never swallow a following digit
//       the way a hex escape would; "??" is broken up so that no trigraph forms.
void append_c_string(std::string *out, const std::string &text, LeadBytePredicate is_lead) {
    if (!is_lead) is_lead = cp932_lead_byte;
    size_t n = text.size();
    for (size_t i = 0; i < n; i++) {
        unsigned char c = (unsigned char)text[i];
        if (c >= 0x80 && is_lead(c) && i + 1 < n && (unsigned char)text[i + 1] >= 0x40) {
            out->push_back((char)c);
            out->push_back(text[++i]);
            continue;
        }
        switch (c) {
        case '"':  out->append("\\\""); continue;
        case '\\': out->append("\\\\"); continue;
        case '\n': out->append("\\n"); continue;
        case '\t': out->append("\\t"); continue;
        case '\r': out->append("\\r"); continue;
        case '?':
            out->append(i > 0 && text[i - 1] == '?' ? "\\?" : "?");
            continue;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && is_lead(c))) append_format(out, "\\%03o", c);   // a lead byte without its trail byte
        else out->push_back((char)c);
    }
}

//----------------------------------------------------------------------------------
// Printed pieces
//----------------------------------------------------------------------------------

// Appends a piece in the report's own white on black
static void print_plain(WindowReport *r, const std::string &text) {
    if (!r->printed.empty() && !r->printed.back().coloured) r->printed.back().text += text;
    else r->printed.push_back(ReportPiece{0, REPORT_WHITE, REPORT_BLACK, text});
}

// Appends a piece in its own colours
static void print_coloured(WindowReport *r, unsigned int text_color, unsigned int back_color, const std::string &text) {
    r->printed.push_back(ReportPiece{1, text_color, back_color, text});
}

//----------------------------------------------------------------------------------
// Sections
//----------------------------------------------------------------------------------

// Describes the image windows; nothing when there is none
static void report_images(const ReportSnapshot &s, LeadBytePredicate is_lead, WindowReport *r) {
    if (s.images.empty()) return;
    print_coloured(r, REPORT_GREEN, REPORT_BLACK, "[Image Window]\n");
    r->source += "\t// [Image Window]\n";
    for (const ReportImage &im : s.images) {
        std::string line;
        append_format(&line, " %d ", im.number);
        print_plain(r, line);
        print_coloured(r, REPORT_DEPTH, REPORT_BLACK, im.depth == 8 ? "8" : "F");
        line = " '" + im.title + "'";
        append_format(&line, " X:%d Y:%d W:%d H:%d ZM:%d%%\n", im.x, im.y, im.width, im.height, im.zoom);
        print_plain(r, line);

        append_format(&r->source, im.depth == 8 ? "\tVRX_CreateImage8(%d,\"" : "\tVRX_CreateImage(%d,\"", im.number);
        append_c_string(&r->source, im.title, is_lead);
        append_format(&r->source, "\",%d,%d,%d,%d,%d);\n", im.x, im.y, im.width, im.height, im.zoom);
    }
}

// Describes the text windows; the header always
static void report_text_windows(const ReportSnapshot &s, WindowReport *r) {
    print_coloured(r, REPORT_GREEN, REPORT_BLACK, "[Text Window]\n");
    r->source += "\t// [Text Window]\n";
    for (const ReportTextWindow &t : s.text_windows) {
        std::string line;
        append_format(&line, " %d X:%d Y:%d W:%d H:%d\n", t.number, t.x, t.y, t.width, t.height);
        print_plain(r, line);
        append_format(&r->source, "\tVRX_OpenTextWindow(%d,%d,%d,%d,%d);\n", t.number, t.x, t.y, t.width, t.height);
    }
}

// Describes the input box and generates its label lines; nothing when it is closed
static void report_input_box(const ReportSnapshot &s, LeadBytePredicate is_lead, WindowReport *r) {
    const ReportInputBox &ib = s.input_box;
    if (!ib.open) return;
    print_coloured(r, REPORT_GREEN, REPORT_BLACK, "[Input Box]\n");
    r->source += "\t// [Input Box]\n";
    std::string line;
    append_format(&line, " X:%d Y:%d ITEM:%d ", ib.x, ib.y, ib.items);
    append_format(&line, "ISIZE:%d ESIZE:%d\n", ib.label_width, ib.edit_width);
    print_plain(r, line);
    append_format(&r->source, "\tVRX_OpenInputBox(%d,%d,%d);\n", ib.x, ib.y, ib.items);
    append_format(&r->source, "\tVRX_ResizeInputBox(%d,%d);\n", ib.label_width, ib.edit_width);
    for (int i = 0; i < ib.items; i++) {
        append_format(&r->source, "\tVRX_SetInputBoxTitle(%d,\"", i);
        if (i < (int)ib.labels.size()) append_c_string(&r->source, ib.labels[(size_t)i], is_lead);
        r->source += "\");\n";
    }
}

// Describes the button box and generates its caption lines; nothing when it is closed
static void report_button_box(const ReportSnapshot &s, LeadBytePredicate is_lead, WindowReport *r) {
    const ReportButtonBox &bb = s.button_box;
    if (!bb.open) return;
    print_coloured(r, REPORT_GREEN, REPORT_BLACK, "[Button Box]\n");
    r->source += "\t// [Button Box]\n";
    std::string line;
    append_format(&line, " X:%d Y:%d NX:%d NY:%d ", bb.x, bb.y, bb.nx, bb.ny);
    append_format(&line, "SIZE:%dx%d\n", bb.width, bb.height);
    print_plain(r, line);
    append_format(&r->source, "\tVRX_OpenButtonBox(%d,%d,%d,%d);\n", bb.x, bb.y, bb.nx, bb.ny);
    append_format(&r->source, "\tVRX_ResizeButtonBox(%d,%d);\n", bb.width, bb.height);
    int count = (bb.nx >= 1 && bb.ny >= 1 && bb.nx <= 256 && bb.ny <= 256) ? bb.nx * bb.ny : 0;
    for (int i = 0; i < count; i++) {
        append_format(&r->source, "\tVRX_SetButtonBoxTitle(%d,\"", i);
        if (i < (int)bb.captions.size()) append_c_string(&r->source, bb.captions[(size_t)i], is_lead);
        r->source += "\");\n";
    }
}

//----------------------------------------------------------------------------------
// The report
//----------------------------------------------------------------------------------

// Builds the printed pieces and the source text for the windows of the snapshot
void build_window_report(const ReportSnapshot &snapshot, LeadBytePredicate is_lead, WindowReport *report) {
    report->printed.clear();
    report->source.clear();
    print_coloured(report, REPORT_YELLOW, REPORT_BLACK, "******* Window information *******\n");
    report->source = "\t// VRXLIB --- Automatic Source Generator\n";
    report_images(snapshot, is_lead, report);
    report_text_windows(snapshot, report);
    report_input_box(snapshot, is_lead, report);
    report_button_box(snapshot, is_lead, report);
    print_coloured(report, REPORT_YELLOW, REPORT_BLACK, "**********************************\n");
    report->source += "\tVRX_SetForeground(VRXMAINWINDOW);\n";
}
