#pragma once

// The one verdict of a calculated case, read by every output, window and study. A case fails
// when a computed utilisation is above 1 (exactly 1 passes), when an OK/NOK rule is answered
// NOK, or when its calculation stops before the end. The OK/NOK rules are the stiffener's web
// and flange proportions (ABS 3/5.1, the slenderness limits of the plated section) and the
// girder's minimum-scantling rules (MODU 3-2-4/3: web depth, web thickness, tripping-bracket
// distance). A check the calculation did not reach never fails; a marker (not computed, not in
// compression) is negative and never counts.

#include "design/check_table.h"
#include "design/design_case.h"

#include <array>
#include <bitset>
#include <string>

namespace korvel {

// The checks of a case: the thirteen utilisations of the table of checks, then the five rules.
inline constexpr std::array<const char*, 5> ruleNames = {"web proportions", "flange proportions", "girder depth",
                                                         "girder web thickness", "tripping brackets"};
inline constexpr std::size_t checkCount = checkTable.size() + ruleNames.size();
inline constexpr std::size_t firstRule = checkTable.size();
inline constexpr std::size_t webProportionsRule = firstRule;
inline constexpr std::size_t flangeProportionsRule = firstRule + 1;
inline constexpr std::size_t girderDepthRule = firstRule + 2;

// Check i by its results-table heading ("UFb", ..., "tripping brackets").
const char* checkName(std::size_t i);
// Check i by its symbol ("UFbu", ..., "tripping brackets"), as the studies name it.
const char* checkSymbol(std::size_t i);

using FailedChecks = std::bitset<checkCount>;

// One OK/NOK rule as calculated: whether the calculation answered it, the quantity and its limit
// (a ratio to the minimum for the girder rules, hw/tw or b/tf for the proportions, Lt in mm).
struct RuleOutcome {
    bool checked = false;
    double value = 0;
    double limit = 0;
    bool failed() const { return checked && value > limit; }
    bool operator==(const RuleOutcome& o) const { return checked == o.checked && value == o.value && limit == o.limit; }
};

// Rule r, 0 to ruleNames.size() - 1.
RuleOutcome ruleOutcome(const DesignCase& dc, std::size_t r);

FailedChecks failedChecks(const DesignCase& dc);

// "UFpb, web proportions": the failed checks by their headings, in table order; "" for none.
std::string failedText(const FailedChecks& failed);

// OK: every check holds and the calculation ran to its end; NOK: a check failed; stopped: the
// calculation stopped, so the case is not shown safe whatever it reached (the checks it failed
// before the stop are still listed beside the verdict).
enum class Verdict { ok, nok, stopped };

Verdict verdictOf(bool stopped, const FailedChecks& failed);
inline Verdict verdictOf(const DesignCase& dc) {
    return verdictOf(dc.fault.stopped(), failedChecks(dc));
}

// "OK", "NOK", "stopped".
const char* verdictText(Verdict verdict);

// What a calculated case leaves for those who fold it in after its design case has gone on to the
// next case (a streamed run hands its cases on in file order, after the threads).
struct CaseOutcome {
    Results uf;
    FailedChecks failed;
    CalcFault fault;
    Verdict verdict() const { return verdictOf(fault.stopped(), failed); }
};
inline CaseOutcome caseOutcome(const DesignCase& dc) {
    return {dc.uf, failedChecks(dc), dc.fault};
}

// Cases of a run by verdict, and the cases failing each check.
struct FailureCounts {
    int cases = 0; // cases with at least one failed check, whatever their verdict
    int ok = 0;
    int nok = 0;
    int stopped = 0;
    std::array<int, checkCount> byCheck{};
    void add(bool stopped, const FailedChecks& failed);
    // "UFpb 12, UFt 3, girder depth 1": the checks that failed in some case, in table order.
    std::string text() const;
    // "5 OK, 2 NOK, 1 stopped".
    std::string verdictsText() const;
    bool operator==(const FailureCounts& o) const {
        return cases == o.cases && ok == o.ok && nok == o.nok && stopped == o.stopped && byCheck == o.byCheck;
    }
};

} // namespace korvel
