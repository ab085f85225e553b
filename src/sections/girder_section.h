#pragma once

// Section properties of the girder, a built-up angle or tee welded to the same plate as the
// stiffeners: bare and with its effective strip of attached plating.
// Units: mm, mm2, mm3, mm4, kg/m.

#include "design/calc_fault.h"
#include "design/design_case.h"

namespace korvel {

// Copies the remembered set of dc.girderType into the working girder profile dc.girder and
// computes Ag, gg, zcg, Iyg, sge, Aeg, zpg, Ieg, Wgp and Wgs. The type code comes from files, so
// a code other than 1 (L) or 3 (T) is a fault that leaves the girder record as it was.
// The designation is girderDesignation (sections/profile_types.h).
StepOutcome girderProperties(DesignCase& dc);

} // namespace korvel
