#pragma once

// The main window's summary list after a calculation: the buckling listing, the scantling and
// yield listing, or both, by the analysis selection, numbered with one running row number.

#include "design/design_case.h"
#include "report/listing_model.h"
#include "report/listing_row.h"

#include <vector>

namespace korvel {

// Column headers and width shares of the summary list ("Reference " keeps its trailing blank).
inline constexpr const char* controlColumnTitle = "Control";
inline constexpr const char* ratioColumnTitle = "Interaction Ratio";
inline constexpr const char* referenceColumnTitle = "Reference ";
// Beside the ratio while the engineer has gauged thicknesses on the Corrosion page.
inline constexpr const char* gaugedColumnTitle = "Gauged";
inline constexpr double controlColumnShare = 0.7;
inline constexpr double ratioColumnShare = 0.1; // centred
inline constexpr double referenceColumnShare = 0.15;

// Selection 1: the buckling rows from row 1. Selection 2: the scantling and yield rows from
// row 1. Selection 3 or any other value: the buckling rows from row 1, then the scantling and
// yield rows, whose title takes the number one above the last buckling row.
//
// When the calculation stopped, only results it reached are listed (see listing_row.h), and
// one bright red row, the last of the list, names the check that stopped and why.
// With `other`, a second calculation of the same panel, each check's row also carries its value.
// Every number is written with `decimalSeparator`.
std::vector<ListingRow> controlSummary(const DesignCase& dc, const DesignCase* other = nullptr,
                                       char decimalSeparator = '.');
std::vector<ListingRow> controlSummary(const ListedCase& c);

// The check box "- Include deformation" is offered only with the buckling listing alone.
bool showsIncludeDeformation(const DesignCase& dc);

} // namespace korvel
