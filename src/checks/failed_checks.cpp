#include "checks/failed_checks.h"

#include "checks/yield/scantling_checks.h"
#include "design/check_table.h"

namespace korvel {

RuleOutcome ruleOutcome(const DesignCase& dc, std::size_t r) {
    const StiffenerSection& s = dc.stiff;
    // The girder check answers its three rules; it leaves its ratios at the marker until it runs.
    const bool girderChecked = dc.girderDepthRatio != notComputed;
    switch (r) {
    case 0: // a limit only where the rule applies (closed cells have none), once the plated
            // properties were formed
        return {s.webLimit > 0, s.webRatio, s.webLimit};
    case 1:
        return {s.flangeLimit > 0, s.flangeRatio, s.flangeLimit};
    case 2:
        return {girderChecked, dc.girderDepthRatio, 1};
    case 3:
        return {girderChecked, dc.girderWebRatio, 1};
    case 4:
        return {girderChecked, dc.Lt, maxBracketDistance};
    }
    return {};
}

FailedChecks failedChecks(const DesignCase& dc) {
    FailedChecks failed;
    std::size_t i = 0;
    for (const CheckFacts& c : checkTable)
        failed[i++] = resultState(dc.uf, c) == ResultState::computed && writtenResult(dc.uf, c) > 1;
    for (std::size_t r = 0; r < ruleNames.size(); ++r) failed[i++] = ruleOutcome(dc, r).failed();
    return failed;
}

std::string failedText(const FailedChecks& failed) {
    std::string out;
    for (std::size_t i = 0; i < checkCount; ++i) {
        if (!failed[i]) continue;
        if (!out.empty()) out += ", ";
        out += checkName(i);
    }
    return out;
}

Verdict verdictOf(bool stopped, const FailedChecks& failed) {
    return stopped ? Verdict::stopped : failed.any() ? Verdict::nok : Verdict::ok;
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::ok:
        return "OK";
    case Verdict::nok:
        return "NOK";
    case Verdict::stopped:
        return "stopped";
    }
    return "stopped";
}

const char* checkName(std::size_t i) {
    if (i < checkTable.size()) return checkTable[i].heading;
    return i < checkCount ? ruleNames[i - firstRule] : "";
}

const char* checkSymbol(std::size_t i) {
    if (i < checkTable.size()) return checkTable[i].symbol;
    return i < checkCount ? ruleNames[i - firstRule] : "";
}

void FailureCounts::add(bool caseStopped, const FailedChecks& failed) {
    switch (verdictOf(caseStopped, failed)) {
    case Verdict::ok:
        ++ok;
        break;
    case Verdict::nok:
        ++nok;
        break;
    case Verdict::stopped:
        ++stopped;
        break;
    }
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

std::string FailureCounts::verdictsText() const {
    return std::to_string(ok) + " OK, " + std::to_string(nok) + " NOK, " + std::to_string(stopped) + " stopped";
}

} // namespace korvel
