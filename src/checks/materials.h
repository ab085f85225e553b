#pragma once

// The steel grades of the design case: copying the chosen grade's strengths into the case, and
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

// Plate and girder: below the last position Fyp and Fup take the grade's Fy and Fu; at the last
// position the typed values stay. A position outside the list is a fault and changes nothing.
StepOutcome refreshPlateMaterial(DesignCase& dc, const Catalogue& catalogue);

// Stiffener: as for the plate, with Fys, Fus and the material factor Q of the grade.
StepOutcome refreshStiffenerMaterial(DesignCase& dc, const Catalogue& catalogue);

// Material factor Q of ABS MODU 3-2-2: the table value for the hull grades at positions 0 to 3;
// for any later position 489.55/(Fy + 2*Fu/3) from the strengths in force. Empty for a
// position outside the list, or strengths whose sum is not positive.
std::optional<double> materialFactor(const Catalogue& catalogue, int index, double Fy, double Fu);

} // namespace korvel
