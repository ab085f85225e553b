#include "studies/capacity_study.h"

#include "checks/materials.h"
#include "studies/reserve_study.h"

#include <cmath>

namespace korvel {

namespace {

constexpr double pi = 3.14159265358979323846;

double reference(const CaseInputs& c, LoadGroup g, const Catalogue& catalogue) {
    const double own = std::fabs(groupValue(c, g));
    if (own > 0) return own;
    return g == LoadGroup::p ? pressureReference : plateStrengthsInForce(c, catalogue).Fy;
}

// The direction of a ray, its cosine and sine worked out once for all the points searched on it.
struct RayDirection {
    double cx = 0;
    double sy = 0;
};

RayDirection rayDirection(double angle) {
    const double a = angle * pi / 180;
    // The axes exactly: a ray along one axis leaves the other group at zero.
    return {std::fabs(angle - 90) == 0 || std::fabs(angle - 270) == 0 ? 0 : std::cos(a),
            std::fabs(angle - 180) == 0 || angle == 0 || angle == 360 ? 0 : std::sin(a)};
}

void setRayPoint(CaseInputs& work, const CapacityRequest& request, const CapacityResult& origin, RayDirection d,
                 double rho) {
    setGroup(work, request.x, rho * origin.refX * d.cx);
    setGroup(work, request.y, rho * origin.refY * d.sy);
}

} // namespace

FailedChecks capacityChecks(const CapacityRequest& request, const FailedChecks& regardless) {
    const FailedChecks counted = request.allChecks ? ~FailedChecks{} : bucklingChecks();
    return counted & ~regardless;
}

CaseInputs capacityCase(const CaseInputs& c, const CapacityRequest& request, const CapacityResult& origin, double angle,
                        double rho) {
    CaseInputs work = c;
    setRayPoint(work, request, origin, rayDirection(angle), rho);
    return work;
}

CapacityResult capacityOrigin(const CaseInputs& c, const CapacityRequest& request, CaseRunner& runner) {
    CapacityResult r;
    r.refX = reference(c, request.x, runner.catalogue());
    r.refY = reference(c, request.y, runner.catalogue());
    r.ownX = groupValue(c, request.x);
    r.ownY = groupValue(c, request.y);
    CaseInputs work = c;
    setGroup(work, request.x, 0);
    setGroup(work, request.y, 0);
    const CaseVerdict atOrigin = runner.run(work);
    if (atOrigin.stopped) r.stoppedAtOrigin = atOrigin.step;
    r.regardless = atOrigin.failed;
    return r;
}

CapacityPoint capacityRay(const CaseInputs& c, const CapacityRequest& request, const CapacityResult& origin,
                          double angle, CaseRunner& runner) {
    CapacityPoint p;
    p.angle = angle;
    if (!origin.stoppedAtOrigin.empty()) {
        p.governing = origin.stoppedAtOrigin;
        return p;
    }
    const FailedChecks counted = capacityChecks(request, origin.regardless);
    const RayDirection direction = rayDirection(angle);
    CaseInputs work = c;
    const Probe passes = [&](double& rho) {
        setRayPoint(work, request, origin, direction, rho);
        return runner.passes(work, counted);
    };
    const Crossing found = findCrossing(loadFactorScan(), passes);
    if (found.kind != Crossing::Kind::crossed) {
        p.open = true;
        p.rho = maxLoadFactor;
    } else {
        p.rho = found.pass;
        p.passesAgainAt = found.passesAgainAt;
        p.governing = runner.run(capacityCase(c, request, origin, angle, found.fail)).governing(counted);
    }
    const CaseInputs at = capacityCase(c, request, origin, angle, p.rho);
    p.x = groupValue(at, request.x);
    p.y = groupValue(at, request.y);
    return p;
}

void addOwnRay(const CaseInputs& c, const CapacityRequest& request, CapacityResult& r, CaseRunner& runner) {
    const double ownRho = std::hypot(r.ownX / r.refX, r.ownY / r.refY);
    if (!(ownRho > 0)) return;
    const double angle = std::atan2(r.ownY / r.refY, r.ownX / r.refX) * 180 / pi;
    r.ownRay = capacityRay(c, request, r, angle < 0 ? angle + 360 : angle, runner);
    r.ownLambda = r.ownRay->rho / ownRho;
}

double rayAngle(const CapacityRequest& request, std::size_t i) {
    return 360.0 * static_cast<double>(i) / request.rays;
}

CapacityResult capacityCurve(const CaseInputs& c, const CapacityRequest& request, CaseRunner& runner) {
    CapacityResult r = capacityOrigin(c, request, runner);
    for (std::size_t i = 0; i < static_cast<std::size_t>(request.rays); ++i)
        r.rays.push_back(capacityRay(c, request, r, rayAngle(request, i), runner));
    addOwnRay(c, request, r, runner);
    return r;
}

std::optional<CapacityResult> capacityCurve(const CaseInputs& c, const CapacityRequest& request,
                                            const Catalogue& catalogue, const StudyControl& control) {
    CaseRunner runner(catalogue);
    CapacityResult r = capacityOrigin(c, request, runner);
    r.rays.resize(static_cast<std::size_t>(request.rays));
    const std::size_t done = runInOrder<CapacityPoint>(
        r.rays.size(), catalogue, control,
        [&](std::size_t i, CaseRunner& own) { return capacityRay(c, request, r, rayAngle(request, i), own); },
        [&](std::size_t i, CapacityPoint& p) { r.rays[i] = std::move(p); });
    if (done < r.rays.size()) return std::nullopt;
    addOwnRay(c, request, r, runner);
    return r;
}

} // namespace korvel
