#pragma once

// The reserve factor of a case and the limiting value of one of its inputs.
//
// Reserve factor: the loads SigxA, SigxB, SigyA, SigyC, Tau, p and ps multiplied by λ, all else
// unchanged; λ* is the largest λ in [0, 100] such that for every λ up to it the calculation
// completes and no check fails but those that already fail with the loads at zero: these fail
// regardless of the load, are named, and do not limit λ*.
//
// Limiting value: the smallest or largest value of one input, within its input limits or a
// range given, for which the case passes (every check counts).

#include "studies/crossing_search.h"
#include "studies/study_checks.h"
#include "studies/study_fields.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel {

inline constexpr double maxLoadFactor = 100;

// The load factors the reserve scan tries: 0 to 100, closer together at the small factors an
// engineer meets (λ = 100 (i/64)²).
std::vector<double> loadFactorScan();

struct ReserveResult {
    enum class Outcome {
        limited,     // λ* found; `governing` fails just beyond it
        open,        // nothing limits it up to 100: "> 100"
        stopsAtZero, // the calculation stops with the loads at zero
    };
    Outcome outcome = Outcome::limited;
    double lambda = 0;       // λ*
    std::string governing;   // symbol or stopped step just beyond λ*
    FailedChecks regardless; // fail with the loads at zero
    double highestAtOne = 0;
    std::string highestCheckAtOne; // "" when no utilisation was computed at λ = 1
    std::string stoppedAtOne;      // the step that stopped at λ = 1
    std::optional<double> passesAgainAt;
    bool operator==(const ReserveResult& o) const {
        return outcome == o.outcome && lambda == o.lambda && governing == o.governing && regardless == o.regardless &&
               highestAtOne == o.highestAtOne && highestCheckAtOne == o.highestCheckAtOne &&
               stoppedAtOne == o.stoppedAtOne && passesAgainAt == o.passesAgainAt;
    }
};

ReserveResult reserveFactor(const CaseInputs& c, CaseRunner& runner);

// The case with its loads multiplied by λ.
CaseInputs scaledCase(const CaseInputs& c, double lambda);

enum class LimitDirection { smallest, largest };

struct LimitRequest {
    const StudyField* field = nullptr;
    LimitDirection direction = LimitDirection::smallest;
    std::optional<double> from, to; // the range given; otherwise the field's own
    bool operator==(const LimitRequest& o) const {
        return field == o.field && direction == o.direction && from == o.from && to == o.to;
    }
};

// The range searched when none is given: the input limits of the field; where they leave an
// end open, ten times the case's value for the geometry (ten times the lower limit when that is
// larger) and ±100 times it for a load (the reserve factor's range). Empty (low >= high) for a
// load that is zero in the case.
std::pair<double, double> defaultLimitRange(const CaseInputs& c, const StudyField& f);

struct LimitResult {
    enum class Outcome {
        found,     // `value` passes; `governing` fails just beyond it
        rangeEnd,  // the end of the range passes: nothing limits it within the range
        noneFound, // no scan point within the range passes
        emptyRange,
    };
    Outcome outcome = Outcome::emptyRange;
    double value = 0;
    double low = 0, high = 0; // the range searched
    std::string governing;    // noneFound: what fails (or stops) at the case's own value
    std::optional<double> passesAgainAt;
    // What the geometry check warns of at `value` ("s1 <= L1", "s1 <= L2"): the rules pass
    // there, but the panel is not one they were written for.
    std::vector<std::string> geometryWarnings;
    bool operator==(const LimitResult& o) const {
        return outcome == o.outcome && value == o.value && low == o.low && high == o.high && governing == o.governing &&
               passesAgainAt == o.passesAgainAt && geometryWarnings == o.geometryWarnings;
    }
};

// The search starts from the case's own value where that lies in the range and passes (how far
// can the design go), otherwise from the far end of the range, and runs towards the end sought.
LimitResult limitingValue(const CaseInputs& c, const LimitRequest& request, CaseRunner& runner);

} // namespace korvel
