#include "studies/study_runs.h"

namespace korvel {

namespace {

template <class Result, class Study>
std::vector<Result> perCase(const std::vector<CaseInputs>& cases, const Catalogue& catalogue,
                            const StudyControl& control, Study&& study) {
    std::vector<Result> results;
    results.reserve(cases.size());
    runInOrder<Result>(
        cases.size(), catalogue, control, [&](std::size_t i, CaseRunner& runner) { return study(cases[i], runner); },
        [&](std::size_t, Result& r) { results.push_back(std::move(r)); });
    return results;
}

// The control of the work inside one case: its threads and stop flag, no progress of its own.
StudyControl inner(const StudyControl& control) {
    StudyControl c;
    c.threads = control.threads;
    c.stop = control.stop;
    return c;
}

} // namespace

std::vector<ReserveResult> reserveFactors(const std::vector<CaseInputs>& cases, const Catalogue& catalogue,
                                          const StudyControl& control) {
    return perCase<ReserveResult>(cases, catalogue, control,
                                  [](const CaseInputs& c, CaseRunner& runner) { return reserveFactor(c, runner); });
}

std::vector<LimitResult> limitingValues(const std::vector<CaseInputs>& cases, const LimitRequest& request,
                                        const Catalogue& catalogue, const StudyControl& control) {
    return perCase<LimitResult>(cases, catalogue, control, [&](const CaseInputs& c, CaseRunner& runner) {
        return limitingValue(c, request, runner);
    });
}

std::vector<std::vector<SweepPoint>> sweeps(const std::vector<CaseInputs>& cases, const SweepRequest& request,
                                            const Catalogue& catalogue, const StudyControl& control) {
    return perCase<std::vector<SweepPoint>>(cases, catalogue, control, [&](const CaseInputs& c, CaseRunner& runner) {
        return sweepCase(c, request, runner);
    });
}

std::vector<CapacityResult> capacityCurves(const std::vector<CaseInputs>& cases, const CapacityRequest& request,
                                           const Catalogue& catalogue, const StudyControl& control) {
    std::vector<CapacityResult> results;
    for (const CaseInputs& c : cases) {
        if (control.stopRequested()) break;
        std::optional<CapacityResult> curve = capacityCurve(c, request, catalogue, inner(control));
        if (!curve) break;
        results.push_back(std::move(*curve));
        if (control.progress && !control.progress(results.size(), cases.size())) break;
    }
    return results;
}

std::vector<LightestResult> lightestOf(const std::vector<CaseInputs>& cases, const std::vector<Candidate>& candidates,
                                       int top, const Catalogue& catalogue, const StudyControl& control) {
    std::vector<LightestResult> results;
    for (const CaseInputs& c : cases) {
        if (control.stopRequested()) break;
        LightestResult r = lightestCandidates(c, candidates, top, catalogue, inner(control));
        if (r.stopped) break;
        results.push_back(std::move(r));
        if (control.progress && !control.progress(results.size(), cases.size())) break;
    }
    return results;
}

} // namespace korvel
