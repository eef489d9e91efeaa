// tests/native/app_and_api_test.cpp - the double-width canvas of both programs carried out on a raster, and
// docs/api.md kept in step with vrxlib.h (every call, variable and constant, nothing the header lacks).
#include "support.h"

#include "app/stereo_canvas.h"
#include "imaging/draw_core.h"

#include <fstream>
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

// The toolkit's names (VRX..., vrx_..., user_routine) a file spells in its code: the header outside its
// comments, the cheatsheet in its code blocks, outside theirs
static std::set<std::string> names_of(const char *file, bool sheet) {
    static const std::regex name(R"(\b(VRX\w*|vrx_\w+|user_routine)\b)");
    std::ifstream in(std::string(VRX_SOURCE_ROOT) + "/" + file);
    std::set<std::string> names;
    bool code = !sheet;
    for (std::string line; std::getline(in, line);) {
        if (sheet && line.rfind("```", 0) == 0) code = !code;
        std::string text = line.substr(0, line.find("//"));
        for (std::sregex_iterator it(text.begin(), text.end(), name), end; code && it != end; ++it) names.insert((*it)[1]);
    }
    return names;
}

TEST(ApiCheatsheet, NamesEveryCallConstantAndVariableOfTheHeaderAndNothingElse) {
    std::set<std::string> header = names_of("vrxlib.h", false);
    ASSERT_GT(header.size(), 100u) << "the header's names were not found";
    EXPECT_EQ(names_of("docs/api.md", true), header);
}
