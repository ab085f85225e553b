// Gauged thicknesses: the survey file read line by line with its faults named, matched to the
// cases by identification, and applied to a case as the wastage study diminishes it.

#include "files/gauging_file.h"

#include "files/batch_case.h"
#include "studies/wastage_study.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

const std::string header = "identification\tt\ttw\ttf\tgirder_tw\tgirder_tf\n";

TEST(Gauging, ReadsMeasuredThicknessesAndKeepsADashAsBuilt) {
    const GaugingRead read =
        parseGaugings(header + "% survey 2026\nP1/storm\t18.2\t-\t-\t9.1\t-\r\n\nP2\t-\t8.5\t11\t-\t17.25\n", "g.tsv");
    ASSERT_TRUE(std::holds_alternative<std::vector<Gauging>>(read));
    const auto& g = std::get<std::vector<Gauging>>(read);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].identification, "P1/storm");
    EXPECT_EQ(g[0].line, 3);
    EXPECT_EQ(g[0].thickness[0], 18.2);
    EXPECT_FALSE(g[0].thickness[1]);
    EXPECT_EQ(g[0].thickness[3], 9.1);
    EXPECT_EQ(g[1].line, 5);
    EXPECT_EQ(g[1].thickness[4], 17.25);
    EXPECT_TRUE(g[1].any());
}

TEST(Gauging, FaultsNameTheFileLineAndReason) {
    struct Row {
        std::string text;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"identification\tt\ttw\n", "g.tsv:1: the header must be the TAB-separated columns identification, t, tw, tf, "
                                    "girder_tw, girder_tf"},
        {"", "g.tsv:0: no header line identification, t, tw, tf, girder_tw, girder_tf"},
        {header + "P1\t18\t-\t-\t-\n", "g.tsv:2: a gauging needs 6 TAB-separated cells, this line has 5"},
        {header + "P1\t18,5\t-\t-\t-\t-\n", "g.tsv:2: t \"18,5\" is not a number"},
        {header + "P1\t-\tnan\t-\t-\t-\n", "g.tsv:2: tw \"nan\" is not a number"},
        {header + "P1\t-\t-\t0\t-\t-\n", "g.tsv:2: tf = 0 mm: a thickness must be above 0"},
        {header + "P1\t-\t-\t-\t-\t-4\n", "g.tsv:2: girder_tf = -4 mm: a thickness must be above 0"},
    };
    for (const Row& r : rows) {
        const GaugingRead read = parseGaugings(r.text, "g.tsv");
        ASSERT_TRUE(std::holds_alternative<GaugingError>(read)) << r.text;
        EXPECT_EQ(std::get<GaugingError>(read).message(), r.message);
    }
    EXPECT_EQ(std::get<GaugingError>(readGaugingFile("/nonexistent/g.tsv")).message(),
              "/nonexistent/g.tsv:0: cannot be read");
}

TEST(Gauging, UnmatchedAndTwiceMatchedLinesAreWarned) {
    const auto read = parseGaugings(header + "A\t10\t-\t-\t-\t-\nX\t10\t-\t-\t-\t-\nA\t11\t-\t-\t-\t-\n", "g.tsv");
    const auto& gaugings = std::get<std::vector<Gauging>>(read);
    const GaugingMatch m = matchGaugings(gaugings, {"A", "B", "A"}, "g.tsv");
    EXPECT_EQ(m.ofCase, (std::vector<int>{0, -1, 0}));
    EXPECT_EQ(m.warnings, (std::vector<std::string>{
                              "g.tsv:3: gauging of \"X\" matches no case",
                              "g.tsv:4: case \"A\" is gauged twice; the gauging of line 2 is used",
                              "g.tsv:4: case \"A\" is gauged twice; the gauging of line 2 is used",
                          }));
}

// A survey that finds the thicknesses as built changes nothing; a gauged plate is the case with
// that t; a gauged web of a rolled angle makes it the built-up angle of that web.
TEST(Gauging, AGaugedCaseHoldsTheMeasuredThicknesses) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables), again(tables);
    int compared = 0;
    for (const BatchEntry& e : referenceCases(tables).entries) {
        if (!e.isCase()) continue;
        const CaseInputs c = e.inputs;
        SCOPED_TRACE(c.identification);
        GaugedCase plate = gaugedCase(c, {c.t - 1.5, std::nullopt, std::nullopt, std::nullopt, std::nullopt}, tables);
        ASSERT_TRUE(plate.inputs);
        CaseInputs expected = c;
        expected.t = c.t - 1.5;
        EXPECT_EQ(*plate.inputs, expected);

        const std::optional<CaseInputs> equivalent = builtUpEquivalent(c, tables);
        if (!equivalent) continue;
        const std::optional<double> web = memberThickness(*equivalent, Member::web);
        ASSERT_TRUE(web);
        const GaugedCase same = gaugedCase(c, {c.t, *web, std::nullopt, std::nullopt, std::nullopt}, tables);
        ASSERT_TRUE(same.inputs) << same.problem;
        EXPECT_EQ(*same.inputs, *equivalent);
        const GaugedCase thinner =
            gaugedCase(c, {std::nullopt, *web - 1, std::nullopt, std::nullopt, std::nullopt}, tables);
        ASSERT_TRUE(thinner.inputs);
        EXPECT_NEAR(*memberThickness(*thinner.inputs, Member::web), *web - 1, 1e-6);
        EXPECT_TRUE(c.stiffenerType != stiffLTable || thinner.inputs->stiffenerType == stiffLBuiltUp);
        if (c.stiffenerType == stiffFlatbarBuiltUp || c.stiffenerType == stiffFlatbarTable) {
            const GaugedCase flange =
                gaugedCase(c, {std::nullopt, std::nullopt, 5.0, std::nullopt, std::nullopt}, tables);
            EXPECT_FALSE(flange.inputs);
            EXPECT_EQ(flange.problem, "the panel has no flange to gauge");
        }
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

} // namespace
} // namespace korvel
