#pragma once

// The results table of a batch run (".koro"): TAB-separated lines ending in CR LF that a
// spreadsheet reads, one header line and then one line per entry of the input file: a case's 44
// columns (its inputs as the file gave them, then the utilisations of the buckling and the
// scantling and yield checks), or a comment's text.

#include "design/design_case.h"
#include "files/batch_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// How many columns of a line echo the case's inputs (the utilisations follow them).
int batchResultsInputColumns();
// The header line of the results table, ending in CR LF.
std::string batchResultsHeader();
// The 44 columns of a case just run (dc holds its results), ending in CR LF.
void appendBatchResultLine(std::string& out, const DesignCase& dc);
// The same for a case run from `entry`, read from the batch line of `fields`: an input the run
// kept as read, from a field that holds its general form already, is copied from the field.
void appendBatchResultLine(std::string& out, const DesignCase& dc, const BatchEntry& entry,
                           const std::vector<std::string_view>& fields);

} // namespace korvel
