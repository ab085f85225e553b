#include "report/verification_cases.h"
#include "report/verification_table.h"

#include <string>
#include <vector>

// The worked example of docs/verification.md: one panel calculated by hand, every quantity to
// four significant digits, compared with the quantity of the same name in KORVEL's detail
// listing. The hand values come from docs/verification_example.py, which follows the rule
// formulas and builds the sections from rectangles, apart from the program's code.

namespace korvel {

const char* const verificationPanelInput =
    "% Verification panel: the worked example of docs/verification.md\n"
    "Verification\tPanel-1\t0\t1.43\t0.6\t355\t490\t355\t490\t206000\t1\t65\t0\tLW\t250x90x10x15\tTG\t800x200x12x20\t"
    "3000\t3000\t9000\t6000\t3000\t14\t700\t700\t-120\t-100\t-20\t-20\t30\t0.03\t0.03\n"
    "End\n";

namespace {

struct ExampleValue {
    const char* check;
    const char* name; // as --detail names it
    const char* what;
    double hand; // to four significant digits
};

// clang-format off
constexpr ExampleValue exampleValues[] = {
    {"3/3.1-3/3.5 plate", "SigxS", "x stress at the stiffener line", -110},
    {"3/3.1-3/3.5 plate", "ktau[1]", "shear buckling coefficient C1(5.34 + 4(s/L1)^2) (plate 1)", 6.114},
    {"3/3.1-3/3.5 plate", "TauE[1]", "elastic shear buckling stress (plate 1)", 455.3},
    {"3/3.1-3/3.5 plate", "TauC[1]", "critical shear stress (plate 1)", 182.8},
    {"3/3.1-3/3.5 plate", "ks[1]", "longitudinal coefficient, kappa_x = 0.9167 (plate 1)", 4.582},
    {"3/3.1-3/3.5 plate", "SigEx[1]", "elastic buckling stress along L1 (plate 1)", 341.2},
    {"3/3.1-3/3.5 plate", "SigCx[1]", "critical stress along L1 (plate 1)", 266.4},
    {"3/3.1-3/3.5 plate", "kl[1]", "transverse coefficient, kappa_y = 1.0000, alpha = 4.2857 (plate 1)", 1.334},
    {"3/3.1-3/3.5 plate", "SigEy[1]", "elastic transverse buckling stress (plate 1)", 99.36},
    {"3/3.1-3/3.5 plate", "SigCy[1]", "critical transverse stress (plate 1)", 99.36},
    {"3/3.1-3/3.5 plate", "Sigx[1]", "design stress sigma_x (plate 1)", -120},
    {"3/3.1-3/3.5 plate", "Sigy[1]", "design stress sigma_y (plate 1)", -20},
    {"3/3.1-3/3.5 plate", "UFpb[1]", "3/3.1 buckling state limit (plate 1)", 0.7511},
    {"3/3.1-3/3.5 plate", "TauU[1]", "ultimate shear strength (plate 1)", 186.8},
    {"3/3.1-3/3.5 plate", "beta[1]", "slenderness (s/t)sqrt(Fy/E) (plate 1)", 2.076},
    {"3/3.1-3/3.5 plate", "Cx[1]", "2/beta - 1/beta^2 (plate 1)", 0.7314},
    {"3/3.1-3/3.5 plate", "SigUx[1]", "ultimate strength along L1 (plate 1)", 266.4},
    {"3/3.1-3/3.5 plate", "Cy[1]", "transverse strength coefficient (plate 1)", 0.2871},
    {"3/3.1-3/3.5 plate", "SigUy[1]", "ultimate transverse strength (plate 1)", 101.9},
    {"3/3.1-3/3.5 plate", "phi[1]", "1 - beta/2 (plate 1)", -0.03782},
    {"3/3.1-3/3.5 plate", "UFpu[1]", "3/3.3 ultimate strength (plate 1)", 0.7518},
    {"3/3.1-3/3.5 plate", "Sige[1]", "equivalent stress (plate 1)", 122.9},
    {"3/3.1-3/3.5 plate", "pu[1]", "ultimate lateral pressure (plate 1)", 0.5619},
    {"3/3.1-3/3.5 plate", "UFpl[1]", "3/3.5 lateral pressure (plate 1)", 0.08898},
    {"3/3.1-3/3.5 plate", "se[1]", "effective width of the plate field (plate 1)", 700},
    {"3/3.1-3/3.5 plate", "ktau[2]", "shear buckling coefficient C1(5.34 + 4(s/L1)^2) (plate 2)", 6.114},
    {"3/3.1-3/3.5 plate", "TauE[2]", "elastic shear buckling stress (plate 2)", 455.3},
    {"3/3.1-3/3.5 plate", "TauC[2]", "critical shear stress (plate 2)", 182.8},
    {"3/3.1-3/3.5 plate", "ks[2]", "longitudinal coefficient, kappa_x = 0.9091 (plate 2)", 4.599},
    {"3/3.1-3/3.5 plate", "SigEx[2]", "elastic buckling stress along L1 (plate 2)", 342.5},
    {"3/3.1-3/3.5 plate", "SigCx[2]", "critical stress along L1 (plate 2)", 266.7},
    {"3/3.1-3/3.5 plate", "kl[2]", "transverse coefficient, kappa_y = 1.0000, alpha = 4.2857 (plate 2)", 1.334},
    {"3/3.1-3/3.5 plate", "SigEy[2]", "elastic transverse buckling stress (plate 2)", 99.36},
    {"3/3.1-3/3.5 plate", "SigCy[2]", "critical transverse stress (plate 2)", 99.36},
    {"3/3.1-3/3.5 plate", "Sigx[2]", "design stress sigma_x (plate 2)", -110},
    {"3/3.1-3/3.5 plate", "Sigy[2]", "design stress sigma_y (plate 2)", -20},
    {"3/3.1-3/3.5 plate", "UFpb[2]", "3/3.1 buckling state limit (plate 2)", 0.6599},
    {"3/3.1-3/3.5 plate", "TauU[2]", "ultimate shear strength (plate 2)", 186.8},
    {"3/3.1-3/3.5 plate", "beta[2]", "slenderness (s/t)sqrt(Fy/E) (plate 2)", 2.076},
    {"3/3.1-3/3.5 plate", "Cx[2]", "2/beta - 1/beta^2 (plate 2)", 0.7314},
    {"3/3.1-3/3.5 plate", "SigUx[2]", "ultimate strength along L1 (plate 2)", 266.7},
    {"3/3.1-3/3.5 plate", "Cy[2]", "transverse strength coefficient (plate 2)", 0.2871},
    {"3/3.1-3/3.5 plate", "SigUy[2]", "ultimate transverse strength (plate 2)", 101.9},
    {"3/3.1-3/3.5 plate", "phi[2]", "1 - beta/2 (plate 2)", -0.03782},
    {"3/3.1-3/3.5 plate", "UFpu[2]", "3/3.3 ultimate strength (plate 2)", 0.6597},
    {"3/3.1-3/3.5 plate", "Sige[2]", "equivalent stress (plate 2)", 114},
    {"3/3.1-3/3.5 plate", "pu[2]", "ultimate lateral pressure (plate 2)", 0.5672},
    {"3/3.1-3/3.5 plate", "UFpl[2]", "3/3.5 lateral pressure (plate 2)", 0.08815},
    {"3/3.1-3/3.5 plate", "se[2]", "effective width of the plate field (plate 2)", 700},
    {"3/3.1-3/3.5 plate", "se", "mean effective width", 700},
    {"stiffener section", "sw", "bending width", 588},
    {"stiffener section", "hw", "web height H - tf", 235},
    {"stiffener section", "e", "web to flange centre", 40},
    {"stiffener section", "u", "1 - tw/B", 0.8889},
    {"stiffener section", "m", "warping factor", 0.6099},
    {"stiffener section", "Ax", "profile area", 3700},
    {"stiffener section", "g", "weight", 29.05},
    {"stiffener section", "zc", "centroid above the plate", 163.1},
    {"stiffener section", "yc", "centroid from the web centre line", 14.59},
    {"stiffener section", "Iy", "moment of inertia, horizontal axis", 2.424e+07},
    {"stiffener section", "Iz", "moment of inertia, vertical axis", 2.303e+06},
    {"stiffener section", "Iyf", "flange term of the warping constant", 2.283e+06},
    {"stiffener section", "Gamma", "warping constant", 7.726e+10},
    {"stiffener section", "Io", "polar moment about the toe", 1.249e+08},
    {"stiffener section", "K", "St. Venant torsion constant", 1.796e+05},
    {"stiffener section", "sy", "yield width", 700},
    {"stiffener section", "Aey", "area with sy", 1.35e+04},
    {"stiffener section", "zpy", "neutral axis with sy", 46.62},
    {"stiffener section", "Iey", "inertia with sy", 1.021e+08},
    {"stiffener section", "Wp", "modulus at the plate, sy", 2.19e+06},
    {"stiffener section", "Ws", "modulus at the free edge, sy", 4.854e+05},
    {"stiffener section", "Ae", "area with se", 1.35e+04},
    {"stiffener section", "zp", "neutral axis with se", 46.62},
    {"stiffener section", "Ie", "inertia with se", 1.021e+08},
    {"stiffener section", "Wep", "modulus at the plate, se", 2.19e+06},
    {"stiffener section", "Wes", "modulus at the free edge, se", 4.854e+05},
    {"stiffener section", "re", "radius of gyration with se", 86.97},
    {"stiffener section", "Iew", "inertia with sw", 9.824e+07},
    {"stiffener section", "Wesw", "modulus at the free edge, sw", 4.81e+05},
    {"girder section", "Ag", "girder area", 1.336e+04},
    {"girder section", "gg", "girder weight", 104.9},
    {"girder section", "zcg", "girder centroid", 509.8},
    {"girder section", "Iyg", "girder inertia", 9.231e+08},
    {"girder section", "sge", "girder plate width", 2970},
    {"girder section", "Aeg", "girder area with plate", 5.494e+04},
    {"girder section", "zpg", "girder neutral axis", 125.7},
    {"girder section", "Ieg", "girder inertia with plate", 3.624e+09},
    {"girder section", "Wgp", "girder modulus at the plate", 2.884e+07},
    {"girder section", "Wgs", "girder modulus at the free edge", 5.319e+06},
    {"3/5.1, 3/5.3 stiffener", "Siga", "mean axial stress", 110},
    {"3/5.1, 3/5.3 stiffener", "SigEA", "Euler stress pi^2 E re^2/L1^2", 1709},
    {"3/5.1, 3/5.3 stiffener", "SigCA", "critical column stress", 337.3},
    {"3/5.1, 3/5.3 stiffener", "Sigb", "bending stress qL1^2/(12 Wesw)", 32.75},
    {"3/5.1, 3/5.3 stiffener", "SigET", "lowest elastic torsional stress", 591.4},
    {"3/5.1, 3/5.3 stiffener", "m[torsion]", "its half-waves", 2},
    {"3/5.1, 3/5.3 stiffener", "SigF", "min(Fys, Fyp)", 355},
    {"3/5.1, 3/5.3 stiffener", "SigCT", "critical torsional stress", 303.9},
    {"3/5.1, 3/5.3 stiffener", "y", "mid-span deflection", 0.2106},
    {"3/5.7 girder", "k1[girder]", "coefficient along x", 228.2},
    {"3/5.7 girder", "k2[girder]", "coefficient along y", 4},
    {"3/5.7 girder", "SigEx[girder]", "elastic stress along x", 1885},
    {"3/5.7 girder", "SigEy[girder]", "elastic stress along y", 310.8},
    {"3/5.7 girder", "SigCx[girder]", "critical stress along x", 339},
    {"3/5.7 girder", "SigCy[girder]", "critical stress along y", 257.7},
    {"3/9.1 overall", "gammaO", "(2.6 + 4 delta) alpha^2 + 12.4 alpha - 13.2 sqrt(alpha)", 101.3},
    {"3/9.1 overall", "io", "required moment of inertia", 1.782e+07},
    {"3-2-2/9 scantlings", "c[stiffener]", "stiffener c-factor", 0.9},
    {"3-2-2/9 scantlings", "c[girder]", "girder c-factor", 1.5},
    {"3-2-2/9 scantlings", "Q", "material factor 489.55/(Fy + 2Fu/3)", 0.7182},
    {"3-2-2/9 scantlings", "girderDepthRatio", "(Lgs/8)/Hg", 0.9375},
    {"3-2-2/9 scantlings", "girderWebRatio", "min(0.01 Hg + 3, 11)/tw", 0.9167},
    {"3/3.1 plate", "UFpb", "buckling state limit", 0.7511},
    {"3/3.3 plate", "UFpu", "ultimate strength", 0.7518},
    {"3/3.5 plate", "UFpl", "lateral pressure", 0.08898},
    {"3/5.1 stiffener", "UFbu", "beam-column buckling", 0.6727},
    {"3/5.3 stiffener", "UFbt", "torsional buckling", 0.6034},
    {"3/9.1 overall", "UFs", "io/Ie", 0.1745},
    {"3/5.7 girder", "UFgbu", "girder buckling", 0.3093},
    {"3-2-2/9.3 scantlings", "UFt", "tmin/t", 0.5119},
    {"3-2-2/9.5 scantlings", "UFsm", "stiffener SM/Weffmin", 0.1963},
    {"3-2-2/9.9 scantlings", "UFgm", "girder SM/Weffmin", 0.3111},
    {"3-2-1/3.11 yield", "UFy", "corners A-D", 0.495},
    {"3-2-1/3.11 yield", "UFyp", "plate side", 0.472},
    {"3-2-1/3.11 yield", "UFys", "stiffener free edge", 0.5738},
};
// clang-format on

} // namespace

std::vector<VerificationRow> workedExampleRows() {
    // Four significant digits: within half a unit of the fourth digit.
    const Tolerance fourDigits{ToleranceKind::relative, 5e-4};
    std::vector<VerificationRow> rows;
    for (const ExampleValue& v : exampleValues) {
        const std::string name = v.name;
        rows.push_back({v.check, name + ": " + v.what, "hand calculation of the verification panel", v.hand, fourDigits,
                        [name] { return detailValue(verificationPanelCase(), name); }});
    }
    return rows;
}

} // namespace korvel
