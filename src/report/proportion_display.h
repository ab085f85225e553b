#pragma once

// The web and flange slenderness lines of the stiffener (ABS 9.7 flange, 9.9 web) with their
// OK / NOK verdicts, as the profile dialogs' check area and the printed page show them.

#include "design/section_records.h"
#include "figures/drawing_surface.h"

namespace korvel {

// Writes the flange line and the web line with their verdicts at (x, y). Mode 0 (dialog check
// area) sets the scale 60 x 4 and clears the surface first; mode 1 (printed page) draws where
// it is told. y is advanced past the flange line: 1.5 in mode 0, 1 in mode 1. The ratios and
// limits are written with `decimalSeparator`; the clauses keep their periods.
void proportionCheckDisplay(DrawingSurface& surface, const StiffenerSection& s, double& y, double x, int mode,
                            char decimalSeparator = '.');

} // namespace korvel
