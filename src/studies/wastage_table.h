#pragma once

// The wastage study's table: one row per case and member, TAB-separated and ending in CR LF as
// the other study tables: the thickness as built, the allowable diminution in mm and in % of it,
// the minimum allowable thickness, the substantial-corrosion threshold and the check that
// governs at the limit, all in mm to the hundredth a gauging reports.

#include "studies/study_tables.h"
#include "studies/wastage_study.h"

#include <string>

namespace korvel {

std::string wastageHeader();
void appendWastageRow(std::string& out, const CaseLabel& who, Member m, WastageBasis basis, const WastageResult& r);

// "strength", "all".
const char* basisName(WastageBasis basis);

} // namespace korvel
