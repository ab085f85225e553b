#include "design/input_limits.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {

struct Row {
    InputBox box;
    const char* typed;
    DecimalMode mode;
    const char* display;
    const char* warning; // empty when within limits
    bool focusBack;
    bool recalculate;
};

} // namespace

TEST(InputLimits, BoundariesMasksAndMessages) {
    const DecimalMode P = DecimalMode::period;
    const DecimalMode C = DecimalMode::comma;
    const Row rows[] = {
        {InputBox::FS, "0.6", P, "0.60", "", false, true},
        {InputBox::FS, "2", P, "2.00", "", false, true},
        {InputBox::FS, "0.59", P, "0.59", " 0.6 <= FS <= 2 ", true, true},
        {InputBox::FS, "2.01", P, "2.01", " 0.6 <= FS <= 2 ", true, true},
        {InputBox::UF, "0.6", P, "0.60", "", false, true},
        {InputBox::t, "0.1", P, "0.1", "", false, true},
        {InputBox::t, "1,5", P, "1.5", "", false, true},
        {InputBox::t, "abc", P, "0.0", " 0.1 <= t ", true, true},
        {InputBox::t, "1.5", C, "1.5", "", false, true},
        {InputBox::UL, "5", P, "5", "", false, true},
        {InputBox::UL, "600", P, "600", "", false, true},
        {InputBox::UL, "601", P, "601", " 5 < unit length < 600 ", true, false},
        {InputBox::L1, "2500.7", P, "2501", "", false, true},
        {InputBox::L1, "49", P, "49", " L1 >= 50 ", true, true},
        {InputBox::Lgs, "999", P, "999", " 1000 <= Lgs  ", false, true},
        {InputBox::Lt, "399", P, "399", " 400 <= Lt ", true, true},
        {InputBox::E, "206000", P, "2.06E+5", "", false, true},
        {InputBox::E, "999", P, "9.99E+2", " 1000 <= E-modulus ", true, true},
        {InputBox::Fyp, "2001", P, "2001", " 50 <= fyp <= 2000 ", true, true},
        {InputBox::Fus, "49", P, "49", " 50 <= Fus <= 2000 ", true, true},
        {InputBox::SigxA, "-1234.56", P, "-1234.6", "", false, true},
        {InputBox::p, "0.05", P, "0.050", "", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        DesignCase dc;
        const Validation v = validateBox(dc, row.box, row.typed, row.mode);
        EXPECT_FALSE(v.inputError);
        EXPECT_EQ(row.display, v.display);
        EXPECT_EQ(row.warning, v.warning);
        EXPECT_EQ(row.focusBack, v.focusBack);
        EXPECT_EQ(row.recalculate, v.recalculate);
    }
}

TEST(InputLimits, ValueIsStoredInItsFieldsPrecisionAndKeptWhenOutOfLimits) {
    DesignCase dc;
    validateBox(dc, InputBox::L1, "2500.7", DecimalMode::period);
    EXPECT_EQ(2500.7, dc.L1) << "a double field keeps the typed number's digits, as a batch line does";
    validateBox(dc, InputBox::FS, "2.01", DecimalMode::period);
    EXPECT_EQ(2.01f, dc.FS);
    validateBox(dc, InputBox::UL, "601", DecimalMode::period);
    EXPECT_EQ(601.0f, dc.UL);
}

TEST(InputLimits, NotANumberInCommaModeIsAnInputError) {
    DesignCase dc;
    const Validation v = validateBox(dc, InputBox::t, "abc", DecimalMode::comma);
    EXPECT_TRUE(v.inputError);
    EXPECT_TRUE(v.focusBack);
    EXPECT_FALSE(v.recalculate);
    EXPECT_EQ(20, dc.t) << "nothing is stored";

    const Validation sigx = validateBox(dc, InputBox::SigxA, "x", DecimalMode::comma);
    EXPECT_TRUE(sigx.inputError);
    EXPECT_TRUE(sigx.recalculate) << "SigxA recalculates after the input error";
}

TEST(InputLimits, SpacingsUpdateTheirSumAndPressureRefreshesTheWindow) {
    DesignCase dc;
    validateBox(dc, InputBox::s2, "700", DecimalMode::period);
    EXPECT_EQ(1325.0f, dc.prep.s1s2);
    EXPECT_TRUE(validateBox(dc, InputBox::ps, "0.04", DecimalMode::period).refreshWindow);
    EXPECT_FALSE(validateBox(dc, InputBox::p, "0.04", DecimalMode::period).refreshWindow);
}

TEST(InputLimits, EveryNumericBoxHasOneRow) {
    for (const InputField& field : inputFields) {
        EXPECT_EQ(&field, findInputField(field.box)) << field.symbol;
        DesignCase dc;
        validateBox(dc, field.box, "123", DecimalMode::period);
        EXPECT_EQ(123, inputValue(dc, field.box)) << field.symbol;
    }
    EXPECT_EQ(nullptr, findInputField(InputBox::projectName));
}

TEST(InputLimits, OverflowingNumberIsAnInputError) {
    DesignCase dc;
    EXPECT_TRUE(validateBox(dc, InputBox::L1, "1e300", DecimalMode::period).inputError);
    EXPECT_EQ(3000, dc.L1);
}
