#pragma once

// One model of the buckling and the scantling/yield listings for both places that show them: the
// main window's result list (which the batch listing writes as text) and the printed report.
// Each listing is walked once, check by check, into entries; the screen turns the entries into
// rows of the list, the printed page into lines at their places. Where the two media differ (a
// heading the page prints without results, the page's spacing), the walk says so at that check.

#include "design/design_case.h"
#include "figures/drawing_surface.h"
#include "report/beside_values.h"
#include "report/check_line.h"
#include "report/listing_row.h"
#include "report/print_grid.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel {

enum class Medium { screen, paper };

struct ListingEntry {
    enum class Kind { title, heading, text, check, remark, space };
    // How a text continues the line of the entry before it on paper: written after it, or
    // written after it and wrapped back to the margin.
    enum class Join { none, put, flow };

    Kind kind = Kind::text;
    std::string text;                // title, heading, text, remark
    const CheckLine* line = nullptr; // check
    bool verdict = true;             // false: the value in black (the deflection has no verdict)
    Rgb colour;                      // remark
    // On paper: lines moved down before and after the entry, and how it joins the one before.
    double before = 0;
    double after = 0;
    Join join = Join::none;
};

// A calculated case with its check lines composed once, and with another calculation of the same
// panel whose values are shown beside them (the case as built beside the gauged one).
class ListedCase {
public:
    // `dc` and `other` must outlive this.
    explicit ListedCase(const DesignCase& dc, char decimalSeparator = '.', const DesignCase* other = nullptr);
    // With check lines composed already (a listing of given lines).
    ListedCase(const DesignCase& dc, CheckLines lines);
    ListedCase(const ListedCase&) = delete;
    ListedCase& operator=(const ListedCase&) = delete;

    const DesignCase& dc() const { return dc_; }
    const CheckLines& lines() const { return lines_; }
    char separator() const { return separator_; }
    const BesideValues* beside() const { return beside_ ? &*beside_ : nullptr; }

private:
    const DesignCase& dc_;
    char separator_;
    CheckLines lines_;
    std::optional<BesideValues> beside_;
};

// Adds an entry to a walk's entries: a text (title, heading, text, remark or space) or a check
// line, with the lines moved down before and after it on paper.
ListingEntry& addEntry(std::vector<ListingEntry>& entries, ListingEntry::Kind kind, std::string text, double before = 0,
                       double after = 0);
ListingEntry& addCheck(std::vector<ListingEntry>& entries, const CheckLine& line, double before = 0, double after = 0);

// The entries of the buckling listing and of the scantling and yield listing.
std::vector<ListingEntry> bucklingEntries(const ListedCase& c, Medium medium);
std::vector<ListingEntry> scantlingYieldEntries(const ListedCase& c, Medium medium);

// The screen entries as rows of the result list, the first at counter.value; stops when the row
// number overflows.
void appendListingRows(std::vector<ListingRow>& rows, RowCounter& counter, const std::vector<ListingEntry>& entries,
                       const BesideValues* beside);

// The paper entries onto the report page from `line` (in lines) at `leftMargin` (in character
// columns); hands back the line below them.
void printListingEntries(ListingPen& pen, const std::vector<ListingEntry>& entries, double& line, double leftMargin,
                         double rightLimit);

} // namespace korvel
