#include "checks/failed_checks.h"

#include "checks/yield/scantling_checks.h"
#include "design/check_table.h"

namespace korvel {

FailedChecks failedChecks(const DesignCase& dc) {
    FailedChecks failed;
    std::size_t i = 0;
    for (const CheckFacts& c : checkTable)
        failed[i++] = resultState(dc.uf, c) == ResultState::computed && writtenResult(dc.uf, c) > 1;
    // The NOK rules are answered by the girder check, which leaves its ratios at the marker
    // until it runs.
    const bool girderChecked = dc.girderDepthRatio != notComputed;
    failed[i++] = girderChecked && dc.girderDepthRatio > 1;
    failed[i++] = girderChecked && dc.girderWebRatio > 1;
    failed[i++] = girderChecked && dc.Lt > maxBracketDistance;
    return failed;
}

const char* checkName(std::size_t i) {
    return i < checkTable.size() ? checkTable[i].heading : nokRuleNames[i - checkTable.size()];
}

void FailureCounts::add(const FailedChecks& failed) {
    if (failed.none()) return;
    ++cases;
    for (std::size_t i = 0; i < checkCount; ++i) byCheck[i] += failed[i] ? 1 : 0;
}

std::string FailureCounts::text() const {
    std::string out;
    for (std::size_t i = 0; i < checkCount; ++i) {
        if (byCheck[i] == 0) continue;
        if (!out.empty()) out += ", ";
        out += std::string(checkName(i)) + " " + std::to_string(byCheck[i]);
    }
    return out;
}

} // namespace korvel
