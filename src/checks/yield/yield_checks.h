#pragma once

// Yield of the panel after ABS MODU Part 3, 3-2-1/3.11: the von Mises stress times the factor
// of safety FS of the loading condition against the yield strength as entered (no 0.72*Fu
// limit here). Stresses in MPa, lengths in mm, section moduli in mm3.

#include "design/calc_fault.h"
#include "design/design_case.h"

namespace korvel {

// Equivalent stress of a plane stress state: sqrt(sx^2 + sy^2 - sx*sy + 3*tau^2).
double vonMises(double sigx, double sigy, double tau);

// Plate corners A to D from the in-plane stresses alone; writes UFy and the governing corner
// with its stress. On a tie the earlier corner governs. A zero Fyp is a fault that leaves the case as it was.
StepOutcome cornerCheck(DesignCase& dc);

// Points 1 to 3 along the stiffener line, where p bends the stiffener with its plating as a
// beam fixed at both ends (support moment p*s*L1^2/12, mid-span p*s*L1^2/24). Writes UFyp
// (plate side, against Fyp), UFys (free edge, against Fys) and the governing point of each
// side with its stress. Needs dc.prep (smean, SigxS) and the
// plated moduli Wp, Ws. A zero Wp, Ws, Fyp or Fys is a fault that leaves the case as it was.
StepOutcome stiffenerLineCheck(DesignCase& dc);

} // namespace korvel
