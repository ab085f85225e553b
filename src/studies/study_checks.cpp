#include "studies/study_checks.h"

#include "checks/failed_checks.h"
#include "engine/assessment.h"
#include "sections/girder_section.h"
#include "sections/profile_types.h"

namespace korvel {

const char* studyCheckName(std::size_t i) {
    if (i < checkTable.size()) return checkTable[i].symbol;
    return i < studyCheckCount ? studyRuleNames[i - firstRule] : "";
}

StudyChecks bucklingChecks() {
    StudyChecks s;
    for (std::size_t i = 0; i < checkTable.size(); ++i) s[i] = checkTable[i].group == ListingGroup::buckling;
    return s;
}

StudyChecks girderRules() {
    StudyChecks s;
    for (std::size_t i = girderDepthRule; i < studyCheckCount; ++i) s[i] = true;
    return s;
}

std::string checkList(const StudyChecks& checks) {
    std::string out;
    for (std::size_t i = 0; i < studyCheckCount; ++i) {
        if (!checks[i]) continue;
        if (!out.empty()) out += ", ";
        out += studyCheckName(i);
    }
    return out;
}

double studyUtilisation(const Results& r, std::size_t i) {
    return writtenResult(r, checkTable[i]);
}

std::string CaseVerdict::governing(const StudyChecks& counted) const {
    if (stopped) return step;
    const StudyChecks failing = failed & counted;
    int best = -1;
    double bestValue = 0;
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        if (!failing[i]) continue;
        const double v = studyUtilisation(uf, i);
        if (best < 0 || v > bestValue) best = static_cast<int>(i), bestValue = v;
    }
    if (best >= 0) return studyCheckName(static_cast<std::size_t>(best));
    for (std::size_t i = firstRule; i < studyCheckCount; ++i)
        if (failing[i]) return studyCheckName(i);
    return "";
}

CaseVerdict caseVerdict(const DesignCase& dc) {
    CaseVerdict v;
    v.stopped = dc.fault.stopped();
    if (v.stopped) v.step = dc.fault.step;
    v.uf = dc.uf;
    const FailedChecks failed = failedChecks(dc);
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        v.failed[i] = failed[i];
        if (resultState(dc.uf, checkTable[i]) != ResultState::computed) continue;
        const double u = writtenResult(dc.uf, checkTable[i]);
        if (v.highestCheck < 0 || u > v.highest) v.highest = u, v.highestCheck = static_cast<int>(i);
    }
    // The proportion rules hold a limit only where they apply (closed cells have none) and
    // only once the plated properties were formed.
    const StiffenerSection& s = dc.stiff;
    v.failed[webProportionsRule] = s.webLimit > 0 && s.webRatio > s.webLimit;
    v.failed[flangeProportionsRule] = s.flangeLimit > 0 && s.flangeRatio > s.flangeLimit;
    for (std::size_t i = 0; i < nokRuleNames.size(); ++i) v.failed[girderDepthRule + i] = failed[checkTable.size() + i];
    return v;
}

CaseVerdict CaseRunner::run(const CaseInputs& inputs) {
    static_cast<CaseInputs&>(dc_) = inputs;
    runCase(dc_, *catalogue_, AssessOptions{Compose::numbersOnly}, warnings_);
    return caseVerdict(dc_);
}

double CaseRunner::profileArea(const CaseInputs& inputs) {
    static_cast<CaseInputs&>(dc_) = inputs;
    if (!selectProfile(dc_, *catalogue_).ok()) return -1;
    return dc_.stiff.Ax;
}

double CaseRunner::girderArea(const CaseInputs& inputs) {
    static_cast<CaseInputs&>(dc_) = inputs;
    if (!girderProperties(dc_).ok()) return -1;
    return dc_.girder.Ag;
}

} // namespace korvel
