#pragma once

// The formulas of the profile types, one function per shape, that the rows of the table of
// profile types name (sections/profile_type_table.cpp). A type is computed and drawn only
// through its row; these are not called by type code anywhere.

#include "design/calc_fault.h"
#include "design/design_case.h"
#include "sections/profile_type_table.h"

namespace korvel {

// Bare-profile properties (sections/stiffener_section.cpp): angles, tees and the bulb flat as its
// equivalent angle; flat bars; the I with two equal flanges; the closed cells (Bredt-Batho).
StepOutcome flangedBareProperties(const DesignCase& dc, StiffenerSection& s);
StepOutcome flatBarBareProperties(const DesignCase& dc, StiffenerSection& s);
StepOutcome iBareProperties(const DesignCase& dc, StiffenerSection& s);
StepOutcome rhsBareProperties(const DesignCase& dc, StiffenerSection& s);
StepOutcome trapezBareProperties(const DesignCase& dc, StiffenerSection& s);

// The torsion constant with the plate in place (sections/stiffener_section.cpp).
StepOutcome bareTorsionKept(const DesignCase& dc, StiffenerSection& s);
StepOutcome trapezPlatedTorsion(const DesignCase& dc, StiffenerSection& s);

// Slenderness ratios (sections/stiffener_section.cpp).
ProportionRatios angleProportions(double H, double B, double tw, double tf);
ProportionRatios teeProportions(double H, double B, double tw, double tf);
ProportionRatios iProportions(double H, double B, double tw, double tf);
ProportionRatios bulbFlatProportions(double H, double B, double tw, double tf);
ProportionRatios flatBarProportions(double H, double B, double tw, double tf);
ProportionRatios closedCellProportions(double H, double B, double tw, double tf);

// Outlines on the plate strip (sections/profile_outline.cpp).
void rolledAngleOutline(const DesignCase& dc, ProfileOutline& o);
void builtUpAngleOutline(const DesignCase& dc, ProfileOutline& o);
void teeOutline(const DesignCase& dc, ProfileOutline& o);
void flatBarOutline(const DesignCase& dc, ProfileOutline& o);
void bulbFlatOutline(const DesignCase& dc, ProfileOutline& o);
void rhsOutline(const DesignCase& dc, ProfileOutline& o);
void trapezOutline(const DesignCase& dc, ProfileOutline& o);
void iOutline(const DesignCase& dc, ProfileOutline& o);

// Where the figure's dimensions go (sections/profile_outline.cpp).
DimensionLayout angleLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout bulbFlatLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout flatBarLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout rhsLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout trapezLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout iLayout(const DesignCase& dc, const ProfileOutline& o, double unit);
DimensionLayout teeLayout(const DesignCase& dc, const ProfileOutline& o, double unit);

} // namespace korvel
