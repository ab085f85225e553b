#pragma once

#include "design/design_case.h"
#include "design/warning_sink.h"

namespace korvel {

// Plausibility of the panel geometry: a plate field may not be wider than the stiffener span
// on either side of the girder. Only warns; at most two messages per calculation.
void warnGeometry(const CaseInputs& dc, WarningSink& warnings);

// Girder load breadth, spacing sums and the x and y stress sets of the two plate fields
// (compression negative; x stresses vary linearly from edge A to edge B).
void prepareStresses(DesignCase& dc);

// Breadth ratio f of a plate field of spacing s under bending with l = 0.6·L1 (DNV-style
// effective breadth table); below l/s = 1.5 the ratio is 0.58·l/s.
double breadthRatio(double r);

// Effective breadth sw of the plating attached to the stiffener in bending.
void prepareBendingWidth(DesignCase& dc);

} // namespace korvel
