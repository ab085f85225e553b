#include "design/design_case.h"

namespace korvel {

void resetToNewFile(DesignCase& dc) {
    // The strengths are not new-file values: they follow from the material indices.
    const double Fyp = dc.Fyp;
    const float Fup = dc.Fup;
    const double Fys = dc.Fys;
    const float Fus = dc.Fus;
    const double Q = dc.Q;
    dc = DesignCase{};
    dc.Fyp = Fyp;
    dc.Fup = Fup;
    dc.Fys = Fys;
    dc.Fus = Fus;
    dc.Q = Q;
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
