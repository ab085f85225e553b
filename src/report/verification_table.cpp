#include "report/verification_table.h"

#include "checks/buckling/buckling_constants.h"
#include "design/number_format.h"
#include "report/verification_cases.h"

#include <cmath>
#include <limits>
#include <utility>

namespace korvel {

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// Exact to the precision the program holds the quantity in (some are single precision).
constexpr Tolerance heldPrecision{ToleranceKind::relative, 1e-6};

using Edit = std::function<void(CaseInputs&)>;

// Plate field 1 of a panel with a built-up flat-bar stiffener: the flat bar restrains the plate
// edges least, with the rule's edge factors C1 = 1.0 and C2 = 1.1, so that the shear and
// longitudinal coefficients come out as the classical ones of a simply supported plate.
constexpr double flatBarC2 = 1.1;

template <typename Field>
double plate1(const Edit& edit, Field PlateDetail::*field) {
    const DesignCase dc = calculatedCase([&](CaseInputs& in) {
        in.stiffenerType = stiffFlatbarBuiltUp;
        edit(in);
    });
    return dc.fault.stopped() ? notANumber : static_cast<double>(dc.plate[0].*field);
}

double shearCoefficient(double s, double L1) {
    return plate1(
        [s, L1](CaseInputs& in) {
            in.s1 = in.s2 = s;
            in.L1 = L1;
        },
        &PlateDetail::ktau);
}

// Edge stresses of plate 1 (between SigxA and the stiffener line) in the ratio κ = SigxS/SigxA:
// with equal spacings SigxS is the mean of SigxA and SigxB.
Edit edgeStressRatio(double kappa) {
    return [kappa](CaseInputs& in) {
        in.SigxA = -100;
        in.SigxB = static_cast<float>(-100 * (2 * kappa - 1));
    };
}

Edit squarePlate() {
    return [](CaseInputs& in) {
        in.s1 = in.s2 = 1000;
        in.L1 = 1000;
    };
}

std::vector<VerificationRow> classicalRows() {
    const Tolerance exact{ToleranceKind::relative, 1e-9};
    std::vector<VerificationRow> rows;
    const char* tg = "Timoshenko & Gere, Theory of Elastic Stability, ch. 9: simply supported plate";
    const char* en = "classical plate theory, simply supported plate (values as in EN 1993-1-5 Table 4.1)";

    // ABS 3/3.1: the elastic coefficients of the plate field.
    rows.push_back({"3/3.1 plate", "kτ/C1, shear, s/L1 = 625/3000", std::string(tg) + " in shear, 5.34 + 4(s/l)^2",
                    5.34 + 4 * (625.0 / 3000) * (625.0 / 3000), heldPrecision,
                    [] { return shearCoefficient(625, 3000); }});
    rows.push_back({"3/3.1 plate", "kτ/C1, shear, square plate s = L1 = 1000",
                    std::string(tg) + " in shear, square: 9.34", 9.34, heldPrecision,
                    [] { return shearCoefficient(1000, 1000); }});
    rows.push_back({"3/3.1 plate", "ks/C1, uniform compression, κ = 1", std::string(en) + ": 4.0; rule 8.4/(κ + 1.1)",
                    4.0, exact, [] { return plate1(edgeStressRatio(1), &PlateDetail::ks); }});
    rows.push_back({"3/3.1 plate",
                    "ks/C1, triangular stress, κ = 0",
                    std::string(en) + ": 7.81; rule 7.6 - 6.4κ + 10κ^2 gives 7.6 (2.7 % lower)",
                    7.81,
                    {ToleranceKind::relative, 0.03},
                    [] { return plate1(edgeStressRatio(0), &PlateDetail::ks); }});
    rows.push_back({"3/3.1 plate",
                    "ks/C1, pure in-plane bending, κ = -1",
                    std::string(en) + ": 23.9; rule 7.6 - 6.4κ + 10κ^2 gives 24.0 (0.4 % higher)",
                    23.9,
                    {ToleranceKind::relative, 0.005},
                    [] { return plate1(edgeStressRatio(-1), &PlateDetail::ks); }});
    rows.push_back({"3/3.1 plate", "kl/C2, transverse compression, κ = 1, α = L1/s = 4.8",
                    std::string(tg) + " loaded on its long edges, one half-wave: (1 + 1/α^2)^2",
                    (1 + 1 / (4.8 * 4.8)) * (1 + 1 / (4.8 * 4.8)), heldPrecision,
                    [] { return plate1([](CaseInputs&) {}, &PlateDetail::kl) / flatBarC2; }});
    rows.push_back({"3/3.1 plate", "kl/C2, transverse compression, κ = 1, square plate",
                    std::string(tg) + ", square: (1 + 1)^2 = 4", 4.0, heldPrecision,
                    [] { return plate1(squarePlate(), &PlateDetail::kl) / flatBarC2; }});
    // Below κy = 1/3 the rule's own formulas, by hand (docs/verification_example.py --sections):
    // long plates (α > 2) with 9/α and 12/α, short ones with 18/α² and 24/α².
    const Edit triangularSigy = [](CaseInputs& in) {
        in.SigyA = -30;
        in.SigyC = 0;
    };
    const Edit shortPlate = [triangularSigy](CaseInputs& in) {
        triangularSigy(in);
        in.L1 = 1000;
    };
    rows.push_back({"3/3.1 plate", "kl/C2, κy = 0, α = 4.8 (long plate)",
                    "hand calculation of (1 + κ)(1.0875(1 + 1/α^2)^2 - 9/α) + 12/α", 1.80895, heldPrecision,
                    [triangularSigy] { return plate1(triangularSigy, &PlateDetail::kl) / flatBarC2; }});
    rows.push_back({"3/3.1 plate", "kl/C2, κy = 0, α = 1000/625 = 1.6 (short plate)",
                    "hand calculation of (1 + κ)(1.0875(1 + 1/α^2)^2 - 18/α^2) + 24/α^2", 4.446799, heldPrecision,
                    [shortPlate] { return plate1(shortPlate, &PlateDetail::kl) / flatBarC2; }});
    rows.push_back({"3/3.1 plate",
                    "σEx, κ = 1, t = 20, s = 625, E = 206000",
                    std::string(tg) + ": 4·π²E/(12(1 - 0.3²))·(t/s)²",
                    762.6131,
                    {ToleranceKind::relative, 1e-6},
                    [] { return plate1([](CaseInputs&) {}, &PlateDetail::sigEx); }});

    // Johnson–Ostenfeld plasticity correction with Pr = 0.6, shared by every buckling check.
    const char* jo = "Johnson-Ostenfeld, Pr = 0.6: σC = σF(1 - Pr(1 - Pr)σF/σE) above Pr·σF, by hand";
    rows.push_back({"3/3-3/9 buckling", "σC for σE = 400, σF = 235", jo, 201.865, exact,
                    [] { return criticalStress(400, 235, false); }});
    rows.push_back({"3/3-3/9 buckling", "σC for σE = 100, σF = 235 (elastic)", jo, 100, exact,
                    [] { return criticalStress(100, 235, false); }});
    rows.push_back({"3/3-3/9 buckling", "σC for σE = Pr·σF = 141, σF = 235 (both branches meet)", jo, 141, exact,
                    [] { return criticalStress(141, 235, true); }});

    // ABS 3/3.3: Faulkner's effective breadth of a plate under compression.
    const Edit faulkner = [](CaseInputs& in) {
        in.s1 = in.s2 = 800;
        in.t = 12;
        in.Fyp = in.Fys = 235;
        in.Fup = in.Fus = 400;
    };
    rows.push_back({"3/3.3 plate", "Cx, s = 800, t = 12, Fy = 235: β = 2.2517",
                    "Faulkner's effective breadth 2/β - 1/β^2, by hand", 0.6909867, heldPrecision,
                    [faulkner] { return plate1(faulkner, &PlateDetail::Cx); }});
    rows.push_back({"3/3.3 plate", "Cx, s = 300, t = 20, Fy = 355: β = 0.62 <= 1", "stocky plate: full breadth, 1", 1.0,
                    exact, [] { return plate1([](CaseInputs& in) { in.s1 = in.s2 = 300; }, &PlateDetail::Cx); }});

    // ABS MODU 3-2-1/3.11: the von Mises stress of pure shear is √3·τ.
    rows.push_back({"3-2-1/3.11 yield", "UFy, Tau = 100 alone, FS = 1, Fyp = 355",
                    "von Mises: pure shear σeq = √3·τ, so √3·100/355", std::sqrt(3.0) * 100 / 355, heldPrecision, [] {
                        const DesignCase dc = calculatedCase([](CaseInputs& in) {
                            in.SigxA = in.SigyA = 0;
                            in.SigxB = in.SigyC = 0;
                            in.Tau = 100;
                            in.FS = 1;
                        });
                        return dc.uf.UFy.computed() ? dc.uf.UFy.written() : notANumber;
                    }});
    return rows;
}

// Section properties by hand from rectangles (docs/verification_example.py --sections), on a
// plate strip 600 x 12 (sy = min(s, 0.33·L1) = 600 with L1 = 3000).
template <typename Field>
double stiffenerProperty(const Edit& profile, Field StiffenerSection::*field) {
    const DesignCase dc = calculatedCase([&](CaseInputs& in) {
        in.s1 = in.s2 = 600;
        in.t = 12;
        profile(in);
    });
    return dc.fault.stopped() ? notANumber : static_cast<double>(dc.stiff.*field);
}

std::vector<VerificationRow> sectionRows() {
    struct Profile {
        const char* name;
        Edit edit;
        double Ax, zc, Iy, K, Wp, Ws;
    };
    const Profile profiles[] = {
        {"built-up angle 200x90x9x14",
         [](CaseInputs& in) {
             in.stiffenerType = stiffLBuiltUp;
             in.lBuiltUp = {200, 90, 9, 14, 0};
         },
         2934, 135.9448, 1.203568e7, 127518, 1316973, 328204.1},
        {"built-up tee 250x120x10x14",
         [](CaseInputs& in) {
             in.stiffenerType = stiffTBuiltUp;
             in.tBuiltUp = {250, 120, 10, 14, 0};
         },
         4040, 169.9802, 2.631515e7, 188426.7, 1684456, 552777.1},
        {"bulb flat 200x10 (c 28, r 8, A 2560) as its equivalent angle",
         [](CaseInputs& in) {
             in.stiffenerType = stiffBFTable;
             in.bfRow = 0;
         },
         2560, 119.3648, 1.011976e7, 197638.3, 1213008, 230403.3},
    };
    const char* byHand = "hand calculation from rectangles";
    std::vector<VerificationRow> rows;
    for (const Profile& p : profiles) {
        const std::string name = p.name;
        const Edit edit = p.edit;
        const auto row = [&](const char* quantity, double expected, double StiffenerSection::*field) {
            rows.push_back({"section properties", name + ": " + quantity, byHand, expected, heldPrecision,
                            [edit, field] { return stiffenerProperty(edit, field); }});
        };
        row("area Ax", p.Ax, &StiffenerSection::Ax);
        row("centroid zc above the plate", p.zc, &StiffenerSection::zc);
        row("moment of inertia Iy", p.Iy, &StiffenerSection::Iy);
        rows.push_back({"section properties", name + ": torsion constant K = Σ b·t³/3", byHand, p.K, heldPrecision,
                        [edit] { return stiffenerProperty(edit, &StiffenerSection::K); }});
        row("with plate 600 x 12: section modulus Wp at the plate", p.Wp, &StiffenerSection::Wp);
        row("with plate 600 x 12: section modulus Ws at the free edge", p.Ws, &StiffenerSection::Ws);
    }

    // The yield width limited by the span: sy = 0.33·L1 = 660 for s = 1000, L1 = 2000.
    const auto spanLimited = [](double StiffenerSection::*field) {
        return [field] {
            const DesignCase dc = calculatedCase([](CaseInputs& in) {
                in.s1 = in.s2 = 1000;
                in.L1 = 2000;
                in.t = 12;
                in.lBuiltUp = {200, 90, 9, 14, 0};
            });
            return dc.fault.stopped() ? notANumber : dc.stiff.*field;
        };
    };
    rows.push_back({"section properties", "built-up angle 200x90x9x14, s = 1000, L1 = 2000 (sy = 660): Wp",
                    "hand calculation from rectangles", 1440355, heldPrecision, spanLimited(&StiffenerSection::Wp)});
    rows.push_back({"section properties", "built-up angle 200x90x9x14, s = 1000, L1 = 2000 (sy = 660): Ws",
                    "hand calculation from rectangles", 329691.1, heldPrecision, spanLimited(&StiffenerSection::Ws)});

    // The girder of the new-file case, a built-up tee 800 x 200 x 10 x 20.
    const auto girder = [](const char* quantity, double expected, const char* detailName) {
        const std::string name = detailName;
        return VerificationRow{"section properties",
                               std::string("girder tee 800x200x10x20: ") + quantity,
                               "hand calculation from rectangles",
                               expected,
                               heldPrecision,
                               [name] { return detailValue(calculatedCase([](CaseInputs&) {}), name); }};
    };
    rows.push_back(girder("area Ag", 11800, "Ag"));
    rows.push_back(girder("weight gg (7850 kg/m3)", 92.63, "gg"));
    rows.push_back(girder("centroid zcg", 525.5932, "zcg"));
    rows.push_back(girder("moment of inertia Iyg", 8.186442e8, "Iyg"));
    return rows;
}

// The minimum scantlings of the structure types the worked example (a tank bulkhead, 3-2-2/9)
// leaves out, on the new-file panel: a watertight bulkhead with its ends attached at a unit
// length of 53 m (the c-factor interpolated, 0.51) and upper structure clear of tanks. By hand
// in docs/verification_example.py --scantlings.
std::vector<VerificationRow> scantlingRows() {
    struct Row {
        const char* check;
        const char* quantity;
        const char* name;
        int structureType;
        double expected;
    };
    const Row table[] = {
        {"3-2-2/7.3 scantlings", "watertight bulkhead: tmin/t = max(6, s/200 + 2.5, s·k·√(q·h)/290 + 1.5)/t", "UFt",
         watertightBulkhead, 0.3},
        {"3-2-2/7.5 scantlings", "watertight bulkhead, UL 53 (c = 0.51): SM/Weffmin", "UFsm", watertightBulkhead,
         0.1519983},
        {"3-2-2/7.9 scantlings", "watertight bulkhead: girder SM/Weffmin, SM = 4.7·h·sg·l²·Q", "UFgm",
         watertightBulkhead, 0.1990324},
        {"3-2-2/7.9 scantlings", "watertight bulkhead: girder depth (Lgs/12)/Hg", "girderDepthRatio",
         watertightBulkhead, 0.625},
        {"3-2-4/3.3 scantlings", "upper structure clear of tanks: tmin/t", "UFt", upperStructure, 0.2801872},
        {"3-2-4/3.5 scantlings", "upper structure clear of tanks (c = 0.60): SM/Weffmin", "UFsm", upperStructure,
         0.2536475},
        {"3-2-4/3.7 scantlings", "upper structure clear of tanks: girder SM/Weffmin", "UFgm", upperStructure,
         0.2007263},
        {"3-2-4/3.7 scantlings", "upper structure clear of tanks: girder depth 0.0583·Lgs/Hg", "girderDepthRatio",
         upperStructure, 0.43725},
    };
    std::vector<VerificationRow> rows;
    for (const Row& r : table) {
        const std::string name = r.name;
        const int type = r.structureType;
        rows.push_back(
            {r.check, r.quantity, "hand calculation of the new-file panel", r.expected, heldPrecision, [name, type] {
                 return detailValue(calculatedCase([type](CaseInputs& in) {
                                        in.structureType = type;
                                        in.structureOption = 0;
                                        in.UL = 53;
                                    }),
                                    name);
             }});
    }
    return rows;
}

std::string toleranceText(const Tolerance& t) {
    return (t.kind == ToleranceKind::relative ? "relative " : "absolute ") + generalNumber(t.value);
}

} // namespace

std::vector<VerificationRow> verificationTable() {
    std::vector<VerificationRow> rows = classicalRows();
    for (auto* part : {&sectionRows, &scantlingRows, &workedExampleRows}) {
        std::vector<VerificationRow> more = part();
        for (VerificationRow& row : more) rows.push_back(std::move(row));
    }
    return rows;
}

bool withinTolerance(double expected, double computed, const Tolerance& tolerance) {
    if (!std::isfinite(computed)) return false;
    const double allowed =
        tolerance.kind == ToleranceKind::relative ? tolerance.value * std::fabs(expected) : tolerance.value;
    return std::fabs(computed - expected) <= allowed;
}

VerificationReport runVerification(const std::vector<VerificationRow>& rows) {
    VerificationReport report;
    report.text = std::string(rulesEdition) + "\n";
    report.text += "check\tquantity\tsource\texpected\tcomputed\ttolerance\tverdict\n";
    for (const VerificationRow& row : rows) {
        const double computed = row.compute ? row.compute() : notANumber;
        const bool pass = withinTolerance(row.expected, computed, row.tolerance);
        ++report.rows;
        if (!pass) ++report.failures;
        // The computed value with every digit the program holds, for the reviewer to compare.
        const std::string computedText = std::isfinite(computed) ? generalNumber(computed) : "not computed";
        report.text += row.check + "\t" + row.quantity + "\t" + row.source + "\t" + generalNumber(row.expected) + "\t" +
                       computedText + "\t" + toleranceText(row.tolerance) + "\t" + (pass ? "pass" : "FAIL") + "\n";
    }
    report.text += std::to_string(report.rows) + " rows, " + std::to_string(report.failures) + " failed\n";
    return report;
}

int writeVerification(std::ostream& out) {
    const VerificationReport report = runVerification(verificationTable());
    out << report.text << std::flush;
    return report.failures == 0 ? 0 : 1;
}

} // namespace korvel
