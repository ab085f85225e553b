#include "studies/reserve_study.h"

#include "engine/stress_preparation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvel {

std::vector<double> loadFactorScan() {
    std::vector<double> scan(scanIntervals + 1);
    for (int i = 0; i <= scanIntervals; ++i) {
        const double r = static_cast<double>(i) / scanIntervals;
        scan[static_cast<std::size_t>(i)] = maxLoadFactor * r * r;
    }
    return scan;
}

CaseInputs scaledCase(const CaseInputs& c, double lambda) {
    CaseInputs scaled = c;
    scaleLoads(scaled, c, lambda);
    return scaled;
}

ReserveResult reserveFactor(const CaseInputs& c, CaseRunner& runner) {
    ReserveResult r;
    CaseInputs work = c;

    const CaseVerdict atOne = runner.run(c);
    if (atOne.highestCheck >= 0) {
        r.highestAtOne = atOne.highest;
        r.highestCheckAtOne = checkSymbol(static_cast<std::size_t>(atOne.highestCheck));
    }
    if (atOne.stopped) r.stoppedAtOne = atOne.step;

    scaleLoads(work, c, 0);
    const CaseVerdict atZero = runner.run(work);
    if (atZero.stopped) {
        r.outcome = ReserveResult::Outcome::stopsAtZero;
        r.governing = atZero.step;
        return r;
    }
    r.regardless = atZero.failed;
    const FailedChecks counted = ~r.regardless;

    // λ = 0 passes: what fails there is not counted.
    const Probe passes = [&](double& lambda) {
        scaleLoads(work, c, lambda);
        return runner.passes(work, counted);
    };
    const Crossing found = findCrossing(loadFactorScan(), passes);
    if (found.kind == Crossing::Kind::passesThroughout) {
        r.outcome = ReserveResult::Outcome::open;
        r.lambda = maxLoadFactor;
        return r;
    }
    // A calculation that answers differently for the same inputs would fail at λ = 0 itself.
    r.lambda = found.kind == Crossing::Kind::crossed ? found.pass : 0;
    r.passesAgainAt = found.passesAgainAt;
    scaleLoads(work, c, found.fail);
    r.governing = runner.run(work).governing(counted);
    return r;
}

std::pair<double, double> defaultLimitRange(const CaseInputs& c, const StudyField& f) {
    const double v = fieldValue(c, f);
    double low = f.low, high = f.high;
    const double big = std::numeric_limits<double>::max();
    if (f.load) {
        if (low == -big) low = -maxLoadFactor * std::fabs(v);
        if (high == big) high = maxLoadFactor * std::fabs(v);
    } else if (high == big) {
        high = 10 * std::max(v, low == -big ? 0.0 : low);
    }
    if (low == -big) low = 0;
    return {low, high};
}

namespace {

// The geometry check's warnings of a case, without their padding.
class GeometryWarnings final : public WarningSink {
public:
    void warn(const std::string& message, InputBox) override {
        const std::size_t first = message.find_first_not_of(' ');
        const std::size_t last = message.find_last_not_of(' ');
        if (first != std::string::npos) seen.push_back(message.substr(first, last - first + 1));
    }
    std::vector<std::string> seen;
};

std::vector<std::string> geometryWarningsAt(CaseInputs c, const StudyField& f, double value) {
    setField(c, f, value);
    GeometryWarnings warnings;
    warnGeometry(c, warnings);
    return warnings.seen;
}

} // namespace

LimitResult limitingValue(const CaseInputs& c, const LimitRequest& request, CaseRunner& runner) {
    LimitResult r;
    const StudyField& f = *request.field;
    const auto range = defaultLimitRange(c, f);
    r.low = request.from ? *request.from : range.first;
    r.high = request.to ? *request.to : range.second;
    if (!(r.low < r.high)) {
        r.outcome = LimitResult::Outcome::emptyRange;
        return r;
    }
    const bool smallest = request.direction == LimitDirection::smallest;
    const double sought = smallest ? r.low : r.high;
    const double far = smallest ? r.high : r.low;

    CaseInputs work = c;
    const FailedChecks all = ~FailedChecks{};
    const Probe passes = [&](double& value) {
        value = setField(work, f, value);
        return runner.passes(work, all);
    };

    const double own = fieldValue(c, f);
    double start = own;
    if (!(own >= r.low && own <= r.high) || !passes(start)) {
        // Find where the case begins to pass, coming from the far end.
        start = far;
        bool found = false;
        for (double v : evenScan(far, sought)) {
            double held = v;
            if (passes(held)) {
                start = held;
                found = true;
                break;
            }
        }
        if (!found) {
            r.outcome = LimitResult::Outcome::noneFound;
            const CaseVerdict atOwn = runner.run(c);
            r.governing = atOwn.stopped ? atOwn.step : checkList(atOwn.failed);
            return r;
        }
    }
    const Crossing crossing = findCrossing(evenScan(start, sought), passes);
    if (crossing.kind != Crossing::Kind::crossed) {
        r.outcome = LimitResult::Outcome::rangeEnd;
        r.value = setField(work, f, sought);
        r.geometryWarnings = geometryWarningsAt(c, f, r.value);
        return r;
    }
    r.outcome = LimitResult::Outcome::found;
    r.value = crossing.pass;
    r.passesAgainAt = crossing.passesAgainAt;
    setField(work, f, crossing.fail);
    r.governing = runner.run(work).governing(all);
    r.geometryWarnings = geometryWarningsAt(c, f, r.value);
    return r;
}

} // namespace korvel
