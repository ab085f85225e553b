#pragma once

// The c-factors of the minimum-scantling rules of ABS MODU Part 3 (3-2-2/7.5 watertight
// bulkhead stiffeners, 3-2-2/9.5 and 9.9 tank bulkheads, 3-2-4/3.5 and 3.7 upper structure).
// UL is the unit length in m.

#include "design/design_case.h"

#include <string>

namespace korvel {

// Empty when the structure type (0 watertight bulkhead, 1 tank bulkhead, 2 upper structure)
// and the structure option (0 or 1) are codes the rules know; otherwise the problem in words.
// Both come from project and batch files, so they are checked before any table is read.
std::string structureCodeProblem(int structureType, int option);

// Whether structureCodeProblem would find nothing: asked several times a case, so it builds no text.
inline bool isStructureCode(int structureType, int option) {
    return structureType >= watertightBulkhead && structureType <= upperStructure && option >= 0 && option <= 1;
}

// Stiffener c-factor. Watertight bulkheads correct it for unit lengths below 61 m, linearly
// down to 45 m. Quiet NaN for codes outside the tables (see structureCodeProblem).
double stiffenerCFactor(int structureType, int option, double UL);

// Girder c-factor: 1.5 for tank bulkheads and upper structure in way of tanks, else 1.0.
// Quiet NaN for codes outside the tables.
double girderCFactor(int structureType, int option);

} // namespace korvel
