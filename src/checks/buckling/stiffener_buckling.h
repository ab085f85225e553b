#pragma once

#include "design/calc_fault.h"
#include "design/design_case.h"

namespace korvel {

// The stiffener with its effective plating against ABS 3/5.1 (beam-column buckling, UFbu)
// and 3/5.3 (torsional / flexural-torsional buckling, UFbt), and its mid-span deflection under
// the lateral pressure p. A stiffener that is not in compression gets no buckling control:
// both utilisations are then not applicable.
// Needs se from the plate check and the plated section properties of the same calculation.
StepOutcome checkStiffener(DesignCase& dc);

} // namespace korvel
