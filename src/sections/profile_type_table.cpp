#include "sections/profile_type_table.h"

namespace korvel {

namespace {

using F = ShapeFamily;
using D = DesignationForm;
using C = ClosingCheck;

constexpr unsigned flangedFields = fieldH | fieldB | fieldTw | fieldTf;

// clang-format off
constexpr StiffenerTypeFacts stiffenerTypes[stiffenerTypeCount] = {
    {stiffLTable, "LR", "LR", TableKind::l, &DesignCase::lRow, nullptr, 0, false, "",
     F::angle, D::flanged, "L ", false,
     "Stiffener: L-table", "pic_small_l", "pic_l", "stiffl", "mnustiffl", "&L-table", " mm4", C::none, 0},
    {stiffLBuiltUp, "LW", "LW", std::nullopt, nullptr, &DesignCase::lBuiltUp, flangedFields, false, "##0.0",
     F::angle, D::flanged, "Built-up: L ", false,
     "Stiffener: L-built-up", "pic_small_l", "pic_lb", "stifflb", "mnustifflb", "L-built-up", " mm4", C::leaveField, 0},
    {stiffTTable, "", "", TableKind::t, &DesignCase::tRow, nullptr, 0, false, "",
     F::tee, D::flanged, "T ", false,
     "Stiffener: T-table", "pic_small_t", "pic_t", "stifft", "mnustifft", "&T-table", " mm4", C::none, 0},
    {stiffTBuiltUp, "TG", "TG", std::nullopt, nullptr, &DesignCase::tBuiltUp, flangedFields, false, "##0",
     F::tee, D::flanged, "Built-up: T ", false,
     "Stiffener: T-built-up", "pic_small_t", "pic_t", "stifftb", "mnustifftb", "T-built-up", " mm4", C::checkFields,
     flangedFields},
    {stiffFlatbarTable, "", "", TableKind::flatbar, &DesignCase::flatbarRow, nullptr, 0, false, "",
     F::flatBar, D::web, "Fb ", true,
     "Stiffener: Flatbar-table", "pic_small_fb", "pic_f", "stifff", "mnustifff", "&Flatbar-table", "", C::none, 0},
    {stiffFlatbarBuiltUp, "FB", "Fb", std::nullopt, nullptr, &DesignCase::flatbarBuiltUp, fieldH | fieldTw, false,
     "##0", F::flatBar, D::web, "Fb ", true,
     "Stiffener: Flatbar-built-up", "pic_small_fb", "pic_f", "stifffb", "mnustifffb", "Flatbar-built-up", "",
     C::checkFields, fieldH},
    {stiffBFTable, "BF", "BF", TableKind::bulbFlat, &DesignCase::bfRow, nullptr, 0, false, "",
     F::angle, D::web, "BF ", true,
     "Stiffener: BF-table", "pic_small_hp", "pic_hp", "stiffhp", "mnustiffhp", "&BF-table", " mm4", C::none, 0},
    {stiffRHS, "", "", std::nullopt, nullptr, &DesignCase::rhs, fieldH | fieldB | fieldTw, true, "##0",
     F::rhs, D::box, "RHS ", false,
     "Stiffener: RHS", "pic_small_rhs", "pic_rhs", "stiffrhs", "mnustiffrhs", "&RHS", "", C::checkFields,
     fieldH | fieldB | fieldTw},
    {stiffTrapez, "", "", std::nullopt, nullptr, &DesignCase::trapez, fieldH | fieldB | fieldTw | fieldA, true, "##0",
     F::trapez, D::trapez, "Trapez ", false,
     "Stiffener: Trapez-profile", "pic_small_u", "pic_usp", "stiffusp", "mnustiffusp", "&Trapez-profile", "",
     C::checkFields, fieldH | fieldB | fieldTw},
    {stiffIBuiltUp, "IG", "IG", std::nullopt, nullptr, &DesignCase::iBuiltUp, flangedFields, false, "##0",
     F::iSection, D::iSection, "I ", false,
     "Stiffener: I-built-up", "pic_small_i", "pic_i", "stiffib", "mnustiffib", "I-built-up", " mm4 (one flange)",
     C::checkFields, flangedFields},
};

constexpr GirderTypeFacts girderTypes[] = {
    {girderL, "LG", &DesignCase::lGirder, "L ", "Girder: L - Built-up", "pic_small_lg", "pic_GirderL"},
    {girderT, "TG", &DesignCase::tGirder, "T ", "Girder: T-built-up", "pic_small_tg", "pic_GirderT"},
};
// clang-format on

constexpr bool codesInOrder() {
    for (int type = 0; type < stiffenerTypeCount; ++type)
        if (stiffenerTypes[type].code != type) return false;
    return true;
}
static_assert(codesInOrder(), "row n of the stiffener types describes type code n");

} // namespace

const StiffenerTypeFacts* stiffenerTypeFacts(int stiffenerType) {
    if (stiffenerType < 0 || stiffenerType >= stiffenerTypeCount) return nullptr;
    return &stiffenerTypes[stiffenerType];
}

const GirderTypeFacts* girderTypeFacts(int girderType) {
    for (const GirderTypeFacts& g : girderTypes)
        if (g.code == girderType) return &g;
    return nullptr;
}

} // namespace korvel
