#include "design/design_case.h"

#include "design/input_fields.h"

#include <tuple>

namespace korvel {

namespace {

// Every input that is not one of the typed numbers: the texts, the codes, the catalogue rows and
// the remembered profiles.
auto otherInputs(const CaseInputs& c) {
    return std::tie(c.projectName, c.identification, c.loadingCondition, c.structureType, c.structureOption,
                    c.plateMaterial, c.stiffenerMaterial, c.stiffenerType, c.lRow, c.tRow, c.flatbarRow, c.bfRow,
                    c.lBuiltUp, c.tBuiltUp, c.flatbarBuiltUp, c.rhs, c.trapez, c.iBuiltUp, c.girderType, c.lGirder,
                    c.tGirder);
}

} // namespace

bool CaseInputs::operator==(const CaseInputs& o) const {
    for (const InputField& f : inputFields)
        if (!(f.member.get(*this) == f.member.get(o))) return false;
    return otherInputs(*this) == otherInputs(o);
}

bool sameButLoads(const CaseInputs& a, const CaseInputs& b) {
    for (const InputField& f : inputFields)
        if (f.study != StudyUse::load && !(f.member.get(a) == f.member.get(b))) return false;
    return otherInputs(a) == otherInputs(b);
}

CaseInputs inputsInForce(const DesignCase& dc) {
    CaseInputs in = dc;
    in.Fyp = dc.plateSteel.Fy;
    in.Fup = dc.plateSteel.Fu;
    in.Fys = dc.stiffenerSteel.Fy;
    in.Fus = dc.stiffenerSteel.Fu;
    return in;
}

void resetToNewFile(DesignCase& dc) {
    dc = DesignCase{};
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
