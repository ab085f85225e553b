#pragma once

// Every utilisation of a case against one input: the input stepped from one value to another,
// the case calculated at each value.

#include "studies/study_checks.h"
#include "studies/study_fields.h"

#include <vector>

namespace korvel {

struct SweepRequest {
    const StudyField* field = nullptr;
    double from = 0;
    double to = 0;
    int steps = 10; // intervals: steps + 1 values, both ends included
    bool operator==(const SweepRequest& o) const {
        return field == o.field && from == o.from && to == o.to && steps == o.steps;
    }
};

struct SweepPoint {
    double value = 0; // as the case holds it
    CaseVerdict verdict;
    bool operator==(const SweepPoint& o) const { return value == o.value && verdict == o.verdict; }
};

// The value of step i.
double sweepValue(const SweepRequest& request, int i);

std::vector<SweepPoint> sweepCase(const CaseInputs& c, const SweepRequest& request, CaseRunner& runner);
// Steps `first` to `last` (both included, within 0 to steps) of the sweep: a piece of it, so that
// a sweep of many steps is calculated and written piece by piece.
std::vector<SweepPoint> sweepSteps(const CaseInputs& c, const SweepRequest& request, int first, int last,
                                   CaseRunner& runner);

} // namespace korvel
