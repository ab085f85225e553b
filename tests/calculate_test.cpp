#include "engine/calculate.h"
#include "engine/stress_preparation.h"
#include "report/check_line_texts.h"
#include "sections/profile_types.h"
#include "support/fake_warnings.h"
#include "support/test_catalogue.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {

const Catalogue catalogue = testCatalogue();

// The new-file case on grade AH36 (355/490) with the L 200x90x9x14 of the test catalogue.
DesignCase newCase() {
    DesignCase dc;
    dc.Fyp = dc.Fys = 355;
    dc.Fup = dc.Fus = 490;
    selectProfile(dc, catalogue);
    return dc;
}

} // namespace

TEST(StressPreparation, NewFilePanel) {
    DesignCase dc = newCase();
    prepareStresses(dc);
    EXPECT_EQ(2750, dc.prep.sg);
    EXPECT_EQ(1250, dc.prep.s1s2);
    EXPECT_EQ(625, dc.prep.smean);
    EXPECT_EQ(-100, dc.prep.SigxS);
    EXPECT_EQ(-100, dc.prep.sigx1Min);
    EXPECT_EQ(-100, dc.prep.sigx1Max);
    EXPECT_EQ(-100, dc.prep.sigx2Min);
    EXPECT_EQ(-100, dc.prep.sigx2Max);
    EXPECT_EQ(-30, dc.prep.sigyMin);
}

TEST(StressPreparation, LinearStressAcrossThePanel) {
    DesignCase dc = newCase();
    dc.SigxA = -100;
    dc.SigxB = 0;
    dc.SigyA = -10;
    dc.SigyC = -40;
    prepareStresses(dc);
    EXPECT_EQ(-50, dc.prep.SigxS);
    EXPECT_EQ(-100, dc.prep.sigx1Min);
    EXPECT_EQ(-50, dc.prep.sigx1Max);
    EXPECT_EQ(-50, dc.prep.sigx2Min);
    EXPECT_EQ(0, dc.prep.sigx2Max);
    EXPECT_EQ(-40, dc.prep.sigyMin);
    EXPECT_EQ(-10, dc.prep.sigyMax);
}

TEST(BendingWidth, BreadthTable) {
    struct Row {
        double r, f;
    };
    const Row rows[] = {
        {0.96, 0.5568}, {1.49, 0.58 * 1.49}, {1.5, 0.58}, {1.75, 0.655}, {2.0, 0.73}, {2.88, 0.8832},
        {3.25, 0.925},  {3.5, 0.95},         {4.0, 0.98}, {4.25, 0.99},  {4.5, 1.0},  {9.0, 1.0},
    };
    for (const Row& row : rows) EXPECT_NEAR(row.f, breadthRatio(row.r), 1e-12) << "r = " << row.r;
}

TEST(BendingWidth, FromSpanAndSpacings) {
    struct Row {
        double L1, s1, s2;
        float sw;
    };
    const Row rows[] = {
        {3000, 625, 625, 552.0f}, // r = 2.88, f = 0.8832
        {1000, 625, 625, 348.0f}, // r = 0.96, f = 0.5568
        {3000, 400, 800, 512.0f}, // r = 4.5 gives 1, r = 2.25 gives 0.78
    };
    for (const Row& row : rows) {
        DesignCase dc = newCase();
        dc.L1 = row.L1;
        dc.s1 = row.s1;
        dc.s2 = row.s2;
        prepareBendingWidth(dc);
        EXPECT_NEAR(row.sw, dc.prep.sw, 1e-3) << row.L1 << " " << row.s1 << " " << row.s2;
    }
}

TEST(GeometryWarnings, SpacingNotWiderThanSpan) {
    struct Row {
        double s1, s2, L1, L2;
        std::vector<std::pair<std::string, InputBox>> expected;
    };
    const Row rows[] = {
        {625, 625, 3000, 2500, {}},
        {700, 625, 600, 800, {{" s1 <= L1  ", InputBox::s1}}},
        {625, 900, 800, 850, {{" s2 <= l1  ", InputBox::s2}, {" s2 <= l2  ", InputBox::s2}}},
        {900, 900, 800, 850, {{" s1 <= L1  ", InputBox::s1}, {" s1 <= L2  ", InputBox::s1}}},
        {800, 800, 800, 800, {}},
    };
    for (const Row& row : rows) {
        DesignCase dc = newCase();
        dc.s1 = row.s1;
        dc.s2 = row.s2;
        dc.L1 = row.L1;
        dc.L2 = row.L2;
        RecordingWarnings warnings;
        warnGeometry(dc, warnings);
        EXPECT_EQ(row.expected, warnings.seen) << row.s1 << " " << row.s2;
    }
}

TEST(Calculate, NewCaseRunsToTheEndWithoutFault) {
    DesignCase dc = newCase();
    RecordingWarnings warnings;
    calculate(dc, catalogue, warnings);
    EXPECT_FALSE(dc.fault.stopped()) << dc.fault.message();
    EXPECT_TRUE(warnings.seen.empty());
    EXPECT_NEAR(0.434302, dc.uf.UFpb, 1e-6);
    EXPECT_FLOAT_EQ(552.0f, dc.prep.sw);
}

TEST(Calculate, StoppedCalculationShowsNoStaleResults) {
    DesignCase dc = newCase();
    IgnoreWarnings warnings;
    calculate(dc, catalogue, warnings);
    ASSERT_NE(notComputed, dc.uf.UFpb);

    // |SigxA| above Fyp: the plate's equivalent stress exceeds yield, 3/3.5 cannot be formed.
    dc.SigxA = -400;
    dc.SigxB = -400;
    dc.sigyError = true;
    calculate(dc, catalogue, warnings);
    ASSERT_TRUE(dc.fault.stopped());
    EXPECT_EQ("plate buckling", dc.fault.step);
    EXPECT_NE(std::string::npos, dc.fault.reason.find("exceeds Fyp")) << dc.fault.reason;
    EXPECT_FALSE(dc.sigyError) << "the flag belongs to each calculation";
    const Results markers;
    EXPECT_EQ(markers.UFpb, dc.uf.UFpb);
    EXPECT_EQ(markers.UFpu, dc.uf.UFpu);
    EXPECT_EQ(markers.UFpl, dc.uf.UFpl);
    EXPECT_EQ(markers.UFy, dc.uf.UFy);
    EXPECT_TRUE(composeCheckLines(dc).UFpb.label.empty());

    // The next good calculation clears the fault.
    dc.SigxA = dc.SigxB = -100;
    calculate(dc, catalogue, warnings);
    EXPECT_FALSE(dc.fault.stopped());
}

TEST(Calculate, ZeroThicknessIsCaughtAsAFault) {
    DesignCase dc = newCase();
    dc.t = 0;
    IgnoreWarnings warnings;
    calculate(dc, catalogue, warnings);
    ASSERT_TRUE(dc.fault.stopped());
    EXPECT_EQ("plate buckling", dc.fault.step);
    EXPECT_EQ(notComputed, dc.uf.UFpb);
}

TEST(DesignCase, ResetClearsStrengthsAndLoadingConditionsSetSafetyFormat) {
    DesignCase dc = newCase();
    dc.L1 = 1234;
    dc.stiffenerType = stiffRHS;
    chooseLoadingCondition(dc, conditionB);
    EXPECT_FLOAT_EQ(1.11f, dc.FS);
    EXPECT_FLOAT_EQ(0.8f, dc.UF);
    dc.FS = 1.7f;
    chooseLoadingCondition(dc, conditionC);
    EXPECT_FLOAT_EQ(1.7f, dc.FS) << "condition C keeps what was typed";
    resetToNewFile(dc);
    EXPECT_EQ(3000, dc.L1);
    EXPECT_EQ(stiffLTable, dc.stiffenerType);
    EXPECT_EQ(1.43f, dc.FS);
    EXPECT_EQ(conditionA, dc.loadingCondition);
    EXPECT_EQ(DesignCase{}.Fyp, dc.Fyp) << "the typed strengths are new-file values too";
    EXPECT_EQ(MaterialStrengths{}, dc.plateSteel) << "the strengths in force come with the next calculation";
    EXPECT_EQ(13, dc.flatbarRow);
    EXPECT_EQ(16, dc.bfRow);
    EXPECT_EQ(girderT, dc.girderType);
    EXPECT_EQ(tankBulkhead, dc.structureType);
    EXPECT_EQ(std::string(newFileMarker), dc.fileName);
}

TEST(Calculate, GirderBucklingUsesTheCasesOwnGirder) {
    IgnoreWarnings warnings;
    DesignCase previous = newCase();
    calculate(previous, catalogue, warnings);

    // The next case differs only in its girder; it must not inherit the previous girder's area.
    DesignCase next = previous;
    next.tGirder = GirderDims{400, 100, 8, 10};
    calculate(next, catalogue, warnings);

    DesignCase fresh = newCase();
    fresh.tGirder = GirderDims{400, 100, 8, 10};
    calculate(fresh, catalogue, warnings);

    EXPECT_EQ(fresh.uf.UFgbu, next.uf.UFgbu);
    EXPECT_NE(previous.uf.UFgbu, next.uf.UFgbu);
    EXPECT_EQ(400 * 8 - 8 * 10 + 100 * 10, next.girder.Ag) << "hw·tw + B·tf with hw = H − tf";
}
