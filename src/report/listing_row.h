#pragma once

// Rows of the main window's result list ("Control", "Interaction Ratio", "Reference ") and the
// rules the buckling and the yield/scantling listings share: how a check line becomes a row,
// the running row number, and which results of a stopped calculation may be shown.

#include "design/decimal_text.h"
#include "design/design_case.h"
#include "design/number_format.h"
#include "figures/drawing_surface.h"
#include "report/beside_values.h"
#include "report/check_line.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel {

struct ListingRow {
    std::string control;   // label + formula text, or a heading, title or remark alone
    std::string value;     // utilisation text (empty for headings and remarks)
    std::string reference; // limit text with the rule clause
    Rgb colour;            // colour of the value (palette 2 / 4 / 0), or of the control text of a red remark
    bool heading = false;  // whole row bold
    bool valueBold = false;
    int row = 0; // running row number of the list, 1-based
    // A list made beside another calculation of the panel: that one's value of the same check
    // ("-" where it has none) and its verdict colour; empty otherwise.
    std::string beside;
    Rgb besideColour;

    bool operator==(const ListingRow& o) const {
        return control == o.control && value == o.value && reference == o.reference && colour == o.colour &&
               heading == o.heading && valueBold == o.valueBold && row == o.row && beside == o.beside &&
               besideColour == o.besideColour;
    }
};

// Remarks that must stand out from the results (the y-stress error, a stopped calculation).
inline constexpr Rgb remarkRed{255, 0, 0};

// The list control numbers its rows with a 16-bit signed integer.
inline constexpr int lastRowNumber = 32767;

// The running row number shared by the two listings: the number of the row added last. A
// listing puts its first row at the number the driver set and advances by one before every
// further row. Advancing past 32767 is an overflow: the counter says so and stays there, and
// the listing stops adding rows instead of numbering them negative.
struct RowCounter {
    int value = 1;
    bool overflow = false;

    bool advance() {
        if (overflow || value >= lastRowNumber || value < 0) {
            overflow = true;
            return false;
        }
        ++value;
        return true;
    }
};

// Adds the rows of one listing to the list.
class ListingWriter {
public:
    ListingWriter(std::vector<ListingRow>& rows, RowCounter& counter, const BesideValues* beside = nullptr)
        : rows_(rows), counter_(counter), beside_(beside) {
        if (counter_.value > lastRowNumber || counter_.value < 0) counter_.overflow = true;
    }

    void add(ListingRow row) {
        if (counter_.overflow) return;
        if (!first_ && !counter_.advance()) return;
        first_ = false;
        row.row = counter_.value;
        rows_.push_back(std::move(row));
    }
    void text(std::string control) { add(ListingRow{std::move(control), {}, {}, {}, false, false, 0, {}, {}}); }
    void heading(std::string control) { add(ListingRow{std::move(control), {}, {}, {}, true, false, 0, {}, {}}); }
    void remark(std::string control, Rgb colour = remarkRed) {
        add(ListingRow{std::move(control), {}, {}, colour, false, false, 0, {}, {}});
    }
    void line(const CheckLine& l) { add(checkRow(l, paletteColour(l.status))); }
    // The deflection carries no verdict: its value is always black.
    void blackLine(const CheckLine& l) { add(checkRow(l, paletteColour(statusNone))); }

private:
    ListingRow checkRow(const CheckLine& l, Rgb colour) const {
        ListingRow row{l.label + l.formula, l.value, l.limit, colour, false, true, 0, {}, {}};
        if (beside_ != nullptr) {
            row.beside = beside_->valueOf(l);
            row.besideColour = beside_->colourOf(l);
        }
        return row;
    }

    std::vector<ListingRow>& rows_;
    RowCounter& counter_;
    const BesideValues* beside_;
    bool first_ = true;
};

// Results of a stopped calculation. A check that did not finish, and every check after it,
// keeps its utilisation at the not-computed marker and its texts empty, so that no number that
// does not belong to this case is shown:
// - such a line is never listed, on screen or paper, not even the lines a finished calculation
//   always lists (UFbu, UFbt, UFs, UFgbu, the stiffener yield points) or prints blank;
// - a group none of whose lines was reached loses its heading and its width line, on paper the
//   scantling headings too; a reached group keeps its heading even when some of its lines were
//   not reached (UFs is computed after the yield checks, so it can be missing alone);
// - the listing titles, which name the rules, and the y-stress remark stay;
// - one remark names the check that stopped and why (stoppedRemark).
// Whatever the state of the calculation, a line never shows the not-computed marker's text
// "-2.00" as its value.
inline bool showsNotComputedMarker(const CheckLine& line) {
    static const std::string markerText = formatNumber(notComputed, "0.00");
    return line.value == markerText;
}

// Whether the check behind `line` finished in this calculation; `utilisation` is its result.
template <class T>
bool reached(const DesignCase& dc, const CheckLine& line, const Utilisation<T>& utilisation) {
    if (showsNotComputedMarker(line)) return false;
    return !dc.fault.stopped() || utilisation.state() != ResultState::notComputed;
}

// The one remark that says why the results end early. It follows the last listing shown: it is
// the last row of the summary list and the last line of the last printed listing (the yield and
// scantling listing whenever it is printed, the buckling listing when it is printed alone).
// The reason is a message the calculation wrote with the period as it stopped, not a text composed
// here from numbers: its decimal points alone are written with `decimalSeparator`.
inline std::string stoppedRemark(const DesignCase& dc, char decimalSeparator) {
    return withDecimalSeparator(dc.fault.message(), decimalSeparator);
}

} // namespace korvel
