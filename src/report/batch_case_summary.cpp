#include "report/batch_case_summary.h"

#include "design/number_format.h"
#include "sections/profile_types.h"

namespace korvel {

std::string BatchCaseSummary::highestText(char sep) const {
    return highestCheck ? formatNumber(highest, highestCheck->mask, sep) : std::string(nonFiniteText);
}

std::string BatchCaseSummary::failedText() const {
    return korvel::failedText(failed);
}

BatchCaseSummary summarizeCase(const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc, char sep) {
    BatchCaseSummary s;
    s.caseNumber = caseNumber;
    s.line = entry.line;
    s.project = dc.projectName;
    s.identification = dc.identification;
    s.stiffener = stiffenerDesignation(dc, sep);
    s.girder = girderDesignation(dc, sep);
    for (const CheckFacts& check : checkTable) {
        if (resultState(dc.uf, check) != ResultState::computed) continue;
        const double value = writtenResult(dc.uf, check);
        if (!s.highestCheck || value > s.highest) {
            s.highestCheck = &check;
            s.highest = value;
        }
    }
    s.failed = failedChecks(dc);
    s.stoppedIn = dc.fault.step;
    s.verdict = verdictOf(dc.fault.stopped(), s.failed);
    return s;
}

BatchCaseSummary summarizeComment(const BatchEntry& entry) {
    BatchCaseSummary s;
    s.comment = true;
    s.text = entry.comment;
    s.line = entry.line;
    return s;
}

} // namespace korvel
