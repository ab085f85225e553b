#pragma once

// Tables as TAB-separated text, the form spreadsheets paste and read: one line per row, the
// fields separated by TAB. A TAB or line break inside a field becomes a blank, so that every
// field stays in its column.

#include "report/listing_row.h"

#include <string>
#include <vector>

namespace korvel {

using TextTable = std::vector<std::vector<std::string>>;

// Lines ended by "\n"; no line for an empty table.
std::string tabSeparated(const TextTable& rows);

// The result list's rows with their three columns ("Control", "Interaction Ratio",
// "Reference "), after the headings when `withHeadings`.
TextTable listingTable(const std::vector<ListingRow>& rows, bool withHeadings);

} // namespace korvel
