#pragma once

// The buckling results (ABS Buckling and Ultimate Strength Assessment for Offshore Structures:
// plate fields 3/3.1 to 3/3.5, stiffener 3/5.1 and 3/5.3, girder 3/5.7, overall stiffness 3/9.1
// and the stiffener's deflection) as rows of the result list and as a block of the printed
// report, walked once for both (report/listing_model.h). Every text comes from the check lines;
// nothing is computed here.

#include "design/design_case.h"
#include "figures/drawing_surface.h"
#include "report/listing_model.h"
#include "report/listing_row.h"
#include "report/print_grid.h"

#include <vector>

namespace korvel {

// Appends the buckling rows, the first at counter.value; stops when the row number overflows.
void appendBucklingRows(std::vector<ListingRow>& rows, RowCounter& counter, const ListedCase& c);

// The buckling rows numbered from 1.
std::vector<ListingRow> bucklingRows(const ListedCase& c);

// Writes the buckling block onto the report page from `line` (in lines) at `leftMargin` (in
// character columns) and hands back the line below it.
// With another calculation beside, each check line has its value before its own ("as built 0.48").
void printBucklingListing(DrawingSurface& surface, const ListedCase& c, const PrintGrid& grid, double& line,
                          double leftMargin);

} // namespace korvel
