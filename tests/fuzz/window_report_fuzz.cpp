// tests/fuzz/window_report_fuzz.cpp - the window information report and its C-string escaper.
//
// Titles, labels and captions are arbitrary bytes. Each escaped literal must read back as the same
// bytes (as a cp932 compiler reads it) and keep no raw quote or line break; the whole report is then
// built from a snapshot filled from the input.
#include "tests/support/c_literal.h"
#include "text/window_report.h"

#include <cstdint>
#include <cstdlib>
#include <string>

static int odd_lead(unsigned char b) { return b >= 0xA0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string text((const char *)data, size);
    for (LeadBytePredicate lead : {(LeadBytePredicate)nullptr, (LeadBytePredicate)odd_lead}) {
        std::string lit = "\"", back;
        append_c_string(&lit, text, lead);
        lit += '"';
        size_t at = 0;
        if (!read_c_literal(lit, &at, &back, lead ? lead : cp932_lead_byte) || at != lit.size() || back != text) abort();
    }
    // A snapshot of a few windows cut from the input
    ReportSnapshot s;
    size_t n = size ? data[0] % 4 : 0, at = 1;
    auto piece = [&](size_t len) {
        std::string p = at < size ? text.substr(at, len) : std::string();
        at += len;
        return p;
    };
    for (size_t i = 0; i < n; i++) {
        s.images.push_back(ReportImage{(int)i, (i & 1) ? 8 : 32, piece(40), -(int)i, (int)(i * 7), 640, 480, 100});
        s.text_windows.push_back(ReportTextWindow{(int)i, 1, 2, 3, 4});
    }
    s.input_box.open = size > 1 && (data[1] & 1);
    s.input_box.items = size > 2 ? data[2] % 10 - 2 : 0;
    for (int i = 0; i < s.input_box.items; i++) s.input_box.labels.push_back(piece(20));
    s.button_box.open = size > 1 && (data[1] & 2);
    // Counts below 1 and above 256 too, which the report must not walk
    auto count = [&](size_t i) { return size > i ? (data[i] == 255 ? 300 : data[i] % 8 - 2) : 0; };
    s.button_box.nx = count(3), s.button_box.ny = count(4);
    for (int i = 0; i < s.button_box.nx * s.button_box.ny && i < 64; i++) s.button_box.captions.push_back(piece(10));
    WindowReport report;
    build_window_report(s, nullptr, &report);
    if (report.printed.empty() || report.source.find("VRX_SetForeground(VRXMAINWINDOW);") == std::string::npos) abort();
    return 0;
}
