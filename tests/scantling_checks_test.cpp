#include "checks/yield/c_factor.h"
#include "checks/yield/scantling_checks.h"
#include "report/c_factor_caption.h"
#include "report/check_line_texts.h"
#include "support/expect_relative.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace korvel;

namespace {

// Grades 0 to 3 carry the tabulated factor Q; grade 4 has its factor computed from the
// strengths; grade 5, the last, is the user-defined grade.
Catalogue catalogue() {
    Catalogue c;
    c.materials.rows = {
        {"A", 235, 400, 1.00},    {"AH32", 315, 440, 0.78}, {"AH36", 355, 490, 0.72},
        {"AH40", 390, 510, 0.68}, {"S420", 420, 520, 0},    {"User defined", 0, 0, 0},
    };
    return c;
}

// Tank bulkhead with clip-attached stiffeners, AH36 throughout, s1 = s2 = 625, L1 3000, t 20,
// ps 0.03, stiffener Wp 900 cm3 / Ws 150 cm3, girder Wgp 5000 cm3 / Wgs 3000 cm3, 800 x 10 web,
// sg 2750, Lgs 6000, Lt 3000.
DesignCase panel() {
    DesignCase dc;
    dc.structureType = tankBulkhead;
    dc.structureOption = 0;
    dc.plateMaterial = 2;
    dc.stiffenerMaterial = 2;
    dc.plateSteel.Fy = 355;
    dc.plateSteel.Fu = 490;
    dc.stiffenerSteel.Fy = 355;
    dc.stiffenerSteel.Fu = 490;
    dc.stiff.Wp = 900000;
    dc.stiff.Ws = 150000;
    dc.girder.Wgp = 5000000;
    dc.girder.Wgs = 3000000;
    dc.girder.H = 800;
    dc.girder.tw = 10;
    dc.prep.sg = 2750;
    return dc;
}

} // namespace

TEST(ScantlingChecks, DesignYieldStrengthAndAspectFactor) {
    EXPECT_NEAR(288, designYieldStrength(355, 400), 1e-12); // 0.72*Fup below Fyp governs
    EXPECT_EQ(235, designYieldStrength(235, 490));
    EXPECT_NEAR(0.784591195, aspectFactor(1), 1e-9); // (3.075 - 2.077)/1.272
    EXPECT_NEAR(0.999870909, aspectFactor(2), 1e-9); // the formula still applies at 2
    EXPECT_EQ(1, aspectFactor(2.0001));
}

// tmin = max(tl, treq); the aspect ratio is L1/s1, the spacing the larger of s1 and s2.
TEST(ScantlingChecks, PlateThickness) {
    struct Row {
        const char* what;
        int type, option;
        double s1, s2, L1, t, ps;
        double Fyp;
        float Fup;
        double tmin, UFt;
        const char* label;
        const char* expression;
        const char* value;
        int status;
        const char* clause;
    };
    const char* plate1 = "Plate 1: UF = tmin/t = ";
    const char* plate2 = "Plate 2: UF = tmin/t = ";
    const Row rows[] = {
        // Watertight, alpha = 2: k = 0.99987, q = 1, h = 5: 600*k*sqrt(5)/290 + 1.5 > tl 6.
        {"alpha 2", 0, 0, 600, 600, 1200, 10, 0.05, 235, 400, 6.12575031789, 0.612575031789, plate1,
         "6.13/10.00 = ", "0.61", statusOk, "  < 1.0  (3-2-2/7.3)"},
        {"alpha above 2", 0, 1, 600, 600, 1201, 10, 0.05, 235, 400, 6.12634753965, 0.612634753965, plate1,
         "6.13/10.00 = ", "0.61", statusOk, "  < 1.0  (3-2-2/7.3)"},
        // Tank, fy = 0.72*400 = 288, s = s2 = 700, negative ps counts by its magnitude.
        {"wider plate 2", 1, 0, 600, 700, 3000, 10, -0.1, 355, 400, 10.3723067918, 1.03723067918, plate2,
         "10.37/10.00 = ", "1.04", statusFail, "  < 1.0  (3-2-2/9.3)"},
        // Same with alpha = 1200/600 = 2 from plate 1 (with s2 it would be 1.71).
        {"alpha from s1", 1, 0, 600, 700, 1200, 10, 0.1, 355, 400, 10.3712905445, 1.03712905445, plate2,
         "10.37/10.00 = ", "1.04", statusFail, "  < 1.0  (3-2-2/9.3)"},
        // New-file tank bulkhead: treq 5.98 below tl = 625/150 + 2.5.
        {"new file", 1, 0, 625, 625, 3000, 20, 0.03, 355, 490, 6.66666666667, 0.333333333333, plate1,
         "6.67/20.00 = ", "0.33", statusOk, "  < 1.0  (3-2-2/9.3)"},
        // Upper structure clear of tanks: 0.0039*625*sqrt(1000*q*0.03/7.05) + 1.5, q = 235/352.8.
        {"clear of tanks", 2, 0, 625, 625, 3000, 8, 0.03, 355, 490, 5.60374471224, 0.700468089030, plate1,
         "5.60/8.00 = ", "0.70", statusOk, "  < 1.0  (3-2-4/3.3)"},
        {"in way of tanks", 2, 1, 625, 625, 3000, 8, 0.03, 355, 490, 6.66666666667, 0.833333333333, plate1,
         "6.67/8.00 = ", "0.83", statusOk, "  < 1.0  (3-2-4/3.3)"},
        // No scantling pressure: the lower bound governs; exactly 1.00 passes.
        {"ps 0 watertight", 0, 1, 500, 500, 3000, 6, 0, 355, 490, 6, 1, plate1, "6.00/6.00 = ", "1.00", statusOk,
         "  < 1.0  (3-2-2/7.3)"},
        {"ps 0 tank", 1, 1, 500, 500, 3000, 6, 0, 355, 490, 6.5, 1.08333333333, plate1, "6.50/6.00 = ", "1.08",
         statusFail, "  < 1.0  (3-2-2/9.3)"},
        {"ps 0 clear of tanks", 2, 0, 500, 500, 3000, 6, 0, 355, 490, 5, 0.833333333333, plate1, "5.00/6.00 = ", "0.83",
         statusOk, "  < 1.0  (3-2-4/3.3)"},
        // 6/(6/1.004): prints 1.00 but fails.
        {"1.004", 0, 0, 500, 500, 3000, 6 / 1.004, 0, 355, 490, 6, 1.004, plate1, "6.00/5.98 = ", "1.00", statusFail,
         "  < 1.0  (3-2-2/7.3)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        dc.structureType = r.type;
        dc.structureOption = r.option;
        dc.s1 = r.s1;
        dc.s2 = r.s2;
        dc.L1 = r.L1;
        dc.t = r.t;
        dc.ps = r.ps;
        dc.plateSteel.Fy = r.Fyp;
        dc.plateSteel.Fu = r.Fup;
        ASSERT_TRUE(plateThicknessCheck(dc).ok());
        test::expectRelative(r.UFt, dc.uf.UFt, 1e-9);
        EXPECT_NEAR(r.tmin, dc.uf.UFt * r.t, 1e-9);
        const CheckLine line = composeCheckLines(dc).plateThickness;
        EXPECT_EQ(r.label, line.label);
        EXPECT_EQ(r.expression, line.formula);
        EXPECT_EQ(r.value, line.value);
        EXPECT_EQ(r.status, line.status);
        EXPECT_EQ(r.clause, line.limit);
        EXPECT_EQ("", line.heading);
    }
}

TEST(ScantlingChecks, StiffenerCFactorTable) {
    struct Row {
        int type, option;
        double UL, c;
    };
    const Row rows[] = {
        {0, 0, 44, 0.46}, {0, 0, 45, 0.46}, {0, 0, 53, 0.51}, {0, 0, 60.9, 0.559375}, {0, 0, 61, 0.56},
        {0, 0, 65, 0.56}, {0, 1, 44, 0.58}, {0, 1, 45, 0.58}, {0, 1, 53, 0.59},       {0, 1, 61, 0.60},
        {1, 0, 30, 0.90}, {1, 1, 65, 1.00}, {2, 0, 65, 0.60}, {2, 1, 30, 1.00},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.type << "/" << r.option << " UL " << r.UL);
        EXPECT_NEAR(r.c, stiffenerCFactor(r.type, r.option, r.UL), 1e-15);
    }
    EXPECT_EQ(1.0, girderCFactor(0, 0));
    EXPECT_EQ(1.0, girderCFactor(0, 1));
    EXPECT_EQ(1.5, girderCFactor(1, 0));
    EXPECT_EQ(1.5, girderCFactor(1, 1));
    EXPECT_EQ(1.0, girderCFactor(2, 0));
    EXPECT_EQ(1.5, girderCFactor(2, 1));
    EXPECT_TRUE(std::isnan(stiffenerCFactor(3, 0, 65)));
    EXPECT_TRUE(std::isnan(girderCFactor(1, 2)));
}

// SM = 7.8*c*h*(s1/1000)*(L1/1000)^2*Q with s1 = 625, L1 = 3000, |ps| = 0.03.
TEST(ScantlingChecks, StiffenerModulus) {
    struct Row {
        const char* what;
        int type, option;
        float UL;
        double ps;
        int stiffenerMaterial;
        double Fys;
        float Fus;
        int plateMaterial;
        double Fyp;
        float Fup;
        double Wp;
        double c, Q, UFsm;
        const char* expression;
        const char* value;
        int status;
        const char* clause;
    };
    const Row rows[] = {
        {"watertight UL 45", 0, 0, 45, 0.03, 2, 355, 490, 2, 355, 490, 900000, 0.46, 0.72, 0.290628,
         "43.6/150.0 = ", "0.29", statusOk, "  < 1.0  (3-2-2/7.5)"},
        {"watertight UL 53", 0, 0, 53, 0.03, 2, 355, 490, 2, 355, 490, 900000, 0.51, 0.72, 0.322218,
         "48.3/150.0 = ", "0.32", statusOk, "  < 1.0  (3-2-2/7.5)"},
        {"watertight UL 61", 0, 1, 61, 0.03, 2, 355, 490, 2, 355, 490, 900000, 0.60, 0.72, 0.379080,
         "56.9/150.0 = ", "0.38", statusOk, "  < 1.0  (3-2-2/7.5)"},
        {"new-file tank", 1, 0, 65, 0.03, 2, 355, 490, 2, 355, 490, 900000, 0.90, 0.72, 0.568620,
         "85.3/150.0 = ", "0.57", statusOk, "  < 1.0  (3-2-2/9.5)"},
        {"negative ps", 1, 1, 65, -0.03, 2, 355, 490, 2, 355, 490, 900000, 1.00, 0.72, 0.631800,
         "94.8/150.0 = ", "0.63", statusOk, "  < 1.0  (3-2-2/9.5)"},
        // Upper structure: h = 1000*0.03/7.05 = 4.2553.
        {"clear of tanks", 2, 0, 65, 0.03, 2, 355, 490, 2, 355, 490, 900000, 0.60, 0.72, 0.537702127660,
         "80.7/150.0 = ", "0.54", statusOk, "  < 1.0  (3-2-4/3.5)"},
        // Wp below Ws: 120 cm3 governs.
        {"in way of tanks", 2, 1, 65, 0.03, 2, 355, 490, 2, 355, 490, 120000, 1.00, 0.72, 1.120212765957,
         "134.4/120.0 = ", "1.12", statusFail, "  < 1.0  (3-2-4/3.5)"},
        // The weaker stiffener grade A brings its Q 1.0.
        {"weaker stiffener", 1, 0, 65, 0.03, 0, 235, 400, 2, 355, 490, 900000, 0.90, 1.00, 0.789750,
         "118.5/150.0 = ", "0.79", statusOk, "  < 1.0  (3-2-2/9.5)"},
        {"stronger stiffener", 1, 0, 65, 0.03, 4, 420, 520, 2, 355, 490, 900000, 0.90, 0.72, 0.568620,
         "85.3/150.0 = ", "0.57", statusOk, "  < 1.0  (3-2-2/9.5)"},
        // Grade 4 below the plate: 489.55/(300 + 2*520/3).
        {"computed Q", 1, 0, 65, 0.03, 4, 300, 520, 2, 355, 490, 900000, 0.90, 0.757036082474, 0.597869,
         "89.7/150.0 = ", "0.60", statusOk, "  < 1.0  (3-2-2/9.5)"},
        // Equal yield: the plate's factor, here the user grade's 489.55/(355 + 2*480/3).
        {"equal yield", 1, 0, 65, 0.03, 5, 355, 500, 5, 355, 480, 900000, 0.90, 0.725259259259, 0.572773,
         "85.9/150.0 = ", "0.57", statusOk, "  < 1.0  (3-2-2/9.5)"},
    };
    const Catalogue cat = catalogue();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        dc.structureType = r.type;
        dc.structureOption = r.option;
        dc.UL = r.UL;
        dc.ps = r.ps;
        dc.stiffenerMaterial = r.stiffenerMaterial;
        dc.stiffenerSteel.Fy = r.Fys;
        dc.stiffenerSteel.Fu = r.Fus;
        dc.plateMaterial = r.plateMaterial;
        dc.plateSteel.Fy = r.Fyp;
        dc.plateSteel.Fu = r.Fup;
        dc.stiff.Wp = r.Wp;
        ASSERT_TRUE(stiffenerModulusCheck(dc, cat).ok());
        EXPECT_NEAR(r.c, dc.cStiffener, 1e-15);
        test::expectRelative(r.Q, dc.Q, 1e-9);
        EXPECT_NEAR(r.UFsm, dc.uf.UFsm, 1e-6);
        const CheckLine line = composeCheckLines(dc).stiffenerModulus;
        EXPECT_EQ("UF = SM/Weffmin  = ", line.label);
        EXPECT_EQ(r.expression, line.formula);
        EXPECT_EQ(r.value, line.value);
        EXPECT_EQ(r.status, line.status);
        EXPECT_EQ(r.clause, line.limit);
    }
}

TEST(ScantlingChecks, NoScantlingPressureLeavesTheModulusTextsEmpty) {
    const Catalogue cat = catalogue();
    DesignCase dc = panel();
    dc.ps = 0;
    ASSERT_TRUE(plateThicknessCheck(dc).ok());
    ASSERT_TRUE(stiffenerModulusCheck(dc, cat).ok());
    ASSERT_TRUE(girderCheck(dc, cat).ok());
    EXPECT_EQ(0, dc.uf.UFsm);
    EXPECT_EQ(0, dc.uf.UFgm);
    const CheckLines lines = composeCheckLines(dc);
    EXPECT_EQ(CheckLine{}, lines.stiffenerModulus);
    EXPECT_EQ(CheckLine{}, lines.girderModulus);
    EXPECT_EQ(0.9, dc.cStiffener);
    EXPECT_EQ(1.5, dc.cGirder);
    // tmin = tl = 625/150 + 2.5; the dimension lines stay.
    EXPECT_EQ("6.67/20.00 = ", lines.plateThickness.formula);
    EXPECT_EQ("Min depth of girder = ", lines.girderDepth.label);
    EXPECT_EQ("Min thickness of web = ", lines.girderWeb.label);
    EXPECT_EQ("Max distance between tripping brackets = ", lines.trippingBrackets.label);
}

// Girder with sg 2750, Lgs 6000 (l = 6 m), Weffmin = 3000 cm3 unless Wgp is smaller.
TEST(ScantlingChecks, Girder) {
    struct Row {
        const char* what;
        int type, option;
        double ps;
        int plateMaterial;
        double Fyp;
        float Fup;
        double Wgp, Hg, tw, Lt;
        double c, Q, UFgm, depthRatio, webRatio;
        const char* smExpression;
        const char* smValue;
        const char* smClause;
        const char* depthExpression;
        const char* depthValue;
        const char* webExpression;
        const char* webValue;
        const char* bracketValue;
        const char* dimensionClause;
        const char* bracketClause;
    };
    const Row rows[] = {
        // 4.7*100*0.03*2.75*36*0.72, no c; twmin 0.01*800 + 3 = 11 exactly.
        {"watertight",
         0,
         0,
         0.03,
         2,
         355,
         490,
         5e6,
         800,
         10,
         3000,
         1.0,
         0.72,
         0.335016,
         0.625,
         1.1,
         "1005.0/3000.0 = ",
         "0.34",
         "  < 1.0  (3-2-2/7.9)",
         "500.0 mm",
         "OK",
         "11.0 mm",
         "NOK",
         "OK",
         "  (3-2-2/7.9.2)",
         "  (3-2-2/7.9.3)"},
        // 4.74*1.5*100*0.03*2.75*36*0.72; brackets 1 mm beyond 3000 fail.
        {"tank",
         1,
         1,
         0.03,
         2,
         355,
         490,
         5e6,
         800,
         10,
         3001,
         1.5,
         0.72,
         0.5068008,
         0.9375,
         1.1,
         "1520.4/3000.0 = ",
         "0.51",
         "  < 1.0  (3-2-2/9.9)",
         "750.0 mm",
         "OK",
         "11.0 mm",
         "NOK",
         "NOK",
         "  (3-2-2/9.9.2)",
         "  (3-2-2/9.9.3)"},
        // Hg 850: 0.01*850 + 3 = 11.5 is capped at 11; 0.0583*6000 = 349.8; Wgp 2000 cm3 governs.
        {"clear of tanks",
         2,
         0,
         -0.03,
         2,
         355,
         490,
         2e6,
         850,
         12,
         3000,
         1.0,
         0.72,
         0.5068008,
         349.8 / 850,
         11.0 / 12,
         "1013.6/2000.0 = ",
         "0.51",
         "  < 1.0  (3-2-4/3.7)",
         "349.8 mm",
         "OK",
         "11.0 mm",
         "OK",
         "OK",
         "  (3-2-4/3.7.2)",
         "  (3-2-4/3.7.3)"},
        // Grade 4: Q = 489.55/(420 + 2*520/3); 0.125*6000 = 750 over a 700 girder fails; web exactly 1 passes.
        {"in way of tanks",
         2,
         1,
         0.03,
         4,
         420,
         520,
         5e6,
         700,
         10,
         3000,
         1.5,
         0.638543478261,
         0.449464369,
         750.0 / 700,
         1,
         "1348.4/3000.0 = ",
         "0.45",
         "  < 1.0  (3-2-4/3.7)",
         "750.0 mm",
         "NOK",
         "10.0 mm",
         "OK",
         "OK",
         "  (3-2-4/3.7.2)",
         "  (3-2-4/3.7.3)"},
    };
    const Catalogue cat = catalogue();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        dc.structureType = r.type;
        dc.structureOption = r.option;
        dc.ps = r.ps;
        dc.plateMaterial = r.plateMaterial;
        dc.plateSteel.Fy = r.Fyp;
        dc.plateSteel.Fu = r.Fup;
        dc.stiffenerMaterial = 0; // the girder ignores the stiffener grade
        dc.girder.Wgp = r.Wgp;
        dc.girder.H = r.Hg;
        dc.girder.tw = r.tw;
        dc.Lt = r.Lt;
        ASSERT_TRUE(girderCheck(dc, cat).ok());
        EXPECT_EQ(r.c, dc.cGirder);
        test::expectRelative(r.Q, dc.Q, 1e-9);
        EXPECT_NEAR(r.UFgm, dc.uf.UFgm, 1e-7);
        test::expectRelative(r.depthRatio, dc.girderDepthRatio, 1e-9);
        test::expectRelative(r.webRatio, dc.girderWebRatio, 1e-9);

        const CheckLines l = composeCheckLines(dc);
        EXPECT_EQ("UF = SM/Weffmin  = ", l.girderModulus.label);
        EXPECT_EQ(r.smExpression, l.girderModulus.formula);
        EXPECT_EQ(r.smValue, l.girderModulus.value);
        EXPECT_EQ(r.smClause, l.girderModulus.limit);
        EXPECT_EQ(statusOk, l.girderModulus.status);

        EXPECT_EQ(r.depthExpression, l.girderDepth.formula);
        EXPECT_EQ(r.depthValue, l.girderDepth.value);
        EXPECT_EQ(std::string(r.depthValue) == "OK" ? statusOk : statusFail, l.girderDepth.status);
        EXPECT_EQ(r.dimensionClause, l.girderDepth.limit);

        EXPECT_EQ(r.webExpression, l.girderWeb.formula);
        EXPECT_EQ(r.webValue, l.girderWeb.value);
        EXPECT_EQ(std::string(r.webValue) == "OK" ? statusOk : statusFail, l.girderWeb.status);
        EXPECT_EQ(r.dimensionClause, l.girderWeb.limit);

        EXPECT_EQ("3000 mm", l.trippingBrackets.formula);
        EXPECT_EQ(r.bracketValue, l.trippingBrackets.value);
        EXPECT_EQ(std::string(r.bracketValue) == "OK" ? statusOk : statusFail, l.trippingBrackets.status);
        EXPECT_EQ(r.bracketClause, l.trippingBrackets.limit);
    }
}

// The girder check runs after the stiffener check and leaves the plate's factor in Q.
TEST(ScantlingChecks, GirderFactorReplacesTheStiffenerFactor) {
    const Catalogue cat = catalogue();
    DesignCase dc = panel();
    dc.stiffenerMaterial = 0;
    dc.stiffenerSteel.Fy = 235;
    dc.stiffenerSteel.Fu = 400;
    ASSERT_TRUE(stiffenerModulusCheck(dc, cat).ok());
    EXPECT_EQ(1.0, dc.Q);
    ASSERT_TRUE(girderCheck(dc, cat).ok());
    EXPECT_EQ(0.72, dc.Q);
}

TEST(ScantlingChecks, CFactorCaption) {
    struct Row {
        int type, option;
        double cStiffener, cGirder;
        const char* text;
        const char* unitLength;
    };
    const Row rows[] = {
        {0, 0, 0.56, 1.0, "c = 0.56   ABS (3-2-2/7.5)", "65"},
        {0, 1, 0.59, 1.0, "c = 0.59   ABS (3-2-2/7.5)", "65"},
        {1, 0, 0.9, 1.5, "c = 0.90 / 1.50  stiff/gird   ABS (3-2-2/9.5&&9.9)", nullptr},
        {2, 1, 1.0, 1.5, "c = 1.00 / 1.50  stiff/gird   ABS (3-2-4/3.5&&3.7)", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        DesignCase dc;
        dc.structureType = r.type;
        dc.structureOption = r.option;
        dc.cStiffener = r.cStiffener;
        dc.cGirder = r.cGirder;
        dc.UL = 65;
        const CFactorCaption caption = cFactorCaption(dc);
        EXPECT_EQ(r.type, caption.tab);
        EXPECT_EQ(r.option, caption.option);
        EXPECT_EQ(r.text, caption.text);
        if (r.unitLength) {
            ASSERT_TRUE(caption.unitLength.has_value());
            EXPECT_EQ(r.unitLength, *caption.unitLength);
        } else {
            EXPECT_FALSE(caption.unitLength.has_value());
        }
    }
    DesignCase unknown;
    unknown.structureType = 3;
    EXPECT_EQ(CFactorCaption{}, cFactorCaption(unknown));
}

// Codes and indices from a file that the tables do not know, and zero divisors, stop the check
// before it writes anything.
TEST(ScantlingChecks, FaultsLeaveTheCaseUntouched) {
    enum Check { plateCheck, stiffenerCheck, girderCheckRun };
    struct Row {
        const char* what;
        Check check;
        void (*breakIt)(DesignCase&);
        const char* reasonPart;
    };
    const Row rows[] = {
        {"type 3 plate", plateCheck, [](DesignCase& dc) { dc.structureType = 3; }, "structure type 3"},
        {"type -1 stiffener", stiffenerCheck, [](DesignCase& dc) { dc.structureType = -1; }, "structure type -1"},
        {"option 2 girder", girderCheckRun, [](DesignCase& dc) { dc.structureOption = 2; }, "structure option 2"},
        {"option -1 plate", plateCheck, [](DesignCase& dc) { dc.structureOption = -1; }, "structure option -1"},
        {"stiffener grade 6", stiffenerCheck, [](DesignCase& dc) { dc.stiffenerMaterial = 6; }, "stiffener material"},
        {"plate grade -1", stiffenerCheck, [](DesignCase& dc) { dc.plateMaterial = -1; }, "plate material"},
        {"girder grade 23", girderCheckRun, [](DesignCase& dc) { dc.plateMaterial = 23; }, "plate material"},
        {"user grade without strengths", girderCheckRun,
         [](DesignCase& dc) {
             dc.plateMaterial = 5;
             dc.plateSteel.Fy = 0;
             dc.plateSteel.Fu = 0;
         },
         "Fy + 2*Fu/3"},
        {"t", plateCheck, [](DesignCase& dc) { dc.t = 0; }, "zero"},
        {"s1", plateCheck, [](DesignCase& dc) { dc.s1 = 0; }, "zero"},
        {"fy", plateCheck,
         [](DesignCase& dc) {
             dc.plateSteel.Fy = 0;
             dc.plateSteel.Fu = 0;
         },
         "zero"},
        {"Wp", stiffenerCheck, [](DesignCase& dc) { dc.stiff.Wp = 0; }, "zero"},
        {"Ws", stiffenerCheck, [](DesignCase& dc) { dc.stiff.Ws = 0; }, "zero"},
        {"Wgs", girderCheckRun, [](DesignCase& dc) { dc.girder.Wgs = 0; }, "zero"},
        {"Hg", girderCheckRun, [](DesignCase& dc) { dc.girder.H = 0; }, "zero"},
        {"tw", girderCheckRun, [](DesignCase& dc) { dc.girder.tw = 0; }, "zero"},
        {"negative s1", plateCheck, [](DesignCase& dc) { dc.s1 = -600; }, "square root of a negative number"},
        {"negative fy", plateCheck, [](DesignCase& dc) { dc.plateSteel.Fy = -355; },
         "square root of a negative number"},
    };
    const Catalogue cat = catalogue();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DesignCase dc = panel();
        r.breakIt(dc);
        const DesignCase before = dc;
        const StepOutcome outcome = r.check == plateCheck       ? plateThicknessCheck(dc)
                                    : r.check == stiffenerCheck ? stiffenerModulusCheck(dc, cat)
                                                                : girderCheck(dc, cat);
        EXPECT_FALSE(outcome.ok());
        EXPECT_NE(std::string::npos, outcome.reason().find(r.reasonPart)) << outcome.reason();
        EXPECT_EQ(notComputed, dc.uf.UFt);
        EXPECT_EQ(notComputed, dc.uf.UFsm);
        EXPECT_EQ(notComputed, dc.uf.UFgm);
        EXPECT_EQ(notComputed, dc.girderDepthRatio);
        EXPECT_EQ(notComputed, dc.girderWebRatio);
        EXPECT_EQ(before.Q, dc.Q);
        EXPECT_EQ(before.cStiffener, dc.cStiffener);
        EXPECT_EQ(before.cGirder, dc.cGirder);
        const CheckLines empty;
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_EQ(empty.plateThickness, lines.plateThickness);
        EXPECT_EQ(empty.stiffenerModulus, lines.stiffenerModulus);
        EXPECT_EQ(empty.girderModulus, lines.girderModulus);
        EXPECT_EQ(empty.girderDepth, lines.girderDepth);
        EXPECT_EQ(empty.girderWeb, lines.girderWeb);
        EXPECT_EQ(empty.trippingBrackets, lines.trippingBrackets);
    }
}
