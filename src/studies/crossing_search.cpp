#include "studies/crossing_search.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

// Bisects [pass, fail] until the two lie within the precision of each other, or no number lies
// between them.
void bisect(double& pass, double& fail, double span, const Probe& passes) {
    for (int i = 0; i < 200; ++i) {
        const double scale = std::max({std::fabs(pass), std::fabs(fail), searchPrecision * span});
        if (std::fabs(fail - pass) <= searchPrecision * scale) return;
        double mid = pass + (fail - pass) / 2;
        const bool ok = passes(mid);
        // A held value at an end of the bracket: no number the case can hold lies between.
        if (mid == pass || mid == fail) return;
        (ok ? pass : fail) = mid;
    }
}

} // namespace

Crossing findCrossing(const std::vector<double>& scan, const Probe& passes, bool stopAtCrossing) {
    Crossing c;
    if (scan.empty()) return c;
    const double span = std::fabs(scan.back() - scan.front());
    std::size_t i = 0;
    double previous = 0;
    for (; i < scan.size(); ++i) {
        double v = scan[i];
        if (!passes(v)) {
            c.fail = v;
            break;
        }
        previous = v;
    }
    if (i == 0) {
        c.kind = Crossing::Kind::failsAtStart;
        c.pass = c.fail;
        return c;
    }
    if (i == scan.size()) {
        c.kind = Crossing::Kind::passesThroughout;
        c.pass = c.fail = previous;
        return c;
    }
    c.kind = Crossing::Kind::crossed;
    c.pass = previous;
    if (!stopAtCrossing) {
        for (std::size_t j = i + 1; j < scan.size(); ++j) {
            double v = scan[j];
            if (passes(v)) {
                c.passesAgainAt = v;
                break;
            }
        }
    }
    bisect(c.pass, c.fail, span, passes);
    return c;
}

std::vector<double> evenScan(double from, double to) {
    std::vector<double> scan(scanIntervals + 1);
    for (int i = 0; i <= scanIntervals; ++i) scan[static_cast<std::size_t>(i)] = from + (to - from) * i / scanIntervals;
    scan.back() = to;
    return scan;
}

} // namespace korvel
