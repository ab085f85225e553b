#include "checks/yield/yield_checks.h"
#include "report/check_line_texts.h"
#include "support/expect_relative.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace korvel;

namespace {

// A panel whose in-plane stresses and stiffener-line values the tests set directly:
// FS 1.43 (condition A, held as the float 1.42999995), Fyp 355, Fys 235, s = 600, L1 = 3000, Wp 500 cm3, Ws 200 cm3.
DesignCase panel() {
    DesignCase dc;
    dc.FS = 1.43f;
    dc.plateSteel.Fy = 355;
    dc.stiffenerSteel.Fy = 235;
    dc.L1 = 3000;
    dc.SigxA = 0;
    dc.SigxB = 0;
    dc.SigyA = 0;
    dc.SigyC = 0;
    dc.Tau = 0;
    dc.p = 0;
    dc.prep.smean = 600;
    dc.prep.SigxS = 0;
    dc.stiff.Wp = 500000;
    dc.stiff.Ws = 200000;
    return dc;
}

} // namespace

TEST(YieldChecks, VonMisesOfPlaneStress) {
    EXPECT_NEAR(112.694277, vonMises(-100, -30, 40), 1e-6); // sqrt(10000 + 900 - 3000 + 4800)
    EXPECT_NEAR(173.205081, vonMises(-100, 100, 0), 1e-6);  // opposite signs add up
    EXPECT_DOUBLE_EQ(100, vonMises(-100, -100, 0));         // equal biaxial: the stress itself
    EXPECT_DOUBLE_EQ(0, vonMises(0, 0, 0));
}

// Governing corner: A (SigxA, SigyA), B (SigxB, SigyA), C (SigxA, SigyC), D (SigxB, SigyC);
// a later corner needs a strictly greater stress.
TEST(YieldChecks, CornerChoosesTheGoverningLetter) {
    struct Row {
        double SigxA;
        float SigxB;
        double SigyA;
        float SigyC, Tau;
        double sigmax;
        const char* label;
        const char* expression;
        double UFy;
        const char* value;
    };
    const Row rows[] = {
        // New-file stresses: all four equal, A stays.
        {-100, -100, -30, -30, 40, 112.694277, "Point: A:  UF = F.S.*Sigeq/Fy = ", "1.43*112.7/355.0 = ", 0.45395158,
         "0.45"},
        {-100, -200, 0, 0, 0, 200, "Point: B:  UF = F.S.*Sigeq/Fy = ", "1.43*200.0/355.0 = ", 0.80563377, "0.81"},
        // C and D equal: C stays.
        {0, 0, 0, 150, 0, 150, "Point: C:  UF = F.S.*Sigeq/Fy = ", "1.43*150.0/355.0 = ", 0.60422533, "0.60"},
        {0, -100, 0, 100, 0, 173.205081, "Point: D:  UF = F.S.*Sigeq/Fy = ", "1.43*173.2/355.0 = ", 0.69769931, "0.70"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        DesignCase dc = panel();
        dc.SigxA = r.SigxA;
        dc.SigxB = r.SigxB;
        dc.SigyA = r.SigyA;
        dc.SigyC = r.SigyC;
        dc.Tau = r.Tau;
        ASSERT_TRUE(cornerCheck(dc).ok());
        EXPECT_NEAR(r.UFy, dc.uf.UFy, 1e-8);
        const CheckLine line = composeCheckLines(dc).corner;
        EXPECT_EQ("  Control in points A-D,  Factor of Safety F.S. = 1.43", line.heading);
        EXPECT_EQ(r.label, line.label);
        EXPECT_EQ(r.expression, line.formula);
        EXPECT_EQ(r.value, line.value);
        EXPECT_EQ("  < 1.0 (3-2-1/3.11)", line.limit);
        EXPECT_EQ(statusOk, line.status);
    }
}

// A utilisation of exactly 1 passes; 1.004 prints as 1.00 but fails.
TEST(YieldChecks, CornerVerdictAtTheLimit) {
    struct Row {
        double SigxA;
        const char* value;
        int status;
    };
    const Row rows[] = {{-355, "1.00", statusOk}, {-356.42, "1.00", statusFail}, {-400, "1.13", statusFail}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.SigxA);
        DesignCase dc = panel();
        dc.FS = 1.0f;
        dc.SigxA = r.SigxA;
        dc.SigxB = static_cast<float>(r.SigxA);
        ASSERT_TRUE(cornerCheck(dc).ok());
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_EQ(r.value, lines.corner.value);
        EXPECT_EQ(r.status, lines.corner.status);
    }
}

TEST(YieldChecks, ZeroStressesLeaveOnlyTheCornerHeading) {
    DesignCase dc = panel();
    dc.FS = 1.11f;
    ASSERT_TRUE(cornerCheck(dc).ok());
    ASSERT_TRUE(stiffenerLineCheck(dc).ok());
    EXPECT_EQ(0, dc.uf.UFy);
    EXPECT_EQ(0, dc.uf.UFyp);
    EXPECT_EQ(0, dc.uf.UFys);

    CheckLine corner;
    corner.heading = "  Control in points A-D,  Factor of Safety F.S. = 1.11";
    EXPECT_EQ(corner, composeCheckLines(dc).corner);

    // The stiffener-line texts are written even for a zero utilisation.
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("Point 1p: UF = F.S.*Sigeq/Fy  = ", lines.platePoint.label);
    EXPECT_EQ("1.11*0.0/355.0 = ", lines.platePoint.formula);
    EXPECT_EQ("0.00", lines.platePoint.value);
    EXPECT_EQ(statusOk, lines.platePoint.status);
    EXPECT_EQ("Point 1s: UF = F.S.*Sigeq/Fy  = ", lines.stiffPoint.label);
    EXPECT_EQ("1.11*0.0/235.0 = ", lines.stiffPoint.formula);
    EXPECT_EQ("0.00", lines.stiffPoint.value);
    EXPECT_EQ("  < 1.0 (3-2-1/3.11)", lines.stiffPoint.limit);
}

// Stiffener line, s = 600, L1 = 3000: p*s*L1^2 = 5.4e8 N mm per mm of pressure 0.1.
// Plate side: +-5.4e8/(12*500000) = 90, 5.4e8/(24*500000) = 45; free edge: 225 and 112.5.
TEST(YieldChecks, StiffenerLinePoints) {
    struct Row {
        const char* what;
        double p, SigxS, SigyA;
        float SigyC;
        const char* plateLabel;
        const char* plateExpression;
        double UFyp;
        const char* edgeLabel;
        const char* edgeExpression;
        double UFys;
    };
    const Row rows[] = {
        // Pressure alone: the support governs on both sides (point 3 ties point 1 and yields).
        {"pressure alone", 0.1, 0, 0, 0, "Point 1p: UF = F.S.*Sigeq/Fy  = ", "1.43*90.0/355.0 = ", 0.36253520,
         "Point 1s: UF = F.S.*Sigeq/Fy  = ", "1.43*225.0/235.0 = ", 1.36914889},
        // Compression at the stiffener line adds to the mid-span stress at the plate and to the
        // support stress at the free edge.
        {"compression", 0.1, -100, 0, 0, "Point 2p: UF = F.S.*Sigeq/Fy  = ", "1.43*145.0/355.0 = ", 0.58408449,
         "Point 1s: UF = F.S.*Sigeq/Fy  = ", "1.43*325.0/235.0 = ", 1.97765950},
        // Transverse compression at end C makes the other support govern: sqrt(90^2 + 200^2 + 90*200).
        {"y stress at C", 0.1, 0, 0, -200, "Point 3p: UF = F.S.*Sigeq/Fy  = ", "1.43*257.1/355.0 = ", 1.03563900,
         "Point 1s: UF = F.S.*Sigeq/Fy  = ", "1.43*225.0/235.0 = ", 1.36914889},
        // Pressure on the stiffener side reverses the bending: the free edge governs at mid-span.
        {"negative p", -0.1, -100, 0, 0, "Point 1p: UF = F.S.*Sigeq/Fy  = ", "1.43*190.0/355.0 = ", 0.76535208,
         "Point 2s: UF = F.S.*Sigeq/Fy  = ", "1.43*212.5/235.0 = ", 1.29308506},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        dc.p = r.p;
        dc.prep.SigxS = r.SigxS;
        dc.SigyA = r.SigyA;
        dc.SigyC = r.SigyC;
        ASSERT_TRUE(stiffenerLineCheck(dc).ok());
        EXPECT_NEAR(r.UFyp, dc.uf.UFyp, 1e-8);
        EXPECT_NEAR(r.UFys, dc.uf.UFys, 1e-8);
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_EQ(r.plateLabel, lines.platePoint.label);
        EXPECT_EQ(r.plateExpression, lines.platePoint.formula);
        EXPECT_EQ(r.UFyp > 1 ? statusFail : statusOk, lines.platePoint.status);
        EXPECT_EQ(r.edgeLabel, lines.stiffPoint.label);
        EXPECT_EQ(r.edgeExpression, lines.stiffPoint.formula);
        EXPECT_EQ(statusFail, lines.stiffPoint.status);
    }
}

// The new-file panel with a plated stiffener of Wp 900 cm3 and Ws 150 cm3, s = 625.
TEST(YieldChecks, StiffenerLineOfTheNewFilePanel) {
    DesignCase dc;
    dc.plateSteel.Fy = 355;
    dc.stiffenerSteel.Fy = 355;
    dc.prep.smean = 625;
    dc.prep.SigxS = -100;
    dc.stiff.Wp = 900000;
    dc.stiff.Ws = 150000;
    ASSERT_TRUE(stiffenerLineCheck(dc).ok());
    // Point 2: sigx = -100 - 0.03*625*9e6/(24*900000) = -107.8125 with the mean Sigy -30.
    test::expectRelative(0.478134654036982, dc.uf.UFyp, 1e-9);
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("Point 2p: UF = F.S.*Sigeq/Fy  = ", lines.platePoint.label);
    EXPECT_EQ("1.43*118.7/355.0 = ", lines.platePoint.formula);
    EXPECT_EQ("0.48", lines.platePoint.value);
    // Free edge point 1: |-100 - 1.6875e8/(12*150000)| = 193.75.
    test::expectRelative(0.7804577178518537, dc.uf.UFys, 1e-9);
    EXPECT_EQ("1.43*193.8/355.0 = ", lines.stiffPoint.formula);
    EXPECT_EQ("0.78", lines.stiffPoint.value);
}

// Zero divisors come from a broken section or material and must not leave inf or NaN behind,
// nor may a stress that is not a number slip past the choice of the governing point: the check
// reports and writes nothing.
TEST(YieldChecks, FaultsLeaveTheCaseUntouched) {
    struct Row {
        const char* what;
        void (*breakIt)(DesignCase&);
        bool corner;
        const char* reasonPart;
    };
    const Row rows[] = {
        {"Fyp corner", [](DesignCase& dc) { dc.plateSteel.Fy = 0; }, true, "Fyp is zero"},
        {"Fyp line", [](DesignCase& dc) { dc.plateSteel.Fy = 0; }, false, "Fyp is zero"},
        {"Fys", [](DesignCase& dc) { dc.stiffenerSteel.Fy = 0; }, false, "Fys is zero"},
        {"Wp", [](DesignCase& dc) { dc.stiff.Wp = 0; }, false, "Wp"},
        {"Ws", [](DesignCase& dc) { dc.stiff.Ws = 0; }, false, "Ws"},
        {"NaN at corner B", [](DesignCase& dc) { dc.SigxB = std::nanf(""); }, true, "not a finite number"},
        {"NaN at point 2", [](DesignCase& dc) { dc.SigyC = std::nanf(""); }, false, "not a finite number"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        dc.SigxA = -100;
        dc.p = 0.1;
        r.breakIt(dc);
        const StepOutcome outcome = r.corner ? cornerCheck(dc) : stiffenerLineCheck(dc);
        EXPECT_FALSE(outcome.ok());
        EXPECT_NE(std::string::npos, outcome.reason().find(r.reasonPart)) << outcome.reason();
        EXPECT_EQ(notComputed, dc.uf.UFy);
        EXPECT_EQ(notComputed, dc.uf.UFyp);
        EXPECT_EQ(notComputed, dc.uf.UFys);
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_EQ(CheckLines{}.corner, lines.corner);
        EXPECT_EQ(CheckLines{}.platePoint, lines.platePoint);
        EXPECT_EQ(CheckLines{}.stiffPoint, lines.stiffPoint);
    }
}
