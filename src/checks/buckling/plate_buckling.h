#pragma once

#include "design/calc_fault.h"
#include "design/design_case.h"

#include <array>
#include <cstddef>

namespace korvel {

// Plate fields 1 and 2 against ABS 3/3.1 (buckling state limit, UFpb), 3/3.3 (ultimate
// strength under combined in-plane stresses, UFpu) and 3/3.5 (ultimate strength under
// lateral pressure, UFpl). The larger utilisation of the two plates governs; the mean effective width se of the
// attached plate is formed on the way. Needs the prepared stresses. A negative radicand (σe above Fyp, or |Tau| above
// the shear yield stress) stops the calculation.
StepOutcome checkPlates(DesignCase& dc);

// The plate whose utilisation `UF` governs: 0 for plate 1, 1 for plate 2; equal values keep
// plate 1.
std::size_t governingPlate(const std::array<PlateDetail, 2>& plate, double PlateDetail::*UF);

} // namespace korvel
