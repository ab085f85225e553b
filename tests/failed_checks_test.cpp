// Which checks a calculated case fails: utilisations above 1 and the NOK answers of the girder
// scantling rules, counted over a run for the batch summaries.

#include "checks/failed_checks.h"

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
    for (const Row& r : rows) {
        FailureCounts counts;
        counts.add(failedChecks(r.dc));
        EXPECT_EQ(r.failed, counts.text()) << r.what;
        EXPECT_EQ(r.failed.empty() ? 0 : 1, counts.cases) << r.what;
    }
}

TEST(FailedChecks, CountsCasesOnceAndEachCheckPerCase) {
    FailureCounts counts;
    FailedChecks both;
    both.set(0).set(14); // UFpb and the girder web
    counts.add(both);
    counts.add(FailedChecks{}.set(14));
    counts.add(FailedChecks{});
    EXPECT_EQ(2, counts.cases);
    EXPECT_EQ("UFpb 1, girder web thickness 2", counts.text());
}

} // namespace
} // namespace korvel
