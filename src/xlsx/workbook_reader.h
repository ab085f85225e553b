#pragma once

// Batch cases kept in a spreadsheet workbook (.xlsx): the first sheet whose first row names the
// 32 batch fields (see batchFieldNames), or, when no sheet has that header, the first sheet with
// the 32 fields in batch order from its first row. The sheet becomes the text of a batch input
// file, one line per sheet row, so that a message about line N of it is about row N of the sheet:
// the header row becomes a comment line, comment rows ("%" in column A) and the "End" row stay as
// they are, a number is written as the workbook stores it.
//
// A workbook that cannot hold a case faithfully is refused with its sheet, row and column: a
// number stored as text or any other text in a number column, a formula without a cached value,
// merged cells, a date, a truth value or an error value, a TAB or a line break in a cell.
// Read through libzip and expat: no hand-written ZIP or XML parsing.

#include "files/batch_fields.h"

#include <array>
#include <string>
#include <variant>

namespace korvel {

// The header names of the 32 fields of a batch line, in their order (files/batch_fields.h);
// matched without regard to case.
inline constexpr std::array<const char*, batchCaseFields> batchFieldNames = [] {
    std::array<const char*, batchCaseFields> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = batchFields[i].name;
    return names;
}();

struct WorkbookError {
    std::string message; // "IN.xlsx: sheet Cases, row 4, column F (Fyp): a number stored as text"
    bool operator==(const WorkbookError& o) const { return message == o.message; }
};

struct WorkbookBatch {
    std::string sheet; // the sheet read
    std::string text;  // the batch input text, one line per row of the sheet
    bool operator==(const WorkbookBatch& o) const { return sheet == o.sheet && text == o.text; }
};

std::variant<WorkbookBatch, WorkbookError> readWorkbookBatch(const std::string& path);

// Whether `path` is a workbook by its first bytes (a ZIP archive), whatever its name.
bool looksLikeWorkbook(const std::string& path);

} // namespace korvel
