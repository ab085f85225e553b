// Every result belongs to the case it is shown with: a case's row of the results table, its JSON,
// its listing, its stop and its derived quantities depend only on its own inputs, never on the
// case calculated before it, nor on whether its check-line texts were composed.

#include "design/check_table.h"
#include "engine/assessment.h"
#include "engine/calculate.h"
#include "files/batch_case.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/file_commands.h"
#include "files/table_loader.h"
#include "report/case_fields.h"
#include "report/case_json.h"
#include "report/check_line_texts.h"
#include "report/listing_text.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"
#include "support/fake_warnings.h"
#include "support/reference_cases.h"
#include "support/test_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ios>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace korvel {
namespace {

namespace fs = std::filesystem;

// What the outputs show of one case: its results-table row and JSON object as a results run
// makes them (numbers only), its JSON as --detail makes it and its listing (texts composed).
struct CaseOutputs {
    std::string row, json, detailJson, listing;
};

// The outputs of each case, by its input line, the cases run in the given order in one design
// case for the numbers and one for the texts, as a thread of a batch run runs them.
std::map<int, CaseOutputs> outputsInOrder(const std::vector<BatchEntry>& entries, const Catalogue& tables) {
    DesignCase numbers, texts;
    IgnoreWarnings warnings;
    std::map<int, CaseOutputs> outputs;
    for (const BatchEntry& e : entries) {
        if (!e.isCase()) continue;
        CaseOutputs& o = outputs[e.line];
        runBatchCaseForResults(e, numbers, tables, warnings);
        appendBatchResultLine(o.row, numbers);
        appendCaseJson(o.json, e, e.line, numbers);
        texts.analysis = analysisAll;
        runBatchCase(e, texts, tables, warnings);
        appendCaseJson(o.detailJson, e, e.line, texts);
        appendCaseListingText(o.listing, e, e.line, texts);
    }
    return outputs;
}

bool allNotComputed(const Results& uf) {
    for (const CheckFacts& c : checkTable)
        if (resultState(uf, c) != ResultState::notComputed) return false;
    return true;
}

// The reference cases hold ordinary cases next to cases that stop in every step, a stiffener
// flange of width 0 among them, every stiffener token and every structure type: run forwards,
// backwards and each in a fresh design case, every case writes the same row, the same JSON (its
// detail too: a flat bar after a tee once showed the tee's B and tf) and the same listing, and
// --detail's JSON is the results run's.
TEST(CaseIndependence, EveryOutputDependsOnlyOnItsOwnLine) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    ASSERT_GT(list.caseCount(), 100);

    const std::map<int, CaseOutputs> forwards = outputsInOrder(list.entries, tables);
    const std::map<int, CaseOutputs> backwards =
        outputsInOrder(std::vector<BatchEntry>(list.entries.rbegin(), list.entries.rend()), tables);
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        const CaseOutputs& o = forwards.at(e.line);
        const CaseOutputs alone = outputsInOrder({e}, tables).at(e.line);
        for (const CaseOutputs& other : {backwards.at(e.line), alone}) {
            EXPECT_EQ(o.row, other.row) << "line " << e.line;
            EXPECT_EQ(o.json, other.json) << "line " << e.line;
            EXPECT_EQ(o.listing, other.listing) << "line " << e.line;
        }
        EXPECT_EQ(o.json, o.detailJson) << "line " << e.line;
    }
}

// A stiffener section that cannot be formed stops the case in the profile selection, in the
// batch run and after opening a project file alike; nothing of the section calculated before
// stands in for it, and a later recalculation (an edit in the window) stops there again.
TEST(CaseIndependence, SectionThatCannotBeFormedStopsTheCase) {
    const Catalogue catalogue = testCatalogue();
    IgnoreWarnings warnings;
    DesignCase dc;
    runCase(dc, catalogue, {}, warnings);
    ASSERT_FALSE(dc.fault.stopped()) << dc.fault.message();
    ASSERT_FALSE(sectionOutline(dc).points.empty());

    struct Row {
        int type;
        ProfileDims dims;
    };
    const Row rows[] = {
        {stiffLBuiltUp, {200, 0, 9, 12, 0}},
        {stiffTBuiltUp, {300, 0, 10, 15, 0}},
        {stiffIBuiltUp, {300, 0, 10, 15, 0}},
    };
    for (const Row& r : rows) {
        DesignCase c = dc;
        c.stiffenerType = r.type;
        *builtUpDims(c, r.type) = r.dims;
        c.structureType = watertightBulkhead;
        c.structureOption = 0;
        c.UL = 45;
        runCase(c, catalogue, {}, warnings);
        EXPECT_EQ("profile selection", c.fault.step);
        EXPECT_EQ(c.profileProblem, c.fault.reason);
        EXPECT_TRUE(allNotComputed(c.uf));
        EXPECT_EQ(0, c.stiff.Ax);
        EXPECT_EQ(0, c.stiff.Wp);
        EXPECT_TRUE(sectionOutline(c).points.empty());
        EXPECT_EQ(r.dims.H, c.H);
        EXPECT_EQ(r.dims.B, c.B);
        // 3-2-2/7.5: watertight bulkhead stiffener with end attachment, corrected for UL = 45 m.
        EXPECT_DOUBLE_EQ(0.46, c.cStiffener);
        EXPECT_EQ(notComputed, c.Q);

        c.t = 18;
        calculate(c, catalogue, warnings);
        EXPECT_EQ("profile selection", c.fault.step);
        EXPECT_TRUE(allNotComputed(c.uf));
    }
}

// A deflection of a few hundred thousandths of a micrometre makes the listing's ratio L1/y
// overflow; the ratio is display only, so the case runs to the end, its lines are composed after
// it, and composing them leaves the numbers as they were.
TEST(CaseIndependence, TextsDoNotDecideWhetherTheCaseStops) {
    const Catalogue catalogue = testCatalogue();
    IgnoreWarnings warnings;
    for (const double p : {1e-310, 0.03}) {
        DesignCase dc;
        dc.p = p;
        runCase(dc, catalogue, {}, warnings);
        EXPECT_FALSE(dc.fault.stopped()) << dc.fault.message();
        std::string before, after;
        appendBatchResultLine(before, dc);
        const CheckLines lines = composeCheckLines(dc);
        EXPECT_FALSE(lines.deformation.limit.empty()) << p;
        appendBatchResultLine(after, dc);
        EXPECT_EQ(before, after);
    }
}

// The engine's own entry point gives every reference case the assessment the batch run gives it:
// the inputs of the case alone, without the design case they were run in, decide the row.
TEST(CaseIndependence, AssessingTheInputsAloneGivesTheBatchRow) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    IgnoreWarnings warnings;
    DesignCase run;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        runBatchCaseForResults(e, run, tables, warnings);
        std::string batchRow;
        appendBatchResultLine(batchRow, run);

        const CaseInputs inputs = run;
        DesignCase assessed;
        static_cast<CaseInputs&>(assessed) = inputs;
        static_cast<Assessment&>(assessed) = assess(inputs, tables, AssessOptions{}, warnings);
        std::string assessedRow;
        appendBatchResultLine(assessedRow, assessed);
        EXPECT_EQ(batchRow, assessedRow) << "line " << e.line;
        EXPECT_EQ(run.fault, assessed.fault) << "line " << e.line;
    }
}

// Every quantity an assessment shows, floats to the last bit, and its check lines and outline.
struct Shown {
    std::string fields;
    std::vector<CheckLine> lines;
    ProfileOutline outline;
    bool operator==(const Shown& o) const { return fields == o.fields && lines == o.lines && outline == o.outline; }
};

class FieldText : public CaseFieldVisitor {
public:
    void field(std::string_view name, double value) override { out_ << name << '=' << std::hexfloat << value << ' '; }
    void field(std::string_view name, float value) override { out_ << name << '=' << std::hexfloat << value << ' '; }
    void field(std::string_view name, int value) override { out_ << name << '=' << value << ' '; }
    void field(std::string_view name, const std::string& value) override { out_ << name << '=' << value << ' '; }
    std::string text() const { return out_.str(); }

private:
    std::ostringstream out_;
};

Shown shown(const CaseInputs& inputs, const Assessment& a) {
    DesignCase dc;
    static_cast<CaseInputs&>(dc) = inputs;
    static_cast<Assessment&>(dc) = a;
    FieldText text;
    visitCaseFields(dc, text);
    Shown s{text.text(), {}, sectionOutline(dc)};
    composeCheckLines(dc).forEach([&](const CheckLine& line) { s.lines.push_back(line); });
    return s;
}

// Cases beside the reference ones, each an edit of the new-file case: every profile type, each
// kind of material position and cases that stop in the profile selection, the material refresh
// or a later step (a stop by a floating-point fault takes the second, step-by-step pass).
std::vector<std::pair<std::string, CaseInputs>> generatedCases(const Catalogue& tables) {
    using Edit = std::function<void(CaseInputs&)>;
    const int userGrade = tables.materials.lastRow();
    const std::pair<const char*, Edit> edits[] = {
        {"grade of the list, other strengths typed", [](CaseInputs& c) { c.plateMaterial = 0, c.Fyp = 1; }},
        {"user-defined grades", [=](CaseInputs& c) { c.plateMaterial = c.stiffenerMaterial = userGrade; }},
        {"plate grade outside the list", [](CaseInputs& c) { c.plateMaterial = 99; }},
        {"stiffener grade outside the list", [](CaseInputs& c) { c.stiffenerMaterial = -1; }},
        {"L-table row outside the table", [](CaseInputs& c) { c.lRow = 9999; }},
        {"tee with a flange of width 0", [](CaseInputs& c) { c.stiffenerType = stiffTBuiltUp, c.tBuiltUp.B = 0; }},
        {"plate thickness 0", [](CaseInputs& c) { c.t = 0; }},
        {"Trapez on a thin plate", [](CaseInputs& c) { c.stiffenerType = stiffTrapez, c.t = 4; }},
        {"bulb flat stopped by its plate", [](CaseInputs& c) { c.stiffenerType = stiffBFTable, c.s1 = 0; }},
        {"girder type 2", [](CaseInputs& c) { c.girderType = 2; }},
    };
    std::vector<std::pair<std::string, CaseInputs>> cases;
    for (const auto& [name, edit] : edits) {
        CaseInputs c;
        edit(c);
        cases.emplace_back(name, c);
    }
    for (int type = 0; type < stiffenerTypeCount; ++type) {
        CaseInputs c;
        c.stiffenerType = type;
        cases.emplace_back("stiffener type " + std::to_string(type), c);
    }
    return cases;
}

// Running a case never writes its inputs, however far it gets: not in the first run, nor when it
// is run again in the same design case as the window does after an edit, and that second run
// shows what the first showed. The assessment of the inputs alone is the same every time.
TEST(CaseIndependence, RunningACaseLeavesItsInputsAsTheyWere) {
    const Catalogue tables = referenceTables();
    std::vector<std::pair<std::string, CaseInputs>> cases = generatedCases(tables);
    for (const BatchEntry& e : referenceCases(tables).entries)
        if (e.isCase()) cases.emplace_back("line " + std::to_string(e.line), e.inputs);
    ASSERT_GT(cases.size(), 120u);

    IgnoreWarnings warnings;
    for (const auto& [name, inputs] : cases) {
        DesignCase dc;
        static_cast<CaseInputs&>(dc) = inputs;
        runCase(dc, tables, {}, warnings);
        EXPECT_EQ(inputs, static_cast<const CaseInputs&>(dc)) << name;
        const Shown first = shown(inputs, dc);
        runCase(dc, tables, {}, warnings);
        EXPECT_EQ(inputs, static_cast<const CaseInputs&>(dc)) << name;
        EXPECT_EQ(first, shown(inputs, dc)) << name;

        const Assessment once = assess(inputs, tables, {}, warnings);
        EXPECT_EQ(first, shown(inputs, once)) << name;
        EXPECT_EQ(first, shown(inputs, assess(inputs, tables, {}, warnings))) << name;
    }
}

} // namespace
} // namespace korvel
