#include "report/tab_separated.h"

#include "report/control_summary.h"

namespace korvel {

namespace {

std::string field(const std::string& text) {
    std::string clean = text;
    for (char& c : clean)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return clean;
}

} // namespace

std::string tabSeparated(const TextTable& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += '\t';
            text += field(row[i]);
        }
        text += '\n';
    }
    return text;
}

TextTable listingTable(const std::vector<ListingRow>& rows, bool withHeadings) {
    TextTable table;
    if (withHeadings) table.push_back({controlColumnTitle, ratioColumnTitle, referenceColumnTitle});
    for (const ListingRow& row : rows) table.push_back({row.control, row.value, row.reference});
    return table;
}

} // namespace korvel
