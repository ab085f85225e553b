#pragma once

#include "design/calc_fault.h"
#include "design/design_case.h"

namespace korvel {

// ABS 3/5.7: the stiffened panel between the girders as an orthotropic plate, stiffened along
// x by the stiffeners with their effective plating. Uses the girder area of the case's own
// girder, so the girder properties must be computed first.
StepOutcome checkGirderBuckling(DesignCase& dc);

// ABS 3/9.1: the moment of inertia of the stiffener with effective plating must not fall
// short of the required io.
StepOutcome checkOverallBuckling(DesignCase& dc);

} // namespace korvel
