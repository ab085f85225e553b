// Texts composed with the period as shown in comma mode: numbers take the comma, rule clauses,
// versions and dates keep their periods.

#include "design/decimal_text.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(DecimalTextTest, NumbersTakeTheSeparatorClausesKeepTheirPoints) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.43", "0,43"},
        {" < 1.0 (3/3.1)", " < 1,0 (3/3.1)"},
        {"  < 1.0  (3-2-2/7.9.2)", "  < 1,0  (3-2-2/7.9.2)"},
        {"UFpb =1/0.60^2*((-100.0/318.9)^2 + (-30.0/233.6)^2) = ",
         "UFpb =1/0,60^2*((-100,0/318,9)^2 + (-30,0/233,6)^2) = "},
        {"UFs = Ieff/io = 5.838E+7/5.080E+7 = ", "UFs = Ieff/io = 5,838E+7/5,080E+7 = "},
        {"c = 0.90 / 1.50  stiff/gird   ABS (3-2-2/9.5&9.9)", "c = 0,90 / 1,50  stiff/gird   ABS (3-2-2/9.5&9.9)"},
        {"square root of a negative number in 3/3.5: the stress = 12.5",
         "square root of a negative number in 3/3.5: the stress = 12,5"},
        {"Built-up: L 200x90x9.0x12.0", "Built-up: L 200x90x9,0x12,0"},
        {"KORVEL 1.9.2, 2026-12-07 9:5", "KORVEL 1.9.2, 2026-12-07 9:5"},
        {"1/0.6*(100.0/(320.0*(15272/15272))", "1/0,6*(100,0/(320,0*(15272/15272))"},
        {"Rule/Buckling: ABS", "Rule/Buckling: ABS"},
        {"end.", "end."},
        {"Flange: b2/tf = 5.3 <= 9.6 OK (ch 9.7)", "Flange: b2/tf = 5,3 <= 9,6 OK (ch 9.7)"},
        {"Web: hw/tw = 23.5 <= 36.1 OK (Ch 9.9)", "Web: hw/tw = 23,5 <= 36,1 OK (Ch 9.9)"},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(withDecimalSeparator(text, ','), shown) << text;
        EXPECT_EQ(withDecimalSeparator(text, '.'), text);
    }
}

} // namespace
} // namespace korvel
