#include "report/listing_text.h"

#include "report/control_summary.h"

namespace korvel {

namespace {

// A TAB or line break inside a text would split its row: it is written as a blank.
void appendCell(std::string& out, const std::string& text) {
    for (const char c : text) out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
}

} // namespace

void appendListingRowText(std::string& out, const ListingRow& row) {
    appendCell(out, row.control);
    if (!row.value.empty() || !row.reference.empty()) {
        out += '\t';
        appendCell(out, row.value);
        out += '\t';
        appendCell(out, row.reference);
        if (row.colour == paletteColour(statusOk))
            out += "\tOK";
        else if (row.colour == paletteColour(statusFail))
            out += "\tNOK";
    }
    out += '\n';
}

void appendCaseListingText(std::string& out, const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc) {
    out += "Case " + std::to_string(caseNumber) + ", line " + std::to_string(entry.line) + ": ";
    appendCell(out, dc.projectName);
    out += " / ";
    appendCell(out, dc.identification);
    out += '\n';
    for (const ListingRow& row : controlSummary(dc)) appendListingRowText(out, row);
    out += '\n';
}

void appendCommentListingText(std::string& out, const BatchEntry& entry) {
    appendCell(out, entry.comment);
    out += '\n';
}

} // namespace korvel
