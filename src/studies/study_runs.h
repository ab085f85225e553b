#pragma once

// Each study over a list of cases, for the studies window and korvel-study: the cases spread
// over control.threads threads, the results in case order. A stopped study gives the results
// of the cases before the first one not done.

#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/ordered_run.h"
#include "studies/reserve_study.h"
#include "studies/sweep_study.h"

#include <vector>

namespace korvel {

std::vector<ReserveResult> reserveFactors(const std::vector<CaseInputs>& cases, const Catalogue& catalogue,
                                          const StudyControl& control);

std::vector<LimitResult> limitingValues(const std::vector<CaseInputs>& cases, const LimitRequest& request,
                                        const Catalogue& catalogue, const StudyControl& control);

std::vector<std::vector<SweepPoint>> sweeps(const std::vector<CaseInputs>& cases, const SweepRequest& request,
                                            const Catalogue& catalogue, const StudyControl& control);

// One case after another, the rays of each on all threads; progress counts cases.
std::vector<CapacityResult> capacityCurves(const std::vector<CaseInputs>& cases, const CapacityRequest& request,
                                           const Catalogue& catalogue, const StudyControl& control);

// One case after another, the candidates of each on all threads; progress counts cases.
std::vector<LightestResult> lightestOf(const std::vector<CaseInputs>& cases, const std::vector<Candidate>& candidates,
                                       int top, const Catalogue& catalogue, const StudyControl& control);

} // namespace korvel
