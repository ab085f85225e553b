// korvel-batch: the calculation without a window.
#include "design/calculate.h"
#include "design/design_case.h"
#include "design/number_format.h"

#include <iostream>

int main() {
    korvel::DesignCase dc;
    korvel::Catalogue catalogue;
    dc.Fyp = 355;
    dc.Fup = 490;
    dc.Fys = 355;
    dc.Fus = 490;
    korvel::IgnoreWarnings warnings;
    korvel::calculate(dc, catalogue, warnings);
    std::cout << dc.lines.UFpb.label << dc.lines.UFpb.formula << dc.lines.UFpb.value << '\n';
    return 0;
}
