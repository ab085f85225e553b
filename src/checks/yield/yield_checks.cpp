#include "checks/yield/yield_checks.h"

#include "design/number_format.h"

#include <cmath>
#include <string>

namespace korvel {

namespace {

// A point and its equivalent stress; a later point replaces the governing one only when its
// stress is strictly greater, so ties keep the earlier point. A NaN would lose every
// comparison unnoticed, so the points remember whether all of them were finite.
struct Governing {
    int index = 0;
    double stress = 0;
    bool allFinite = true;
    Governing(int first, double firstStress)
        : index(first), stress(firstStress), allFinite(std::isfinite(firstStress)) {}
    void offer(int candidate, double candidateStress) {
        allFinite = allFinite && std::isfinite(candidateStress);
        if (candidateStress > stress) {
            index = candidate;
            stress = candidateStress;
        }
    }
};

StepOutcome notFinite(const char* what) {
    return StepOutcome::fault(std::string(what) + " is not a finite number (check the stresses and the section)");
}

} // namespace

double vonMises(double sigx, double sigy, double tau) {
    return std::sqrt(sigx * sigx + sigy * sigy - sigx * sigy + 3 * tau * tau);
}

StepOutcome cornerCheck(DesignCase& dc) {
    if (dc.plateSteel.Fy == 0) return StepOutcome::fault("yield strength Fyp is zero");
    const double tau = dc.Tau;
    const double SigxB = dc.SigxB;
    const double SigyC = dc.SigyC;

    // Corners: A (SigxA, SigyA), B (SigxB, SigyA), C (SigxA, SigyC), D (SigxB, SigyC).
    Governing g(0, vonMises(dc.SigxA, dc.SigyA, tau));
    g.offer(1, vonMises(SigxB, dc.SigyA, tau));
    g.offer(2, vonMises(dc.SigxA, SigyC, tau));
    g.offer(3, vonMises(SigxB, SigyC, tau));
    const double UFy = static_cast<double>(dc.FS) * g.stress / dc.plateSteel.Fy;
    if (!g.allFinite || !std::isfinite(UFy)) return notFinite("the equivalent stress at a corner");

    dc.uf.UFy = UFy;
    dc.yield.corner = g.index;
    dc.yield.cornerStress = g.stress;
    return StepOutcome::done();
}

StepOutcome stiffenerLineCheck(DesignCase& dc) {
    const double Wp = dc.stiff.Wp;
    const double Ws = dc.stiff.Ws;
    if (Wp == 0) return StepOutcome::fault("section modulus Wp of the stiffener at the plate is zero");
    if (Ws == 0) return StepOutcome::fault("section modulus Ws of the stiffener at the free edge is zero");
    if (dc.plateSteel.Fy == 0) return StepOutcome::fault("yield strength Fyp is zero");
    if (dc.stiffenerSteel.Fy == 0) return StepOutcome::fault("yield strength Fys is zero");

    const double p = dc.p;
    const double s = dc.prep.smean;
    const double L1 = dc.L1;
    const double SigxS = dc.prep.SigxS;
    const double tau = dc.Tau;
    const double SigyA = dc.SigyA;
    const double SigyC = dc.SigyC;

    // Plate side: support (point 1) in tension under pressure on the plate, mid-span (2) in
    // compression; point 3 is the other support with the y stress of end C.
    const double sigx1 = SigxS + p * s * (L1 * L1) / (12 * Wp);
    const double sigx2 = SigxS - p * s * (L1 * L1) / (24 * Wp);
    Governing plate(1, vonMises(sigx1, SigyA, tau));
    plate.offer(2, vonMises(sigx2, (SigyA + SigyC) / 2, tau));
    plate.offer(3, vonMises(sigx1, SigyC, tau));
    const double UFyp = static_cast<double>(dc.FS) * plate.stress / dc.plateSteel.Fy;

    // Free edge: axial plus bending stress alone; point 3 mirrors point 1.
    const double sigs1 = std::fabs(SigxS - p * s * (L1 * L1) / (12 * Ws));
    const double sigs2 = std::fabs(SigxS + p * s * (L1 * L1) / (24 * Ws));
    Governing edge(1, sigs1);
    edge.offer(2, sigs2);
    const double UFys = static_cast<double>(dc.FS) * edge.stress / dc.stiffenerSteel.Fy;

    if (!plate.allFinite || !std::isfinite(UFyp)) return notFinite("the equivalent stress at the plate side");
    if (!edge.allFinite || !std::isfinite(UFys)) return notFinite("the stress at the free edge");

    dc.uf.UFyp = UFyp;
    dc.uf.UFys = UFys;
    dc.yield.platePoint = plate.index;
    dc.yield.plateStress = plate.stress;
    dc.yield.edgePoint = edge.index;
    dc.yield.edgeStress = edge.stress;
    return StepOutcome::done();
}

} // namespace korvel
