#pragma once

// One case of a batch input file both ways: the inputs a batch line gives the design case, and
// the batch line that gives them back, so that a case a design study found can be run again by
// korvel-batch or opened in the batch window. Units as in the design case: mm, MPa, UL in m.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/batch_file.h"

#include <string>

namespace korvel {

// Loads case `entry` into `inputs` as the batch run does: its inputs, both material indices at
// the last (user-defined) row so that the file's strengths stay, the profile (its table row or
// its built-up set) and the girder; every input the line does not give takes its new-file value,
// whatever `inputs` held before. False when the stiffener's table has no row at all, so that
// the calculation stops in its profile selection.
bool loadBatchInputs(const BatchEntry& entry, CaseInputs& inputs, const Catalogue& catalogue);

// The inputs of a batch case, for a run that keeps no window state.
CaseInputs batchCaseInputs(const BatchEntry& entry, const Catalogue& catalogue);

// The 32 TAB-separated fields of a batch case, ending in CR LF, each number in the shortest form
// that reads back to exactly the value the case holds. A table row is written with its
// dimensions: an L-table row as "LR", a bulb flat as "BF", a flat-bar-table row as "FB" and a
// T-table row as "TG", which are the same profiles. The strengths are those in force: the
// material list row's, or the case's own for the user-defined grade. TABs and line breaks in
// the texts become spaces. False (nothing appended) for a profile that a batch line cannot
// hold: RHS, Trapez, or a table row the catalogue lacks.
bool appendBatchCaseLine(std::string& out, const CaseInputs& inputs, const Catalogue& catalogue);

// The "End" line that closes a batch input file.
inline constexpr const char* batchEndLine = "End\r\n";

} // namespace korvel
