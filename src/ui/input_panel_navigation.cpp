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
    {"iproj", "iident"},  {"iident", "cbofyp"},    {"ifyp", "ifup"},     {"ifup", "cbofys"},  {"ifys", "ifus"},
    {"ifus", "ie"},       {"iunit_length", "il1"}, {"il1", "il2"},       {"il2", "iLg"},      {"iLg", "it"},
    {"it", "is1"},        {"is1", "is2"},          {"is2", "iLgs"},      {"iLgs", "iLt"},     {"iLt", "isigx1"},
    {"isigx1", "isigx2"}, {"isigx2", "isigy1"},    {"isigy1", "isigy3"}, {"isigy3", "itau1"}, {"itau1", "ip1"},
    {"ip1", "ips"},       {"ips", "iproj"},
}};

// Down along the geometry and load boxes; Up is the reverse, except where listed below.
constexpr std::array<Step, 11> downChain{{
    {"il1", "il2"},
    {"il2", "iLg"},
    {"iLg", "it"},
    {"it", "is1"},
    {"is1", "is2"},
    {"is2", "iLgs"},
    {"iLgs", "iLt"},
    {"iLt", "isigx1"},
    {"itau1", "ip1"},
    {"ip1", "ips"},
    {"ips", "iproj"},
}};

// The stress grid: SigxA SigxB in the first row, SigyA SigyC in the second.
struct GridCell {
    std::string_view box, down, up, left, right;
};
constexpr std::array<GridCell, 4> stressGrid{{
    {"isigx1", "isigy1", "iLt", "is2", "isigx2"},
    {"isigx2", "isigy3", "itau1", "isigx1", "isigy1"},
    {"isigy1", "itau1", "isigx1", "isigx2", "isigy3"},
    {"isigy3", "ip1", "isigx2", "isigy1", "itau1"},
}};

const GridCell* gridCell(std::string_view control) {
    const auto it =
        std::find_if(stressGrid.begin(), stressGrid.end(), [control](const GridCell& c) { return c.box == control; });
    return it == stressGrid.end() ? nullptr : &*it;
}

} // namespace

std::string nextOnEnter(std::string_view control, const DesignCase& dc, const Catalogue& catalogue) {
    // A catalogue grade's strengths are copied and their boxes disabled: Enter passes them by.
    if (control == "cbofyp") return isUserDefinedMaterial(catalogue, dc.plateMaterial) ? "ifyp" : "cbofys";
    if (control == "cbofys") return isUserDefinedMaterial(catalogue, dc.stiffenerMaterial) ? "ifys" : "ie";
    // The unit length only counts for watertight bulkheads and only shows on their tab.
    if (control == "ie") return dc.structureType == watertightBulkhead ? "iunit_length" : "il1";
    if (control == "ifs") return "iufa";
    if (control == "iufa") return "cbofyp";
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
        if (control == "il1") return "ip1";
        if (control == "itau1") return "isigy1";
        if (control == "iproj") return {};
        for (const Step& s : downChain)
            if (s.to == control) return std::string(s.from);
        return {};
    }
    return {};
}

bool movesUpDown(std::string_view control) {
    if (control == "iproj") return false;
    return !nextOnArrow(control, ArrowKey::down).empty() || !nextOnArrow(control, ArrowKey::up).empty();
}

bool movesLeftRight(std::string_view control) {
    return gridCell(control) != nullptr;
}

} // namespace korvel
