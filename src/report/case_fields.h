#pragma once

// Every named quantity of a calculated design case, in one fixed order: the inputs, the
// prepared stresses, both plate fields, the stiffener and girder sections, the buckling of
// stiffener and girder, the scantling ratios, the utilisations, whether the transverse stress
// was out of range, and how the calculation ended. The names are the engineering symbols, so
// that a hand calculation can be checked against any listing made from them; a plate field's
// quantities carry its number ("TauC[1]", "TauC[2]").

#include "design/design_case.h"

#include <string>
#include <string_view>

namespace korvel {

// Receives each quantity with the type it has in the design case, so that a listing can show
// a float with the digits it holds.
class CaseFieldVisitor {
public:
    virtual ~CaseFieldVisitor() = default;
    virtual void field(std::string_view name, double value) = 0;
    virtual void field(std::string_view name, float value) = 0;
    virtual void field(std::string_view name, int value) = 0;
    virtual void field(std::string_view name, const std::string& value) = 0;
};

void visitCaseFields(const DesignCase& dc, CaseFieldVisitor& visitor);

} // namespace korvel
