#include "sections/profile_type_table.h"

#include "sections/profile_formulas.h"

#include <iterator>

namespace korvel {

namespace {

using F = ShapeFamily;
using D = DesignationForm;
using C = ClosingCheck;

constexpr unsigned flangedFields = fieldH | fieldB | fieldTw | fieldTf;

// clang-format off
constexpr StiffenerTypeFacts stiffenerTypes[stiffenerTypeCount] = {
    {stiffLTable, "LR", "LR", TableKind::l, &CaseInputs::lRow, nullptr, 0, false, stiffLBuiltUp, "",
     F::angle, D::flanged, "L ", false,
     "Stiffener: L-table", "pic_small_l", "pic_l", "stiffl", "mnustiffl", "&L-table", " mm4", 0.1, false, C::none, 0,
     flangedBareProperties, false, bareTorsionKept, angleProportions, 1.5, true, true, rolledAngleOutline,
     angleLayout},
    {stiffLBuiltUp, "LW", "LW", std::nullopt, nullptr, &CaseInputs::lBuiltUp, flangedFields, false, stiffLBuiltUp,
     "##0.0", F::angle, D::flanged, "Built-up: L ", false,
     "Stiffener: L-built-up", "pic_small_l", "pic_lb", "stifflb", "mnustifflb", "L-built-up", " mm4", 0.2, false, C::leaveField, 0,
     flangedBareProperties, false, bareTorsionKept, angleProportions, 1.5, true, false, builtUpAngleOutline,
     angleLayout},
    {stiffTTable, "", "", TableKind::t, &CaseInputs::tRow, nullptr, 0, false, stiffTBuiltUp, "",
     F::tee, D::flanged, "T ", false,
     "Stiffener: T-table", "pic_small_t", "pic_t", "stifft", "mnustifft", "&T-table", " mm4", 0.2, false, C::none, 0,
     flangedBareProperties, false, bareTorsionKept, teeProportions, 1.5, true, false, teeOutline, teeLayout},
    {stiffTBuiltUp, "TG", "TG", std::nullopt, nullptr, &CaseInputs::tBuiltUp, flangedFields, false, stiffTBuiltUp,
     "##0", F::tee, D::flanged, "Built-up: T ", false,
     "Stiffener: T-built-up", "pic_small_t", "pic_t", "stifftb", "mnustifftb", "T-built-up", " mm4", 0.2, false, C::checkFields,
     flangedFields,
     flangedBareProperties, false, bareTorsionKept, teeProportions, 1.5, true, false, teeOutline, teeLayout},
    {stiffFlatbarTable, "", "", TableKind::flatbar, &CaseInputs::flatbarRow, nullptr, 0, false, stiffFlatbarBuiltUp,
     "", F::flatBar, D::web, "Fb ", true,
     "Stiffener: Flatbar-table", "pic_small_fb", "pic_f", "stifff", "mnustifff", "&Flatbar-table", "", 0.2, true, C::none, 0,
     flatBarBareProperties, false, bareTorsionKept, flatBarProportions, 0.4, false, false, flatBarOutline,
     flatBarLayout},
    {stiffFlatbarBuiltUp, "FB", "Fb", std::nullopt, nullptr, &CaseInputs::flatbarBuiltUp, fieldH | fieldTw, false,
     stiffFlatbarBuiltUp, "##0", F::flatBar, D::web, "Fb ", true,
     "Stiffener: Flatbar-built-up", "pic_small_fb", "pic_f", "stifffb", "mnustifffb", "Flatbar-built-up", "",
     0.2, false, C::checkFields, fieldH,
     flatBarBareProperties, false, bareTorsionKept, flatBarProportions, 0.4, false, false, flatBarOutline,
     flatBarLayout},
    {stiffBFTable, "BF", "BF", TableKind::bulbFlat, &CaseInputs::bfRow, nullptr, 0, false, stiffLBuiltUp, "",
     F::angle, D::web, "BF ", true,
     "Stiffener: BF-table", "pic_small_hp", "pic_hp", "stiffhp", "mnustiffhp", "&BF-table", " mm4", 0.2, false, C::none, 0,
     flangedBareProperties, true, bareTorsionKept, bulbFlatProportions, 0.85, false, false, bulbFlatOutline,
     bulbFlatLayout},
    {stiffRHS, "", "", std::nullopt, nullptr, &CaseInputs::rhs, fieldH | fieldB | fieldTw, true, stiffRHS, "##0",
     F::rhs, D::box, "RHS ", false,
     "Stiffener: RHS", "pic_small_rhs", "pic_rhs", "stiffrhs", "mnustiffrhs", "&RHS", "", 0.2, false, C::checkFields,
     fieldH | fieldB | fieldTw,
     rhsBareProperties, false, bareTorsionKept, closedCellProportions, 0, false, false, rhsOutline, rhsLayout},
    {stiffTrapez, "", "", std::nullopt, nullptr, &CaseInputs::trapez, fieldH | fieldB | fieldTw | fieldA, true,
     stiffTrapez, "##0", F::trapez, D::trapez, "Trapez ", false,
     "Stiffener: Trapez-profile", "pic_small_u", "pic_usp", "stiffusp", "mnustiffusp", "&Trapez-profile", "",
     0.2, false, C::checkFields, fieldH | fieldB | fieldTw,
     trapezBareProperties, false, trapezPlatedTorsion, closedCellProportions, 0, false, false, trapezOutline,
     trapezLayout},
    {stiffIBuiltUp, "IG", "IG", std::nullopt, nullptr, &CaseInputs::iBuiltUp, flangedFields, false, stiffIBuiltUp,
     "##0", F::iSection, D::iSection, "I ", false,
     "Stiffener: I-built-up", "pic_small_i", "pic_i", "stiffib", "mnustiffib", "I-built-up", " mm4 (one flange)",
     0.2, false, C::checkFields, flangedFields,
     iBareProperties, false, bareTorsionKept, iProportions, 1.5, true, false, iOutline, iLayout},
};

constexpr GirderTypeFacts girderTypes[] = {
    {girderL, "LG", &CaseInputs::lGirder, "L ", "Girder: L - Built-up", "pic_small_lg", "pic_GirderL", "girdlg",
     "LGirderAction", "&L- Girder"},
    {girderT, "TG", &CaseInputs::tGirder, "T ", "Girder: T-built-up", "pic_small_tg", "pic_GirderT", "girdtg",
     "TGirderAction", "&T - Girder"},
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

TypeRows<StiffenerTypeFacts> stiffenerTypeRows() {
    return {std::begin(stiffenerTypes), std::end(stiffenerTypes)};
}

TypeRows<GirderTypeFacts> girderTypeRows() {
    return {std::begin(girderTypes), std::end(girderTypes)};
}

std::string stiffenerCodesText() {
    // The codes run from 0 without a gap (codesInOrder).
    return "0 to " + std::to_string(stiffenerTypeCount - 1);
}

StepOutcome unknownStiffenerType(int stiffenerType) {
    return StepOutcome::fault("stiffener type " + std::to_string(stiffenerType) + " is not one of " +
                              stiffenerCodesText());
}

std::string girderCodesText(std::string_view conjunction) {
    std::string text;
    for (const GirderTypeFacts& g : girderTypes) {
        if (!text.empty()) {
            text += ' ';
            text += conjunction;
            text += ' ';
        }
        text += std::to_string(g.code) + " (" + std::string(g.designationPrefix.substr(0, 1)) + ")";
    }
    return text;
}

} // namespace korvel
