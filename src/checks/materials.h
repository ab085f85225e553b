#pragma once

// The steel grades of the design case: the strengths the chosen grade puts in force, and
// the material factor Q of the minimum-scantling rules. Strengths in MPa.

#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/design_case.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The grade at a material-list position, or nullptr when the position is not in the list.
const Material* findMaterial(const Catalogue& catalogue, int index);

// The last position of the list is the user-defined grade, whose strengths are typed.
bool isUserDefinedMaterial(const Catalogue& catalogue, int index);

// "<role> material index N is outside the material list", role "plate" or "stiffener".
std::string materialIndexProblem(std::string_view role, int index);

// The strengths a material-list position puts in force: below the last position the grade's Fy
// and Fu; at the user-defined last position the typed ones. At a position outside the list (a
// fault the calculation reports) the typed ones stand, so that the case shows what it holds.
MaterialStrengths plateStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue);
MaterialStrengths stiffenerStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue);

// Plate and girder: puts the strengths of the plate material in force (dc.plateSteel). A
// position outside the list, or a grade whose Fu is beyond single precision, is a fault; the
// typed strengths then stand.
StepOutcome refreshPlateMaterial(DesignCase& dc, const Catalogue& catalogue);

// Stiffener: as for the plate (dc.stiffenerSteel), with the material factor Q of the grade.
StepOutcome refreshStiffenerMaterial(DesignCase& dc, const Catalogue& catalogue);

// Material factor Q of ABS MODU 3-2-2: the table value for the hull grades at positions 0 to 3;
// for any later position 489.55/(Fy + 2*Fu/3) from the strengths in force. Empty for a
// position outside the list, or strengths whose sum is not positive.
std::optional<double> materialFactor(const Catalogue& catalogue, int index, double Fy, double Fu);

} // namespace korvel
