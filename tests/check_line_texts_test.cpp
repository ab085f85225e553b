// The check lines composed from the numbers the checks leave: the decimal comma, lines of a
// stopped calculation, and the lines of another calculation shown beside a case.

#include "design/decimal_text.h"
#include "engine/assessment.h"
#include "files/batch_run.h"
#include "report/check_line_texts.h"
#include "report/control_summary.h"
#include "report/listing_model.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korvel;

namespace {

// The period rows of a case with each decimal point made a comma, the clauses left alone: the
// comma rows must read exactly so, although they are formatted with the comma from the start.
std::vector<ListingRow> patchedToComma(std::vector<ListingRow> rows) {
    for (ListingRow& row : rows)
        for (std::string* text : {&row.control, &row.value, &row.reference, &row.beside})
            *text = withDecimalSeparator(*text, ',');
    return rows;
}

} // namespace

TEST(CheckLineTexts, CommaRowsReadAsThePeriodRowsWithCommasOnEveryReferenceCase) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    IgnoreWarnings warnings;
    int cases = 0;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        DesignCase dc;
        runBatchCase(e, dc, tables, warnings);
        dc.analysis = analysisAll;
        dc.includeDeformation = true;
        const std::vector<ListingRow> comma = controlSummary(dc, nullptr, ',');
        EXPECT_EQ(patchedToComma(controlSummary(dc)), comma) << "line " << e.line;
        // A value of the list is a number with the comma, never with the period.
        for (const ListingRow& row : comma) EXPECT_EQ(std::string::npos, row.value.find('.')) << row.control;
        ++cases;
    }
    EXPECT_EQ(135, cases);
}

// A calculation that stops leaves the lines of its step and every later one empty, whatever the
// details of an earlier calculation of the same design case still hold.
TEST(CheckLineTexts, EveryLineOfACalculationStoppedInItsFirstCheckIsEmpty) {
    const Catalogue tables = referenceTables();
    IgnoreWarnings warnings;
    DesignCase dc;
    runCase(dc, tables, {}, warnings);
    ASSERT_FALSE(dc.fault.stopped());
    const CheckLines full = composeCheckLines(dc);
    ASSERT_FALSE(full.plateThickness.value.empty());

    dc.t = 0; // stops in the plate buckling, the first check
    runCase(dc, tables, {}, warnings);
    ASSERT_TRUE(dc.fault.stopped());
    ASSERT_EQ("plate buckling", dc.fault.step);
    const CheckLines stopped = composeCheckLines(dc);
    stopped.forEach([](const CheckLine& line) { EXPECT_EQ(CheckLine{}, line) << line.label; });
}

// Beside a case, the other calculation's value of the same check, "-" where it has none.
TEST(CheckLineTexts, TheOtherCalculationsValueStandsBesideEachCheck) {
    const Catalogue tables = referenceTables();
    IgnoreWarnings warnings;
    DesignCase asBuilt;
    asBuilt.analysis = analysisAll;
    runCase(asBuilt, tables, {}, warnings);
    DesignCase gauged = asBuilt;
    gauged.t = 15;
    runCase(gauged, tables, {}, warnings);

    const ListedCase listed(gauged, ',', &asBuilt);
    const CheckLines asBuiltLines = composeCheckLines(asBuilt, ',');
    ASSERT_NE(nullptr, listed.beside());
    EXPECT_EQ(asBuiltLines.UFpb.value, listed.beside()->valueOf(listed.lines().UFpb));
    EXPECT_NE(listed.lines().UFpb.value, listed.beside()->valueOf(listed.lines().UFpb)) << "t changes UFpb";
    EXPECT_EQ(asBuiltLines.plateThickness.value, listed.beside()->valueOf(listed.lines().plateThickness));
    // A line that is no check line of the case has nothing beside it.
    EXPECT_EQ("-", listed.beside()->valueOf(CheckLine{}));
}
