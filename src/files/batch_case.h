#pragma once

// The batch line of a case: the way back from the inputs a batch line gives (batch_file.h), so
// that a case a design study found can be run again by korvel-batch or opened in the batch
// window. Units as in the design case: mm, MPa, UL in m.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/batch_file.h"

#include <string>

namespace korvel {

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
