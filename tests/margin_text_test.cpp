// The margin line's texts: λ* is never shown above what it is (rounded down), each outcome of the
// reserve factor has its own wording, and the checks failing regardless of load are named.

#include "report/margin_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel {
namespace {

ReserveResult reserve(ReserveResult::Outcome outcome, double lambda, const std::string& governing) {
    ReserveResult r;
    r.outcome = outcome;
    r.lambda = lambda;
    r.governing = governing;
    return r;
}

TEST(MarginText, ReserveFactorWordedByOutcomeAndRoundedDown) {
    using O = ReserveResult::Outcome;
    const struct {
        ReserveResult r;
        const char* text;
    } rows[] = {
        {reserve(O::limited, 1.3799999, "UFgbu"), "Loads can rise \u00d71.37 before UFgbu reaches 1"},
        {reserve(O::limited, 1.0, "UFbu"), "Loads can rise \u00d71.00 before UFbu reaches 1"},
        {reserve(O::limited, 0.8299, "UFs"), "Loads must fall to \u00d70.82 to pass (UFs reaches 1)"},
        {reserve(O::limited, 2.5, "plate buckling"),
         "Loads can rise \u00d72.50 before the calculation stops in plate buckling"},
        {reserve(O::open, 100, ""), "Loads can rise beyond \u00d7100 before any check reaches 1"},
        {reserve(O::stopsAtZero, 0, ""), "The calculation stops with the loads at zero"},
        // "×0.00" would say nothing.
        {reserve(O::limited, 0.0099, "UFys"), "fails even at 1 % of these loads (governing: UFys)"},
        {reserve(O::limited, 0.01, "UFys"), "Loads must fall to \u00d70.01 to pass (UFys reaches 1)"},
    };
    for (const auto& row : rows) EXPECT_EQ(reserveText(row.r), row.text);

    ReserveResult r = reserve(O::limited, 1.5, "UFbu");
    r.regardless[5] = true;                   // UFs
    r.regardless[girderDepthRule + 1] = true; // girder web thickness
    EXPECT_EQ(reserveText(r, ','), "Loads can rise \u00d71,50 before UFbu reaches 1 (fails regardless of load: UFs, "
                                   "girder web thickness)");
}

TEST(MarginText, VerdictNamesTheHighestAndTheFailedChecks) {
    CaseVerdict v;
    v.highest = 0.734;
    v.highestCheck = 6;
    EXPECT_EQ(verdictText(v), "Highest: UFgbu 0.73 \u00b7 no check fails");
    EXPECT_EQ(verdictColour(v), paletteColour(2));
    v.failed[girderDepthRule] = true;
    v.failed[3] = true;
    v.highest = 1.2;
    v.highestCheck = 3;
    EXPECT_EQ(verdictText(v), "Highest: UFbu 1.20 \u00b7 2 checks fail (UFbu, girder depth)");
    EXPECT_EQ(verdictColour(v), paletteColour(4));
    CaseVerdict stopped;
    stopped.stopped = true;
    stopped.step = "stiffener buckling";
    EXPECT_EQ(marginText(stopped, nullptr), "Calculation stopped in stiffener buckling");
    EXPECT_FALSE(casePasses(stopped));
}

// The list over which the line stands shows one analysis; the line speaks of all checks and says
// when a check it names is not in the list.
TEST(MarginText, TheListsLineSaysWhenItNamesACheckNotListed) {
    CaseVerdict v;
    v.highest = 0.8;
    v.highestCheck = static_cast<int>(CheckId::UFys);
    const std::string line = "All checks: Highest: UFys 0.80 \u00b7 no check fails";
    const struct {
        int analysis;
        const char* tail;
    } rows[] = {
        {analysisBuckling, " (not in this list: Scantling / Yield)"},
        {analysisScantlingYield, ""},
        {analysisAll, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(listMarginText(v, nullptr, row.analysis), line + row.tail) << row.analysis;

    // Governed by a buckling check while the scantling list is shown; a failed girder rule.
    ReserveResult r = reserve(ReserveResult::Outcome::limited, 1.5, "UFbu");
    v.highestCheck = static_cast<int>(CheckId::UFyp);
    EXPECT_EQ(listMarginText(v, &r, analysisScantlingYield),
              "All checks: Highest: UFyp 0.80 \u00b7 no check fails \u00b7 Loads can rise \u00d71.50 before UFbu "
              "reaches 1 (not in this list: Buckling)");
    v.highestCheck = static_cast<int>(CheckId::UFbu);
    v.failed[girderDepthRule] = true;
    EXPECT_NE(listMarginText(v, &r, analysisBuckling).find("(not in this list: Scantling / Yield)"), std::string::npos);
    EXPECT_EQ(listMarginText(v, &r, analysisAll).find("not in this list"), std::string::npos);
}

} // namespace
} // namespace korvel
