#include "studies/sweep_study.h"

namespace korvel {

double sweepValue(const SweepRequest& request, int i) {
    if (i >= request.steps) return request.to;
    return request.from + (request.to - request.from) * i / request.steps;
}

std::vector<SweepPoint> sweepCase(const CaseInputs& c, const SweepRequest& request, CaseRunner& runner) {
    std::vector<SweepPoint> points;
    if (request.steps < 1 || !request.field) return points;
    points.reserve(static_cast<std::size_t>(request.steps) + 1);
    CaseInputs work = c;
    for (int i = 0; i <= request.steps; ++i) {
        SweepPoint p;
        p.value = setField(work, *request.field, sweepValue(request, i));
        p.verdict = runner.run(work);
        points.push_back(std::move(p));
    }
    return points;
}

} // namespace korvel
