#pragma once

// The structure types of the minimum-scantling rules and their two stiffener-end options, with
// the texts each place shows. The texts differ between places (the results table, the printed
// report, the window's tabs and buttons), so each variant is its own column.

#include "design/design_case.h"

#include <string_view>

namespace korvel {

struct StructureOptionTexts {
    std::string_view results; // results-table cell: " Ends attached"
    std::string_view report;  // printed report, before " c-factor = ": "Stiffener: ends attached"
    std::string_view button;  // the window's option button: "Stiffener: ends attached"
};

// The rule clauses of the minimum-scantling lines as the yield and scantling listing shows them
// (after "  < 1.0" where the line has a utilisation): watertight bulkhead 3-2-2/7, tank bulkhead 3-2-2/9, upper
// structure 3-2-4/3.
struct ScantlingClauses {
    std::string_view plate;
    std::string_view stiffener;
    std::string_view girder;
    std::string_view girderDimensions;
    std::string_view brackets;
};

struct StructureTypeFacts {
    int code;
    std::string_view results;    // results-table cell: "Watertight bulkhead"
    std::string_view report;     // printed report, after "Structure: ": "Tank bulkhead  "
    std::string_view tabCaption; // the window's tab: "Tank Bulkhead"
    std::string_view clause;     // rule clause of the c-factors: "3-2-2/9.5&9.9"
    bool unitLength;             // the c-factor depends on the unit length UL (watertight bulkheads)
    bool girderFactor;           // the girder has a c-factor of its own
    StructureOptionTexts options[2];
    ScantlingClauses scantlingClauses;
};

inline constexpr int structureTypeCount = 3;

// clang-format off
inline constexpr StructureTypeFacts structureTypes[structureTypeCount] = {
    {watertightBulkhead, "Watertight bulkhead", "Watertight bulkhead", "Watertight Bukhead", "3-2-2/7.5", true, false,
     {{" Ends attached", "Stiffener: ends attached", "Stiffener: ends attached"},
      {" No end attachment", "Stiffener: no end attachment", "Stiffener: no end attachment"}},
     {"  (3-2-2/7.3)", "  (3-2-2/7.5)", "  (3-2-2/7.9)", "  (3-2-2/7.9.2)", "  (3-2-2/7.9.3)"}},
    {tankBulkhead, "Tank bulkhead", "Tank bulkhead  ", "Tank Bulkhead", "3-2-2/9.5&9.9", false, true,
     {{" Clip attachment", "Stiffener: clip attachment", "Stiffener: clip attachment"},
      {" Supported at both ends by girder", "Stiffener: supported at both ends by girder",
       "Stiffener: supported at both ends by girder"}},
     {"  (3-2-2/9.3)", "  (3-2-2/9.5)", "  (3-2-2/9.9)", "  (3-2-2/9.9.2)", "  (3-2-2/9.9.3)"}},
    {upperStructure, "Upper Structure", "Upper structure   ", "Upper Structure", "3-2-4/3.5&3.7", false, true,
     {{" Clear of tanks", "Stiffener/Girder: Clear of tanks", "Clear of tanks"},
      {" In way of tanks", "Stiffener/Girder: In way of tanks", "In way of tanks"}},
     {"  (3-2-4/3.3)", "  (3-2-4/3.5)", "  (3-2-4/3.7)", "  (3-2-4/3.7.2)", "  (3-2-4/3.7.3)"}},
};
// clang-format on

// nullptr for a structure type outside 0..2.
inline const StructureTypeFacts* structureTypeFacts(int structureType) {
    if (structureType < 0 || structureType >= structureTypeCount) return nullptr;
    return &structureTypes[structureType];
}

} // namespace korvel
