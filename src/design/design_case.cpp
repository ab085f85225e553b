#include "design/design_case.h"

#include <tuple>

namespace korvel {

namespace {

// Every input, in the order of the record, for comparing two cases field by field.
auto inputFields(const CaseInputs& c) {
    return std::tie(c.projectName, c.identification, c.loadingCondition, c.structureType, c.structureOption, c.FS, c.UF,
                    c.t, c.s1, c.s2, c.L1, c.L2, c.Lg, c.Lgs, c.Lt, c.SigxA, c.SigxB, c.SigyA, c.SigyC, c.Tau, c.p,
                    c.ps, c.plateMaterial, c.stiffenerMaterial, c.Fyp, c.Fup, c.Fys, c.Fus, c.E, c.UL, c.stiffenerType,
                    c.lRow, c.tRow, c.flatbarRow, c.bfRow, c.lBuiltUp, c.tBuiltUp, c.flatbarBuiltUp, c.rhs, c.trapez,
                    c.iBuiltUp, c.girderType, c.lGirder, c.tGirder);
}

} // namespace

bool CaseInputs::operator==(const CaseInputs& o) const {
    return inputFields(*this) == inputFields(o);
}

void resetToNewFile(DesignCase& dc) {
    dc = DesignCase{};
}

void clearCheckLines(CheckLines& lines) {
    lines.forEach([](CheckLine& line) {
        line.clearTexts();
        line.status = statusNone;
    });
}

void chooseLoadingCondition(DesignCase& dc, int condition) {
    dc.loadingCondition = condition;
    if (condition == conditionA) {
        dc.FS = 1.43f;
        dc.UF = 0.6f;
    } else if (condition == conditionB) {
        dc.FS = 1.11f;
        dc.UF = 0.8f;
    }
}

} // namespace korvel
