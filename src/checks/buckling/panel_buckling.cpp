#include "checks/buckling/panel_buckling.h"

#include "checks/buckling/buckling_constants.h"

#include <cmath>
#include <string>
#include <utility>

namespace korvel {

StepOutcome checkGirderBuckling(DesignCase& dc) {
    const StiffenerSection& x = dc.stiff;
    const double s = dc.prep.smean;
    const double t = dc.t;
    const double E = dc.E;
    const double L1 = dc.L1;
    const double Lg = dc.Lg;
    const double se = dc.se;
    const float n = dc.UF;

    // 1.–2. Rigidities of the plate and of the panel along the stiffeners.
    const float D = static_cast<float>(E * t * t * t / twelveOneMinusNu2);
    const double Dx = E * x.Ie / (0.91 * s);
    const double Ip = se * t * sq(x.zp) + se * t * t * t / 12;
    const double eta = std::sqrt(Ip / x.Ie);

    // 3. Equivalent thicknesses, stiffeners smeared along x and the girder along y.
    const double tx = (x.Ax + s * t) / s;
    const double b = (L1 + dc.L2) / 2;
    const float ty = static_cast<float>((dc.girder.Ag + t * b) / b);

    // 4.–5. Virtual aspect ratios and buckling coefficients.
    const float alpha1 = static_cast<float>(std::pow(D / Dx, 0.25) * L1 / Lg);
    const float alpha2 = static_cast<float>(std::pow(Dx / D, 0.25) * Lg / L1);
    const double a1 = alpha1;
    const double a2 = alpha2;
    const double k1 = L1 / Lg >= 1 ? 4 : a1 * a1 + 2 * eta + 1 / (a1 * a1);
    const double k2 = Lg / L1 >= 1 ? 4 : a2 * a2 + 2 * eta + 1 / (a2 * a2);

    // 6.–7. Elastic and critical buckling stresses with σF = Fyp.
    const double rigidity = std::sqrt(static_cast<double>(D) * Dx);
    const double sigEx = sq(pi) * k1 * rigidity / (sq(Lg) * tx);
    const double sigEy = sq(pi) * k2 * rigidity / (sq(L1) * static_cast<double>(ty));
    const double sigCx = criticalStress(sigEx, dc.plateSteel.Fy, false);
    const float sigCy = static_cast<float>(criticalStress(sigEy, dc.plateSteel.Fy, false));

    // 8. Interaction; the squares make the sign of the stresses irrelevant.
    const double SigxS = dc.prep.SigxS;
    const double sigyMean = (dc.SigyA + dc.SigyC) / 2;
    const float UFgbu = static_cast<float>(sq(SigxS / (n * sigCx)) + sq(sigyMean / (n * sigCy)));

    dc.buckling.girderK1 = k1;
    dc.buckling.girderK2 = k2;
    dc.buckling.girderSigEx = sigEx;
    dc.buckling.girderSigEy = sigEy;
    dc.buckling.girderSigCx = sigCx;
    dc.buckling.girderSigCy = sigCy;
    dc.buckling.girderSigy = sigyMean;
    dc.uf.UFgbu = UFgbu;
    return StepOutcome::done();
}

StepOutcome checkOverallBuckling(DesignCase& dc) {
    const double s = dc.prep.smean;
    const double t = dc.t;
    const double Ie = dc.stiff.Ie;

    const double delta = dc.stiff.Ax / (s * t);
    const double alpha = dc.L1 / s;
    const float gammaO = static_cast<float>((2.6 + 4 * delta) * alpha * alpha + 12.4 * alpha - 13.2 * std::sqrt(alpha));
    const double io = gammaO * s * t * t * t / twelveOneMinusNu2;
    const double UFs = io / Ie;

    dc.buckling.gammaO = gammaO;
    dc.buckling.io = io;
    dc.uf.UFs = UFs;
    return StepOutcome::done();
}

} // namespace korvel
