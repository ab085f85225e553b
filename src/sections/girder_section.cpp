#include "sections/girder_section.h"

#include "sections/profile_types.h"
#include "sections/stiffener_section.h"

namespace korvel {

StepOutcome girderProperties(DesignCase& dc) {
    const GirderDims* set = girderDims(dc, dc.girderType);
    if (!set)
        return StepOutcome::fault("girder type " + std::to_string(dc.girderType) + " is not " + girderCodesText());
    GirderSection& g = dc.girder;
    g.H = set->H;
    g.B = set->B;
    g.tw = set->tw;
    g.tf = set->tf;

    // Angle and tee alike: the flange's sideways offset does not enter bending about y.
    const FlangedSection f = flangedSection(g.H, g.B, g.tw, g.tf);
    g.hw = f.hw;
    if (!f.outcome.ok()) return StepOutcome::fault("girder: " + f.outcome.reason());
    g.Ag = f.Ax;
    g.gg = weightPerMetre(g.Ag);
    g.zcg = f.zc;
    g.Iyg = static_cast<float>(f.Iy);

    // Effective plate width: the load breadth, at most a third of the girder span.
    g.sge = (dc.L1 + dc.L2) / 2;
    if (0.33 * dc.Lg < g.sge) g.sge = 0.33 * dc.Lg;
    const PlatedSet p = platedSet(g.Ag, g.zcg, g.Iyg, g.H, dc.t, g.sge);
    if (!p.outcome.ok()) return StepOutcome::fault("girder with plate width sge: " + p.outcome.reason());
    g.Aeg = p.A;
    g.zpg = p.zp;
    g.Ieg = p.I;
    g.Wgp = p.Wp;
    g.Wgs = static_cast<float>(p.Ws);
    return StepOutcome::done();
}

} // namespace korvel
