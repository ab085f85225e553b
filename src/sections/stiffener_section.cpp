#include "sections/stiffener_section.h"

#include "design/number_format.h"
#include "sections/profile_formulas.h"
#include "sections/profile_outline.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace korvel {

namespace {

double sq(double v) {
    return v * v;
}
double cube(double v) {
    return v * v * v;
}

StepOutcome zeroArea(const char* what) {
    return StepOutcome::fault(std::string(what) + " area Ax is zero (division by zero)");
}

// St. Venant constant of a closed thin-walled cell after Bredt-Batho, K = 4*Am^2 / sum(ds/t).
struct CellTorsion {
    float K = 0;
    StepOutcome outcome;
};

// RHS: the box on its wall centre lines, one wall thickness t all round.
CellTorsion rhsTorsion(double H, double B, double t) {
    const double perimeterOverT = 2 * ((B - t) + (H - t)) / t;
    if (t == 0 || perimeterOverT == 0)
        return {0, StepOutcome::fault("RHS wall thickness or perimeter is zero: torsion constant undefined")};
    const double Am = (B - t) * (H - t);
    return {static_cast<float>(4 * Am * Am / perimeterOverT), {}};
}

// Trapez: the cell between the profile and the plate it stands on. Top and webs have the wall
// thickness, the closing side is the plate (thickness t) on its mid-plane. The web centre line
// lies half the horizontal wall width w = wall/cos(theta) inside the outer face, which runs from
// B/2 + a at the plate surface to B/2 at the height H.
CellTorsion trapezTorsion(double H, double B, double a, double wall, double t) {
    if (H == 0 || wall == 0 || t == 0)
        return {0, StepOutcome::fault("Trapez height, wall thickness or plate thickness t is zero: "
                                      "the cell closed by the plate has no torsion constant")};
    const double cosTheta = std::cos(std::atan(a / H));
    const double w = wall / cosTheta;
    const auto centreLine = [&](double z) { return B / 2 + a * (1 - z / H) - w / 2; };
    const double zTop = H - wall / 2;
    const double zBottom = -t / 2;
    const double h = zTop - zBottom;
    const double xTop = centreLine(zTop);
    const double xBottom = centreLine(zBottom);
    const double Am = h * (xTop + xBottom);
    const double sumDsOverT = 2 * xTop / wall + 2 * xBottom / t + 2 * h / cosTheta / wall;
    if (sumDsOverT == 0) return {0, StepOutcome::fault("Trapez cell has no perimeter: torsion constant undefined")};
    return {static_cast<float>(4 * Am * Am / sumDsOverT), {}};
}

// Every coordinate of the outline is a sum of a few of these lengths, each taken at most twice; the
// comparisons are quiet, raising nothing for a NaN, which is then formed as well.
bool outlineFitsFloat(const DesignCase& dc) {
    constexpr double safe = 1e36;
    const double lengths[] = {dc.H, dc.B, dc.tw, dc.tf, dc.a, dc.bfCol4, dc.t, dc.se, dc.stiff.zp};
    return std::all_of(std::begin(lengths), std::end(lengths),
                       [](double v) { return std::isless(std::fabs(v), safe); });
}

} // namespace

FlangedSection flangedSection(double H, double B, double tw, double tf) {
    FlangedSection f;
    f.hw = H - tf;
    const double Aw = f.hw * tw;
    const double Af = B * tf;
    f.Ax = Aw + Af;
    if (f.Ax == 0) {
        f.outcome = zeroArea("profile");
        return f;
    }
    f.zc = (B * tf * (H - tf / 2) + tw * sq(f.hw) / 2) / f.Ax;
    f.Iy = (tw * cube(f.hw) + B * cube(tf)) / 12 + B * tf * sq(H - tf / 2 - f.zc) + tw * f.hw * sq(f.hw / 2 - f.zc);
    return f;
}

PlatedSet platedSet(double Ax, double zc, double Iy, double H, double t, double w) {
    PlatedSet p;
    p.A = Ax + w * t;
    if (p.A == 0) {
        p.outcome = StepOutcome::fault("area of profile and plate is zero (division by zero)");
        return p;
    }
    // Origin at the plate strip's centroid; the profile's centroid lies zc + t/2 above it.
    p.zp = Ax * (zc + t / 2) / p.A;
    p.I = Iy + w * cube(t) / 12 + Ax * sq(p.zp - zc - t / 2) + w * t * sq(p.zp);
    const double edge = H + t / 2 - p.zp;
    if (p.zp == 0 || edge == 0) {
        p.outcome = StepOutcome::fault("neutral axis lies at the plate or at the profile's free edge: "
                                       "section modulus undefined (division by zero)");
        return p;
    }
    p.Wp = p.I / p.zp;
    p.Ws = p.I / edge;
    return p;
}

StepOutcome flangedBareProperties(const DesignCase& dc, StiffenerSection& s) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    const double hw = dc.shape.hw, e = dc.shape.e, u = dc.shape.u, m = dc.shape.m;
    const FlangedSection f = flangedSection(H, B, tw, tf);
    if (!f.outcome.ok()) return f.outcome;
    s.Ax = f.Ax;
    s.zc = f.zc;
    s.Iy = f.Iy;
    s.yc = B * tf * e / s.Ax;
    s.Iz = (tf * cube(B) + hw * cube(tw)) / 12 + B * tf * sq(e - s.yc) + hw * tw * sq(s.yc);
    // Flange inertia with the unsymmetry term of the angle (ABS 3/5.3 warping constant).
    s.Iyf = static_cast<float>(tf * cube(B) / 12 * (1 + 3 * sq(u) * hw * tw / s.Ax));
    s.Gamma = m * s.Iyf * sq(hw) + cube(hw) * cube(tw) / 36;
    s.Io = s.Iy + m * s.Iz + s.Ax * (sq(s.yc) + sq(s.zc));
    s.K = static_cast<float>((B * cube(tf) + hw * cube(tw)) / 3);
    return StepOutcome::done();
}

StepOutcome flatBarBareProperties(const DesignCase& dc, StiffenerSection& s) {
    const double tw = dc.tw;
    const double hw = dc.shape.hw;
    s.Ax = hw * tw;
    s.zc = hw / 2;
    s.yc = 0;
    s.Iy = tw * cube(hw) / 12;
    s.Iz = hw * cube(tw) / 12;
    s.Iyf = static_cast<float>(hw * cube(tw) / 12);
    s.Gamma = s.Iyf * sq(hw) + cube(hw) * cube(tw) / 36;
    s.Io = s.Iy + s.Iz + s.Ax * sq(s.zc);
    s.K = static_cast<float>(hw * cube(tw) / 3);
    return StepOutcome::done();
}

StepOutcome iBareProperties(const DesignCase& dc, StiffenerSection& s) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    const double hw = dc.shape.hw;
    const double Af = B * tf; // one flange
    s.Ax = hw * tw + 2 * Af;
    if (s.Ax == 0) return zeroArea("I profile");
    s.zc = (B * tf * (H - tf / 2) + B * sq(tf) / 2 + tw * hw * (tf + hw / 2)) / s.Ax;
    s.yc = 0;
    s.Iy = (2 * B * cube(tf) + tw * cube(hw)) / 12 + B * tf * sq(H - tf / 2 - s.zc) + tw * hw * sq(tf + hw / 2 - s.zc) +
           B * tf * sq(s.zc - tf / 2);
    s.Iz = Af * sq(B) / 12; // one flange: the one that can trip
    s.Iyf = static_cast<float>(tf * cube(B) / 12);
    s.Gamma = s.Iyf * sq(hw) + cube(hw) * cube(tw) / 36;
    s.Io = s.Iy + s.Iz + s.Ax * sq(s.zc);
    s.K = static_cast<float>((B * cube(tf) + hw * cube(tw)) / 3);
    return StepOutcome::done();
}

StepOutcome rhsBareProperties(const DesignCase& dc, StiffenerSection& s) {
    const double H = dc.H, B = dc.B;
    const double t = dc.tw; // wall thickness
    s.Ax = H * B - (H - 2 * t) * (B - 2 * t);
    s.zc = H / 2;
    s.yc = 0; // symmetric about the web centre line
    s.Iy = (B * cube(H) - (B - 2 * t) * cube(H - 2 * t)) / 12;
    s.Iz = (H * cube(B) - (H - 2 * t) * cube(B - 2 * t)) / 12;
    // A closed box does not warp noticeably; its torsional stiffness is the cell's.
    s.Iyf = 0;
    s.Gamma = 0;
    s.Io = s.Iy + s.Iz + s.Ax * sq(s.zc);
    const CellTorsion k = rhsTorsion(H, B, t);
    if (!k.outcome.ok()) return k.outcome;
    s.K = k.K;
    return StepOutcome::done();
}

StepOutcome trapezBareProperties(const DesignCase& dc, StiffenerSection& s) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    const double hw = dc.shape.hw;
    if (H == 0) return StepOutcome::fault("Trapez height H is zero: the web slope a/H is undefined");
    const double a = dc.a;
    const double cosTheta = std::cos(std::atan(a / H));
    s.Ax = B * tf + 2 * hw * tw / cosTheta;
    if (s.Ax == 0) return zeroArea("Trapez profile");
    s.zc = (B * tf * (H - tf / 2) + tw * sq(hw) / cosTheta) / s.Ax;
    s.Iy = (B * cube(tf) + 2 * tw * cube(hw) / cosTheta) / 12 + B * tf * sq(H - tf / 2 - s.zc) +
           (2 * hw * tw / cosTheta) * sq(hw / 2 - s.zc);
    s.yc = 0;
    // Each web: horizontal width w, centre line from x1 at the plate to x2 under the top.
    const double w = tw / cosTheta;
    const double x1 = B / 2 + a - w / 2;
    const double x2 = B / 2 + a * (1 - hw / H) - w / 2;
    s.Iz = tf * cube(B) / 12 + 2 * (w * hw * (sq(x1) + x1 * x2 + sq(x2)) / 3 + cube(w) * hw / 12);
    s.Iyf = 0;
    s.Gamma = 0;
    s.Io = s.Iy + s.Iz + s.Ax * sq(s.zc);
    const CellTorsion k = trapezTorsion(H, B, a, tw, dc.t);
    if (!k.outcome.ok()) return k.outcome;
    s.K = k.K;
    return StepOutcome::done();
}

StepOutcome bareTorsionKept(const DesignCase& /*dc*/, StiffenerSection& /*s*/) {
    return StepOutcome::done();
}

StepOutcome trapezPlatedTorsion(const DesignCase& dc, StiffenerSection& s) {
    const CellTorsion k = trapezTorsion(dc.H, dc.B, dc.a, dc.tw, dc.t);
    if (!k.outcome.ok()) return k.outcome;
    s.K = k.K;
    return StepOutcome::done();
}

ProportionRatios angleProportions(double H, double B, double tw, double tf) {
    return {(H - tf) / tw, (B - tw) / tf};
}

ProportionRatios teeProportions(double H, double B, double tw, double tf) {
    return {(H - tf) / tw, (B - tw) / 2 / tf};
}

ProportionRatios iProportions(double H, double B, double tw, double tf) {
    return {(H - 2 * tf) / tw, (B - tw) / 2 / tf};
}

ProportionRatios bulbFlatProportions(double H, double /*B*/, double tw, double tf) {
    return {(H - tf) / tw, 0}; // with the equivalent angle's tf
}

ProportionRatios flatBarProportions(double H, double /*B*/, double tw, double /*tf*/) {
    return {H / tw, 0};
}

ProportionRatios closedCellProportions(double /*H*/, double /*B*/, double /*tw*/, double /*tf*/) {
    return {};
}

StepOutcome bareProfileProperties(DesignCase& dc) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (!facts) return unknownStiffenerType(dc.stiffenerType);
    StiffenerSection s = dc.stiff;
    if (StepOutcome outcome = facts->bareProperties(dc, s); !outcome.ok()) return outcome;
    s.g = weightPerMetre(s.Ax);
    dc.stiff = s;
    if (!facts->tableArea) dc.A = s.Ax;
    return StepOutcome::done();
}

bool bareSectionIsFinite(const StiffenerSection& s) {
    const double values[] = {s.Ax, s.g, s.zc, s.yc, s.Iy, s.Iz, s.Iyf, s.Gamma, s.Io, s.K};
    return std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); });
}

void clearPlatedProperties(StiffenerSection& s) {
    StiffenerSection bare;
    bare.Ax = s.Ax;
    bare.g = s.g;
    bare.zc = s.zc;
    bare.yc = s.yc;
    bare.Iy = s.Iy;
    bare.Iz = s.Iz;
    bare.Iyf = s.Iyf;
    bare.Gamma = s.Gamma;
    bare.Io = s.Io;
    bare.K = s.K;
    s = std::move(bare);
}

StepOutcome platedProperties(DesignCase& dc) {
    StiffenerSection& s = dc.stiff;
    const double H = dc.H, t = dc.t;

    // Yield and scantling width: the mean spacing, at most a third of the span.
    s.sy = (dc.s1 + dc.s2) / 2;
    if (0.33 * dc.L1 < s.sy) s.sy = 0.33 * dc.L1;
    const PlatedSet y = platedSet(s.Ax, s.zc, s.Iy, H, t, s.sy);
    if (!y.outcome.ok()) return StepOutcome::fault("stiffener with plate width sy: " + y.outcome.reason());
    s.Aey = y.A;
    s.zpy = y.zp;
    s.Iey = y.I;
    s.Wp = y.Wp;
    s.Ws = y.Ws;

    const PlatedSet e = platedSet(s.Ax, s.zc, s.Iy, H, t, dc.se);
    if (!e.outcome.ok()) return StepOutcome::fault("stiffener with plate width se: " + e.outcome.reason());
    s.Ae = e.A;
    s.zp = e.zp;
    s.Ie = e.I;
    s.Wep = e.Wp;
    s.Wes = e.Ws;
    if (s.Ie / s.Ae < 0) return StepOutcome::fault("square root of a negative number: Ie/Ae is negative");
    s.re = std::sqrt(s.Ie / s.Ae);

    const PlatedSet w = platedSet(s.Ax, s.zc, s.Iy, H, t, dc.prep.sw);
    if (!w.outcome.ok()) return StepOutcome::fault("stiffener with plate width sw: " + w.outcome.reason());
    s.Iew = w.I;
    s.Wesw = w.Ws;

    // The Trapez cell is closed by the plate, so its K follows the plate thickness.
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (facts) {
        if (StepOutcome torsion = facts->platedTorsion(dc, s); !torsion.ok()) return torsion;
    }

    if (StepOutcome rules = proportionRules(dc); !rules.ok()) return rules;

    // The figure forms the outline when it draws it; a section whose coordinates could leave the
    // single-precision range it is drawn in has its outline formed here, so that the overflow
    // stops the calculation in this step, as a section that cannot be drawn always has.
    if (!outlineFitsFloat(dc)) s.outline = profileOutline(dc);
    s.plated = true;
    return StepOutcome::done();
}

ProfileOutline sectionOutline(const DesignCase& dc) {
    return dc.stiff.plated ? profileOutline(dc) : ProfileOutline{};
}

StepOutcome proportionRules(DesignCase& dc) {
    StiffenerSection& s = dc.stiff;
    s.webRule = s.flangeRule = false;
    s.webRatio = s.webLimit = s.flangeRatio = s.flangeLimit = 0;
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (facts && facts->webLimitFactor == 0) return StepOutcome::done(); // closed cells: no rule

    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    if (dc.stiffenerSteel.Fy == 0)
        return StepOutcome::fault("stiffener yield strength Fys is zero: slenderness limit undefined");
    const double EoverF = dc.E / dc.stiffenerSteel.Fy;
    if (EoverF < 0) return StepOutcome::fault("square root of a negative number: E/Fys is negative");
    const double root = std::sqrt(EoverF);
    if (tw == 0) return StepOutcome::fault("web thickness tw is zero: web slenderness undefined");
    if (!facts) return unknownStiffenerType(dc.stiffenerType);

    const bool flanged = facts->flangeRule;
    if (flanged && tf == 0) return StepOutcome::fault("flange thickness tf is zero: flange slenderness undefined");
    const ProportionRatios ratios = facts->proportions(H, B, tw, tf);
    s.webRatio = ratios.web;
    s.flangeRatio = ratios.flange;
    // Web of a flanged section 1.5, bulb flat 0.85, flat bar 0.4 times sqrt(E/Fy); flange 0.4.
    s.webLimit = facts->webLimitFactor * root;
    if (flanged) s.flangeLimit = 0.4 * root;
    s.webRule = true;
    s.flangeRule = flanged;
    return StepOutcome::done();
}

} // namespace korvel
