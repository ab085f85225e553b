#include "design/number_parser.h"

#include <gtest/gtest.h>

#include <optional>

using namespace korvel;

namespace {

struct ParseRow {
    const char* text;
    std::optional<double> expected;
};

const std::optional<double> refused = std::nullopt;

} // namespace

// Period locale: a comma is read as a point, the leading number counts and anything that is
// not a number reads as 0 (which then fails the box's lower limit).
TEST(ParseNumber, PeriodModeReadsTheLeadingNumber) {
    const ParseRow rows[] = {
        {"1.5", 1.5},       {"1,5", 1.5},       {"  2800", 2800}, {"\t7", 7},    {"12abc", 12},   {"abc", 0.0},
        {"", 0.0},          {"-", 0.0},         {".", 0.0},       {"-.5", -0.5}, {".5", 0.5},     {"+3", 3},
        {"2500.7", 2500.7}, {"1e3", 1000},      {"1e", 1},        {"1e+", 1},    {"2E-2x", 0.02}, {"1.2.3", 1.2},
        {"1,234.5", 1.234}, {"5 ", 5},          {"- 5", 0.0},     {"inf", 0.0},  {"nan", 0.0},    {"0x10", 0.0},
        {"1e-999", 0.0},    {"1e999", refused},
    };
    for (const auto& r : rows) EXPECT_EQ(parseNumber(r.text, DecimalMode::period), r.expected) << '"' << r.text << '"';
}

// Comma locale: a period is read as the decimal comma and the whole text must be a number;
// otherwise the box reports "Input string mismatch ".
TEST(ParseNumber, CommaModeNeedsTheWholeText) {
    const ParseRow rows[] = {
        {"1,5", 1.5},    {"1.5", 1.5},       {" 1,5 ", 1.5},   {"-,5", -0.5},      {"5,", 5},
        {"1e3", 1000},   {"+2", 2},          {"abc", refused}, {"12abc", refused}, {"", refused},
        {"  ", refused}, {"1,2,3", refused}, {"1e", refused},  {"inf", refused},   {"-", refused},
    };
    for (const auto& r : rows) EXPECT_EQ(parseNumber(r.text, DecimalMode::comma), r.expected) << '"' << r.text << '"';
}

TEST(ParseNumber, DecimalModeFromLocaleSample) {
    EXPECT_EQ(decimalModeFromSample("1.1"), DecimalMode::period);
    EXPECT_EQ(decimalModeFromSample("1,1"), DecimalMode::comma);
    EXPECT_EQ(decimalModeFromSample("1.1 "), DecimalMode::comma); // compared character for character
}

TEST(ParseFileNumber, WholeFieldWithPeriod) {
    const ParseRow rows[] = {
        {"3", 3},         {".6", 0.6},          {"-.5", -0.5},      {"+3", 3},
        {"1e3", 1000},    {" \t42.5\t ", 42.5}, {"0.1", 0.1},       {"206000", 206000},
        {"1,5", refused}, {"", refused},        {"12abc", refused}, {"1e", refused},
        {"inf", refused}, {"nan", refused},     {"--1", refused},   {"+", refused},
        {".", refused},   {"1 2", refused},     {"1e400", refused}, {"0x1A", refused},
    };
    for (const auto& r : rows) EXPECT_EQ(parseFileNumber(r.text), r.expected) << '"' << r.text << '"';
}
