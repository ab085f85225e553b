// The studies' case runner keeps the sections of a case for the next one that differs only in
// its loads; a stop reason quoting numbers is written out only when read.

#include "design/calc_fault.h"
#include "engine/assessment.h"
#include "studies/study_checks.h"
#include "studies/study_fields.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace korvel;

namespace {

// Every utilisation to the last bit, so that a section that stood in for another shows.
bool sameBits(const Results& a, const Results& b) {
    const auto bitsOf = [](const Results& r) {
        std::vector<double> v;
        r.forEach([&](auto u) { v.push_back(static_cast<double>(u.written())); });
        return v;
    };
    const std::vector<double> x = bitsOf(a), y = bitsOf(b);
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(double)) == 0;
}

} // namespace

// A reserve or capacity search runs the same panel under scaled loads, then the next panel. Each
// of its verdicts must be the one the case gives calculated alone, also where the scaled loads
// stop the case and where the next panel has another profile type.
TEST(CaseRunner, SectionsKeptForScaledLoadsGiveTheVerdictsOfCasesCalculatedAlone) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    CaseRunner runner(tables);
    IgnoreWarnings warnings;
    int cases = 0, stopped = 0;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        for (const double lambda : {1.0, 0.5, 3.0, 40.0, 1e6}) {
            CaseInputs in = e.inputs;
            scaleLoads(in, e.inputs, lambda);
            const CaseVerdict kept = runner.run(in);
            DesignCase alone;
            static_cast<CaseInputs&>(alone) = in;
            runCase(alone, tables, {}, warnings);
            const CaseVerdict fresh = caseVerdict(alone);
            ASSERT_EQ(fresh, kept) << "line " << e.line << ", loads x" << lambda;
            ASSERT_TRUE(sameBits(fresh.uf, kept.uf)) << "line " << e.line << ", loads x" << lambda;
            ++cases;
            stopped += kept.stopped ? 1 : 0;
        }
    }
    EXPECT_EQ(135 * 5, cases);
    EXPECT_GT(stopped, 100) << "the huge loads no longer stop cases: the test lost its point";
}

// A float is quoted on its own seven digits: 0.35f is 0.3499999940…, which its seven digits
// round to 0.4 and its double value to 0.3.
TEST(StepOutcome, QuotedNumbersAreWrittenAsTheirOwnPrecision) {
    static constexpr QuotedReason words{"a = ", ", b = ", "0.0"};
    EXPECT_EQ("a = 0.4, b = 0.3", StepOutcome::fault(words, 0.35f, static_cast<double>(0.35f)).reason());
    EXPECT_FALSE(StepOutcome::fault(words, 1.0, 2.0).ok());
    EXPECT_EQ("why", StepOutcome::fault("why").reason());
    EXPECT_TRUE(StepOutcome::done().ok());
    EXPECT_EQ("", StepOutcome::done().reason());
}
