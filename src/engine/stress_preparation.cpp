#include "engine/stress_preparation.h"

#include <algorithm>

namespace korvel {

void warnGeometry(const CaseInputs& dc, WarningSink& warnings) {
    if (dc.s1 > dc.L1)
        warnings.warn(" s1 <= L1  ", InputBox::s1);
    else if (dc.s2 > dc.L1)
        warnings.warn(" s2 <= l1  ", InputBox::s2);
    if (dc.s1 > dc.L2)
        warnings.warn(" s1 <= L2  ", InputBox::s1);
    else if (dc.s2 > dc.L2)
        warnings.warn(" s2 <= l2  ", InputBox::s2);
}

void prepareStresses(DesignCase& dc) {
    PreparedStresses& p = dc.prep;
    p.sg = (dc.L1 + dc.L2) / 2;
    p.s1s2 = static_cast<float>(dc.s1 + dc.s2);
    p.smean = (dc.s1 + dc.s2) / 2;
    p.SigxS = dc.SigxA - (dc.SigxA - dc.SigxB) * dc.s1 / (dc.s1 + dc.s2);
    p.sigx1Min = std::min<double>(dc.SigxA, p.SigxS);
    p.sigx1Max = std::max<double>(dc.SigxA, p.SigxS);
    p.sigx2Min = std::min<double>(p.SigxS, dc.SigxB);
    p.sigx2Max = std::max<double>(p.SigxS, dc.SigxB);
    p.sigyMin = std::min<double>(dc.SigyA, dc.SigyC);
    p.sigyMax = std::max<double>(dc.SigyA, dc.SigyC);
}

double breadthRatio(double r) {
    if (r < 1.5) return 0.58 * r;
    if (r < 2) return 0.58 + 0.15 * (r - 1.5) / 0.5;
    if (r < 2.5) return 0.73 + 0.10 * (r - 2) / 0.5;
    if (r < 3) return 0.83 + 0.07 * (r - 2.5) / 0.5;
    if (r < 3.5) return 0.90 + 0.05 * (r - 3) / 0.5;
    if (r < 4) return 0.95 + 0.03 * (r - 3.5) / 0.5;
    if (r < 4.5) return 0.98 + 0.02 * (r - 4) / 0.5;
    return 1;
}

void prepareBendingWidth(DesignCase& dc) {
    const float l = static_cast<float>(0.6 * dc.L1);
    const double f1 = breadthRatio(l / dc.s1);
    const float f2 = static_cast<float>(breadthRatio(l / dc.s2));
    dc.prep.sw = static_cast<float>((dc.s1 * f1 + dc.s2 * f2) / 2);
}

} // namespace korvel
