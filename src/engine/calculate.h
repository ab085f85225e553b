#pragma once

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/warning_sink.h"

namespace korvel {

// Whether a calculation that stops says where. Naming the step takes a second pass, step by
// step, which a search that only asks "does the case pass?" of thousands of cases can leave out.
enum class StopNaming { named, unnamed };

struct AssessOptions {
    StopNaming stop = StopNaming::named;
};

// The step an unnamed stop gives: the calculation stopped somewhere, its results are not those
// of any step and must not be shown.
inline constexpr const char* unnamedStopStep = "an unnamed step";

// Brings every result of the design case up to date, running every check in its fixed order
// whatever the analysis selection: geometry warnings, materials, stresses, plate buckling,
// bending width, plated section properties, stiffener buckling, girder buckling, yield,
// overall buckling, scantlings.
//
// The inputs of dc are only read, the working profile as the profile selection left it. Every
// utilisation starts at the not-computed marker. A step that
// meets a floating-point fault stops the calculation there and records where and why in
// dc.fault; the step's own results stay at the marker and no later step runs.
void calculate(DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings, const AssessOptions& options = {});

} // namespace korvel
