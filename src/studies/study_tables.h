#pragma once

// The TAB-separated tables the studies write, one header line and rows ending in CR LF, as the
// batch results table: one row per case (reserve, limit), per case and value (sweep), per case
// and ray (capacity), per case and candidate (lightest). Each row starts with the case's line
// in the input file, its project and identification. Searched numbers are written to seven
// significant digits, the precision of the search; the cases file holds them exactly.

#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/reserve_study.h"
#include "studies/sweep_study.h"

#include <string>

namespace korvel {

// Who a row belongs to.
struct CaseLabel {
    int line = 0;
    std::string project;
    std::string identification;
    bool operator==(const CaseLabel& o) const {
        return line == o.line && project == o.project && identification == o.identification;
    }
};

// A number to seven significant digits.
std::string searchedNumber(double value);

// λ* as the tables write it: "1.372", "> 100", or "-" when the calculation stops at zero loads.
std::string lambdaText(const ReserveResult& r);

std::string reserveHeader();
void appendReserveRow(std::string& out, const CaseLabel& who, const ReserveResult& r);

std::string limitHeader();
void appendLimitRow(std::string& out, const CaseLabel& who, const LimitRequest& request, const LimitResult& r);

std::string sweepHeader(const StudyField& field);
void appendSweepRows(std::string& out, const CaseLabel& who, const std::vector<SweepPoint>& points);

std::string capacityHeader(const CapacityRequest& request);
void appendCapacityRows(std::string& out, const CaseLabel& who, const CapacityRequest& request,
                        const CapacityResult& r);

std::string lightestHeader(bool girder);
void appendLightestRows(std::string& out, const CaseLabel& who, const LightestResult& r);

} // namespace korvel
