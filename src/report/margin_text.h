#pragma once

// The margin at a glance: one line over the results list, under the printed report's header and
// in the batch window, telling how far the case is from its limits. The highest utilisation and
// its check, the number of failed checks (utilisations and OK/NOK rules) and the reserve factor
// λ* with the check that reaches its limit first:
//
//   "Highest: UFgbu 0.73 · no check fails · Loads can rise ×1.37 before UFgbu reaches 1"
//
// λ* is shown rounded down to two decimals: the loads can rise at least that much.

#include "figures/drawing_surface.h"
#include "studies/reserve_study.h"
#include "studies/study_checks.h"

#include <string>

namespace korvel {

// "Highest: UFgbu 0.73 · 2 checks fail (UFs, girder depth)": the verdict of the case as calculated.
std::string verdictText(const CaseVerdict& v, char decimalSeparator = '.');

// "Loads can rise ×1.37 before UFgbu reaches 1", "Loads must fall to ×0.82 to pass (UFbu
// reaches 1)", "Loads can rise beyond ×100 before any check reaches 1"; the checks failing
// regardless of load follow.
std::string reserveText(const ReserveResult& r, char decimalSeparator = '.');

// The whole line; without a reserve factor (not yet computed) the verdict alone.
std::string marginText(const CaseVerdict& v, const ReserveResult* reserve, char decimalSeparator = '.');

// The line over the results list, which shows the checks of one analysis (`analysis` of the
// case: buckling, scantling/yield or all) while the line speaks of every check, and says so:
// "All checks: Highest: UFys 1.20 · … (not in this list: Scantling / Yield)" when a check it
// names (highest, failed, governing) is not among those the list shows.
std::string listMarginText(const CaseVerdict& v, const ReserveResult* reserve, int analysis,
                           char decimalSeparator = '.');

// The verdict colour: dark green when every check holds, dark red otherwise (the listing's
// palette 2 and 4).
Rgb verdictColour(const CaseVerdict& v);

// Whether every check holds and the calculation ran to its end.
inline bool casePasses(const CaseVerdict& v) {
    return v.verdict() == Verdict::ok;
}

} // namespace korvel
