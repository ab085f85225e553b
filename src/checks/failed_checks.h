#pragma once

// The checks a calculated case fails: a utilisation above 1, or a minimum-scantling rule
// answered NOK (girder depth and web thickness, tripping-bracket distance). A check that the
// calculation did not reach never fails; a marker (not computed, not in compression) is
// negative and never counts.

#include "design/check_table.h"
#include "design/design_case.h"

#include <array>
#include <bitset>
#include <string>

namespace korvel {

// The utilisation checks of the table of checks, named by their results-table headings, then
// the three NOK rules.
inline constexpr std::array<const char*, 3> nokRuleNames = {"girder depth", "girder web thickness",
                                                            "tripping brackets"};
inline constexpr std::size_t checkCount = checkTable.size() + nokRuleNames.size();
// "UFb", ..., "tripping brackets".
const char* checkName(std::size_t i);

using FailedChecks = std::bitset<checkCount>;

FailedChecks failedChecks(const DesignCase& dc);

// Cases failing each check, counted over a run.
struct FailureCounts {
    int cases = 0; // cases with at least one failed check
    std::array<int, checkCount> byCheck{};
    void add(const FailedChecks& failed);
    // "UFpb 12, UFt 3, girder depth 1": the checks that failed in some case, in table order.
    std::string text() const;
    bool operator==(const FailureCounts& o) const { return cases == o.cases && byCheck == o.byCheck; }
};

} // namespace korvel
