// tests/native/app_and_api_test.cpp - the double-width canvas of both programs carried out on a raster, and
// docs/api.md kept in step with vrxlib.h (every call, variable and constant in its group, nothing the header
// lacks), with the examples written on vrxlib.h alone.
#include "support.h"

#include "app/stereo_canvas.h"
#include "imaging/draw_core.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

// The pair column each canvas column shows ("-" for black) once the layout is carried out as the programs
// do it, with their put and box calls, from a numbered pair of 2 rows
static std::string canvas(int width, bool swap) {
    StereoLayout l = stereo_layout(width, swap);
    Raster c(2 * width, 2), pair(width, 2);
    pair.numbered();   // pixel (x, y) is (x + 1) << 16 | (y + 1)
    for (int i = 0; i < l.copies; i++) write_block(c.view, l.copy_column[i], pair.view.pixels, width, 2);
    for (int i = 0; i < l.blacks; i++) draw_box(c.view, l.black_first[i], 0, l.black_last[i], 1, 0, 0);
    std::string s;
    for (int x = 0; x < 2 * width; x++) s += c.at(x, 1) == 0 ? "- " : (c.at(x, 1) & 0xFFFF) == 2 ? fmt("%d ", (c.at(x, 1) >> 16) - 1) : "? ";
    return s;
}

TEST(StereoCanvas, QuarvexCentresThePairAndQuarvexSwapShowsItsHalvesExchanged) {
    const char *cases[][3] = {   // black quarters; centred the pair at a quarter, swapped its right half then its left
        {"8", "- - - - 0 1 2 3 4 5 6 7 - - - - ", "- - - - 4 5 6 7 0 1 2 3 - - - - "}, {"6", "- - - 0 1 2 3 4 5 - - - ", "- - - 3 4 5 0 1 2 - - - "},
        {"5", "- - 0 1 2 3 4 - - - ", "- - 2 3 4 0 - - - - "}, {"1", "0 - ", "- - "}, {"2", "- 0 1 - ", "- 1 0 - "}};
    for (auto c : cases) EXPECT_EQ(canvas(atoi(c[0]), false) + "| " + canvas(atoi(c[0]), true), std::string(c[1]) + "| " + c[2]) << c[0];
}

// The calls and variables a file declares with their group ("// Title" between two rules in the header, "## Title" in
// the cheatsheet, where only code blocks count), and its constants: those the header defines, those the cheatsheet names
static void names_of(const char *file, bool sheet, std::map<std::string, std::string> &calls, std::set<std::string> &constants) {
    static const std::regex call(R"(^[^#]*?\b(VRX_[A-Z][A-Za-z0-9]*[a-z][A-Za-z0-9]*|user_routine)\s*\()"), variable(R"(^extern\s[^(]*\b(vrx_\w+)\s*;)"),
        defined(R"(^#define (VRX\w*)|^\s+(VRX_[A-Z0-9_]+) = )"), named(R"(\b(VRX[A-Z0-9]*(?:_[A-Z0-9]+)*|VRX_ColorEntry)\b)");
    std::ifstream in(std::string(VRX_SOURCE_ROOT) + "/" + file);
    std::vector<std::string> l(1);
    for (std::string line; std::getline(in, line);) l.push_back(line);
    std::string group;
    l.push_back("");
    for (size_t i = 1, code = !sheet; i + 1 < l.size(); i++) {
        std::string text = l[i].substr(0, l[i].find("//"));
        std::smatch m;
        if (sheet ? l[i].rfind("## ", 0) == 0 : l[i - 1].rfind("//---", 0) == 0 && l[i + 1].rfind("//---", 0) == 0)
            group = sheet ? l[i].substr(3) : l[i].substr(3, l[i].find(" (") - 3);
        if (l[i].rfind("```", 0) == 0) { code = !code; continue; }
        if (code && (std::regex_search(text, m, call) || std::regex_search(text, m, variable))) calls[m[1]] = group;
        if (!sheet && std::regex_search(l[i], m, defined)) constants.insert(m[1].matched ? m[1] : m[2]);
        for (std::sregex_iterator it(text.begin(), text.end(), named), end; sheet && code && it != end; ++it) constants.insert((*it)[1]);
    }
}

TEST(ApiCheatsheet, ListsEveryCallAndConstantOfTheHeaderInItsGroupAndTheExamplesIncludeOnlyIt) {
    std::map<std::string, std::string> header, sheet;
    std::set<std::string> defined = {"VRX_ColorEntry"}, named;
    names_of("vrxlib.h", false, header, defined), names_of("docs/api.md", true, sheet, named);
    ASSERT_TRUE(header.size() > 60 && defined.size() > 40) << "the header's calls and constants were not found";
    EXPECT_EQ(sheet, header) << "each call and variable, in the same group";
    EXPECT_EQ(named, defined);
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"), standard(R"(<[a-z]+>|<(assert|ctype|limits|math|std[a-z]+|string|time)\.h>)");
    int sources = 0;
    for (const auto &entry : std::filesystem::directory_iterator(std::string(VRX_SOURCE_ROOT) + "/examples")) {
        std::ifstream in(entry.path());
        std::smatch m;
        sources += std::regex_match(entry.path().extension().string(), std::regex(R"(\.(c|cpp|h))"));
        for (std::string line; std::getline(in, line);)
            EXPECT_TRUE(entry.path().extension() == ".txt" || !std::regex_search(line, m, include) || m[2] == "vrxlib.h" || std::regex_match(m[1].str() + m[2].str() + ">", standard)) << entry.path() << ": " << line;
    }
    EXPECT_EQ(sources, 4);
}
