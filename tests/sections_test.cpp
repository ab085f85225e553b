// Profile types, designations and section properties of stiffener and girder, checked against
// hand calculations: composite rectangles with the parallel-axis theorem, a slice-by-slice
// integration of the trapezoid and Bredt-Batho by hand for the closed cells.

#include "design/number_format.h"
#include "report/check_line_texts.h"
#include "report/proportion_display.h"
#include "sections/girder_section.h"
#include "sections/profile_outline.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"
#include "support/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace korvel {
namespace {

using test::RecordingSurface;

void expectNear(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::fabs(expected) + 1e-9) << what;
}

ProfileTable table(std::initializer_list<std::vector<float>> rows) {
    ProfileTable t;
    int r = 0;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) t.rows[r][c + 1] = row[c];
        ++r;
    }
    t.lastRow = r - 1;
    return t;
}

Catalogue smallCatalogue() {
    Catalogue cat;
    cat.l = table({{200, 90, 9, 14}, {150, 90, 9, 12}});
    cat.t = table({{300, 100, 10, 15}});
    cat.fb = table({{200, 10}, {80, 8.5f}});
    cat.bf = table({{200, 10, 28, 8, 2560}, {100, 8, 4.5f, 10, 900}}); // row 1: B = tw
    return cat;
}

// Textbook section of rectangles: y across (from the web centre line), z up (from the toe).
struct Rect {
    double y0, y1, z0, z1;
};
struct Props {
    double A = 0, yc = 0, zc = 0, Iy = 0, Iz = 0, K = 0;
};
Props composite(std::initializer_list<Rect> rects) {
    Props p;
    for (const Rect& r : rects) {
        const double a = (r.y1 - r.y0) * (r.z1 - r.z0);
        p.A += a;
        p.yc += a * (r.y0 + r.y1) / 2;
        p.zc += a * (r.z0 + r.z1) / 2;
    }
    p.yc /= p.A;
    p.zc /= p.A;
    for (const Rect& r : rects) {
        const double b = r.y1 - r.y0, h = r.z1 - r.z0;
        const double dz = (r.z0 + r.z1) / 2 - p.zc, dy = (r.y0 + r.y1) / 2 - p.yc;
        p.Iy += b * h * h * h / 12 + b * h * dz * dz;
        p.Iz += h * b * b * b / 12 + b * h * dy * dy;
        const double thin = std::min(b, h), longSide = std::max(b, h);
        p.K += longSide * thin * thin * thin / 3;
    }
    return p;
}

DesignCase caseWith(int type, float H, float B, float tw, float tf, float a = 0) {
    DesignCase dc;
    dc.stiffenerType = type;
    dc.H = H;
    dc.B = B;
    dc.tw = tw;
    dc.tf = tf;
    dc.a = a;
    return dc;
}

// Shape and bare properties of a working profile set directly.
DesignCase bare(int type, float H, float B, float tw, float tf, float a = 0) {
    DesignCase dc = caseWith(type, H, B, tw, tf, a);
    EXPECT_TRUE(formProfileShape(dc).ok());
    const StepOutcome out = bareProfileProperties(dc);
    EXPECT_TRUE(out.ok()) << out.reason();
    return dc;
}

// ---- designations and texts -------------------------------------------------------------

struct DesignationRow {
    int type;
    float H, B, tw, tf, a;
    const char* text;
};

TEST(Designation, FollowsTypeWordAndMasks) {
    const DesignationRow rows[] = {
        {stiffLTable, 200, 90, 9, 14, 0, "L 200x90x9.0x14.0"},
        {stiffLBuiltUp, 200, 90, 9, 5, 0, "Built-up: L 200x90x9.0x5.0"},
        {stiffTTable, 300, 100, 10, 15, 0, "T 300x100x10.0x15.0"},
        {stiffTBuiltUp, 300, 100, 10, 15, 0, "Built-up: T 300x100x10.0x15.0"},
        {stiffFlatbarTable, 199.6f, 0, 10, 0, 0, "Fb 200x10.0"}, // "00" rounds to the nearest mm
        {stiffFlatbarBuiltUp, 5, 0, 0.5f, 0, 0, "Fb 05x0.5"},    // and keeps two digits
        {stiffBFTable, 200, 34.4f, 10, 23, 28, "BF 200x10.0"},
        {stiffRHS, 200, 90, 9, 9, 0, "RHS 200x90x9.0"},
        {stiffTrapez, 260, 300, 8, 8, 50, "Trapez 260x300/50x8.0"},
        {stiffTrapez, 260, 300, 8, 8, 0, "Trapez 260x300x8.0"}, // a = 0: no "/a"
        {stiffIBuiltUp, 200, 90, 9, 12.25f, 0, "I 200x90x9.0x12.3"},
        {10, 200, 90, 9, 12, 0, ""},
    };
    for (const auto& r : rows) {
        const DesignCase dc = caseWith(r.type, r.H, r.B, r.tw, r.tf, r.a);
        EXPECT_EQ(stiffenerDesignation(dc), r.text) << "type " << r.type;
    }
}

TEST(Designation, GirderOfEitherType) {
    DesignCase dc;
    ASSERT_TRUE(girderProperties(dc).ok());
    EXPECT_EQ(girderDesignation(dc), "T 800x200x10.0x20.0");
    dc.girderType = girderL;
    dc.lGirder = {450.4, 150, 12, 8.25f};
    ASSERT_TRUE(girderProperties(dc).ok());
    EXPECT_EQ(girderDesignation(dc), "L 450x150x12.0x8.3");
    EXPECT_EQ(girderPictureName(girderL), "pic_small_lg");
    EXPECT_EQ(girderPictureName(girderT), "pic_small_tg");
    dc.girderType = 2;
    EXPECT_EQ(girderDesignation(dc), "");
}

TEST(ListItemText, ShortestPlainValuesPerTable) {
    const Catalogue cat = smallCatalogue();
    EXPECT_EQ(listItemText(cat.l, TableKind::l, 0), "L200x90x9x14");
    EXPECT_EQ(listItemText(cat.t, TableKind::t, 0), "T300x100x10x15");
    EXPECT_EQ(listItemText(cat.fb, TableKind::flatbar, 0), "Fb200x10");
    EXPECT_EQ(listItemText(cat.fb, TableKind::flatbar, 1), "Fb80x8.5");
    EXPECT_EQ(listItemText(cat.bf, TableKind::bulbFlat, 0), "BF200x10");
    for (int row : {-1, 2, 61, 1000}) EXPECT_EQ(listItemText(cat.l, TableKind::l, row), "") << row;
}

TEST(DialogTexts, MasksAndUnits) {
    DesignCase dc;
    dc.stiffenerType = stiffBFTable;
    dc.bfRow = 0;
    ASSERT_TRUE(selectProfile(dc, smallCatalogue()).ok());
    const DimensionLabels bf = tableDimensionLabels(dc);
    EXPECT_EQ(bf.H, "200 mm");
    EXPECT_EQ(bf.tw, "10.0 mm");
    EXPECT_EQ(bf.c, "28.0 mm");
    EXPECT_EQ(bf.r, "8.0 mm");
    EXPECT_EQ(bf.B, "34.4 mm"); // 28 + 10 - 0.45*8
    EXPECT_EQ(bf.tf, "");

    dc.lBuiltUp = {200, 90.5f, 9, 12, 0};
    const EditFieldTexts l = builtUpFieldTexts(dc, stiffLBuiltUp);
    EXPECT_EQ(l.H + "|" + l.B + "|" + l.tw + "|" + l.tf + "|" + l.a, "200|90.5|9.0|12.0|");
    const EditFieldTexts u = builtUpFieldTexts(dc, stiffTrapez);
    EXPECT_EQ(u.H + "|" + u.B + "|" + u.tw + "|" + u.tf + "|" + u.a, "200|90|9.0||50");
    const EditFieldTexts fb = builtUpFieldTexts(dc, stiffFlatbarBuiltUp);
    EXPECT_EQ(fb.H + "|" + fb.B + "|" + fb.tw, "200||9.0");
    EXPECT_EQ(builtUpFieldTexts(dc, stiffLTable).H, "");
    EXPECT_EQ(girderFieldTexts(dc, girderT).tf, "20.0");
    EXPECT_EQ(stiffenerPictureName(stiffBFTable), "pic_small_hp");
    EXPECT_EQ(stiffenerPictureName(stiffTrapez), "pic_small_u");
    EXPECT_EQ(stiffenerPictureName(-1), "");
    EXPECT_EQ(stiffenerDialogCaption(stiffTrapez), "Stiffener: Trapez-profile");
}

// ---- select profile -----------------------------------------------------------------------

TEST(SelectProfile, LoadsEachSource) {
    const Catalogue cat = smallCatalogue();
    DesignCase dc;
    dc.stiffenerType = stiffLTable;
    dc.lRow = 1;
    ASSERT_TRUE(selectProfile(dc, cat).ok());
    EXPECT_EQ(stiffenerDesignation(dc), "L 150x90x9.0x12.0");
    EXPECT_DOUBLE_EQ(dc.A, 150 * 9 - 12 * 9 + 90 * 12); // computed area of a non-bulb type

    dc.stiffenerType = stiffRHS; // one wall thickness for web and top
    dc.rhs = {160, 120, 6, 99, 0};
    ASSERT_TRUE(selectProfile(dc, cat).ok());
    EXPECT_EQ(dc.tw, 6);
    EXPECT_EQ(dc.tf, 6);
    EXPECT_DOUBLE_EQ(dc.shape.hw, 148);
    EXPECT_DOUBLE_EQ(dc.shape.b2, 108);

    dc.stiffenerType = stiffFlatbarTable; // a flat bar keeps B and tf as they were
    dc.flatbarRow = 1;
    ASSERT_TRUE(selectProfile(dc, cat).ok());
    EXPECT_EQ(dc.H, 80);
    EXPECT_EQ(dc.tw, 8.5f);
    EXPECT_EQ(dc.B, 120);
    EXPECT_EQ(dc.tf, 6);
    EXPECT_DOUBLE_EQ(dc.shape.m, 1);
}

TEST(SelectProfile, BulbFlatBecomesAngleOfEqualArea) {
    DesignCase dc;
    dc.stiffenerType = stiffBFTable;
    dc.bfRow = 0; // HP 200x10: c 28, r 8, area 2560
    ASSERT_TRUE(selectProfile(dc, smallCatalogue()).ok());
    EXPECT_EQ(dc.B, static_cast<float>(28 + 10 - 0.45 * 8)); // 34.4
    EXPECT_EQ(dc.tf, static_cast<float>((2560.0 - 2000.0) / (dc.B - 10.0)));
    EXPECT_NEAR(dc.tf, 22.95, 0.01);
    EXPECT_EQ(dc.a, 28);
    EXPECT_EQ(dc.bfCol4, 8);
    EXPECT_EQ(dc.A, 2560);
    EXPECT_NEAR(dc.stiff.Ax, 2560, 1e-3);
    EXPECT_DOUBLE_EQ(dc.shape.u, 1 - 10 / static_cast<double>(dc.B));
}

// A profile that cannot be formed is a fault the case keeps: no shape or section of the profile
// selected before survives, and a row that exists shows its own dimensions.
TEST(SelectProfile, BadCodesAndRowsAreFaultsTheCaseKeeps) {
    const Catalogue cat = smallCatalogue();
    struct Row {
        int type, row;
        bool emptyTable;
        float H, tw; // the working profile afterwards
        const char* reason;
    };
    const Row rows[] = {
        {-1, 0, false, 200, 9, "stiffener type -1 is not one of 0 to 9"},
        {10, 0, false, 200, 9, "stiffener type 10 is not one of 0 to 9"},
        {stiffLTable, 2, false, 200, 9, "L-table row 2 is outside 0 to 1"},
        {stiffTTable, -1, false, 200, 9, "T-table row -1 is outside 0 to 0"},
        {stiffFlatbarTable, 61, false, 200, 9, "Flatbar-table row 61 is outside 0 to 1"},
        {stiffBFTable, 0, true, 200, 9, "the BF-table is empty"},
        {stiffBFTable, 1, false, 100, 8, "BF-table row 1: the equivalent flange width B equals tw (division by zero)"},
        {stiffTBuiltUp, 0, false, 300, 10, "flange width B is zero: the warping factor m is undefined"},
    };
    for (const auto& r : rows) {
        Catalogue c = cat;
        if (r.emptyTable) c.bf.lastRow = -1;
        DesignCase dc;
        dc.stiffenerType = stiffLTable;
        ASSERT_TRUE(selectProfile(dc, c).ok());
        ASSERT_NE(dc.stiff.Ax, 0);
        dc.stiffenerType = r.type;
        dc.lRow = dc.tRow = dc.flatbarRow = dc.bfRow = r.row;
        dc.tBuiltUp = ProfileDims{300, 0, 10, 15, 0};
        const StepOutcome out = selectProfile(dc, c);
        EXPECT_EQ(out.reason(), r.reason);
        EXPECT_EQ(dc.profileProblem, r.reason);
        EXPECT_EQ(dc.H, r.H) << r.reason;
        EXPECT_EQ(dc.tw, r.tw) << r.reason;
        EXPECT_EQ(dc.stiff.Ax, 0) << r.reason;
        EXPECT_EQ(dc.stiff.Iy, 0) << r.reason;
        EXPECT_EQ(dc.stiff.K, 0) << r.reason;
        EXPECT_EQ(dc.shape, ProfileShape{}) << r.reason;
    }
}

// ---- bare profile ----------------------------------------------------------------------------

TEST(BareProfile, AngleAndTeeAgainstParallelAxes) {
    // L/T 200 x 90 x 9 x 14: web 186 x 9 on the toe, flange 90 x 14 on top.
    const DesignCase l = bare(stiffLBuiltUp, 200, 90, 9, 14);
    const Props pl = composite({{-4.5, 4.5, 0, 186}, {-4.5, 85.5, 186, 200}});
    expectNear(l.stiff.Ax, pl.A, "angle Ax");
    expectNear(l.stiff.zc, pl.zc, "angle zc");
    expectNear(l.stiff.yc, pl.yc, "angle yc");
    expectNear(l.stiff.Iy, pl.Iy, "angle Iy");
    expectNear(l.stiff.Iz, pl.Iz, "angle Iz");
    EXPECT_FLOAT_EQ(l.stiff.K, static_cast<float>(pl.K));
    expectNear(l.stiff.g, 7850 * pl.A / 1e6, "angle g");

    const DesignCase t = bare(stiffTBuiltUp, 200, 90, 9, 14);
    const Props pt = composite({{-4.5, 4.5, 0, 186}, {-45, 45, 186, 200}});
    expectNear(t.stiff.Ax, pt.A, "tee Ax");
    expectNear(t.stiff.zc, pt.zc, "tee zc");
    EXPECT_EQ(t.stiff.yc, 0);
    expectNear(t.stiff.Iy, pt.Iy, "tee Iy");
    expectNear(t.stiff.Iz, pt.Iz, "tee Iz");
    // Polar moment about the toe: Iy + Iz + A*zc^2 for the symmetric tee.
    expectNear(t.stiff.Io, pt.Iy + pt.Iz + pt.A * pt.zc * pt.zc, "tee Io");
    EXPECT_FLOAT_EQ(t.stiff.Iyf, static_cast<float>(14.0 * 90 * 90 * 90 / 12));
    EXPECT_DOUBLE_EQ(t.shape.m, 1);
    // Same height, flange and web: the sideways offset of the angle's flange does not change Iy.
    expectNear(l.stiff.Iy, t.stiff.Iy, "angle vs tee Iy");
}

TEST(BareProfile, FlatBarAndIBeam) {
    const DesignCase fb = bare(stiffFlatbarBuiltUp, 200, 0, 10, 0);
    EXPECT_DOUBLE_EQ(fb.stiff.Iy, 10 * 200.0 * 200 * 200 / 12);
    EXPECT_EQ(fb.shape.e, 0);
    EXPECT_EQ(fb.stiff.yc, 0);
    EXPECT_DOUBLE_EQ(fb.stiff.Io, fb.stiff.Iy + fb.stiff.Iz + 2000.0 * 100 * 100);

    const DesignCase ib = bare(stiffIBuiltUp, 300, 120, 8, 15);
    const Props p = composite({{-60, 60, 0, 15}, {-4, 4, 15, 285}, {-60, 60, 285, 300}});
    expectNear(ib.stiff.Ax, p.A, "I Ax");
    EXPECT_DOUBLE_EQ(ib.stiff.zc, 150); // H/2
    EXPECT_EQ(ib.stiff.yc, 0);
    expectNear(ib.stiff.Iy, p.Iy, "I Iy");
    expectNear(ib.stiff.Iz, 15 * 120.0 * 120 * 120 / 12, "I Iz of one flange");
}

TEST(BareProfile, SquareTubeByHand) {
    // 200 x 200 x 10 box: A = 200^2 - 180^2; I = (200^4 - 180^4)/12 about either axis;
    // Bredt-Batho on the centre lines: Am = 190^2 = 36100, sum(ds/t) = 4*190/10 = 76,
    // K = 4*36100^2/76 = 68 590 000.
    const DesignCase dc = bare(stiffRHS, 200, 200, 10, 10);
    EXPECT_DOUBLE_EQ(dc.stiff.Ax, 7600);
    EXPECT_DOUBLE_EQ(dc.stiff.zc, 100);
    EXPECT_EQ(dc.stiff.yc, 0);
    expectNear(dc.stiff.Iy, 45853333.333333333, "Iy");
    expectNear(dc.stiff.Iz, 45853333.333333333, "Iz");
    expectNear(dc.stiff.Io, 2 * 45853333.333333333 + 7600.0 * 100 * 100, "Io");
    EXPECT_EQ(dc.stiff.K, 68590000.0f);
    EXPECT_EQ(dc.stiff.Gamma, 0);
    EXPECT_DOUBLE_EQ(dc.shape.m, 1);
}

// Trapezoid 200 high, top 90 wide, webs spread a = 50 towards the plate, wall 9: integrated
// slice by slice. Each web's outer face runs from x = B/2 + a at the plate to B/2 at H; the web
// is 9/cos(theta) wide horizontally and reaches up to the underside of the top (z = 191).
Props integrateTrapez(double H, double B, double a, double wall) {
    const double cosTheta = H / std::hypot(H, a), w = wall / cosTheta, hw = H - wall;
    const int n = 20000;
    const double dz = hw / n;
    double A = 0, Sz = 0, Izz = 0, Iyy = 0;
    for (int i = 0; i < n; ++i) {
        const double z = (i + 0.5) * dz;
        const double xo = B / 2 + a * (1 - z / H), xi = xo - w;
        A += 2 * w * dz;
        Sz += 2 * w * dz * z;
        Iyy += 2 * w * dz * z * z;
        Izz += 2 * (xo * xo * xo - xi * xi * xi) / 3 * dz;
    }
    Props p;
    const double Af = B * wall, zf = H - wall / 2;
    p.A = A + Af;
    p.zc = (Sz + Af * zf) / p.A;
    // Slices carry no own height term, so add the web's local term w*dz^3/12 per slice ~ 0.
    p.Iy = Iyy + Af * zf * zf + B * wall * wall * wall / 12 - p.A * p.zc * p.zc;
    p.Iz = Izz + wall * B * B * B / 12;
    return p;
}

TEST(BareProfile, TrapezAgainstIntegrationAndBredt) {
    DesignCase dc = caseWith(stiffTrapez, 200, 90, 9, 9, 50);
    dc.t = 20;
    ASSERT_TRUE(formProfileShape(dc).ok());
    ASSERT_TRUE(bareProfileProperties(dc).ok());
    const Props p = integrateTrapez(200, 90, 50, 9);
    EXPECT_NEAR(dc.stiff.Ax, p.A, 1e-6 * p.A);
    EXPECT_NEAR(dc.stiff.zc, p.zc, 1e-6 * p.zc);
    EXPECT_NEAR(dc.stiff.Iy, p.Iy, 1e-6 * p.Iy);
    EXPECT_NEAR(dc.stiff.Iz, p.Iz, 1e-6 * p.Iz);
    EXPECT_EQ(dc.stiff.yc, 0);
    EXPECT_DOUBLE_EQ(dc.stiff.Io, dc.stiff.Iy + dc.stiff.Iz + dc.stiff.Ax * dc.stiff.zc * dc.stiff.zc);
    // Cell on centre lines, the plate (t = 20) closing it on its mid-plane z = -10, the top's at
    // z = 195.5: cos(theta) = 0.970143, w = 9.276988, half widths 41.486506 (top) and 92.861506
    // (plate), Am = 205.5 * 134.348012 = 27608.5165, sum(ds/t) = 2*41.486506/9 + 2*92.861506/20
    // + 2*205.5/0.970143/9 = 65.577497, K = 4*Am^2/65.577497 = 46 493 399.
    EXPECT_NEAR(dc.stiff.K, 46493399.3f, 8);

    // a = 0: vertical webs, area B*t + 2*(H - t)*t, and the cell is a rectangle 81 x 205.5:
    // Am = 16645.5, sum(ds/t) = 81/9 + 81/20 + 2*205.5/9 = 58.716667, K = 4*Am^2/58.716667.
    DesignCase v = caseWith(stiffTrapez, 200, 90, 9, 9, 0);
    v.t = 20;
    ASSERT_TRUE(formProfileShape(v).ok());
    ASSERT_TRUE(bareProfileProperties(v).ok());
    EXPECT_DOUBLE_EQ(v.stiff.Ax, 90 * 9 + 2 * 191 * 9);
    EXPECT_NEAR(v.stiff.K, 18875231.6f, 4);
    // The plate closes the cell, so K follows the plate thickness with every calculation.
    v.t = 10;
    v.se = 500;
    v.stiffenerSteel.Fy = 235;
    ASSERT_TRUE(platedProperties(v).ok());
    EXPECT_LT(v.stiff.K, 18875231.6f);
}

// ---- plated properties and proportion lines ------------------------------------------------

TEST(Plated, WidthsAndComposition) {
    DesignCase dc = bare(stiffFlatbarBuiltUp, 200, 0, 10, 0);
    dc.t = 20;
    dc.stiffenerSteel.Fy = 235;
    dc.s1 = dc.s2 = 1000;
    dc.L1 = 3000;
    dc.se = 500;
    dc.prep.sw = 0;
    ASSERT_TRUE(platedProperties(dc).ok());
    EXPECT_DOUBLE_EQ(dc.stiff.sy, 990); // 0.33 * 3000 < 1000

    // Bar 200 x 10 on a 500 x 20 strip, heights from the plate's mid-thickness.
    const Props p = composite({{0, 500, -10, 10}, {-5, 5, 10, 210}});
    expectNear(dc.stiff.Ae, p.A, "Ae");
    expectNear(dc.stiff.zp, p.zc, "zp");
    expectNear(dc.stiff.Ie, p.Iy, "Ie");
    expectNear(dc.stiff.Wep, p.Iy / p.zc, "Wep");
    expectNear(dc.stiff.Wes, p.Iy / (210 - p.zc), "Wes");
    expectNear(dc.stiff.re, std::sqrt(p.Iy / p.A), "re");
    // sw = 0: the bare bar measured from t/2 below its toe.
    expectNear(dc.stiff.Iew, dc.stiff.Iy, "Iew");
    expectNear(dc.stiff.Wesw, dc.stiff.Iy / (210 - 110), "Wesw");

    dc.s1 = dc.s2 = 625;
    dc.se = 0; // no effective plate: Ae = Ax and zp = zc + t/2
    ASSERT_TRUE(platedProperties(dc).ok());
    EXPECT_DOUBLE_EQ(dc.stiff.sy, 625);
    EXPECT_DOUBLE_EQ(dc.stiff.Ae, dc.stiff.Ax);
    EXPECT_DOUBLE_EQ(dc.stiff.zp, dc.stiff.zc + 10);
}

struct LineRow {
    int type;
    float H, B, tw, tf;
    const char* web;
    const char* flange;
};

TEST(Plated, ProportionLines) {
    const LineRow rows[] = {
        {stiffLBuiltUp, 200, 90, 9, 12, "Web: hw/tw = 20.9 <= 44.4", "Flange: b2/tf = 6.8 <= 11.8"},
        {stiffTBuiltUp, 200, 90, 9, 12, "Web: hw/tw = 20.9 <= 44.4", "Flange: b2/tf = 3.4 <= 11.8"},
        {stiffIBuiltUp, 200, 90, 9, 12, "Web: hw/tw = 19.6 <= 44.4", "Flange: b2/tf = 3.4 <= 11.8"},
        {stiffFlatbarBuiltUp, 200, 0, 10, 0, "Web: hw/tw = 20.0 <= 11.8", " "},
        {stiffRHS, 200, 90, 9, 9, " ", " "},
        {stiffTrapez, 200, 90, 9, 9, " ", " "},
    };
    for (const auto& r : rows) {
        DesignCase dc = bare(r.type, r.H, r.B, r.tw, r.tf);
        dc.stiffenerSteel.Fy = 235; // E 206000
        dc.se = 500;
        ASSERT_TRUE(platedProperties(dc).ok()) << r.type;
        EXPECT_EQ(proportionTexts(dc.stiff).web, r.web) << r.type;
        EXPECT_EQ(proportionTexts(dc.stiff).flange, r.flange) << r.type;
    }
    // Bulb flat: 0.85 * sqrt(E/Fys) = 25.2 with the equivalent angle's tf.
    DesignCase bf;
    bf.stiffenerType = stiffBFTable;
    bf.bfRow = 0;
    ASSERT_TRUE(selectProfile(bf, smallCatalogue()).ok());
    bf.stiffenerSteel.Fy = 235;
    ASSERT_TRUE(platedProperties(bf).ok());
    EXPECT_EQ(proportionTexts(bf.stiff).web, "Web: hw/tw = 17.7 <= 25.2");
    EXPECT_EQ(proportionTexts(bf.stiff).flange, " ");
}

TEST(Plated, ZeroDivisorsAreFaults) {
    DesignCase fb = bare(stiffFlatbarBuiltUp, 0, 0, 10, 0); // no area: zp = 0
    EXPECT_FALSE(platedProperties(fb).ok());
    DesignCase l = bare(stiffLBuiltUp, 200, 90, 9, 12);
    l.stiffenerSteel.Fy = 0;
    EXPECT_EQ(platedProperties(l).reason(), "stiffener yield strength Fys is zero: slenderness limit undefined");
    DesignCase i = caseWith(stiffIBuiltUp, 0, 9, 9, 12); // Ax = 2*tf*(B - tw) = 0
    ASSERT_TRUE(formProfileShape(i).ok());
    EXPECT_EQ(bareProfileProperties(i).reason(), "I profile area Ax is zero (division by zero)");
    DesignCase u = caseWith(stiffTrapez, 0, 90, 9, 9, 50);
    ASSERT_TRUE(formProfileShape(u).ok());
    EXPECT_FALSE(bareProfileProperties(u).ok());
    DesignCase z = caseWith(stiffLBuiltUp, 200, 0, 9, 12);
    EXPECT_FALSE(formProfileShape(z).ok()); // u = 1 - tw/B
}

// ---- proportion display -------------------------------------------------------------------

struct Piece {
    const char* text;
    double x, y;
    bool bold;
    Rgb colour;
};

void expectPieces(const RecordingSurface& s, const std::vector<Piece>& pieces) {
    ASSERT_EQ(s.texts.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(s.texts[i].text, pieces[i].text) << i;
        EXPECT_DOUBLE_EQ(s.texts[i].x, pieces[i].x) << i;
        EXPECT_DOUBLE_EQ(s.texts[i].y, pieces[i].y) << i;
        EXPECT_EQ(s.texts[i].font.bold, pieces[i].bold) << i;
        EXPECT_EQ(s.texts[i].colour, pieces[i].colour) << i;
    }
}

TEST(ProportionDisplay, DialogModeVerdictsAndClauses) {
    const Rgb black{0, 0, 0}, green{0, 128, 0}, red{128, 0, 0};
    StiffenerSection s;
    s.flangeRule = true; // equal passes
    s.flangeRatio = s.flangeLimit = 6.75;
    s.webRule = true;
    s.webRatio = 50;
    s.webLimit = 44.4;
    RecordingSurface surface; // 0.5 units per character
    double y = 0;
    proportionCheckDisplay(surface, s, y, 1, 0);
    ASSERT_EQ(surface.scales.size(), 1u);
    EXPECT_EQ(surface.scales[0].right, 60);
    EXPECT_EQ(surface.scales[0].bottom, 4);
    EXPECT_EQ(surface.clears, 1);
    expectPieces(surface, {{"Flange: b2/tf = 6.8 <= 6.8", 1, 0, false, black},
                           {" OK", 14, 0, true, green},
                           {" (ch 9.7)", 15.5, 0, false, black},
                           {"Web: hw/tw = 50.0 <= 44.4", 1, 1.5, false, black},
                           {" NOK", 13.5, 1.5, true, red},
                           {" (ch 9.9)", 15.5, 1.5, false, black}});
    EXPECT_DOUBLE_EQ(y, 1.5);

    s.webRatio = 44.4; // the web passes: the clause reads with a capital C
    proportionCheckDisplay(surface, s, y = 0, 1, 0);
    EXPECT_EQ(surface.texts[4].text, " OK");
    EXPECT_EQ(surface.texts[5].text, " (Ch 9.9)");
}

TEST(ProportionDisplay, PrintModeAndFlatBar) {
    DesignCase dc = bare(stiffFlatbarBuiltUp, 200, 0, 10, 0);
    dc.E = 250000;
    dc.stiffenerSteel.Fy = 100; // 0.4 * sqrt(2500) = 20 = H/tw exactly: OK
    dc.se = 500;
    ASSERT_TRUE(platedProperties(dc).ok());
    RecordingSurface surface;
    double y = 10;
    proportionCheckDisplay(surface, dc.stiff, y, 3, 1);
    EXPECT_TRUE(surface.scales.empty());
    EXPECT_EQ(surface.clears, 0);
    ASSERT_EQ(surface.texts.size(), 3u);
    EXPECT_EQ(surface.texts[0].text, "Web: hw/tw = 20.0 <= 20.0");
    EXPECT_EQ(surface.texts[0].y, 10);
    EXPECT_EQ(surface.texts[1].text, " OK");
    EXPECT_EQ(surface.texts[2].text, " (Ch 9.9)");
    EXPECT_EQ(y, 10); // only the flange line advances y

    StiffenerSection both;
    both.flangeRule = both.webRule = true;
    proportionCheckDisplay(surface, both, y, 3, 1);
    EXPECT_EQ(surface.texts.back().y, 11);
    EXPECT_EQ(y, 11);
}

TEST(DrawingSurface, PaletteNumbersAndBgrValues) {
    const struct {
        Rgb actual, expected;
    } rows[] = {
        {paletteColour(0), {0, 0, 0}},
        {paletteColour(2), {0, 128, 0}},
        {paletteColour(4), {128, 0, 0}},
        {paletteColour(12), {255, 0, 0}},
        {paletteColour(15), {255, 255, 255}},
        {paletteColour(16), {0, 0, 0}},
        {paletteColour(-1), {0, 0, 0}},
        {colourFromBgr(255), {255, 0, 0}},
        {colourFromBgr(65280), {0, 255, 0}},
        {colourFromBgr(0xFF0000), {0, 0, 255}},
        {colourFromBgr(0x80FFFF), {255, 255, 128}},
    };
    for (const auto& r : rows) EXPECT_EQ(r.actual, r.expected);
}

// ---- girder ---------------------------------------------------------------------------------

TEST(Girder, DefaultTeeAndEffectiveWidth) {
    DesignCase dc; // T 800 x 200 x 10 x 20, L1 3000, L2 2500, Lg 8000, t 20
    ASSERT_TRUE(girderProperties(dc).ok());
    const GirderSection& g = dc.girder;
    EXPECT_DOUBLE_EQ(g.hw, 780);
    EXPECT_DOUBLE_EQ(g.Ag, 11800);
    EXPECT_EQ(formatNumber(g.gg, "##0.0"), "92.6");
    EXPECT_DOUBLE_EQ(g.sge, 2640); // 0.33 * 8000 < 2750

    const Props bareT = composite({{-5, 5, 0, 780}, {-100, 100, 780, 800}});
    EXPECT_FLOAT_EQ(g.Iyg, static_cast<float>(bareT.Iy));
    expectNear(g.zcg, bareT.zc, "zcg");
    // With the 2640 x 20 plate strip, heights from the plate's mid-thickness. Iyg is held in
    // single precision, so the plated values agree to about 1e-7.
    const Props p = composite({{0, 2640, -10, 10}, {-5, 5, 10, 790}, {-100, 100, 790, 810}});
    expectNear(g.Aeg, p.A, "Aeg");
    expectNear(g.zpg, p.zc, "zpg");
    EXPECT_NEAR(g.Ieg, p.Iy, 1e-7 * p.Iy);
    EXPECT_NEAR(g.Wgp, p.Iy / p.zc, 1e-7 * p.Iy / p.zc);
    EXPECT_NEAR(g.Wgs, p.Iy / (810 - p.zc), 1e-6 * p.Iy / (810 - p.zc));

    dc.Lg = 9000;
    ASSERT_TRUE(girderProperties(dc).ok());
    EXPECT_DOUBLE_EQ(dc.girder.sge, 2750);
}

TEST(Girder, AngleEqualsTeeAndBadTypeIsFault) {
    DesignCase t;
    DesignCase l;
    l.girderType = girderL;
    ASSERT_TRUE(girderProperties(t).ok());
    ASSERT_TRUE(girderProperties(l).ok());
    EXPECT_EQ(l.girder.Ieg, t.girder.Ieg);
    EXPECT_EQ(l.girder.Wgs, t.girder.Wgs);
    EXPECT_NE(girderDesignation(l), girderDesignation(t));

    l.girderType = 2;
    l.lGirder.H = 500;
    EXPECT_EQ(girderProperties(l).reason(), "girder type 2 is not 1 (L) or 3 (T)");
    EXPECT_EQ(l.girder.H, 800); // working profile left as it was
}

// ---- outline ------------------------------------------------------------------------------

TEST(Outline, RolledAngleFilletAndTrapezWebs) {
    DesignCase dc;
    dc.stiffenerType = stiffLTable;
    ASSERT_TRUE(selectProfile(dc, smallCatalogue()).ok()); // L 200 x 90 x 9 x 14
    dc.se = 500;
    dc.stiffenerSteel.Fy = 235;
    ASSERT_TRUE(platedProperties(dc).ok());
    const ProfileOutline o = sectionOutline(dc);
    EXPECT_EQ(o.polygonCount, 9);
    EXPECT_EQ(o.rectangleCount, 1);
    ASSERT_EQ(o.points.size(), 11u);
    EXPECT_EQ(dc.bfCol4, 18); // fillet 2*tw kept with the profile
    // Web's left face at 250 - 4.5; fillet from 18 below the flange to 18 along it.
    EXPECT_EQ(o.points[0], (OutlinePoint{245.5f, 20}));
    EXPECT_EQ(o.points[2], (OutlinePoint{254.5f, 20 + 200 - 14 - 18}));
    EXPECT_EQ(o.points[4], (OutlinePoint{254.5f + 18, 206}));
    EXPECT_EQ(o.points[9], (OutlinePoint{0, 0}));
    EXPECT_EQ(o.points[10], (OutlinePoint{500, 20}));
    EXPECT_EQ(o.height, 220);
    EXPECT_EQ(o.neutralAxis, static_cast<float>(dc.stiff.zp + 10));

    DesignCase u = caseWith(stiffTrapez, 200, 90, 9, 9, 0);
    u.se = 400;
    const ProfileOutline v = profileOutline(u);
    ASSERT_EQ(v.points.size(), 10u);
    EXPECT_EQ(v.points[0].x, v.points[1].x); // a = 0: vertical webs
    EXPECT_EQ(v.points[2].x, v.points[3].x);

    DesignCase ib = caseWith(stiffIBuiltUp, 300, 120, 8, 15);
    ib.se = 600;
    const ProfileOutline i = profileOutline(ib);
    EXPECT_EQ(i.polygonCount, 0);
    EXPECT_EQ(i.rectangleCount, 4);
    EXPECT_EQ(i.points[3], (OutlinePoint{360, 35})); // lower flange's far corner
    EXPECT_TRUE(profileOutline(caseWith(11, 1, 1, 1, 1)).points.empty());
}

// The table of profile types holds one row per code and says consistently where each profile
// comes from: a table type has a table and a row, a built-up type a remembered set and its fields.
TEST(ProfileTypeTable, EachTypeEitherReadsATableOrRemembersItsDimensions) {
    std::vector<std::string_view> tokens, windows, menus;
    for (int type = 0; type < stiffenerTypeCount; ++type) {
        const StiffenerTypeFacts* f = stiffenerTypeFacts(type);
        ASSERT_NE(f, nullptr) << type;
        EXPECT_EQ(f->code, type);
        EXPECT_EQ(f->table.has_value(), f->tableRow != nullptr) << type;
        EXPECT_EQ(f->table.has_value(), f->builtUp == nullptr) << type;
        EXPECT_EQ(f->table.has_value(), f->fields == 0) << type;
        if (f->builtUp) {
            EXPECT_TRUE((f->fields & fieldH) && (f->fields & fieldTw)) << type;
        }
        if (f->wallThickness) {
            EXPECT_FALSE(f->fields & fieldTf) << type;
        }
        EXPECT_EQ(f->closingChecked & ~f->fields, 0u) << type;
        EXPECT_EQ(f->dialogCaption.substr(0, 11), "Stiffener: ") << type;
        if (!f->batchToken.empty()) tokens.push_back(f->batchToken);
        windows.emplace_back(f->windowName);
        menus.emplace_back(f->menuName);
    }
    for (auto* names : {&tokens, &windows, &menus}) {
        std::sort(names->begin(), names->end());
        EXPECT_EQ(std::adjacent_find(names->begin(), names->end()), names->end());
    }
    for (int code : {-1, stiffenerTypeCount, 1000}) EXPECT_EQ(stiffenerTypeFacts(code), nullptr) << code;
    for (int code : {0, 2, 4}) EXPECT_EQ(girderTypeFacts(code), nullptr) << code;
    EXPECT_EQ(girderTypeFacts(girderL)->batchToken, "LG");
    EXPECT_EQ(girderTypeFacts(girderT)->batchToken, "TG");
}

// A row of the table is the whole of a type: every formula named, every name its own, and every
// set the row points at one that CaseInputs compares, so that a forgotten piece fails here.
TEST(ProfileTypeTable, EveryRowIsComplete) {
    std::vector<std::string_view> resultsTokens, captions; // batch tokens, windows, menus: the test above
    std::vector<ProfileDims CaseInputs::*> sets;
    std::vector<int CaseInputs::*> rows;
    for (const StiffenerTypeFacts& f : stiffenerTypeRows()) {
        EXPECT_EQ(stiffenerTypeFacts(f.code), &f) << f.code;
        EXPECT_NE(f.bareProperties, nullptr) << f.code;
        EXPECT_NE(f.platedTorsion, nullptr) << f.code;
        EXPECT_NE(f.proportions, nullptr) << f.code;
        EXPECT_NE(f.outline, nullptr) << f.code;
        EXPECT_NE(f.dimensionLayout, nullptr) << f.code;
        EXPECT_GE(f.webLimitFactor, 0) << f.code;
        EXPECT_FALSE(f.flangeRule && f.webLimitFactor == 0) << f.code << ": a flange rule without a web rule";
        EXPECT_FALSE(f.designationPrefix.empty() || f.pictureName.empty() || f.schematicPicture.empty()) << f.code;

        // The built-up equivalent is a type with a set, itself for a built-up type, and a table
        // type without a token of its own is written with the equivalent's.
        const StiffenerTypeFacts* equivalent = stiffenerTypeFacts(f.builtUpEquivalent);
        ASSERT_NE(equivalent, nullptr) << f.code;
        EXPECT_NE(equivalent->builtUp, nullptr) << f.code;
        if (f.builtUp) {
            EXPECT_EQ(f.builtUpEquivalent, f.code);
        }
        if (f.batchToken.empty() && f.table) {
            EXPECT_FALSE(equivalent->batchToken.empty()) << f.code;
        }

        if (!f.resultsToken.empty()) resultsTokens.push_back(f.resultsToken);
        captions.push_back(f.dialogCaption);

        // Each input the row points at is one of CaseInputs', seen by operator==.
        const CaseInputs base;
        if (f.builtUp) {
            sets.push_back(f.builtUp);
            for (float ProfileDims::*field :
                 {&ProfileDims::H, &ProfileDims::B, &ProfileDims::tw, &ProfileDims::tf, &ProfileDims::a}) {
                CaseInputs edited = base;
                ProfileDims* set = builtUpDims(edited, f.code);
                ASSERT_EQ(set, &(edited.*f.builtUp)) << f.code;
                set->*field += 1;
                EXPECT_FALSE(edited == base) << f.code << ": a remembered set operator== leaves out";
            }
        }
        if (f.tableRow) {
            rows.push_back(f.tableRow);
            CaseInputs edited = base;
            edited.*f.tableRow += 1;
            EXPECT_FALSE(edited == base) << f.code << ": a table row operator== leaves out";
        }
    }
    for (const GirderTypeFacts& g : girderTypeRows()) {
        EXPECT_EQ(girderTypeFacts(g.code), &g) << g.code;
        ASSERT_NE(g.dims, nullptr) << g.code;
        CaseInputs edited;
        girderDims(edited, g.code)->H += 1;
        EXPECT_FALSE(edited == CaseInputs{}) << g.code;
    }
    EXPECT_EQ(std::distance(stiffenerTypeRows().begin(), stiffenerTypeRows().end()), stiffenerTypeCount);
    const auto unique = [](auto values) {
        std::sort(values.begin(), values.end());
        return std::adjacent_find(values.begin(), values.end()) == values.end();
    };
    EXPECT_TRUE(unique(resultsTokens));
    EXPECT_TRUE(unique(captions));
    // No two types share a remembered set or a table row member.
    for (std::size_t i = 0; i < sets.size(); ++i)
        for (std::size_t j = i + 1; j < sets.size(); ++j) EXPECT_FALSE(sets[i] == sets[j]) << i << " " << j;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j) EXPECT_FALSE(rows[i] == rows[j]) << i << " " << j;
}

} // namespace
} // namespace korvel
