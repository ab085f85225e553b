#pragma once

// One panel calculated twice, as built and with the thicknesses a survey measured: the listing of
// one calculation shows beside each check's value the other's. The report page of a gauged case
// prints "as built 0.48" beside each gauged value; the main window's list (as built) has a second
// value column with the gauged ones.

#include "design/design_case.h"
#include "figures/drawing_surface.h"
#include "report/check_line.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel {

inline constexpr const char* asBuiltPrefix = "as built ";

class BesideValues {
public:
    // `shown` must outlive this; the other calculation's lines are composed here, with the same
    // decimal separator.
    BesideValues(const CheckLines& shown, const DesignCase& other, char decimalSeparator = '.');
    BesideValues(const BesideValues&) = delete;
    BesideValues& operator=(const BesideValues&) = delete;

    // The other calculation's line of the check that `line`, a line of the shown case, holds;
    // nullptr for any other line.
    const CheckLine* of(const CheckLine& line) const;
    // Its value as listed; "-" where the other calculation did not reach the check.
    std::string valueOf(const CheckLine& line) const;
    // Its verdict colour; black without a value.
    Rgb colourOf(const CheckLine& line) const;

private:
    CheckLines other_;
    std::vector<std::pair<const CheckLine*, const CheckLine*>> pairs_;
};

} // namespace korvel
