#pragma once

// Each study over a list of cases, for the studies window and korvel-study: the cases spread
// over control.threads threads, the results in case order. A stopped study gives the results
// of the cases before the first one not done.

#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/ordered_run.h"
#include "studies/reserve_study.h"
#include "studies/sweep_study.h"
#include "studies/wastage_study.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace korvel {

std::vector<ReserveResult> reserveFactors(const std::vector<CaseInputs>& cases, const Catalogue& catalogue,
                                          const StudyControl& control);

// The allowable diminution of each of `members` of each case, on `basis`: per case, a result per
// member in the order given.
std::vector<std::vector<WastageResult>> wastageStudies(const std::vector<CaseInputs>& cases,
                                                       const std::vector<Member>& members, WastageBasis basis,
                                                       const Catalogue& catalogue, const StudyControl& control);

std::vector<LimitResult> limitingValues(const std::vector<CaseInputs>& cases, const LimitRequest& request,
                                        const Catalogue& catalogue, const StudyControl& control);

std::vector<std::vector<SweepPoint>> sweeps(const std::vector<CaseInputs>& cases, const SweepRequest& request,
                                            const Catalogue& catalogue, const StudyControl& control);

// Sweep points are calculated in pieces of this many values, each piece on one thread.
inline constexpr int sweepPieceSteps = 256;

// The sweeps of the cases handed on piece by piece as they are done, in order of case and value:
// deliver(case index, points) on the calling thread, so that a sweep of any length is never held
// whole. Progress counts whole cases; the number of cases whose every piece was delivered is
// returned (all unless stopped).
std::size_t sweepsInPieces(const std::vector<CaseInputs>& cases, const SweepRequest& request,
                           const Catalogue& catalogue, const StudyControl& control,
                           const std::function<void(std::size_t caseIndex, std::vector<SweepPoint>& points)>& deliver);

// One case after another, the rays of each on all threads; progress counts cases.
std::vector<CapacityResult> capacityCurves(const std::vector<CaseInputs>& cases, const CapacityRequest& request,
                                           const Catalogue& catalogue, const StudyControl& control);

// One case after another, the candidates of each on all threads; progress counts cases.
std::vector<LightestResult> lightestOf(const std::vector<CaseInputs>& cases, const std::vector<Candidate>& candidates,
                                       int top, const Catalogue& catalogue, const StudyControl& control);

} // namespace korvel
