#pragma once

// Minimum scantlings after ABS MODU Part 3: 3-2-2/7 (watertight bulkheads), 3-2-2/9 (tank
// bulkheads) and 3-2-4/3 (upper structure). Lengths in mm, pressures and strengths in MPa,
// section moduli in cm3 inside the checks (the section records hold mm3), UL in m.
// Only the magnitude of the scantling pressure ps enters.
//
// Each check computes into locals and writes its results only when it finishes, so a fault
// (an unknown structure code, a material index outside the list, a zero divisor) leaves the
// utilisations at the not-computed marker.

#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/design_case.h"

namespace korvel {

// Recommended largest distance between tripping brackets of a girder, mm.
inline constexpr double maxBracketDistance = 3000;

// Design yield strength of the plating: 0.72*Fup when that is below Fyp, else Fyp.
double designYieldStrength(double Fyp, double Fup);

// Aspect-ratio factor k of the plate thickness formulas, alpha = L1/s1: 1 for long plates
// (alpha > 2), (3.075*sqrt(alpha) - 2.077)/(alpha + 0.272) otherwise.
double aspectFactor(double alpha);

// Plate thickness tmin/t with the larger spacing (plate 1 on a tie); writes UFt, tmin and the
// plate it belongs to.
StepOutcome plateThicknessCheck(DesignCase& dc);

// Stiffener section modulus SM/Weffmin with the material factor of the weaker material and the
// stiffener c-factor; writes UFsm, dc.Q, dc.cStiffener, SM and Weffmin.
StepOutcome stiffenerModulusCheck(DesignCase& dc, const Catalogue& catalogue);

// Girder section modulus SM/Weffmin with the plate material's factor, minimum web depth and
// thickness, and the tripping-bracket distance; writes UFgm, the depth and web ratios, dc.Q,
// dc.cGirder, SM, Weffmin, hmin and twmin. Needs the girder section (Wgp, Wgs, H, tw) and dc.prep.sg.
StepOutcome girderCheck(DesignCase& dc, const Catalogue& catalogue);

} // namespace korvel
