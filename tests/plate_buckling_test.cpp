#include "checks/buckling/plate_buckling.h"
#include "engine/stress_preparation.h"
#include "report/check_line_texts.h"
#include "support/expect_relative.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace korvel;

namespace {

// The new-file panel: 625 mm spacing, 20 mm plate, L1 3000, SigxA = SigxB = -100,
// Sigy -30, Tau 40, p 0.03, n = 0.6, built-up angle stiffener (C1 1.1, C2 1.2).
DesignCase panel(double Fyp) {
    DesignCase dc;
    dc.stiffenerType = stiffLBuiltUp;
    dc.plateSteel.Fy = Fyp;
    return dc;
}

StepOutcome run(DesignCase& dc) {
    prepareStresses(dc);
    return checkPlates(dc);
}

} // namespace

// Hand calculation of the new-file panel (independent script of ABS 3/3.1 to 3/3.5).
TEST(PlateBuckling, NewFilePanelAgreesWithHandCalculation) {
    struct Row {
        double Fyp, UFpb, UFpu, UFpl, sigCx, sigCy, tauC, sigUx, tauU, pu;
    };
    const Row rows[] = {
        {235, 0.909399, 0.742315, 0.056733, 219.200261, 181.787046, 131.856522, 234.350689, 132.472671, 0.881321},
        {355, 0.434302, 0.367852, 0.034753, 318.944552, 233.566545, 196.240219, 336.358914, 197.646286, 1.438715},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Fyp);
        DesignCase dc = panel(r.Fyp);
        ASSERT_TRUE(run(dc).ok());
        EXPECT_NEAR(r.UFpb, dc.uf.UFpb, 1e-6);
        EXPECT_NEAR(r.UFpu, dc.uf.UFpu, 1e-6);
        EXPECT_NEAR(r.UFpl, dc.uf.UFpl, 1e-6);
        const PlateDetail& p1 = dc.plate[0];
        test::expectRelative(r.sigCx, p1.sigCx, 1e-6);
        test::expectRelative(r.sigCy, p1.sigCy, 1e-6);
        test::expectRelative(r.tauC, p1.tauC, 1e-6);
        test::expectRelative(r.sigUx, p1.sigUx, 1e-6);
        test::expectRelative(r.tauU, p1.tauU, 1e-6);
        test::expectRelative(r.pu, p1.pu, 1e-6);
        EXPECT_FLOAT_EQ(625.0f, dc.se) << "both plates pass 3/3.1 and keep their full width";
    }
}

TEST(PlateBuckling, NewFileCheckLinesReadAsPrinted) {
    DesignCase dc = panel(355);
    ASSERT_TRUE(run(dc).ok());
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("PL1: UFpb =", lines.UFpb.label);
    EXPECT_EQ("1/0.60^2*((-100.0/318.9)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ", lines.UFpb.formula);
    EXPECT_EQ("0.43", lines.UFpb.value);
    EXPECT_EQ(" < 1.0 (3/3.1)", lines.UFpb.limit);
    EXPECT_EQ(statusOk, lines.UFpb.status);

    EXPECT_EQ("PL1: UFpu = ", lines.UFpu.label);
    EXPECT_EQ("1/0.60^2*(-100.0/336.4)^2 -0.35*(-100.0*-30.0/(336.4*233.6) + (-30.0/233.6)^2 + (40.0/197.6))^2) = ",
              lines.UFpu.formula);
    EXPECT_EQ(" < 1.0 (3/3.3)", lines.UFpu.limit);

    // Equal spacings and equal stresses: one pressure line for both plates, plate 1's kept.
    EXPECT_EQ("PL1/PL2: UFpl = p/(n*pu) = ", lines.UFpl.label);
    EXPECT_EQ("0.030/(0.60*1.439) = ", lines.UFpl.formula);
    EXPECT_EQ("0.03", lines.UFpl.value);
    EXPECT_EQ(" < 1.0 (3/3.5)", lines.UFpl.limit);
}

TEST(PlateBuckling, BuckledPlateFormsItsEffectiveWidth) {
    // s 800, t 12, Sigx -150, Sigy -40, Fyp 235: UFpb > 1, so se = s·Cx·Ce·√(1 − (τ/τF)²).
    DesignCase dc = panel(235);
    dc.s1 = dc.s2 = 800;
    dc.t = 12;
    dc.SigxA = dc.SigxB = -150;
    dc.SigyA = dc.SigyC = -40;
    ASSERT_TRUE(run(dc).ok());
    EXPECT_NEAR(4.001645, dc.uf.UFpb, 1e-6);
    EXPECT_NEAR(3.798281, dc.uf.UFpu, 1e-6);
    EXPECT_NEAR(0.288485, dc.uf.UFpl, 1e-6);
    EXPECT_NEAR(408.0748, dc.se, 1e-3);
    EXPECT_EQ(statusFail, composeCheckLines(dc).UFpb.status);
    EXPECT_FALSE(dc.sigyError);
}

TEST(PlateBuckling, PlateThatPassesKeepsFullWidthWhileTheOtherBuckles) {
    // Plate 1 in compression buckles; plate 2 sits in tension and keeps its 625 mm.
    DesignCase dc = panel(235);
    dc.t = 10;
    dc.SigxA = -200;
    dc.SigxB = 200;
    dc.SigyA = dc.SigyC = 0;
    dc.Tau = 0;
    ASSERT_TRUE(run(dc).ok());
    EXPECT_GE(dc.plate[0].UFpb, 1);
    EXPECT_LT(dc.plate[1].UFpb, 1);
    EXPECT_DOUBLE_EQ(625, dc.plate[1].se);
    EXPECT_LT(dc.plate[0].se, 625);
    EXPECT_FLOAT_EQ(static_cast<float>((dc.plate[0].se + 625) / 2), dc.se);
    EXPECT_EQ("PL1: UFpb =", composeCheckLines(dc).UFpb.label) << "plate 1 governs";
}

TEST(PlateBuckling, StressRatiosAndEdgeRestraint) {
    struct Row {
        const char* what;
        int type;
        double SigxA, SigxB; // s1 = s2, so SigxS is their mean
        double ks;           // plate 1's longitudinal buckling coefficient by hand
    };
    const Row rows[] = {
        {"uniform compression, flanged profile", stiffLBuiltUp, -100, -100, 8.4 * 1.1 / 2.1},
        {"uniform compression, flat bar", stiffFlatbarBuiltUp, -100, -100, 8.4 * 1.0 / 2.1},
        {"bulb flat restrains the edge as a flat bar", stiffBFTable, -100, -100, 8.4 * 1.0 / 2.1},
        {"kx exactly 0 takes the bending formula", stiffLBuiltUp, -100, 100, 7.6 * 1.1},
        {"kx = -1, pure in-plane bending", stiffTBuiltUp, -100, 300, 1.1 * (7.6 + 6.4 + 10)},
        {"tension on both edges counts as kx = 1", stiffIBuiltUp, 50, 50, 8.4 * 1.1 / 2.1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel(355);
        dc.stiffenerType = r.type;
        dc.SigxA = r.SigxA;
        dc.SigxB = static_cast<float>(r.SigxB);
        ASSERT_TRUE(run(dc).ok());
        const double sigEx =
            std::pow(static_cast<double>(3.141593f), 2) * r.ks * 206000 / (12 * 0.91) * std::pow(20.0 / 625, 2);
        const double sigCx = sigEx < 0.6 * 355 ? sigEx : 355 * (1 - 0.6 * 0.4 * 355 / sigEx);
        test::expectRelative(sigCx, dc.plate[0].sigCx, 1e-6);
    }
}

TEST(PlateBuckling, TensionLeavesOnlyShearAndTransverseTerms) {
    DesignCase dc = panel(355);
    dc.SigxA = dc.SigxB = 80;
    ASSERT_TRUE(run(dc).ok());
    const PlateDetail& p = dc.plate[0];
    EXPECT_EQ(0, p.sigx);
    const double n2 = 0.6f * 0.6f;
    test::expectRelative((std::pow(p.sigy / p.sigCy, 2) + std::pow(40 / p.tauC, 2)) / n2, dc.uf.UFpb, 1e-6);
    EXPECT_EQ("1/0.60^2*((0.0/", composeCheckLines(dc).UFpb.formula.substr(0, 15));
}

TEST(PlateBuckling, TransverseCoefficientBranches) {
    // kl by hand for a 625 mm plate, C2 = 1.2: α exactly 2 and κy < 1/3 take the 18/α², 24/α²
    // formula; κy exactly 1/3 takes (1.675 − 0.675·κy); α above 2 uses 9/α and 12/α.
    struct Row {
        const char* what;
        double L1, SigyA, SigyC, kl;
    };
    const double a2 = 2.0, a48 = 4.8;
    const Row rows[] = {
        {"alpha 2, kappa 0", 1250, -30, 0,
         1.2 * ((1.0875 * std::pow(1 + 1 / (a2 * a2), 2) - 18 / (a2 * a2)) + 24 / (a2 * a2))},
        {"kappa 1/3", 3000, -30, -10, 1.2 * std::pow(1 + 1 / (a48 * a48), 2) * (1.675 - 0.675 / 3)},
        {"long plate, kappa 0", 3000, -30, 0,
         1.2 * ((1.0875 * std::pow(1 + 1 / (a48 * a48), 2) - 9 / a48) + static_cast<float>(12 / a48))},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel(355);
        dc.L1 = r.L1;
        dc.SigyA = r.SigyA;
        dc.SigyC = static_cast<float>(r.SigyC);
        ASSERT_TRUE(run(dc).ok());
        const double sigEy =
            std::pow(static_cast<double>(3.141593f), 2) * r.kl * 206000 / (12 * 0.91) * std::pow(20.0 / 625, 2);
        const double sigCy = sigEy < 0.6 * 355 ? sigEy : 355 * (1 - 0.6 * 0.4 * 355 / sigEy);
        test::expectRelative(sigCy, dc.plate[0].sigCy, 1e-6);
    }
}

TEST(PlateBuckling, ZeroUtilisationLeavesItsLineEmpty) {
    DesignCase dc = panel(355);
    dc.SigxA = dc.SigxB = 0;
    dc.SigyA = dc.SigyC = 0;
    dc.Tau = 0;
    dc.p = 0;
    ASSERT_TRUE(run(dc).ok());
    EXPECT_EQ(0, dc.uf.UFpb);
    EXPECT_EQ(0, dc.uf.UFpl);
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_TRUE(lines.UFpb.label.empty());
    EXPECT_TRUE(lines.UFpu.formula.empty());
    EXPECT_TRUE(lines.UFpl.label.empty());
}

TEST(PlateBuckling, DifferentPlatesGetTheirOwnPressureLabels) {
    DesignCase dc = panel(355);
    dc.s2 = 700;
    ASSERT_TRUE(run(dc).ok());
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("PL2: UFpl = p/(n*pu) = ", lines.UFpl.label) << "the wider plate 2 has the smaller capacity";
    EXPECT_EQ("PL2: UFpb =", lines.UFpb.label);
    EXPECT_LT(dc.plate[0].UFpl, dc.plate[1].UFpl);
}

TEST(PlateBuckling, EquivalentStressAboveYieldStops) {
    DesignCase dc = panel(235);
    dc.SigxA = dc.SigxB = -260;
    const StepOutcome outcome = run(dc);
    ASSERT_FALSE(outcome.ok());
    EXPECT_NE(std::string::npos, outcome.reason().find("exceeds Fyp")) << outcome.reason();
    EXPECT_EQ(notComputed, dc.uf.UFpb) << "nothing half-computed is kept";
}

TEST(PlateBuckling, ShearAboveShearYieldStops) {
    // |Tau| above τF = 235/√3 = 135.68 always brings σe ≥ √3·|Tau| above Fyp: the calculation
    // stops at 3/3.5, before the effective width would take the root of 1 − (τ/τF)².
    DesignCase dc = panel(235);
    dc.SigxA = dc.SigxB = -10;
    dc.SigyA = dc.SigyC = 0;
    dc.Tau = 135.8f;
    dc.t = 8;
    const StepOutcome outcome = run(dc);
    ASSERT_FALSE(outcome.ok());
    EXPECT_NE(std::string::npos, outcome.reason().find("exceeds Fyp")) << outcome.reason();
    EXPECT_EQ(notComputed, dc.uf.UFpb);
}

TEST(PlateBuckling, NegativeRadicandRaisesTheSigyFlagForEitherPlate) {
    // A strongly compressed, slender plate: R = 1 − (σy/σUy)²·(1 − φ²/4) < 0.
    for (int plate = 0; plate < 2; ++plate) {
        SCOPED_TRACE(plate);
        DesignCase dc = panel(235);
        dc.t = 8;
        dc.SigxA = dc.SigxB = -20;
        dc.SigyA = dc.SigyC = -60;
        dc.Tau = 0;
        dc.L1 = 2500;
        dc.L2 = 2500;
        if (plate == 1) dc.s1 = 500; // plate 2 alone wide enough to fail
        ASSERT_TRUE(run(dc).ok());
        EXPECT_TRUE(dc.sigyError);
    }
}
