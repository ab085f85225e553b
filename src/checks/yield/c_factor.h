#pragma once

// The c-factors of the minimum-scantling rules of ABS MODU Part 3 (3-2-2/7.5 watertight
// bulkhead stiffeners, 3-2-2/9.5 and 9.9 tank bulkheads, 3-2-4/3.5 and 3.7 upper structure),
// and the caption of the structure-type tabs that shows them. UL is the unit length in m.

#include "design/design_case.h"

#include <optional>
#include <string>

namespace korvel {

// Empty when the structure type (0 watertight bulkhead, 1 tank bulkhead, 2 upper structure)
// and the structure option (0 or 1) are codes the rules know; otherwise the problem in words.
// Both come from project and batch files, so they are checked before any table is read.
std::string structureCodeProblem(int structureType, int option);

// Stiffener c-factor. Watertight bulkheads correct it for unit lengths below 61 m, linearly
// down to 45 m. Quiet NaN for codes outside the tables (see structureCodeProblem).
double stiffenerCFactor(int structureType, int option, double UL);

// Girder c-factor: 1.5 for tank bulkheads and upper structure in way of tanks, else 1.0.
// Quiet NaN for codes outside the tables.
double girderCFactor(int structureType, int option);

// What the structure-type control shows: the tab and option button to select and the
// caption of that tab. A literal "&" is doubled because the caption marks access keys with
// "&". For a watertight bulkhead the unit-length box is refreshed too, with UL as "#0".
// Codes outside the tables give tab and option -1 and no texts: nothing is selected.
struct CFactorCaption {
    int tab = -1;
    int option = -1;
    std::string text;
    std::optional<std::string> unitLength;
    bool operator==(const CFactorCaption& o) const {
        return tab == o.tab && option == o.option && text == o.text && unitLength == o.unitLength;
    }
};

// Reads the c-factors the last stiffener and girder checks left in the case.
CFactorCaption cFactorCaption(const DesignCase& dc);

} // namespace korvel
