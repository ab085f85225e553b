// Which checks a calculated case fails: utilisations above 1, the stiffener's proportion rules and
// the NOK answers of the girder scantling rules; the one verdict made of them; their counts over a
// run for the batch summaries.

#include "checks/failed_checks.h"

#include "files/batch_run.h"
#include "report/batch_case_summary.h"
#include "report/case_json.h"
#include "report/margin_text.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(FailedChecks, UtilisationsAboveOneAndNokRules) {
    // A case whose girder check ran: ratios and bracket distance of a passing girder.
    DesignCase checked;
    checked.girderDepthRatio = 0.8;
    checked.girderWebRatio = 1.0;
    checked.Lt = 3000;

    struct Row {
        const char* what;
        DesignCase dc;
        std::string failed; // the checks named by FailureCounts::text
    };
    std::vector<Row> rows;
    rows.push_back({"markers only", DesignCase{}, ""});
    {
        DesignCase dc = checked;
        dc.uf.UFbu = Utilisation<double>::notApplicable();
        dc.uf.UFy = 1.0;
        rows.push_back({"exactly 1 passes", dc, ""});
        dc.uf.UFgbu = 1.01f;
        rows.push_back({"UFgbu above 1", dc, "UFgbu 1"});
    }
    {
        DesignCase dc = checked;
        dc.girderDepthRatio = 1.2; // hmin = Lgs/8 = 750 mm for a 625 mm girder
        dc.girderWebRatio = 1.1;   // twmin = 11 mm for a 10 mm web
        dc.Lt = 3500;              // brackets further apart than 3000 mm
        rows.push_back({"the three NOK rules", dc, "girder depth 1, girder web thickness 1, tripping brackets 1"});
    }
    {
        DesignCase dc; // the calculation stopped before the girder check
        dc.Lt = 3500;
        rows.push_back({"girder check not reached", dc, ""});
    }
    {
        // A bulb flat 220x9: hw/tw = 21.2 over its limit 20.5 fails; a flange within its limit holds.
        DesignCase dc = checked;
        dc.stiff.webRatio = 21.2;
        dc.stiff.webLimit = 20.5;
        dc.stiff.flangeRatio = 9;
        dc.stiff.flangeLimit = 11.4;
        rows.push_back({"web proportions", dc, "web proportions 1"});
        dc.stiff.webRatio = 20.5;
        dc.stiff.flangeRatio = 11.5;
        rows.push_back({"flange proportions, the web at its limit", dc, "flange proportions 1"});
        dc.stiff.flangeLimit = 0; // a closed cell: no flange rule
        rows.push_back({"no limit, no rule", dc, ""});
    }
    for (const Row& r : rows) {
        FailureCounts counts;
        const FailedChecks failed = failedChecks(r.dc);
        counts.add(false, failed);
        EXPECT_EQ(r.failed, counts.text()) << r.what;
        EXPECT_EQ(r.failed.empty() ? 0 : 1, counts.cases) << r.what;
        EXPECT_EQ(r.failed.empty() ? Verdict::ok : Verdict::nok, verdictOf(r.dc)) << r.what;
    }
}

TEST(FailedChecks, AStoppedCalculationIsStoppedWhateverItFailedBefore) {
    DesignCase dc;
    dc.uf.UFpb = 1.3;
    EXPECT_EQ(Verdict::nok, verdictOf(dc));
    dc.fault.step = "stiffener buckling";
    dc.fault.reason = "division by zero";
    EXPECT_EQ(Verdict::stopped, verdictOf(dc));
    EXPECT_STREQ("stopped", verdictText(verdictOf(dc)));
    dc.uf.UFpb = 0.5;
    EXPECT_EQ(Verdict::stopped, verdictOf(dc));

    FailureCounts counts;
    counts.add(true, failedChecks(dc));
    counts.add(true, FailedChecks{}.set(0));
    counts.add(false, FailedChecks{}.set(0));
    counts.add(false, FailedChecks{});
    EXPECT_EQ("1 OK, 1 NOK, 2 stopped", counts.verdictsText());
    EXPECT_EQ(2, counts.cases) << "cases with a failed check, the stopped one among them";
}

TEST(FailedChecks, CountsCasesOnceAndEachCheckPerCase) {
    FailureCounts counts;
    FailedChecks both;
    both.set(0).set(girderDepthRule + 1); // UFpb and the girder web
    counts.add(false, both);
    counts.add(false, FailedChecks{}.set(girderDepthRule + 1));
    counts.add(false, FailedChecks{});
    EXPECT_EQ(2, counts.cases);
    EXPECT_EQ("UFpb 1, girder web thickness 2", counts.text());
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// Every output gives a case the same verdict: the batch report's summary row, the JSON line, the
// studies and the margin line, and the counts of a run. The reference cases and the start-up file
// hold passing cases, failing ones (a bulb flat over its web proportions among them) and stopped
// ones.
TEST(FailedChecks, EveryOutputGivesTheSameVerdict) {
    struct Source {
        const char* what;
        Catalogue tables;
        BatchList list;
    };
    std::vector<Source> sources;
    {
        Catalogue tables = referenceTables();
        BatchList list = referenceCases(tables);
        sources.push_back({"reference", std::move(tables), std::move(list)});
    }
    {
        const std::filesystem::path data = std::filesystem::path(KORVEL_PROGRAM_DIR);
        CatalogueLoad load = loadCatalogue(data);
        ASSERT_TRUE(std::holds_alternative<Catalogue>(load));
        Catalogue tables = std::get<Catalogue>(load);
        const BatchRead read = readBatchFile((data / "dummy.kori").string(), DecimalMode::period, tables);
        ASSERT_TRUE(std::holds_alternative<BatchList>(read));
        sources.push_back({"dummy.kori", std::move(tables), std::get<BatchList>(read)});
    }
    std::array<int, 3> seen{};
    for (const Source& source : sources) {
        FailureCounts counted;
        DesignCase dc;
        IgnoreWarnings quiet;
        std::int64_t number = 0;
        for (const BatchEntry& entry : source.list.entries) {
            if (!entry.isCase()) continue;
            runBatchCase(entry, dc, source.tables, quiet);
            SCOPED_TRACE(std::string(source.what) + " " + dc.identification);
            const Verdict verdict = verdictOf(dc);
            ++seen[static_cast<std::size_t>(verdict)];
            counted.add(dc.fault.stopped(), failedChecks(dc));
            EXPECT_EQ(verdict, summarizeCase(entry, ++number, dc).verdict);
            EXPECT_EQ(verdict, caseVerdict(dc).verdict());
            EXPECT_EQ(verdict == Verdict::ok, casePasses(caseVerdict(dc)));
            std::string json;
            appendCaseJson(json, entry, number, dc, nullptr);
            EXPECT_NE(json.find(std::string("\"verdict\":\"") + verdictText(verdict) + "\""), std::string::npos);
        }
        DesignCase scratch;
        const BatchSummary run = runBatch(source.list, scratch, source.tables, quiet).summary;
        EXPECT_EQ(counted, run.failed) << source.what;
        EXPECT_EQ(run.cases, run.failed.ok + run.failed.nok + run.failed.stopped);
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
}

} // namespace
} // namespace korvel
