#pragma once

// The listing of a batch as plain UTF-8 text, for archiving and for `diff` between two runs or
// two versions: per case a heading line and then the rows of the main window's result list
// (control, interaction ratio, reference and the verdict of the value's colour), one row a line,
// columns TAB-separated; comment lines of the input as they are. No date, path or version goes
// in, so that equal results give equal text.
//
//   Case 1, line 3: Gen2026 / E01-newfile
//   Plate buckling ...
//   UFpb = ...<TAB>0.53<TAB>UF = 0.60 (3/3.1)<TAB>OK
//   (a blank line)

#include "design/design_case.h"
#include "files/batch_file.h"
#include "report/listing_row.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// One row: the control text alone for headings and remarks; else control, value, reference and
// "OK" (green value), "NOK" (red value) or nothing (black value), TAB-separated; a line feed.
void appendListingRowText(std::string& out, const ListingRow& row);

// The block of case `caseNumber` just run into `dc`: its heading line, the rows of the result list
// of the case's analysis selection, and a blank line.
void appendCaseListingText(std::string& out, const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc);

// A comment line of the input: its text and a line feed.
void appendCommentListingText(std::string& out, const BatchEntry& entry);

} // namespace korvel
