#include "checks/buckling/panel_buckling.h"
#include "checks/buckling/stiffener_buckling.h"
#include "engine/stress_preparation.h"
#include "report/check_line_texts.h"
#include "support/expect_relative.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace korvel;

namespace {

// A stiffener with chosen section properties on the new-file panel, so that the checks can be
// followed by hand: Ax 2500, re 60, Ae 15000, Wesw 3E+5, Iey 4E+7, Io 2E+7, Gamma 1E+10,
// K 8E+4, se 500; girder Ag 11800; Ie 6E+7 with zp 150.
DesignCase stiffenedPanel() {
    DesignCase dc;
    dc.plateSteel.Fy = dc.stiffenerSteel.Fy = 355;
    dc.se = 500;
    StiffenerSection& x = dc.stiff;
    x.Ax = 2500;
    x.re = 60;
    x.Ae = 15000;
    x.Wesw = 300000;
    x.Iey = 4e7;
    x.Io = 2e7;
    x.Gamma = 1e10;
    x.K = 8e4;
    x.Ie = 6e7;
    x.zp = 150;
    dc.girder.Ag = 11800;
    prepareStresses(dc);
    return dc;
}

} // namespace

// Values from an independent script of ABS 3/5.1 and 3/5.3 with the same precision rules.
TEST(StiffenerBuckling, BeamColumnAndTorsionalBuckling) {
    struct Row {
        const char* what;
        double Fyp, SigxB;
        double Siga, SigF, SigCA, UFbu, SigCT, UFbt;
    };
    const Row rows[] = {
        {"uniform compression", 355, -100, 100, 355, 317.80873926282953, 0.7320217166333246, 325.1126708984375,
         0.5126427696076906},
        {"Fyp below Fys: torsion takes Fyp", 315, -60, 80, 323, 292.2114497802161, 0.6537103730698842,
         291.4683837890625, 0.4574538284455478},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = stiffenedPanel();
        dc.plateSteel.Fy = r.Fyp;
        dc.SigxB = static_cast<float>(r.SigxB);
        prepareStresses(dc);
        ASSERT_TRUE(checkStiffener(dc).ok());
        test::expectRelative(r.Siga, dc.buckling.Siga, 1e-7);
        test::expectRelative(813.2555713490751, dc.buckling.SigEA, 1e-7);
        test::expectRelative(r.SigCA, dc.buckling.SigCA, 1e-7);
        test::expectRelative(r.UFbu, dc.uf.UFbu, 1e-7);
        EXPECT_FLOAT_EQ(1012.0004272460938f, dc.buckling.SigET);
        EXPECT_FLOAT_EQ(static_cast<float>(r.SigCT), dc.buckling.SigCT);
        test::expectRelative(r.UFbt, dc.uf.UFbt, 1e-7);
        EXPECT_EQ(std::min(r.Fyp, 355.0), dc.buckling.SigF) << "σF = min(Fys, Fyp) stays for the rest";
    }
}

TEST(StiffenerBuckling, CheckLinesShowTheCombinedYieldStress) {
    DesignCase dc = stiffenedPanel();
    dc.plateSteel.Fy = 315;
    dc.SigxB = -60;
    prepareStresses(dc);
    ASSERT_TRUE(checkStiffener(dc).ok());
    // σF of the stiffener with its plating: (2500·355 + 500·20·315)/(2500 + 500·20) = 323.
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("UFbu= ", lines.UFbu.label);
    EXPECT_EQ("1/0.6*(80.0/(292.2*(15000/15000)) + 0.75*46.9/(323.0*[1-80.0/(0.60*813.3)])) =", lines.UFbu.formula);
    EXPECT_EQ("0.65", lines.UFbu.value);
    EXPECT_EQ("  < 1.0 (3/5.1)", lines.UFbu.limit);
    EXPECT_EQ("UFbt= Siga/(n*SigCT) = ", lines.UFbt.label);
    EXPECT_EQ("80.0/(0.6*291.5)  =", lines.UFbt.formula);
    EXPECT_EQ("  < 1.0 (3/5.3)", lines.UFbt.limit);
    EXPECT_EQ("Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ", lines.deformation.label);
    EXPECT_EQ("0.03*(625+625)/2*3000^4/(384*E*40.0E+6) = ", lines.deformation.formula);
    EXPECT_EQ("0.5 mm ", lines.deformation.value);
    EXPECT_EQ(" ==> l/6250", lines.deformation.limit);
    EXPECT_EQ(statusNone, lines.deformation.status);
}

TEST(StiffenerBuckling, NoCompressionMeansNoBucklingControl) {
    for (const double sigx : {0.0, 50.0}) {
        SCOPED_TRACE(sigx);
        DesignCase dc = stiffenedPanel();
        dc.SigxA = sigx;
        dc.SigxB = static_cast<float>(sigx);
        prepareStresses(dc);
        ASSERT_TRUE(checkStiffener(dc).ok());
        EXPECT_EQ(notInCompression, dc.uf.UFbu);
        EXPECT_EQ(notInCompression, dc.uf.UFbt);
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_EQ("UFbu= ", lines.UFbu.label);
        EXPECT_EQ("Siga postive or 0 ==> No buckling control", lines.UFbu.formula);
        EXPECT_TRUE(lines.UFbu.value.empty());
        EXPECT_TRUE(lines.UFbt.label.empty());
        EXPECT_EQ("Siga postive or 0 ==> No buckling control", lines.UFbt.formula);
    }
}

TEST(StiffenerBuckling, NoPressureNoBendingNoDeflection) {
    DesignCase dc = stiffenedPanel();
    dc.p = 0;
    ASSERT_TRUE(checkStiffener(dc).ok());
    // UFbu reduces to σa/(n·σCA·Ae/A).
    test::expectRelative(100 / (0.6f * 317.80873926282953 * 15000 / 15000), dc.uf.UFbu, 1e-7);
    EXPECT_EQ(0, dc.buckling.y);
    EXPECT_TRUE(composeCheckLines(dc).deformation.label.empty());
}

TEST(GirderBuckling, OrthotropicPanel) {
    struct Row {
        const char* what;
        double L1;
        double sigCx, sigCy, UFgbu;
    };
    const Row rows[] = {
        {"L1 below Lg", 3000, 325.8675578680128, 262.5134582519531, 0.2978639006614685},
        {"L1 = Lg: both coefficients 4", 8000, 46.54621982115716, 50.21253204345703, 13.812750816345215},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = stiffenedPanel();
        dc.L1 = r.L1;
        ASSERT_TRUE(checkGirderBuckling(dc).ok());
        test::expectRelative(r.sigCx, dc.buckling.girderSigCx, 1e-7);
        EXPECT_FLOAT_EQ(static_cast<float>(r.sigCy), dc.buckling.girderSigCy);
        EXPECT_FLOAT_EQ(static_cast<float>(r.UFgbu), dc.uf.UFgbu);
    }
}

TEST(GirderBuckling, TensionCountsAsCompressionAndZeroStressStillHasALine) {
    DesignCase compressed = stiffenedPanel();
    DesignCase tension = stiffenedPanel();
    tension.SigxA = 100;
    tension.SigxB = 100;
    tension.SigyA = 30;
    tension.SigyC = 30;
    prepareStresses(tension);
    ASSERT_TRUE(checkGirderBuckling(compressed).ok());
    ASSERT_TRUE(checkGirderBuckling(tension).ok());
    EXPECT_EQ(compressed.uf.UFgbu, tension.uf.UFgbu);
    EXPECT_EQ("(-100.0/(0.60*325.9))^2 + (-30.0/(0.60*262.5))^2 = ", composeCheckLines(compressed).UFgbu.formula);

    DesignCase zero = stiffenedPanel();
    zero.SigxA = zero.SigxB = 0;
    zero.SigyA = zero.SigyC = 0;
    prepareStresses(zero);
    ASSERT_TRUE(checkGirderBuckling(zero).ok());
    EXPECT_EQ(0, zero.uf.UFgbu);
    CheckLines zeroLines = composeCheckLines(zero);
    EXPECT_EQ("UFgbu= ", zeroLines.UFgbu.label);
    EXPECT_EQ("0.00", zeroLines.UFgbu.value);
    EXPECT_EQ("  < 1.0 (3/5.7)", zeroLines.UFgbu.limit);
}

TEST(OverallBuckling, RequiredMomentOfInertia) {
    DesignCase dc = stiffenedPanel();
    ASSERT_TRUE(checkOverallBuckling(dc).ok());
    test::expectRelative(49879234.78905535, dc.buckling.io, 1e-7);
    test::expectRelative(0.8313205798175891, dc.uf.UFs, 1e-7);
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ("UFs = Ieff/io = ", lines.UFs.label);
    EXPECT_EQ("6.000E+7/4.988E+7 = ", lines.UFs.formula) << "Ie first, as in the label";
    EXPECT_EQ("0.83", lines.UFs.value);

    // A stiffener of no area: io = (2.6·α² + 12.4·α − 13.2·√α)·s·t³/(12·0.91), α = 4.8.
    dc.stiff.Ax = 0;
    ASSERT_TRUE(checkOverallBuckling(dc).ok());
    const float gamma = static_cast<float>(2.6 * 4.8 * 4.8 + 12.4 * 4.8 - 13.2 * std::sqrt(4.8));
    test::expectRelative(gamma * 625 * 8000 / (12 * 0.91), dc.buckling.io, 1e-7);
}
