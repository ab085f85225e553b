#include "design/number_parser.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <utility>

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

// Long fields, as a generated file writes them: trailing zeros, an exponent after many digits,
// a second point, many leading zeros.
TEST(ParseFileNumber, LongFields) {
    const ParseRow rows[] = {
        {"2100.000000", 2100},       {"-625.000000", -625},     {"12345678e2", 1234567800},
        {"1234.5678e-2", 12.345678}, {"1234.567.8", refused},   {"12345678.", 12345678},
        {"1234567.8x", refused},     {".12345678", 0.12345678}, {"00000000000000000000012.5", 12.5},
    };
    for (const auto& r : rows) EXPECT_EQ(parseFileNumber(r.text), r.expected) << '"' << r.text << '"';
}

// A magnitude beyond the range is refused in every reader, never read as 0; below the range it
// reads as 0. The exponent is weighed against the digits: 400 zeros and then "e-5" stay huge.
TEST(ParseNumber, BeyondTheRangeIsRefusedNotZero) {
    const std::string zeros(400, '0');
    const std::string huge[] = {"1e400", "-1e400", "1" + zeros, "1" + zeros + "e-5", "0.0001e99999999999999999999"};
    for (const std::string& text : huge) {
        EXPECT_EQ(refused, parseFileNumber(text)) << text;
        EXPECT_EQ(refused, parseNumber(text, DecimalMode::period)) << text;
        EXPECT_EQ(refused, parseNumber(text, DecimalMode::comma)) << text;
        EXPECT_EQ(FileNumber::Status::outOfRange, readFileNumber(text).status) << text;
    }
    const std::pair<std::string, double> tiny[] = {
        {"1e-400", 0.0}, {"0." + zeros + "1", 0.0}, {"0." + zeros + "1e300", 1e-101}, {"1" + zeros + "e-700", 1e-300}};
    for (const auto& [text, value] : tiny) {
        EXPECT_EQ(value, parseFileNumber(text)) << text;
        EXPECT_EQ(value, parseNumber(text, DecimalMode::period)) << text;
    }
}

// A single-precision field is read straight to the nearest float, and refused beyond it.
TEST(ReadFileNumber, SinglePrecision) {
    struct Row {
        const char* text;
        FileNumber::Status status;
        float value;
    };
    const Row rows[] = {
        {"1.4285714", FileNumber::Status::value, 1.4285714f},
        {"3.4028235e38", FileNumber::Status::value, 3.4028235e38f},
        {"3.4028236e38", FileNumber::Status::outOfRange, 0},
        {"1e39", FileNumber::Status::outOfRange, 0},
        {"1e-45", FileNumber::Status::value, 1e-45f},
        {"1e-50", FileNumber::Status::value, 0},
        {"1,5", FileNumber::Status::notANumber, 0},
    };
    for (const Row& r : rows) {
        const FileNumber read = readFileNumber(r.text, Precision::single);
        EXPECT_EQ(r.status, read.status) << r.text;
        EXPECT_EQ(static_cast<double>(r.value), read.value) << r.text;
    }
    EXPECT_EQ(1e39, readFileNumber("1e39").value) << "a double holds it";
}

// Short decimals take a quick path; it must give the very double the general conversion gives,
// for every digit count and point position, signs and leading zeros included, and beyond the 19
// digits it takes.
TEST(ParseFileNumber, ShortDecimalsReadAsTheGeneralConversion) {
    std::mt19937_64 random(2026);
    for (int i = 0; i < 2000000; ++i) {
        const int length = 1 + static_cast<int>(random() % 24);
        std::string text = random() % 4 == 0 ? "-" : "";
        const int point = static_cast<int>(random() % (length + 1));
        const int zeros = random() % 3 == 0 ? static_cast<int>(random() % 8) : 0;
        for (int d = 0; d < length; ++d) {
            if (d == point && d > 0) text += '.';
            text += d < zeros ? '0' : static_cast<char>('0' + random() % 10);
        }
        double expected = 0;
        const char* begin = text.data() + (text[0] == '-' ? 1 : 0);
        std::from_chars(begin, text.data() + text.size(), expected);
        if (text[0] == '-') expected = -expected;
        const std::optional<double> read = parseFileNumber(text);
        ASSERT_TRUE(read) << text;
        ASSERT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << text;
    }
}
