// tests/native/api_cheatsheet_test.cpp - docs/api.md kept in step with vrxlib.h: every call and variable in
// the same group, every constant named, nothing that the header lacks; and the examples written on
// vrxlib.h alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines_of(const std::string &relative) {
    std::ifstream in(std::string(VRX_SOURCE_ROOT) + "/" + relative);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The call or variable a declaration line declares ("" for none), its comment left out
std::string declared_name(std::string line) {
    static const std::regex call(R"(^[^#]*?\b(VRX_[A-Z][A-Za-z0-9]*[a-z][A-Za-z0-9]*|user_routine)\s*\()");
    static const std::regex variable(R"(^extern\s[^(]*\b(vrx_\w+)\s*;)");
    line = line.substr(0, line.find("//"));
    std::smatch m;
    if (std::regex_search(line, m, call) || std::regex_search(line, m, variable)) return m[1];
    return "";
}

// Calls and variables by group: the header's "// Title" between two rules, the cheatsheet's "## Title"
std::map<std::string, std::string> groups_of_header(const std::vector<std::string> &lines) {
    std::map<std::string, std::string> group_of;
    std::string group;
    for (size_t i = 1; i + 1 < lines.size(); i++) {
        if (lines[i - 1].rfind("//---", 0) == 0 && lines[i + 1].rfind("//---", 0) == 0)
            group = lines[i].substr(3, lines[i].find(" (") - 3);
        std::string name = declared_name(lines[i]);
        if (!name.empty()) group_of[name] = group;
    }
    return group_of;
}

// The cheatsheet's code without comments, each line with its group; prose is left out
std::vector<std::pair<std::string, std::string>> cheatsheet_code(void) {
    std::vector<std::pair<std::string, std::string>> code;
    std::string group;
    bool in_code = false;
    for (const std::string &line : lines_of("docs/api.md")) {
        if (line.rfind("## ", 0) == 0) group = line.substr(3);
        if (line.rfind("```", 0) == 0) in_code = !in_code;
        else if (in_code) code.push_back({line.substr(0, line.find("//")), group});
    }
    return code;
}

std::map<std::string, std::string> groups_of_cheatsheet(void) {
    std::map<std::string, std::string> group_of;
    for (const auto &[line, group] : cheatsheet_code()) {
        std::string name = declared_name(line);
        if (!name.empty()) group_of[name] = group;
    }
    return group_of;
}

// Every name matching pattern in the lines
std::set<std::string> names_in(const std::vector<std::string> &lines, const std::regex &pattern) {
    std::set<std::string> names;
    for (const std::string &line : lines)
        for (std::sregex_iterator m(line.begin(), line.end(), pattern), end; m != end; ++m) names.insert((*m)[1]);
    return names;
}

}  // namespace

TEST(ApiCheatsheet, ListsEveryCallOfTheHeaderInItsGroupAndNoOther) {
    std::map<std::string, std::string> header = groups_of_header(lines_of("vrxlib.h"));
    std::map<std::string, std::string> sheet = groups_of_cheatsheet();
    ASSERT_GT(header.size(), 60u) << "the header's calls were not found";
    for (const auto &[name, group] : header) {
        auto it = sheet.find(name);
        if (it == sheet.end()) {
            ADD_FAILURE() << name << " of vrxlib.h is missing in docs/api.md";
        } else {
            EXPECT_EQ(it->second, group) << name << " stands in another group";
        }
    }
    for (const auto &[name, group] : sheet) EXPECT_TRUE(header.count(name)) << name << " of docs/api.md is not in vrxlib.h";
}

TEST(ApiCheatsheet, NamesEveryConstantOfTheHeaderAndNoOther) {
    std::vector<std::string> header = lines_of("vrxlib.h");
    std::set<std::string> constants = names_in(header, std::regex(R"(^#define (VRX\w*))"));
    for (const std::string &n : names_in(header, std::regex(R"(^\s+(VRX_[A-Z0-9_]+) = )"))) constants.insert(n);
    constants.insert("VRX_ColorEntry");
    std::vector<std::string> code;
    for (const auto &[line, group] : cheatsheet_code()) code.push_back(line);
    std::set<std::string> named = names_in(code, std::regex(R"(\b(VRX[A-Z0-9]*(?:_[A-Z0-9]+)*|VRX_ColorEntry)\b)"));
    ASSERT_GT(constants.size(), 40u) << "the header's constants were not found";
    for (const std::string &c : constants) EXPECT_TRUE(named.count(c)) << c << " of vrxlib.h is missing in docs/api.md";
    for (const std::string &n : named) EXPECT_TRUE(constants.count(n)) << n << " of docs/api.md is not in vrxlib.h";
}

TEST(Examples, IncludeOnlyTheHeaderAndStandardHeaders) {
    const std::set<std::string> c_headers = {"assert.h", "ctype.h", "limits.h", "math.h", "stdarg.h", "stdbool.h",
                                             "stddef.h", "stdint.h", "stdio.h", "stdlib.h", "string.h", "time.h"};
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    int sources = 0;
    for (const auto &entry : std::filesystem::directory_iterator(std::string(VRX_SOURCE_ROOT) + "/examples")) {
        std::string ext = entry.path().extension().string();
        if (ext != ".c" && ext != ".cpp" && ext != ".h") continue;
        sources++;
        for (const std::string &line : lines_of("examples/" + entry.path().filename().string())) {
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            std::string name = m[2];
            bool standard = m[1] == "<" && (name.find('.') == std::string::npos || c_headers.count(name));
            EXPECT_TRUE(name == "vrxlib.h" || standard) << entry.path().filename() << ": " << line;
        }
    }
    EXPECT_EQ(sources, 4);
}
