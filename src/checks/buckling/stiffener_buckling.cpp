#include "checks/buckling/stiffener_buckling.h"

#include "checks/buckling/buckling_constants.h"

#include <cmath>
#include <string>
#include <utility>

namespace korvel {

namespace {

// ABS 3/5.3: the smallest elastic torsional buckling stress over 1 to 12 half-waves along the
// span. A number of half-waves replaces the current one only when strictly smaller.
struct TorsionalMode {
    float sigET = 1e12f;
    int halfWaves = 0;
};

TorsionalMode torsionalBucklingStress(const DesignCase& dc, double s) {
    const StiffenerSection& x = dc.stiff;
    const double E = dc.E;
    const double t = dc.t;
    const double L1 = dc.L1;
    const double Co = E * t * t * t / (3 * s);
    const double alpha = L1 / s;
    TorsionalMode lowest;
    for (int m = 1; m <= 12; ++m) {
        const float sigCP = static_cast<float>(sq(pi) * E / twelveOneMinusNu2 * sq(t / s) * sq(m / alpha + alpha / m));
        const float mPi = static_cast<float>(m * pi);
        const double span = L1 / static_cast<double>(mPi); // L1/(m·π)
        const float Bm =
            static_cast<float>(static_cast<double>(x.K) / 2.6 + sq(mPi / L1) * x.Gamma + sq(span) * Co / E);
        const float sigETm = static_cast<float>(E * static_cast<double>(Bm) / (x.Io + sq(span) * Co / sigCP));
        if (sigETm < lowest.sigET) lowest = {sigETm, m};
    }
    return lowest;
}

} // namespace

StepOutcome checkStiffener(DesignCase& dc) {
    const PreparedStresses& prep = dc.prep;
    const StiffenerSection& x = dc.stiff;
    const double s = prep.smean;
    const double t = dc.t;
    const double L1 = dc.L1;
    const double E = dc.E;
    const float n = dc.UF;
    const double se = dc.se;
    BucklingDetail d = dc.buckling;

    // 1. Mean axial stress of the stiffener and the half of each plate field next to it;
    //    positive when the stiffener is in compression.
    const double A = x.Ax + s * t;
    d.A = A;
    const double SigxS = prep.SigxS;
    d.Siga = -(t * dc.s1 * ((dc.SigxA + SigxS) / 2 + SigxS) / 4 + t * dc.s2 * ((dc.SigxB + SigxS) / 2 + SigxS) / 4 +
               x.Ax * SigxS) /
             A;
    const double Siga = d.Siga;

    // 2.–4. Euler stress of the stiffener with effective plating and its critical stress.
    d.SigEA = sq(pi) * E * sq(x.re) / sq(L1);
    d.SigF = (x.Ax * dc.stiffenerSteel.Fy + se * t * dc.plateSteel.Fy) / (x.Ax + se * t);
    d.SigCA = criticalStress(d.SigEA, d.SigF, true);
    d.SigFbu = d.SigF;

    // 5. Bending of the stiffener under the line load s·|p|, fixed at both ends.
    const double q = s * std::fabs(dc.p);
    const double M = q * sq(L1) / 12;
    d.Sigb = M / x.Wesw;

    // 6.–7. Beam-column buckling, 3/5.1. The bending term divides by the stiffener's own Fys,
    //       while the formula text shows the combined σF.
    const double UFbu =
        (1 / static_cast<double>(n)) *
        (Siga / (d.SigCA * x.Ae / A) + Cm * d.Sigb / (dc.stiffenerSteel.Fy * (1 - Siga / (n * d.SigEA))));

    // 8.–9. Torsional buckling, 3/5.3, with σF = min(Fys, Fyp) from here on.
    const TorsionalMode mode = torsionalBucklingStress(dc, s);
    d.SigET = mode.sigET;
    d.torsionHalfWaves = mode.halfWaves;
    d.SigF = dc.plateSteel.Fy < dc.stiffenerSteel.Fy ? dc.plateSteel.Fy : dc.stiffenerSteel.Fy;
    d.SigCT = static_cast<float>(criticalStress(d.SigET, d.SigF, true));
    const double UFbt = Siga / (n * static_cast<double>(d.SigCT));

    // 10. Mid-span deflection of the stiffener with the yield plate width, fixed ends.
    const float e384 = static_cast<float>(384 * E);
    d.y = std::fabs(dc.p) * s * std::pow(L1, 4) / (static_cast<double>(e384) * x.Iey);

    dc.buckling = d;
    // A stiffener not in compression has no beam-column or torsional buckling control.
    using U = Utilisation<double>;
    dc.uf.UFbu = Siga > 0 ? U(UFbu) : U::notApplicable();
    dc.uf.UFbt = Siga > 0 ? U(UFbt) : U::notApplicable();
    return StepOutcome::done();
}

} // namespace korvel
