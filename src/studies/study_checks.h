#pragma once

// What a design study asks of one calculated case: whether it passes, which checks fail, the
// highest utilisation and where the calculation stopped; the checks and the verdict are those of
// checks/failed_checks.h, which every output shares. A study may count only some of the checks
// (the buckling checks alone, say); counting all of them it agrees with the verdict.

#include "checks/failed_checks.h"
#include "design/catalogue.h"
#include "design/check_table.h"
#include "design/design_case.h"
#include "design/warning_sink.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <string>

namespace korvel {

// The buckling checks (3/3 to 3/9) and the girder's own rules (depth, web thickness, brackets).
FailedChecks bucklingChecks();
FailedChecks girderRules();

// "UFs, girder web thickness": the checks of the set in table order; "" for none.
std::string checkList(const FailedChecks& checks);

// One calculated case as the studies see it.
struct CaseVerdict {
    bool stopped = false;
    std::string step; // the step that stopped
    FailedChecks failed;
    Results uf;
    // The highest computed utilisation and its check; check < 0 when none was computed.
    double highest = 0;
    int highestCheck = -1;
    bool operator==(const CaseVerdict& o) const {
        return stopped == o.stopped && step == o.step && failed == o.failed && highest == o.highest &&
               highestCheck == o.highestCheck;
    }

    // The verdict every output gives the case.
    Verdict verdict() const { return verdictOf(stopped, failed); }
    // Passes when it did not stop and no check of `counted` fails.
    bool passes(const FailedChecks& counted) const { return !stopped && (failed & counted).none(); }
    // The check that governs among `counted`: the failing one of highest utilisation (a failed
    // rule when no counted utilisation fails), the stopped step; "" when it passes.
    std::string governing(const FailedChecks& counted) const;
};

// The verdict of a case calculated in `dc`: what the margin line of
// the window shows and what CaseRunner gives the studies.
CaseVerdict caseVerdict(const DesignCase& dc);

// Utilisation i of the table of checks (< 0: its marker when not computed or not applicable).
double studyUtilisation(const Results& r, std::size_t i);

// Calculates cases one after another in one design case of its own, warnings dropped: one per thread.
class CaseRunner {
public:
    explicit CaseRunner(const Catalogue& catalogue) : catalogue_(&catalogue) {}
    CaseVerdict run(const CaseInputs& inputs);
    // Whether the case passes, counting the checks of `counted`: run(inputs).passes(counted),
    // without naming the step of a case that stops (most of the far points of a search stop).
    bool passes(const CaseInputs& inputs, const FailedChecks& counted);
    // The verdict of the case passes() last found passing: it did not stop, so its numbers are
    // those run() gives, without calculating it again.
    CaseVerdict passingVerdict() const { return caseVerdict(dc_); }
    // The bare-profile area Ax of the working profile of `inputs` as the section properties
    // compute it; negative when the profile cannot be formed.
    double profileArea(const CaseInputs& inputs);
    // The girder's bare area Ag of `inputs`; negative when the girder cannot be formed.
    double girderArea(const CaseInputs& inputs);
    const Catalogue& catalogue() const { return *catalogue_; }

private:
    void load(const CaseInputs& inputs);

    const Catalogue* catalogue_;
    DesignCase dc_;
    bool sectionsFormed_ = false; // dc_ holds the sections of its inputs
    IgnoreWarnings warnings_;
};

} // namespace korvel
