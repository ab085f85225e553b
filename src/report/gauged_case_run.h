#pragma once

// A case of a batch report with the thicknesses a survey measured: run through the adjustment
// that gives a gauged case its measured thicknesses, and told whether it changed the case, so
// that the report can set the same case as built beside it.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/warning_sink.h"
#include "engine/calculate.h"
#include "files/batch_file.h"
#include "files/batch_run.h"

namespace korvel {

// runBatchCase through `adjust` (none: the case as the file gives it); true when the adjustment
// changed the case's inputs, i.e. the case was run gauged.
bool runGaugedBatchCase(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                        const AssessOptions& options, const InputAdjustment& adjust);

} // namespace korvel
