#pragma once

// The caption of the structure-type tabs: the c-factors of the minimum-scantling rules with
// their clauses, as the main window shows them.

#include "design/design_case.h"

#include <optional>
#include <string>

namespace korvel {

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

// Reads the c-factors the last stiffener and girder checks left in the case; their numbers are
// written with `decimalSeparator`, the clause keeps its periods.
CFactorCaption cFactorCaption(const DesignCase& dc, char decimalSeparator = '.');

} // namespace korvel
