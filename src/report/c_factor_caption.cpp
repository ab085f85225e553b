#include "report/c_factor_caption.h"

#include "checks/yield/c_factor.h"
#include "design/number_format.h"

namespace korvel {

CFactorCaption cFactorCaption(const DesignCase& dc) {
    CFactorCaption caption;
    if (!structureCodeProblem(dc.structureType, dc.structureOption).empty()) return caption;
    caption.tab = dc.structureType;
    caption.option = dc.structureOption;
    const std::string cStiffener = "c = " + formatNumber(dc.cStiffener, "#0.00");
    const std::string both = cStiffener + " / " + formatNumber(dc.cGirder, "#0.00") + "  stiff/gird  ";
    switch (dc.structureType) {
    case watertightBulkhead:
        caption.unitLength = formatNumber(dc.UL, "#0");
        caption.text = cStiffener + "  " + " ABS (3-2-2/7.5)";
        break;
    case tankBulkhead:
        caption.text = both + " ABS (3-2-2/9.5&&9.9)";
        break;
    default:
        caption.text = both + " ABS (3-2-4/3.5&&3.7)";
        break;
    }
    return caption;
}

} // namespace korvel
