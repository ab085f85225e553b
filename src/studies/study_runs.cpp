#include "studies/study_runs.h"

#include <algorithm>
#include <atomic>

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

std::vector<std::vector<WastageResult>> wastageStudies(const std::vector<CaseInputs>& cases,
                                                       const std::vector<Member>& members, WastageBasis basis,
                                                       const Catalogue& catalogue, const StudyControl& control) {
    return perCase<std::vector<WastageResult>>(cases, catalogue, control, [&](const CaseInputs& c, CaseRunner& runner) {
        std::vector<WastageResult> results;
        results.reserve(members.size());
        for (const Member m : members) results.push_back(allowableDiminution(c, m, basis, runner));
        return results;
    });
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

std::size_t sweepsInPieces(const std::vector<CaseInputs>& cases, const SweepRequest& request,
                           const Catalogue& catalogue, const StudyControl& control,
                           const std::function<void(std::size_t caseIndex, std::vector<SweepPoint>& points)>& deliver) {
    if (request.steps < 1 || !request.field) return cases.size();
    if (control.stopRequested()) return 0;
    const std::size_t pieces = static_cast<std::size_t>(request.steps / sweepPieceSteps) + 1;
    std::size_t casesDone = 0;
    StudyControl c = inner(control);
    bool cancelled = false;
    std::atomic<bool> stop{false};
    // The caller's stop flag, or a progress that answered false.
    c.stop = &stop;
    const auto stopping = [&] { return cancelled || control.stopRequested(); };
    c.progress = [&](std::size_t, std::size_t) {
        if (stopping()) stop = true;
        return true;
    };
    // Short sweeps spread their cases over the threads, long ones the pieces of one case at a time,
    // so that the pieces waiting for their turn stay few.
    const std::size_t casesAtOnce = pieces == 1 ? cases.size() : 1;
    for (std::size_t first = 0; first < cases.size() && !stopping(); first += casesAtOnce) {
        const std::size_t count = std::min(casesAtOnce, cases.size() - first) * pieces;
        runInOrder<std::vector<SweepPoint>>(
            count, catalogue, c,
            [&](std::size_t item, CaseRunner& runner) {
                const auto step = static_cast<int>(item % pieces) * sweepPieceSteps;
                return sweepSteps(cases[first + item / pieces], request, step, step + sweepPieceSteps - 1, runner);
            },
            [&](std::size_t item, std::vector<SweepPoint>& points) {
                deliver(first + item / pieces, points);
                if (item % pieces + 1 < pieces) return;
                ++casesDone;
                if (control.progress && !control.progress(casesDone, cases.size())) cancelled = true;
            });
    }
    return casesDone;
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
