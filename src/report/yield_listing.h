#pragma once

// The minimum scantlings (ABS MODU Part 3, 3-2-2/7, 3-2-2/9, 3-2-4/3) and the yield checks
// (3-2-1/3.11) as rows of the result list and as a block of the printed report. Every text
// comes from the check lines and the effective widths, walked once for both
// (report/listing_model.h); nothing is computed here.

#include "design/design_case.h"
#include "figures/drawing_surface.h"
#include "report/listing_model.h"
#include "report/listing_row.h"
#include "report/print_grid.h"

#include <vector>

namespace korvel {

// Appends the scantling and yield rows, the title at counter.value; stops when the row number
// overflows.
void appendScantlingYieldRows(std::vector<ListingRow>& rows, RowCounter& counter, const ListedCase& c);

// The scantling and yield rows numbered from 1.
std::vector<ListingRow> scantlingYieldRows(const ListedCase& c);

// Writes the scantling and yield block onto the report page from `line` (in lines) at
// `leftMargin` (in character columns) and hands back the line below it.
// With another calculation beside, each check line has its value before its own ("as built 0.48").
void printScantlingYieldListing(DrawingSurface& surface, const ListedCase& c, const PrintGrid& grid, double& line,
                                double leftMargin);

} // namespace korvel
