#pragma once

// The reserve factor of a panel over its load cases: the smallest λ* of its cases, with the load
// case that gives it (the first in file order on a tie) and the check that limits it. A case whose
// calculation stops with the loads at zero has no reserve at all and comes before any λ*; "> 100"
// (nothing limits it) comes after every λ*. Panels and load cases as the envelope of a batch run
// names them (the project and the identification up to its first "/").

#include "engine/panel_index.h"
#include "studies/reserve_study.h"

#include <string>
#include <vector>

namespace korvel {

struct PanelReserve {
    std::string project;
    std::string panel;
    int cases = 0;
    ReserveResult smallest;
    std::string loadCase;
    bool operator==(const PanelReserve& o) const {
        return project == o.project && panel == o.panel && cases == o.cases && smallest == o.smallest &&
               loadCase == o.loadCase;
    }
};

// Whether reserve a is smaller than b: stopping at zero, then λ*, then open.
bool smallerReserve(const ReserveResult& a, const ReserveResult& b);

// Folds the reserve factors of cases, in file order, into their panels.
class ReserveEnvelopeBuilder {
public:
    void add(const std::string& project, const std::string& identification, const ReserveResult& r);
    // The panels in order of first appearance.
    const std::vector<PanelReserve>& panels() const { return panels_; }

private:
    std::vector<PanelReserve> panels_;
    PanelIndex index_;
};

// "project	panel	cases	lambda*	load case	governing" and CR LF; one row per panel.
std::string reserveEnvelopeHeader();
void appendReserveEnvelopeRow(std::string& out, const PanelReserve& panel);

} // namespace korvel
