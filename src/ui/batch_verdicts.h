#pragma once

// The batch window's case list with each case's highest utilisation and verdict beside its
// identification (report/margin_text.h): the list's pop-up becomes a table of three columns,
// the cases calculated off the interface thread on every core and the columns filled when they
// are done. The list's own texts (the identifications) stay as they are.

#include "design/catalogue.h"
#include "files/batch_file.h"

class QComboBox;

namespace korvel {

inline constexpr int verdictHighestColumn = 1;
inline constexpr int verdictColumn = 2;

// Fills the columns for the entries of `list` as the combo box holds them (one item per entry).
// A later call drops what an earlier one had not finished.
void showBatchVerdicts(QComboBox* caseList, const BatchList& list, const Catalogue& catalogue);

// Whether the columns are still being computed (tests).
bool batchVerdictsPending(const QComboBox* caseList);

} // namespace korvel
