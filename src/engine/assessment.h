#pragma once

// Running one case: the one sequence every command that shows, files or studies a case goes
// through. The working profile is taken from its table row or remembered set, the girder
// section formed, the materials applied, and the case calculated in full.

#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/warning_sink.h"
#include "engine/calculate.h"

namespace korvel {

// Why the stiffener profile or the girder section could not be formed, for the profile
// dialogs that warn of it; the calculation itself then stops in the profile selection.
struct PreparedProfiles {
    StepOutcome stiffener;
    StepOutcome girder;
};

// Runs the case in dc with its window options kept. The inputs of dc are only read: the
// assessment part holds all the run derives (strengths in force, working profile, results).
PreparedProfiles runCase(DesignCase& dc, const Catalogue& catalogue, const AssessOptions& options,
                         WarningSink& warnings);

// runCase in two parts, for a study that runs many cases differing only in their loads: the
// working profile and the girder section of dc's inputs, then the calculation on them. The
// sections depend on no load, and the calculation changes neither (it forms the girder again
// from the same inputs), so those formed for one case stand for every case sameButLoads with it.
PreparedProfiles prepareSections(DesignCase& dc, const Catalogue& catalogue);
void runOnSections(DesignCase& dc, const Catalogue& catalogue, const AssessOptions& options, WarningSink& warnings);

// The assessment of the inputs alone, for runs that keep no window state (design studies).
Assessment assess(const CaseInputs& inputs, const Catalogue& catalogue, const AssessOptions& options,
                  WarningSink& warnings);

} // namespace korvel
