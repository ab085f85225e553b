#include "report/listing_model.h"

#include "report/check_line_texts.h"

#include <utility>

namespace korvel {

ListedCase::ListedCase(const DesignCase& dc, char decimalSeparator, const DesignCase* other)
    : dc_(dc), separator_(decimalSeparator), lines_(composeCheckLines(dc, decimalSeparator)) {
    if (other != nullptr) beside_.emplace(lines_, *other, decimalSeparator);
}

ListedCase::ListedCase(const DesignCase& dc, CheckLines lines) : dc_(dc), separator_('.'), lines_(std::move(lines)) {}

ListingEntry& addEntry(std::vector<ListingEntry>& entries, ListingEntry::Kind kind, std::string text, double before,
                       double after) {
    ListingEntry& e = entries.emplace_back();
    e.kind = kind;
    e.text = std::move(text);
    e.before = before;
    e.after = after;
    return e;
}

ListingEntry& addCheck(std::vector<ListingEntry>& entries, const CheckLine& line, double before, double after) {
    ListingEntry& e = addEntry(entries, ListingEntry::Kind::check, {}, before, after);
    e.line = &line;
    return e;
}

void appendListingRows(std::vector<ListingRow>& rows, RowCounter& counter, const std::vector<ListingEntry>& entries,
                       const BesideValues* beside) {
    using Kind = ListingEntry::Kind;
    ListingWriter out(rows, counter, beside);
    for (const ListingEntry& e : entries) {
        switch (e.kind) {
        case Kind::title:
        case Kind::text:
            out.text(e.text);
            break;
        case Kind::heading:
            out.heading(e.text);
            break;
        case Kind::check:
            if (e.verdict)
                out.line(*e.line);
            else
                out.blackLine(*e.line);
            break;
        case Kind::remark:
            out.remark(e.text, e.colour);
            break;
        case Kind::space:
            break;
        }
    }
}

void printListingEntries(ListingPen& pen, const std::vector<ListingEntry>& entries, double& line, double leftMargin,
                         double rightLimit) {
    using Kind = ListingEntry::Kind;
    using Join = ListingEntry::Join;
    using Style = ListingPen::Style;
    double x = leftMargin; // where the line of the entry before ends
    for (const ListingEntry& e : entries) {
        line += e.before;
        switch (e.kind) {
        case Kind::title:
        case Kind::text:
            if (e.join == Join::flow)
                x = pen.flow(x, line, e.text, rightLimit, leftMargin);
            else
                x = pen.put(e.join == Join::put ? x : leftMargin, line, e.text);
            break;
        case Kind::heading:
            x = pen.put(leftMargin, line, e.text, Style::heading);
            break;
        case Kind::check:
            pen.checkLine(leftMargin, line, *e.line, paletteColour(e.verdict ? e.line->status : statusNone));
            break;
        case Kind::remark:
            pen.remark(leftMargin, line, e.text, e.colour);
            break;
        case Kind::space:
            break;
        }
        line += e.after;
    }
}

} // namespace korvel
