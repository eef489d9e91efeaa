// tests/native/text_test.cpp - text: the bitmap font on a raster, the cp932 walk, the cells of a text window,
// the line editor and the key ring of the console, and the window information report with its C escaping.
#include "support.h"

#include "imaging/text_core.h"
#include "text/key_ring.h"
#include "text/line_editor.h"
#include "text/window_report.h"

TEST(BitmapText, ACharacterIsItsGlyphAboveTheBaselineTheCursorMovesAsTheTextSaysAndCp932LeadsTakeTheirTrail) {
    Raster r(24, 20);
    TextCursor at = {3, 16, 0};
    draw_char(r.view, &at, 0x00FF00, 'L');
    Points lit = r.lit(), cell;   // within the 8 x 14 cell above the baseline, its stem on the left, not mirrored: the top row starts there
    for (auto [x, y] : lit) if (x >= 3 && x < 11 && y >= 2 && y < 16 && r.at(x, y) == 0x00FF00) cell.insert({y, x});
    EXPECT_TRUE(cell.size() == lit.size() && lit.size() > 10 && cell.begin()->second < 6 && lit.rbegin()->first > 7 && at.x == 11 && at.y == 16);
    struct Case { const char *what; int w, x, y, margin; std::string text; int to_x, to_y; bool draws; } cases[] = {
        {"control and high bytes neither draw nor move", 64, 5, 20, 2, "\x01\x09\x0D\x1F\x80\xC8\xFF", 5, 20, false}, {"a line feed", 64, 40, 20, 6, "\n", 6, 36, false},
        {"a character at the last place fits, the next wraps", 24, 16, 14, 0, "HHH", 16, 30, true}, {"an advance at INT_MAX wraps", 32, INT_MAX - 3, 20, 4, "W", 4, 36, false},
        {"the baseline is held at INT_MAX", 32, 0, INT_MAX - 5, 0, "a\nb\n", 0, INT_MAX, false}, {"rows below INT_MIN skipped", 32, INT_MIN, INT_MIN, INT_MIN, "Mg\n", INT_MIN, INT_MIN + 16, false},
    };
    for (const Case &c : cases) {
        Raster t(c.w, 40);   // a line feed: back to the margin, 16 rows down
        TextCursor cur = {c.x, c.y, c.margin};
        draw_string(t.view, &cur, 0xFFFFFF, c.text.c_str());
        EXPECT_EQ(fmt("%d %d %d", cur.x, cur.y, !t.lit().empty()), fmt("%d %d %d", c.to_x, c.to_y, c.draws)) << c.what;
    }
    struct Walk { const char *bytes; std::vector<unsigned> codes; bool (*is_lead)(unsigned char) = nullptr; } walks[] = {   // a lone lead ends it
        {"\x82\xA0" "A", {0x82A0, 0x41}}, {"\x9F\x40\xE0\x40\xFC\x40", {0x9F40, 0xE040, 0xFC40}}, {"\x80\xA0\xB1\xDF\xFD", {0x80, 0xA0, 0xB1, 0xDF, 0xFD}},
        {"a\x81\x0A" "b", {0x61, 0x810A, 0x62}}, {"AB\x83", {0x41, 0x42}}, {"", {}}, {"\x82\xA0", {0x82, 0xA0}, [](unsigned char) { return false; }},   // single bytes
    };
    for (const Walk &c : walks) {   // the codes written back give the bytes walked
        std::vector<unsigned> codes;
        std::string back;
        unsigned code;
        char b[3];
        const char *end = c.bytes;
        for (const char *s = c.bytes; (s = cp932_next(s, &code, c.is_lead)) != nullptr; end = s) codes.push_back(code), back.append(b, (size_t)cp932_code_bytes(code, b));
        EXPECT_TRUE(codes == c.codes && back == std::string(c.bytes, end)) << c.bytes;
    }
}

// Keeps the steps of the cell layout and the line editor as text
static void record(void *out, const CellOp *op) {
    *(std::string *)out += op->kind == CELL_OP_RUN ? fmt("R%d+%d@%d,%d ", op->start, op->count, op->x, op->y)
                           : op->kind == CELL_OP_SCROLL ? fmt("S@%d ", op->y) : fmt("C%X*%d@%d,%d ", op->unit, op->count, op->x, op->y);
}
static std::u16string xs(int n) { return std::u16string((size_t)n, u'x'); }

TEST(TextWindowCells, TextIsLaidOutInRunsThatWrapAndScrollTheLineEditorMovesBackAcrossWrappedRowsAndTheKeyRingKeepsTheOrder) {   // 400 x 300, cells of 8 x 12
    struct Case { const char *what; std::u16string text; int calls; const char *ops; int x, y; } cases[] = {
        {"line feeds are never drawn", u"ab\n\ncd", 1, "R0+2@0,0 R4+2@0,24 ", 16, 24}, {"the 51st wraps", xs(51), 1, "R0+50@0,0 R50+1@0,12 ", 8, 12},
        {"50 cells reach the right edge and stay on the row", xs(50), 1, "R0+50@0,0 ", 400, 0}, {"controls take a cell each", u"\t\r", 1, "R0+2@0,0 ", 16, 0},
        {"a wide character that would overhang moves whole", xs(49) + u"\u3042", 1, "R0+49@0,0 R49+1@0,12 ", 16, 12}, {"24 rows, a scroll", std::u16string(24, u'\n'), 1, "S@288 ", 0, 276},
        {"text goes on behind the last character", u"abc", 2, "R0+3@0,0 R0+3@24,0 ", 48, 0},
    };
    for (const Case &c : cases) {
        CellCursor cur = {0, 0, 400, 300, 8, 12};
        std::string ops;
        for (int i = 0; i < c.calls; i++) layout_text(&cur, (const uint16_t *)c.text.data(), (int)c.text.size(), record, &ops);
        EXPECT_EQ(ops + fmt("%d,%d", cur.x, cur.y), c.ops + fmt("%d,%d", c.x, c.y)) << c.what;
    }
    struct Edit { const char *what; std::u16string typed, line; int x, y, depth, last; } edits[] = {   // \b is Backspace
        {"a, b, Backspace, c gives ac", u"ab\bc", u"ac", 16, 0, 0, 0}, {"Backspace on an empty line", u"\b", u"", 0, 0, 0, 1}, {"a zero unit", std::u16string(1, 0), u"", 0, 0, 0, 1},
        {"the 256th character is refused", std::u16string(255, u'a') + u"b", std::u16string(255, u'a'), 40, 60, 5, 1},
        {"back across a wrap onto the last character", xs(50) + u"\b", xs(49), 392, 0, 0, 0}, {"a wide character ending a row, removed", xs(48) + u"\u3042\b", xs(48), 384, 0, 0, 0},
        {"a wide character moved to the next row, removed", xs(49) + u"\u3042\b", xs(49), 392, 0, 0, 0},
    };
    for (const Edit &c : edits) {
        static LineEditor e;
        CellCursor cur = {0, 0, 400, 300, 8, 12};
        std::string ops;
        int last = 0;
        line_reset(&e);
        for (char16_t u : c.typed) last = u == u'\b' ? line_backspace(&e, &cur, record, &ops) : line_insert(&e, &cur, u, record, &ops);
        EXPECT_TRUE(std::u16string((const char16_t *)e.line, (size_t)e.n) == c.line) << c.what;
        EXPECT_EQ(fmt("%d,%d %d %d %d", cur.x, cur.y, e.depth, last, e.line[e.n]), fmt("%d,%d %d %d 0", c.x, c.y, c.depth, c.last)) << c.what;
    }
    KeyRing r;
    std::string s;
    key_ring_reset(&r);
    for (int round = 0, i; round < 2; round++) {   // the second round starts at another place in the buffer
        for (i = 0, s += fmt("%d ", key_ring_pop(&r)); i < 256; i++) ASSERT_EQ(key_ring_push(&r, (uint16_t)(i + 1)), 0);
        for (i = 0, s += fmt("%d ", key_ring_push(&r, 999)); i < 256; i++) ASSERT_EQ(key_ring_pop(&r), i + 1);
        s += fmt("%d ", key_ring_pop(&r)), s += fmt("%d ", key_ring_push(&r, 7)), s += fmt("%d|", key_ring_pop(&r));
    }
    EXPECT_EQ(s, "0 1 0 0 7|0 1 0 0 7|") << "empty, full, empty again, one more";
}

// The report of a snapshot: its printed text, its coloured pieces (first letter, colour on background), its source
static std::string report_of(const ReportSnapshot &s, std::string *colours = nullptr, std::string *printed = nullptr) {
    WindowReport r;
    build_window_report(s, nullptr, &r);
    for (const ReportPiece &p : r.printed) {
        if (printed) *printed += p.text;
        if (colours && p.coloured) *colours += fmt("%c%06X/%X ", p.text[0], p.text_color, p.back_color);
    }
    return r.source;
}

TEST(WindowReport, PrintsEachWindowAndGeneratesTheCallsThatRebuildItWithEveryTextReadingBackAsItWas) {
    ReportSnapshot all;
    all.images = {ReportImage{0, 32, "noname", 10, 20, 640, 480, 100}, ReportImage{5, 8, "grey", -4, 7, 33, 17, 50}};
    all.text_windows = {ReportTextWindow{0, 12, 34, 400, 300}};
    all.input_box = ReportInputBox{1, 30, 40, 2, 120, 70, {"Item 0", "Speed"}};
    all.button_box = ReportButtonBox{1, 50, 60, 2, 1, 212, 34, {"0", "Go"}};
    const std::string head = "******* Window information *******\n", tail = "**********************************\n", foreground = "\tVRX_SetForeground(VRXMAINWINDOW);\n";
    std::string printed, colours, source, generator = "\t// VRXLIB --- Automatic Source Generator\n";
    EXPECT_EQ(report_of(all, &colours, &printed), generator + "\t// [Image Window]\n\tVRX_CreateImage(0,\"noname\",10,20,640,480,100);\n"
              "\tVRX_CreateImage8(5,\"grey\",-4,7,33,17,50);\n\t// [Text Window]\n\tVRX_OpenTextWindow(0,12,34,400,300);\n"
              "\t// [Input Box]\n\tVRX_OpenInputBox(30,40,2);\n\tVRX_ResizeInputBox(120,70);\n\tVRX_SetInputBoxTitle(0,\"Item 0\");\n"
              "\tVRX_SetInputBoxTitle(1,\"Speed\");\n\t// [Button Box]\n\tVRX_OpenButtonBox(50,60,2,1);\n\tVRX_ResizeButtonBox(212,34);\n"
              "\tVRX_SetButtonBoxTitle(0,\"0\");\n\tVRX_SetButtonBoxTitle(1,\"Go\");\n" + foreground);
    EXPECT_EQ(printed, head + "[Image Window]\n 0 F 'noname' X:10 Y:20 W:640 H:480 ZM:100%\n 5 8 'grey' X:-4 Y:7 W:33 H:17 ZM:50%\n"
              "[Text Window]\n 0 X:12 Y:34 W:400 H:300\n[Input Box]\n X:30 Y:40 ITEM:2 ISIZE:120 ESIZE:70\n[Button Box]\n"
              " X:50 Y:60 NX:2 NY:1 SIZE:212x34\n" + tail);
    EXPECT_EQ(colours, "*FFFF00/0 [00FF00/0 F0080FF/0 80080FF/0 [00FF00/0 [00FF00/0 [00FF00/0 *FFFF00/0 ");
    struct Case { std::string text; const char *escaped; } cases[] = {
        {"c:\\pic \"a\".bmp", "c:\\\\pic \\\"a\\\".bmp"}, {"Start\nNow", "Start\\nNow"}, {"\r\x7F\t\x01" "7", "\\r\\177\\t\\0017"},
        {"what?" "?=", "what?\\?="}, {"\x95\x5C\x8E\xA6\x83\x5C", "\x95\x5C\x8E\xA6\x83\x5C"},   // trail bytes 5C are not doubled
        {"ab\x95", "ab\\225"}, {"\x95\x5C\\", nullptr}, {std::string(300, 'q') + "\"", nullptr},   // a lead byte without its trail
    };
    for (const Case &c : cases) {
        std::string escaped, read;
        append_c_string(&escaped, c.text, nullptr);
        EXPECT_TRUE(!c.escaped || escaped == c.escaped) << escaped;
        all.images[0].title = c.text, all.input_box.labels[0] = c.text, all.button_box.captions[0] = c.text, source = report_of(all);
        for (const char *call : {"VRX_CreateImage(0,", "VRX_SetInputBoxTitle(0,", "VRX_SetButtonBoxTitle(0,"}) {
            size_t at = source.find(call);
            EXPECT_TRUE(at != std::string::npos && read_c_literal(source, &at, &read) && read == c.text) << call << escaped;
        }
    }
}
