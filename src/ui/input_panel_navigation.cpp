#include "ui/input_panel_navigation.h"

#include "checks/materials.h"

#include <algorithm>
#include <array>

namespace korvel {

namespace {

struct Step {
    std::string_view from;
    std::string_view to;
};

// Enter: the fixed part of the order; the four branching controls are decided below.
constexpr std::array<Step, 22> enterSteps{{
    {"projectBox", "identBox"}, {"identBox", "plateMaterialList"},
    {"FypBox", "FupBox"},       {"FupBox", "stiffenerMaterialList"},
    {"FysBox", "FusBox"},       {"FusBox", "EBox"},
    {"ULBox", "L1Box"},         {"L1Box", "L2Box"},
    {"L2Box", "LgBox"},         {"LgBox", "tBox"},
    {"tBox", "s1Box"},          {"s1Box", "s2Box"},
    {"s2Box", "LgsBox"},        {"LgsBox", "LtBox"},
    {"LtBox", "SigxABox"},      {"SigxABox", "SigxBBox"},
    {"SigxBBox", "SigyABox"},   {"SigyABox", "SigyCBox"},
    {"SigyCBox", "TauBox"},     {"TauBox", "pBox"},
    {"pBox", "psBox"},          {"psBox", "projectBox"},
}};

// Down along the geometry and load boxes; Up is the reverse, except where listed below.
constexpr std::array<Step, 11> downChain{{
    {"L1Box", "L2Box"},
    {"L2Box", "LgBox"},
    {"LgBox", "tBox"},
    {"tBox", "s1Box"},
    {"s1Box", "s2Box"},
    {"s2Box", "LgsBox"},
    {"LgsBox", "LtBox"},
    {"LtBox", "SigxABox"},
    {"TauBox", "pBox"},
    {"pBox", "psBox"},
    {"psBox", "projectBox"},
}};

// The stress grid: SigxA SigxB in the first row, SigyA SigyC in the second.
struct GridCell {
    std::string_view box, down, up, left, right;
};
constexpr std::array<GridCell, 4> stressGrid{{
    {"SigxABox", "SigyABox", "LtBox", "s2Box", "SigxBBox"},
    {"SigxBBox", "SigyCBox", "TauBox", "SigxABox", "SigyABox"},
    {"SigyABox", "TauBox", "SigxABox", "SigxBBox", "SigyCBox"},
    {"SigyCBox", "pBox", "SigxBBox", "SigyABox", "TauBox"},
}};

const GridCell* gridCell(std::string_view control) {
    const auto it =
        std::find_if(stressGrid.begin(), stressGrid.end(), [control](const GridCell& c) { return c.box == control; });
    return it == stressGrid.end() ? nullptr : &*it;
}

} // namespace

std::string nextOnEnter(std::string_view control, const DesignCase& dc, const Catalogue& catalogue) {
    // A catalogue grade's strengths are copied and their boxes disabled: Enter passes them by.
    if (control == "plateMaterialList")
        return isUserDefinedMaterial(catalogue, dc.plateMaterial) ? "FypBox" : "stiffenerMaterialList";
    if (control == "stiffenerMaterialList")
        return isUserDefinedMaterial(catalogue, dc.stiffenerMaterial) ? "FysBox" : "EBox";
    // The unit length only counts for watertight bulkheads and only shows on their tab.
    if (control == "EBox") return dc.structureType == watertightBulkhead ? "ULBox" : "L1Box";
    if (control == "FSBox") return "UFBox";
    if (control == "UFBox") return "plateMaterialList";
    for (const Step& s : enterSteps)
        if (s.from == control) return std::string(s.to);
    return {};
}

std::string nextOnArrow(std::string_view control, ArrowKey key) {
    if (const GridCell* cell = gridCell(control)) {
        switch (key) {
        case ArrowKey::down:
            return std::string(cell->down);
        case ArrowKey::up:
            return std::string(cell->up);
        case ArrowKey::left:
            return std::string(cell->left);
        case ArrowKey::right:
            return std::string(cell->right);
        }
    }
    if (key == ArrowKey::down) {
        for (const Step& s : downChain)
            if (s.from == control) return std::string(s.to);
        return {};
    }
    if (key == ArrowKey::up) {
        // Up from the first geometry box wraps round to the buckling pressure; tau goes back
        // into the grid's lower row.
        if (control == "L1Box") return "pBox";
        if (control == "TauBox") return "SigyABox";
        if (control == "projectBox") return {};
        for (const Step& s : downChain)
            if (s.to == control) return std::string(s.from);
        return {};
    }
    return {};
}

bool movesUpDown(std::string_view control) {
    if (control == "projectBox") return false;
    return !nextOnArrow(control, ArrowKey::down).empty() || !nextOnArrow(control, ArrowKey::up).empty();
}

bool movesLeftRight(std::string_view control) {
    return gridCell(control) != nullptr;
}

} // namespace korvel
