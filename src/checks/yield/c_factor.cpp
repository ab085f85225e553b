#include "checks/yield/c_factor.h"

#include <limits>

namespace korvel {

namespace {

constexpr double notATableValue = std::numeric_limits<double>::quiet_NaN();

// Linear correction of the watertight-bulkhead c-factor for short units (3-2-2/7.5): full value
// from 61 m, the lower value below 45 m. The rise over the 16 m is given as the rule states it
// (0.1, 0.02) rather than as a difference of the end values, which differs in the last digit.
double unitLengthCorrected(double UL, double below45, double rise, double from61) {
    if (UL >= 61) return from61;
    if (UL < 45) return below45;
    return below45 + rise * (UL - 45) / 16;
}

} // namespace

std::string structureCodeProblem(int structureType, int option) {
    if (isStructureCode(structureType, option)) return {};
    if (structureType < watertightBulkhead || structureType > upperStructure) {
        return "structure type " + std::to_string(structureType) +
               " is not 0 (watertight bulkhead), 1 (tank bulkhead) or 2 (upper structure)";
    }
    return "structure option " + std::to_string(option) + " is not 0 or 1";
}

double stiffenerCFactor(int structureType, int option, double UL) {
    if (!isStructureCode(structureType, option)) return notATableValue;
    switch (structureType) {
    case watertightBulkhead:
        // Ends attached 0.46 + 0.1*(UL - 45)/16; no end attachment 0.58 + 0.02*(UL - 45)/16.
        return option == 0 ? unitLengthCorrected(UL, 0.46, 0.1, 0.56) : unitLengthCorrected(UL, 0.58, 0.02, 0.60);
    case tankBulkhead:
        return option == 0 ? 0.90 : 1.00; // clip attachment / supported at both ends by girder
    default:
        return option == 0 ? 0.60 : 1.00; // clear of tanks / in way of tanks
    }
}

double girderCFactor(int structureType, int option) {
    if (!isStructureCode(structureType, option)) return notATableValue;
    if (structureType == tankBulkhead) return 1.5;
    if (structureType == upperStructure && option == 1) return 1.5;
    return 1.0;
}

} // namespace korvel
