// tests/native/status_text_test.cpp - the status line field and atoi-style numbers from typed answers.
#include "base/number_text.h"
#include "base/status_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// The column where the text starts in the field
static size_t start_column(const char *text) {
    char field[VRX_STATUS_FIELD];
    format_status_field(text, field);
    std::string s = field;
    EXPECT_EQ(s.substr(s.find_first_not_of(' ')), std::string(text).substr(0, 63 - s.find_first_not_of(' ')));
    return s.find_first_not_of(' ');
}

TEST(StatusField, CentresTheMiddleOfTheTextNearColumnEighteen) {
    EXPECT_EQ(start_column("32-bit color"), 12u);   // 18 - 12 / 2
    EXPECT_EQ(start_column("0123456789"), 13u);
    EXPECT_EQ(start_column("Click the first point"), 8u);
    EXPECT_EQ(start_column("0123456789012345678901234567890123456789"), 0u);
}

TEST(StatusField, StaysInsideTheFieldForAnyLength) {
    std::string longer(500, 'x');
    char field[VRX_STATUS_FIELD + 8];
    std::memset(field, '#', sizeof field);
    format_status_field(longer.c_str(), field);
    EXPECT_EQ(std::strlen(field), 63u);
    EXPECT_EQ(field[VRX_STATUS_FIELD], '#') << "nothing written past the 64-byte field";
    format_status_field("", field);
    EXPECT_EQ(std::string(field), std::string(18, ' '));
}

TEST(ParseNumber, ReadsLikeAtoi) {
    EXPECT_EQ(parse_number("640"), 640);
    EXPECT_EQ(parse_number("  \t 32x"), 32);
    EXPECT_EQ(parse_number("-8"), -8);
    EXPECT_EQ(parse_number("+16"), 16);
    EXPECT_EQ(parse_number("abc"), 0);
    EXPECT_EQ(parse_number(""), 0);
    EXPECT_EQ(parse_number("- 5"), 0);
    EXPECT_EQ(parse_number(nullptr), 0);
}

TEST(ParseNumber, ClampsNumbersBeyondTheIntRange) {
    EXPECT_EQ(parse_number("99999999999999999999"), 2147483647);
    EXPECT_EQ(parse_number("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(parse_number("2147483647"), 2147483647);
    EXPECT_EQ(parse_number("-2147483648"), -2147483647 - 1);
}
