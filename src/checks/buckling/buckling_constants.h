#pragma once

// Constants of the ABS "Buckling and Ultimate Strength Assessment for Offshore Structures"
// shared by the plate, stiffener, girder and overall buckling checks.

#include "design/number_format.h"

#include <string>

namespace korvel {

inline double sq(double v) {
    return v * v;
}

// The numbers of the formula texts, through the display masks; a float prints on its own
// seven digits (1.43, not 1.42999995).
inline std::string num(double v, const char* mask) {
    return formatNumber(v, mask);
}
inline std::string num(float v, const char* mask) {
    return formatNumber(v, mask);
}

// π as the assessment has always taken it: the single-precision value of 3.141593.
inline constexpr double pi = static_cast<double>(3.141593f);

// Moment factor Cm of the beam-column check (3/5.1) for a stiffener fixed at both ends.
inline constexpr double Cm = 0.75;

// Proportional linear elastic limit of the structure.
inline constexpr double Pr = 0.6;

// 12·(1 − ν²) with Poisson's ratio ν = 0.3.
inline constexpr double twelveOneMinusNu2 = 12 * 0.91;

// Critical stress from the elastic buckling stress σE and the yield stress σF: elastic below
// Pr·σF, Johnson–Ostenfeld plasticity correction above. `elasticAtLimit` says whether
// σE = Pr·σF still counts as elastic (the stiffener checks) or not (the plate checks).
inline double criticalStress(double sigE, double sigF, bool elasticAtLimit) {
    const bool elastic = elasticAtLimit ? sigE <= Pr * sigF : sigE < Pr * sigF;
    return elastic ? sigE : sigF * (1 - Pr * (1 - Pr) * sigF / sigE);
}

} // namespace korvel
