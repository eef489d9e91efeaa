// tests/native/report_window_info_test.cpp - the window information report built from plain records.
#include "text/window_report.h"

#include <gtest/gtest.h>

#include <string>

// The printed pieces joined, without colours
static std::string printed_text(const WindowReport &r) {
    std::string s;
    for (const ReportPiece &p : r.printed) s += p.text;
    return s;
}

// Reads the C literal that starts after the first quote at or after from in src, as a cp932-aware
// compiler would: a lead byte takes its trail byte whatever it is
static std::string read_literal(const std::string &src, size_t from, size_t *end = nullptr) {
    size_t i = src.find('"', from) + 1;
    std::string out;
    while (i < src.size() && src[i] != '"') {
        unsigned char c = (unsigned char)src[i];
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            out += src.substr(i, 2);
            i += 2;
            continue;
        }
        if (c != '\\') { out += (char)c; i++; continue; }
        char e = src[i + 1];
        i += 2;
        switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '0': case '1': case '2': case '3': {
            int v = e - '0', digits = 1;
            while (digits < 3 && src[i] >= '0' && src[i] <= '7') v = v * 8 + (src[i++] - '0'), digits++;
            out += (char)v;
            break;
        }
        default: out += e;   // \" \\ \?
        }
    }
    if (end) *end = i + 1;
    return out;
}

// The snapshot of one 32-bit image, text windows 0 and 3, an input box and a 2 x 1 button box
static ReportSnapshot known_windows(void) {
    ReportSnapshot s;
    s.images.push_back(ReportImage{0, 32, "noname", 10, 20, 640, 480, 100});
    s.images.push_back(ReportImage{5, 8, "grey", -4, 7, 33, 17, 50});
    s.text_windows.push_back(ReportTextWindow{0, 100, 200, 400, 300});
    s.text_windows.push_back(ReportTextWindow{3, 0, 0, 320, 240});
    s.input_box = ReportInputBox{1, 30, 40, 2, 120, 70, {"Item 0", "Speed"}};
    s.button_box = ReportButtonBox{1, 50, 60, 2, 1, 212, 34, {"0", "Go"}};
    return s;
}

TEST(WindowReport, OnlyTextWindowZeroGivesTitleSectionAndClosingLine) {
    ReportSnapshot s;
    s.text_windows.push_back(ReportTextWindow{0, 12, 34, 400, 300});
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_EQ(printed_text(r), "******* Window information *******\n"
                               "[Text Window]\n"
                               " 0 X:12 Y:34 W:400 H:300\n"
                               "**********************************\n");
    EXPECT_EQ(r.source, "\t// VRXLIB --- Automatic Source Generator\n"
                        "\t// [Text Window]\n"
                        "\tVRX_OpenTextWindow(0,12,34,400,300);\n"
                        "\tVRX_SetForeground(VRXMAINWINDOW);\n");
}

TEST(WindowReport, NoTextWindowStillGivesTheTextWindowHeader) {
    WindowReport r;
    build_window_report(ReportSnapshot{}, nullptr, &r);
    EXPECT_EQ(printed_text(r), "******* Window information *******\n[Text Window]\n**********************************\n");
    EXPECT_EQ(r.source.find("[Image Window]"), std::string::npos);
}

TEST(WindowReport, KnownWindowsGivePrintedLinesAndSourceInOrder) {
    WindowReport r;
    build_window_report(known_windows(), nullptr, &r);
    EXPECT_EQ(printed_text(r), "******* Window information *******\n"
                               "[Image Window]\n"
                               " 0 F 'noname' X:10 Y:20 W:640 H:480 ZM:100%\n"
                               " 5 8 'grey' X:-4 Y:7 W:33 H:17 ZM:50%\n"
                               "[Text Window]\n"
                               " 0 X:100 Y:200 W:400 H:300\n"
                               " 3 X:0 Y:0 W:320 H:240\n"
                               "[Input Box]\n"
                               " X:30 Y:40 ITEM:2 ISIZE:120 ESIZE:70\n"
                               "[Button Box]\n"
                               " X:50 Y:60 NX:2 NY:1 SIZE:212x34\n"
                               "**********************************\n");
    EXPECT_EQ(r.source, "\t// VRXLIB --- Automatic Source Generator\n"
                        "\t// [Image Window]\n"
                        "\tVRX_CreateImage(0,\"noname\",10,20,640,480,100);\n"
                        "\tVRX_CreateImage8(5,\"grey\",-4,7,33,17,50);\n"
                        "\t// [Text Window]\n"
                        "\tVRX_OpenTextWindow(0,100,200,400,300);\n"
                        "\tVRX_OpenTextWindow(3,0,0,320,240);\n"
                        "\t// [Input Box]\n"
                        "\tVRX_OpenInputBox(30,40,2);\n"
                        "\tVRX_ResizeInputBox(120,70);\n"
                        "\tVRX_SetInputBoxTitle(0,\"Item 0\");\n"
                        "\tVRX_SetInputBoxTitle(1,\"Speed\");\n"
                        "\t// [Button Box]\n"
                        "\tVRX_OpenButtonBox(50,60,2,1);\n"
                        "\tVRX_ResizeButtonBox(212,34);\n"
                        "\tVRX_SetButtonBoxTitle(0,\"0\");\n"
                        "\tVRX_SetButtonBoxTitle(1,\"Go\");\n"
                        "\tVRX_SetForeground(VRXMAINWINDOW);\n");
}

TEST(WindowReport, HeadersAreGreenDepthLettersOrangeAndFramesYellowOnBlack) {
    WindowReport r;
    build_window_report(known_windows(), nullptr, &r);
    int greens = 0, depths = 0;
    for (const ReportPiece &p : r.printed) {
        if (p.text[0] == '[') {
            EXPECT_TRUE(p.coloured);
            EXPECT_EQ(p.text_color, 0x00FF00u) << p.text;
            EXPECT_EQ(p.back_color, 0u);
            greens++;
        }
        if (p.text == "F" || p.text == "8") {
            EXPECT_EQ(p.text_color, 0x0080FFu);
            depths++;
        }
        if (p.text.find(" X:") != std::string::npos) {
            EXPECT_FALSE(p.coloured) << p.text;
        }
    }
    EXPECT_EQ(greens, 4);
    EXPECT_EQ(depths, 2);
    EXPECT_EQ(r.printed.front().text_color, 0xFFFF00u);
    EXPECT_EQ(r.printed.back().text_color, 0xFFFF00u);
    EXPECT_EQ(r.printed.back().back_color, 0u);
}

TEST(WindowReport, TwoLineCaptionStaysOneSourceLine) {
    ReportSnapshot s;
    s.button_box = ReportButtonBox{1, 0, 0, 1, 1, 106, 34, {"Start\nNow"}};
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_NE(r.source.find("\tVRX_SetButtonBoxTitle(0,\"Start\\nNow\");\n"), std::string::npos) << r.source;
}

TEST(WindowReport, QuotesBackslashesAndControlCharactersAreEscaped) {
    ReportSnapshot s;
    s.images.push_back(ReportImage{1, 32, "c:\\pic \"a\".bmp", 0, 0, 1, 1, 100});
    s.input_box = ReportInputBox{1, 0, 0, 1, 80, 70, {std::string("tab\there\x01" "7?\?=", 10)}};
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_NE(r.source.find("\tVRX_CreateImage(1,\"c:\\\\pic \\\"a\\\".bmp\",0,0,1,1,100);\n"), std::string::npos)
        << r.source;
    size_t at = r.source.find("VRX_SetInputBoxTitle(0,");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(read_literal(r.source, at), std::string("tab\there\x01" "7?\?=", 10));
    EXPECT_EQ(r.source.find("?\?="), std::string::npos) << "no trigraph in the generated source";
}

TEST(WindowReport, DoubleByteLabelWithBackslashTrailByteRoundTrips) {
    // "表示" is 0x95 0x5C 0x8E 0xA6 in cp932; "ソ" is 0x83 0x5C.
    const std::string label = "\x95\x5C\x8E\xA6\x83\x5C";
    ReportSnapshot s;
    s.input_box = ReportInputBox{1, 0, 0, 1, 80, 70, {label}};
    s.button_box = ReportButtonBox{1, 0, 0, 1, 1, 106, 34, {label + "\\"}};
    WindowReport r;
    build_window_report(s, nullptr, &r);
    size_t at = r.source.find("VRX_SetInputBoxTitle(0,");
    EXPECT_EQ(read_literal(r.source, at), label);
    EXPECT_NE(r.source.find("(0,\"\x95\x5C\x8E\xA6\x83\x5C\");"), std::string::npos) << "trail bytes are not doubled";
    at = r.source.find("VRX_SetButtonBoxTitle(0,");
    EXPECT_EQ(read_literal(r.source, at), label + "\\");
}

TEST(WindowReport, LeadByteWithoutTrailByteIsWrittenAsAnEscape) {
    ReportSnapshot s;
    s.input_box = ReportInputBox{1, 0, 0, 1, 80, 70, {"ab\x95"}};
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_NE(r.source.find("(0,\"ab\\225\");"), std::string::npos) << r.source;
}

TEST(WindowReport, TwoHundredFiftySixLongCaptionsAreKeptWhole) {
    ReportSnapshot s;
    s.button_box.open = 1;
    s.button_box.nx = 16;
    s.button_box.ny = 16;
    s.button_box.width = 1636;
    s.button_box.height = 500;
    for (int i = 0; i < 256; i++) s.button_box.captions.push_back(std::string(300, (char)('a' + i % 26)) + "\"");
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_GT(r.source.size(), 30000u);
    size_t at = 0;
    for (int i = 0; i < 256; i++) {
        at = r.source.find("\tVRX_SetButtonBoxTitle(" + std::to_string(i) + ",", at);
        ASSERT_NE(at, std::string::npos) << "button " << i;
        EXPECT_EQ(read_literal(r.source, at), s.button_box.captions[(size_t)i]);
    }
    EXPECT_EQ(r.source.substr(r.source.size() - 35), "\tVRX_SetForeground(VRXMAINWINDOW);\n");
}

TEST(WindowReport, LongTitleIsPrintedWhole) {
    ReportSnapshot s;
    std::string title(1000, 'T');
    s.images.push_back(ReportImage{7, 32, title, 1, 2, 3, 4, 25});
    WindowReport r;
    build_window_report(s, nullptr, &r);
    EXPECT_NE(printed_text(r).find("'" + title + "' X:1 Y:2 W:3 H:4 ZM:25%\n"), std::string::npos);
}

TEST(WindowReport, ClipboardNoticeIsTheJapaneseSentenceInCp932) {
    // "クリップボード" in cp932, then the full-width full stop 0x81 0x44 and a line feed at the end
    std::string notice = REPORT_CLIPBOARD_NOTICE;
    EXPECT_EQ(notice.substr(0, 14), "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68");
    EXPECT_EQ(notice.substr(notice.size() - 3), "\x81\x44\n");
    EXPECT_EQ(notice.size(), 29u * 2 + 1);
}
