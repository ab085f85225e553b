#include "studies/sweep_study.h"

#include <algorithm>

namespace korvel {

double sweepValue(const SweepRequest& request, int i) {
    if (i >= request.steps) return request.to;
    return request.from + (request.to - request.from) * i / request.steps;
}

std::vector<SweepPoint> sweepCase(const CaseInputs& c, const SweepRequest& request, CaseRunner& runner) {
    return sweepSteps(c, request, 0, request.steps, runner);
}

std::vector<SweepPoint> sweepSteps(const CaseInputs& c, const SweepRequest& request, int first, int last,
                                   CaseRunner& runner) {
    std::vector<SweepPoint> points;
    first = std::max(first, 0);
    last = std::min(last, request.steps);
    if (request.steps < 1 || !request.field || last < first) return points;
    points.reserve(static_cast<std::size_t>(last - first) + 1);
    CaseInputs work = c;
    for (int i = first; i <= last; ++i) {
        SweepPoint p;
        p.value = setField(work, *request.field, sweepValue(request, i));
        p.verdict = runner.run(work);
        points.push_back(std::move(p));
    }
    return points;
}

} // namespace korvel
