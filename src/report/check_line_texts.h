#pragma once

// The check lines of a calculated case, composed from the numbers its checks left: the
// formula of each check with those numbers filled in through the listing's masks, the value,
// the limit with its rule clause and the verdict colour. The checks themselves only compute;
// whatever shows a case (the window's list, the printed report, the batch listing) composes
// its lines here, with the decimal separator it shows numbers with.
//
// A line stays empty when its check did not finish in this calculation (the calculation
// stopped before or in it), so no number that does not belong to this case is shown.

#include "design/design_case.h"
#include "report/check_line.h"

#include <string>

namespace korvel {

// Every check line of dc; each number is written with `decimalSeparator`, the rule clauses keep
// their periods.
CheckLines composeCheckLines(const DesignCase& dc, char decimalSeparator = '.');

// The stiffener's web and flange slenderness lines ("Web: hw/tw = 22.2 <= 55.0"); " " where
// the rule does not apply to the profile or was not formed.
struct ProportionTexts {
    std::string web = " ";
    std::string flange = " ";
};
ProportionTexts proportionTexts(const StiffenerSection& s, char decimalSeparator = '.');

} // namespace korvel
