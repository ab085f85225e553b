#pragma once

// Section properties of the stiffener: the bare profile (area, weight, centroid, moments of
// inertia and the torsional quantities of the ABS buckling guide, 3/5.3), the profile with a
// strip of attached plating for the three plate widths sy (yield and scantling), se (buckling)
// and sw (bending), and the web and flange proportion rules.
// Units: mm, mm2, mm3, mm4, mm6 (warping constant), kg/m; steel density 7850 kg/m3.

#include "design/calc_fault.h"
#include "design/design_case.h"

namespace korvel {

class DrawingSurface;

inline constexpr double steelDensity = 7850; // kg/m3

// Weight in kg/m of a steel section of `area` mm2.
inline double weightPerMetre(double area) {
    return steelDensity * area / 1000000;
}

// An angle or tee of height H with one flange B x tf on a web tw (the flange's sideways offset
// does not enter): area, centroid height above the toe and moment of inertia about the
// horizontal centroidal axis. Shared by the stiffener and the girder.
struct FlangedSection {
    double hw = 0;
    double Ax = 0;
    double zc = 0;
    double Iy = 0;
    StepOutcome outcome;
};
FlangedSection flangedSection(double H, double B, double tw, double tf);

// A profile (area Ax, centroid zc above the plate surface, Iy about its centroid, height H)
// welded to a plate strip of width w and thickness t; zp from the plate's mid-thickness.
struct PlatedSet {
    double A = 0;
    double zp = 0;
    double I = 0;
    double Wp = 0; // at the plate mid-thickness, I/zp
    double Ws = 0; // at the free edge of the profile, I/(H + t/2 - zp)
    StepOutcome outcome;
};
PlatedSet platedSet(double Ax, double zc, double Iy, double H, double t, double w);

// Bare-profile fields of dc.stiff from the working profile and dc.shape, for the profile type
// dc.stiffenerType; also dc.A for every type but the bulb flat (whose area is the table's).
// RHS and Trapez are closed cells: yc = 0, Gamma = 0 and K after Bredt-Batho (the Trapez cell is
// closed by the plate of thickness dc.t).
StepOutcome bareProfileProperties(DesignCase& dc);

// Whether every bare-profile property is a finite number: a profile whose area, inertia or
// torsion constant came out infinite or undefined cannot be assessed.
bool bareSectionIsFinite(const StiffenerSection& s);

// Keeps the bare-profile properties and sets the plated sets, the proportion rules and the
// outline back to not computed: they belong to one calculation's effective widths.
void clearPlatedProperties(StiffenerSection& s);

// Plated sets for sy, se and sw, re, the renewed Trapez K, the proportion rules and the
// cross-section outline. Reads s1, s2, L1, t, E, the stiffener's Fy in force, se and prep.sw.
StepOutcome platedProperties(DesignCase& dc);

// The outline of the section the last calculation formed, for the to-scale figure: empty when the
// calculation did not form the plated properties.
ProfileOutline sectionOutline(const DesignCase& dc);

// Web and flange slenderness rules (ABS 9.7 flange, 9.9 web): their ratios and limits.
StepOutcome proportionRules(DesignCase& dc);

} // namespace korvel
