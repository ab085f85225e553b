// The verification table: every check of the program against a classical result, a textbook
// formula or a hand calculation (docs/verification.md). korvel-batch --verify prints the same
// rows for a reviewer; here each must pass, and the printed report must say so.

#include "report/verification_cases.h"
#include "report/verification_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <string>

namespace korvel {
namespace {

TEST(Verification, EveryRowAgreesWithItsIndependentValue) {
    const std::vector<VerificationRow> rows = verificationTable();
    ASSERT_GT(rows.size(), 150u);
    for (const VerificationRow& row : rows) {
        SCOPED_TRACE(row.check + ": " + row.quantity + " (" + row.source + ")");
        ASSERT_TRUE(row.compute);
        const double computed = row.compute();
        EXPECT_TRUE(withinTolerance(row.expected, computed, row.tolerance))
            << "expected " << row.expected << ", computed " << computed;
    }
}

TEST(Verification, EveryRowNamesItsCheckSourceAndTolerance) {
    std::set<std::string> quantities;
    std::set<std::string> checks;
    for (const VerificationRow& row : verificationTable()) {
        EXPECT_FALSE(row.check.empty());
        EXPECT_FALSE(row.source.empty()) << row.quantity;
        EXPECT_GT(row.tolerance.value, 0) << row.quantity;
        EXPECT_TRUE(quantities.insert(row.check + row.quantity).second) << row.quantity << " twice";
        checks.insert(row.check);
    }
    // Every clause the program implements has a row of its own.
    for (const char* clause :
         {"3/3.1 plate", "3/3.3 plate", "3/3.5 plate", "3/5.1 stiffener", "3/5.3 stiffener", "3/5.7 girder",
          "3/9.1 overall", "3-2-1/3.11 yield", "3-2-2/7.3 scantlings", "3-2-2/7.5 scantlings", "3-2-2/7.9 scantlings",
          "3-2-2/9.3 scantlings", "3-2-2/9.5 scantlings", "3-2-2/9.9 scantlings", "3-2-4/3.3 scantlings",
          "3-2-4/3.5 scantlings", "3-2-4/3.7 scantlings", "section properties"})
        EXPECT_EQ(1u, checks.count(clause)) << clause;
}

TEST(Verification, ToleranceIsRelativeOrAbsoluteAndRefusesNotANumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double expected, computed;
        Tolerance tolerance;
        bool within;
    } rows[] = {
        {23.9, 24.0, {ToleranceKind::relative, 0.005}, true},   // 0.42 % off
        {23.9, 24.1, {ToleranceKind::relative, 0.005}, false},  // 0.84 % off
        {0.0, 0.004, {ToleranceKind::absolute, 0.005}, true},   // a zero needs an absolute tolerance
        {0.0, 1e-9, {ToleranceKind::relative, 0.5}, false},     // no relative room around zero
        {-110, -110.05, {ToleranceKind::relative, 5e-4}, true}, // sign kept, 4 digits
        {1.0, nan, {ToleranceKind::absolute, 1e9}, false},      // a stopped calculation never passes
        {1.0, std::numeric_limits<double>::infinity(), {ToleranceKind::relative, 1e9}, false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.within, withinTolerance(r.expected, r.computed, r.tolerance)) << r.expected << " " << r.computed;
}

TEST(Verification, ReportMarksEachRowAndCountsFailures) {
    std::vector<VerificationRow> rows;
    rows.push_back({"3/3.1 plate", "ks", "classical", 4.0, {ToleranceKind::relative, 1e-9}, [] { return 4.0; }});
    rows.push_back(
        {"3/3.1 plate", "ks at -1", "classical", 23.9, {ToleranceKind::relative, 1e-3}, [] { return 24.0; }});
    rows.push_back({"3/9.1 overall", "io", "hand", 1.0, {ToleranceKind::absolute, 0.1}, [] {
                        return std::numeric_limits<double>::quiet_NaN();
                    }});
    const VerificationReport report = runVerification(rows);
    EXPECT_EQ(3, report.rows);
    EXPECT_EQ(2, report.failures);
    EXPECT_EQ(std::string(rulesEdition) + "\n" +
                  "check\tquantity\tsource\texpected\tcomputed\ttolerance\tverdict\n"
                  "3/3.1 plate\tks\tclassical\t4\t4\trelative 1E-09\tpass\n"
                  "3/3.1 plate\tks at -1\tclassical\t23.9\t24\trelative 0.001\tFAIL\n"
                  "3/9.1 overall\tio\thand\t1\tnot computed\tabsolute 0.1\tFAIL\n"
                  "3 rows, 2 failed\n",
              report.text);
}

// The panel of the worked example is the file shipped beside the document, so that
// korvel-batch --detail 1 docs/verification-panel.kori lists the numbers the document shows.
TEST(Verification, WorkedExampleIsTheShippedBatchFile) {
    std::ifstream file(KORVEL_TEST_DATA_DIR "/../../docs/verification-panel.kori", std::ios::binary);
    ASSERT_TRUE(file) << "docs/verification-panel.kori";
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_EQ(verificationPanelInput, text.str());

    const DesignCase dc = verificationPanelCase();
    EXPECT_FALSE(dc.fault.stopped()) << dc.fault.message();
    EXPECT_EQ("Panel-1", dc.identification);
    EXPECT_EQ(700.0, detailValue(dc, "se")) << "both plates keep their full width";
    EXPECT_TRUE(std::isnan(detailValue(dc, "no such quantity")));
}

} // namespace
} // namespace korvel
