#pragma once

// The capacity curve of a case in the plane of two load groups: rays from the origin over the
// full circle, on each the radius where the case first stops passing. The other loads stay as
// the case has them.
//
// The plane is scaled on each axis by a reference: the group's own value in the case, or where
// that is zero, the plate's yield strength Fyp in force for a stress group and 0.1 MPa for the pressure.
// A ray at angle θ carries the loads X = ρ·refX·cos θ, Y = ρ·refY·sin θ, and ρ is searched from
// 0 to 100 as the load factor of the reserve factor; a ray that passes at ρ = 100 is open.

#include "studies/crossing_search.h"
#include "studies/ordered_run.h"
#include "studies/study_checks.h"
#include "studies/study_fields.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel {

inline constexpr int defaultCapacityRays = 72;
inline constexpr double pressureReference = 0.1; // MPa

struct CapacityRequest {
    LoadGroup x = LoadGroup::sigx;
    LoadGroup y = LoadGroup::sigy;
    int rays = defaultCapacityRays;
    bool allChecks = false; // otherwise the buckling checks only
    bool operator==(const CapacityRequest& o) const {
        return x == o.x && y == o.y && rays == o.rays && allChecks == o.allChecks;
    }
};

struct CapacityPoint {
    double angle = 0; // degrees, from the X axis towards Y
    double rho = 0;   // the limit radius in reference units (100 when open)
    double x = 0;     // the loads at the limit
    double y = 0;
    bool open = false;
    std::string governing;
    std::optional<double> passesAgainAt; // ρ
    bool operator==(const CapacityPoint& o) const {
        return angle == o.angle && rho == o.rho && x == o.x && y == o.y && open == o.open && governing == o.governing &&
               passesAgainAt == o.passesAgainAt;
    }
};

struct CapacityResult {
    std::string stoppedAtOrigin; // the step that stopped with both groups at zero
    FailedChecks regardless;     // fail with both groups at zero
    double refX = 0, refY = 0;
    std::vector<CapacityPoint> rays;
    // The case's own load point and the ray through it; ownLambda = its limit radius over the
    // point's own radius. No ray when the point is the origin.
    double ownX = 0, ownY = 0;
    std::optional<CapacityPoint> ownRay;
    double ownLambda = 0;
    bool operator==(const CapacityResult& o) const {
        return stoppedAtOrigin == o.stoppedAtOrigin && regardless == o.regardless && refX == o.refX && refY == o.refY &&
               rays == o.rays && ownX == o.ownX && ownY == o.ownY && ownRay == o.ownRay && ownLambda == o.ownLambda;
    }
};

// The checks that count on the rays of this case.
FailedChecks capacityChecks(const CapacityRequest& request, const FailedChecks& regardless);

// The origin, the references and the own load point; rays are searched by capacityRay.
CapacityResult capacityOrigin(const CaseInputs& c, const CapacityRequest& request, CaseRunner& runner);
// Ray `angle` (degrees) of a case whose origin was found.
CapacityPoint capacityRay(const CaseInputs& c, const CapacityRequest& request, const CapacityResult& origin,
                          double angle, CaseRunner& runner);
// The case at ρ along a ray: what --cases writes and the tests re-check.
CaseInputs capacityCase(const CaseInputs& c, const CapacityRequest& request, const CapacityResult& origin, double angle,
                        double rho);

// The angle of ray i (degrees): the rays divide the full circle evenly from the X axis.
double rayAngle(const CapacityRequest& request, std::size_t i);
// The ray through the case's own load point, and its λ.
void addOwnRay(const CaseInputs& c, const CapacityRequest& request, CapacityResult& r, CaseRunner& runner);

// Every ray and the own ray of one case, on one thread.
CapacityResult capacityCurve(const CaseInputs& c, const CapacityRequest& request, CaseRunner& runner);
// The same with the rays on control.threads threads; nullopt when the study was stopped.
std::optional<CapacityResult> capacityCurve(const CaseInputs& c, const CapacityRequest& request,
                                            const Catalogue& catalogue, const StudyControl& control);

} // namespace korvel
