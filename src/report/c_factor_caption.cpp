#include "report/c_factor_caption.h"

#include "checks/yield/c_factor.h"
#include "checks/yield/structure_types.h"
#include "design/number_format.h"

namespace korvel {

CFactorCaption cFactorCaption(const DesignCase& dc, char sep) {
    CFactorCaption caption;
    if (!structureCodeProblem(dc.structureType, dc.structureOption).empty()) return caption;
    caption.tab = dc.structureType;
    caption.option = dc.structureOption;
    const std::string cStiffener = "c = " + formatNumber(dc.cStiffener, "#0.00", sep);
    const std::string both = cStiffener + " / " + formatNumber(dc.cGirder, "#0.00", sep) + "  stiff/gird  ";
    const StructureTypeFacts& structure = *structureTypeFacts(dc.structureType);
    std::string clause;
    for (const char c : structure.clause) clause += c == '&' ? std::string("&&") : std::string(1, c);
    if (structure.unitLength) caption.unitLength = formatNumber(dc.UL, "#0", sep);
    caption.text = (structure.unitLength ? cStiffener + "  " : both) + " ABS (" + clause + ")";
    return caption;
}

} // namespace korvel
