#include "design/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace korvel;

namespace {

struct MaskRow {
    double value;
    const char* mask;
    const char* expected;
};

struct FloatMaskRow {
    float value;
    const char* mask;
    const char* expected;
};

} // namespace

TEST(FormatNumber, IntegerMasks) {
    const MaskRow rows[] = {
        {0, "0", "0"},
        {0, "#", ""},
        {0, "###", ""},
        {0, "#0", "0"},
        {0, "00", "00"},
        {3, "#", "3"},
        {0.4, "#", ""},
        {0.5, "#", "1"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {-0.4, "0", "0"},
        {5, "00", "05"},
        {199.6, "00", "200"},
        {12345, "#00", "12345"},
        {2500.7, "#00", "2501"},
        {7, "#000", "007"},
        {235, "###", "235"},
        {99.5, "##0", "100"},
        {450, "#0 ", "450 "},
        {0, "#0 ", "0 "},
        {1e20, "0", "100000000000000000000"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatNumber(r.value, r.mask), r.expected) << r.value << " " << r.mask;
}

// Halves are judged on the 15-digit decimal text: 2.675 is stored as 2.67499999999999982 but
// prints, and rounds, as 2.675.
TEST(FormatNumber, DecimalMasksRoundHalfAwayFromZero) {
    const MaskRow rows[] = {
        {1.005, "0.00", "1.01"},   {2.675, "0.00", "2.68"},      {0.125, "0.00", "0.13"},
        {-0.125, "0.00", "-0.13"}, {-0.001, "0.00", "0.00"},     {-0.005, "0.00", "-0.01"},
        {-0.04, "0.0", "0.0"},     {-0.05, "#0.0", "-0.1"},      {0.6, "#0.00", "0.60"},
        {99.95, "##0.0", "100.0"}, {9.9999, "#0.00", "10.00"},   {0.9996, "0.000", "1.000"},
        {-100, "##0.0", "-100.0"}, {0.0005, "##0.000", "0.001"}, {1234.5678, "##0.000", "1234.568"},
        {0.03, "##0.00", "0.03"},  {0.1 + 0.2, "0.0", "0.3"},    {123456789012.0, "#0.0", "123456789012.0"},
        {0.25, "0.0#", "0.25"},    {0.2, "0.0#", "0.2"},         {1, "0.0#", "1.0"},
        {-2, "0.0#", "-2.0"},      {0.996, "0.0#", "1.0"},       {0.04, "#.00", ".04"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatNumber(r.value, r.mask), r.expected) << r.value << " " << r.mask;
}

TEST(FormatNumber, ExponentMasks) {
    const MaskRow rows[] = {
        {206000, "0.00E+0", "2.06E+5"},
        {0.001234, "0.00E+0", "1.23E-3"},
        {206000, "00.0E+0", "20.6E+4"},
        {12345678.9, "00.0E+0", "12.3E+6"},
        {999.9, "0.00E+0", "1.00E+3"},
        {12345678, "0.000E+0", "1.235E+7"},
        {-0.00012345, "0.000E+0", "-1.235E-4"},
        {1, "0.0E+0", "1.0E+0"},
        {0, "0.00E+0", "0.00E+0"},
        {206000, "0.00E-0", "2.06E5"},
        {0.001234, "0.00E-00", "1.23E-03"},
        {5e-300, "0.0E+000", "5.0E-300"},
        {-0.0, "0.00E+0", "0.00E+0"},
        {0.5, "00.0E+0", "50.0E-2"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatNumber(r.value, r.mask), r.expected) << r.value << " " << r.mask;
}

// A float is rounded on its 7-digit text: 2.675f is 2.67499995 in binary (15 digits would
// give 2.67) and 1.15f is 1.14999998 (15 digits would give 1.1).
TEST(FormatNumber, FloatsRoundOnSevenDigits) {
    const FloatMaskRow rows[] = {
        {0.03f, "0.00", "0.03"},   {1.43f, "0.00", "1.43"},  {1.43f, "#0.0", "1.4"},
        {2.675f, "0.00", "2.68"},  {1.15f, "0.0", "1.2"},    {1.005f, "0.00", "1.01"},
        {0.6f, "#0.00", "0.60"},   {2500.7f, "#00", "2501"}, {206000.f, "0.00E+0", "2.06E+5"},
        {-0.001f, "0.00", "0.00"}, {0.125f, "0.00", "0.13"}, {16777216.f, "0", "16777220"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatNumber(r.value, r.mask), r.expected) << r.value << " " << r.mask;
}

TEST(FormatNumber, SeparatorNonFiniteAndIntegers) {
    EXPECT_EQ(formatNumber(1.5, "0.00", ','), "1,50");
    EXPECT_EQ(formatNumber(206000.0, "0.00E+0", ','), "2,06E+5");
    EXPECT_EQ(formatNumber(0.25f, "0.0#", ','), "0,25");
    EXPECT_EQ(formatNumber(12.0, "#00", ','), "12");
    EXPECT_EQ(formatNumber(std::nan(""), "0.00"), "-");
    EXPECT_EQ(formatNumber(-std::numeric_limits<float>::infinity(), "0.00E+0"), "-");
    EXPECT_EQ(formatNumber(3, "#"), "3"); // recent-file menu numbers
    EXPECT_EQ(formatNumber(0, "#"), "");
    EXPECT_EQ(formatNumber(2.5, ""), "2.5");
}

TEST(GeneralNumber, Doubles) {
    const struct {
        double value;
        const char* expected;
    } rows[] = {
        {3000, "3000"},
        {0.1 + 0.2, "0.3"},
        {-100, "-100"},
        {2500.7, "2500.7"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0, "0"},
        {-0.0, "0"},
        {123456789012345, "123456789012345"},
        {1e15, "1E+15"},
        {1e16, "1E+16"},
        {1e-5, "0.00001"},
        {5e-6, "5E-06"},
        {1.5e-7, "1.5E-07"},
        {-1.25e-300, "-1.25E-300"},
    };
    for (const auto& r : rows) EXPECT_EQ(generalNumber(r.value), r.expected) << r.value;
}

TEST(GeneralNumber, Floats) {
    const struct {
        float value;
        const char* expected;
    } rows[] = {
        {0.03f, "0.03"},
        {1.43f, "1.43"},
        {0.6f, "0.6"},
        {2500.7f, "2500.7"},
        {-100.f, "-100"},
        {1.f / 3, "0.3333333"},
        {3.1415929794311523f, "3.141593"},
        {1234567.f, "1234567"},
        {1e7f, "1E+07"},
        {16777216.f, "1.677722E+07"},
        {206000.f, "206000"},
        {-0.0f, "0"},
    };
    for (const auto& r : rows) EXPECT_EQ(generalNumber(r.value), r.expected) << r.value;
    EXPECT_EQ(generalNumber(0.03f, ','), "0,03");
    EXPECT_EQ(generalNumber(1.5e-7, ','), "1,5E-07");
    EXPECT_EQ(generalNumber(std::numeric_limits<double>::infinity()), "-");
    EXPECT_EQ(generalNumber(625), "625");
}
