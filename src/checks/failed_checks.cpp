#include "checks/failed_checks.h"

#include "checks/yield/scantling_checks.h"

namespace korvel {

FailedChecks failedChecks(const DesignCase& dc) {
    const Results& uf = dc.uf;
    const double utilisations[] = {uf.UFpb, uf.UFpu, uf.UFpl, uf.UFbu, uf.UFbt, uf.UFs, uf.UFgbu,
                                   uf.UFt,  uf.UFsm, uf.UFgm, uf.UFy,  uf.UFyp, uf.UFys};
    FailedChecks failed;
    std::size_t i = 0;
    for (const double v : utilisations) failed[i++] = v > 1;
    // The NOK rules are answered by the girder check, which leaves its ratios at the marker
    // until it runs.
    const bool girderChecked = dc.girderDepthRatio != notComputed;
    failed[i++] = girderChecked && dc.girderDepthRatio > 1;
    failed[i++] = girderChecked && dc.girderWebRatio > 1;
    failed[i++] = girderChecked && dc.Lt > maxBracketDistance;
    return failed;
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
        out += std::string(checkNames[i]) + " " + std::to_string(byCheck[i]);
    }
    return out;
}

} // namespace korvel
