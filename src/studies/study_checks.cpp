#include "studies/study_checks.h"

#include "checks/failed_checks.h"
#include "engine/assessment.h"
#include "sections/girder_section.h"
#include "sections/profile_types.h"

namespace korvel {

FailedChecks bucklingChecks() {
    FailedChecks s;
    for (std::size_t i = 0; i < checkTable.size(); ++i) s[i] = checkTable[i].group == ListingGroup::buckling;
    return s;
}

FailedChecks girderRules() {
    FailedChecks s;
    for (std::size_t i = girderDepthRule; i < checkCount; ++i) s[i] = true;
    return s;
}

std::string checkList(const FailedChecks& checks) {
    std::string out;
    for (std::size_t i = 0; i < checkCount; ++i) {
        if (!checks[i]) continue;
        if (!out.empty()) out += ", ";
        out += checkSymbol(i);
    }
    return out;
}

double studyUtilisation(const Results& r, std::size_t i) {
    return writtenResult(r, checkTable[i]);
}

std::string CaseVerdict::governing(const FailedChecks& counted) const {
    if (stopped) return step;
    const FailedChecks failing = failed & counted;
    int best = -1;
    double bestValue = 0;
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        if (!failing[i]) continue;
        const double v = studyUtilisation(uf, i);
        if (best < 0 || v > bestValue) best = static_cast<int>(i), bestValue = v;
    }
    if (best >= 0) return checkSymbol(static_cast<std::size_t>(best));
    for (std::size_t i = firstRule; i < checkCount; ++i)
        if (failing[i]) return checkSymbol(i);
    return "";
}

CaseVerdict caseVerdict(const DesignCase& dc) {
    CaseVerdict v;
    v.stopped = dc.fault.stopped();
    if (v.stopped) v.step = dc.fault.step;
    v.uf = dc.uf;
    v.failed = failedChecks(dc);
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        if (resultState(dc.uf, checkTable[i]) != ResultState::computed) continue;
        const double u = writtenResult(dc.uf, checkTable[i]);
        if (v.highestCheck < 0 || u > v.highest) v.highest = u, v.highestCheck = static_cast<int>(i);
    }
    return v;
}

void CaseRunner::load(const CaseInputs& inputs) {
    // The points of a reserve or capacity search differ only in their loads: the sections formed
    // for the case before stand for this one.
    const bool sectionsStand = sectionsFormed_ && sameButLoads(inputs, dc_);
    static_cast<CaseInputs&>(dc_) = inputs;
    if (sectionsStand) return;
    // Each case as if calculated alone: no dimension of the profile run before stands in one the
    // type has not.
    static_cast<WorkingProfile&>(dc_) = WorkingProfile{};
    prepareSections(dc_, *catalogue_);
    sectionsFormed_ = true;
}

CaseVerdict CaseRunner::run(const CaseInputs& inputs) {
    load(inputs);
    runOnSections(dc_, *catalogue_, AssessOptions{}, warnings_);
    return caseVerdict(dc_);
}

bool CaseRunner::passes(const CaseInputs& inputs, const FailedChecks& counted) {
    load(inputs);
    runOnSections(dc_, *catalogue_, AssessOptions{StopNaming::unnamed}, warnings_);
    return !dc_.fault.stopped() && (failedChecks(dc_) & counted).none();
}

double CaseRunner::profileArea(const CaseInputs& inputs) {
    static_cast<CaseInputs&>(dc_) = inputs;
    sectionsFormed_ = false;
    if (!selectProfile(dc_, *catalogue_).ok()) return -1;
    return dc_.stiff.Ax;
}

double CaseRunner::girderArea(const CaseInputs& inputs) {
    static_cast<CaseInputs&>(dc_) = inputs;
    sectionsFormed_ = false;
    if (!girderProperties(dc_).ok()) return -1;
    return dc_.girder.Ag;
}

} // namespace korvel
