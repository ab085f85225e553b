// The envelope of each panel over its load cases, checked from outside: every cell against the
// maximum over the same lines run one by one, the verdict against "all its cases pass", and the
// rows unchanged when the lines are shuffled.

#include "design/input_fields.h"
#include "files/panel_envelope.h"

#include "design/number_format.h"
#include "files/batch_case.h"
#include "files/batch_run.h"
#include "report/envelope_json.h"
#include "studies/reserve_envelope.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace korvel {
namespace {

TEST(PanelEnvelope, IdentificationSplitsAtItsFirstSlash) {
    struct Row {
        const char* identification;
        const char* panel;
        const char* loadCase;
    };
    for (const Row& r : {Row{"P7/storm", "P7", "storm"}, Row{"P7/storm/10yr", "P7", "storm/10yr"}, Row{"P7", "P7", ""},
                         Row{"/storm", "", "storm"}, Row{"P7/", "P7", ""}, Row{"", "", ""}}) {
        const auto [panel, loadCase] = splitPanelIdentification(r.identification);
        EXPECT_EQ(panel, r.panel) << r.identification;
        EXPECT_EQ(loadCase, r.loadCase) << r.identification;
    }
}

// The reference cases regrouped into panels: case i belongs to panel "P(i mod 11)" of a project of
// two, with its own identification as the load case, so that every panel mixes passing, failing
// and stopped cases of several profile types.
BatchList panelCases(const Catalogue& tables) {
    BatchList list = referenceCases(tables);
    int i = 0;
    for (BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        e.inputs.projectName = i % 2 == 0 ? "Deck" : "Hull";
        e.inputs.identification = "P" + std::to_string(i % 11) + "/" + e.inputs.identification;
        ++i;
    }
    return list;
}

std::vector<PanelEnvelope> envelopeOf(const BatchList& list, const Catalogue& tables) {
    EnvelopeBuilder builder;
    DesignCase dc;
    IgnoreWarnings quiet;
    BatchHooks hooks;
    hooks.afterCase = [&](const BatchEntry&, const DesignCase& done) { builder.add(done); };
    runBatch(list, dc, tables, quiet, hooks);
    return builder.panels();
}

std::string keyOf(const std::string& project, std::string_view panel) {
    return project + "\t" + std::string(panel);
}

TEST(PanelEnvelope, EachCellIsTheMaximumOverTheLinesRunOneByOne) {
    const Catalogue tables = referenceTables();
    const BatchList list = panelCases(tables);
    const std::vector<PanelEnvelope> panels = envelopeOf(list, tables);

    // The same lines, each in a design case of its own.
    struct Expected {
        int cases = 0;
        bool allPass = true;
        bool anyNok = false;
        std::array<double, checkTable.size()> highest;
        std::array<std::string, checkTable.size()> loadCase;
        std::array<std::vector<std::string>, ruleNames.size()> failing;
    };
    std::map<std::string, Expected> expected;
    std::vector<std::string> order;
    IgnoreWarnings quiet;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        DesignCase dc;
        runBatchCase(e, dc, tables, quiet);
        const auto [panel, loadCase] = splitPanelIdentification(e.inputs.identification);
        const std::string key = keyOf(e.inputs.projectName, panel);
        auto [at, added] = expected.try_emplace(key);
        if (added) {
            order.push_back(key);
            at->second.highest.fill(-1);
        }
        Expected& x = at->second;
        ++x.cases;
        const Verdict v = verdictOf(dc);
        x.allPass = x.allPass && v == Verdict::ok;
        x.anyNok = x.anyNok || v == Verdict::nok;
        for (std::size_t c = 0; c < checkTable.size(); ++c) {
            if (resultState(dc.uf, checkTable[c]) != ResultState::computed) continue;
            const double u = writtenResult(dc.uf, checkTable[c]);
            if (u > x.highest[c]) x.highest[c] = u, x.loadCase[c] = std::string(loadCase);
        }
        for (std::size_t r = 0; r < ruleNames.size(); ++r)
            if (ruleOutcome(dc, r).failed()) x.failing[r].emplace_back(loadCase);
    }

    ASSERT_EQ(panels.size(), order.size());
    for (std::size_t p = 0; p < panels.size(); ++p) {
        const PanelEnvelope& panel = panels[p];
        SCOPED_TRACE(order[p]);
        EXPECT_EQ(keyOf(panel.project, panel.panel), order[p]) << "panels in order of first appearance";
        const Expected& x = expected.at(order[p]);
        EXPECT_EQ(panel.cases, x.cases);
        EXPECT_EQ(panel.verdict() == Verdict::ok, x.allPass);
        EXPECT_EQ(panel.verdict() == Verdict::nok, x.anyNok);
        for (std::size_t c = 0; c < checkTable.size(); ++c) {
            EXPECT_EQ(panel.checks[c].computed, x.highest[c] >= 0) << checkTable[c].symbol;
            if (!panel.checks[c].computed) continue;
            EXPECT_EQ(panel.checks[c].value, x.highest[c]) << checkTable[c].symbol;
            EXPECT_EQ(panel.checks[c].loadCase, x.loadCase[c]) << checkTable[c].symbol;
        }
        EXPECT_EQ(panel.failedRules, x.failing);
    }
}

TEST(PanelEnvelope, ShufflingTheLinesChangesNoPanelsRow) {
    const Catalogue tables = referenceTables();
    BatchList list = panelCases(tables);
    const std::vector<PanelEnvelope> inOrder = envelopeOf(list, tables);
    std::mt19937 random(20261208);
    for (int round = 0; round < 3; ++round) {
        std::shuffle(list.entries.begin(), list.entries.end(), random);
        std::vector<PanelEnvelope> shuffled = envelopeOf(list, tables);
        ASSERT_EQ(shuffled.size(), inOrder.size());
        std::map<std::string, const PanelEnvelope*> byKey;
        for (const PanelEnvelope& p : shuffled) byKey[keyOf(p.project, p.panel)] = &p;
        for (const PanelEnvelope& a : inOrder) {
            const PanelEnvelope& b = *byKey.at(keyOf(a.project, a.panel));
            SCOPED_TRACE(a.project + " " + a.panel);
            EXPECT_EQ(a.cases, b.cases);
            EXPECT_EQ(a.verdict(), b.verdict());
            for (std::size_t c = 0; c < checkTable.size(); ++c) {
                EXPECT_EQ(a.checks[c].computed, b.checks[c].computed);
                EXPECT_EQ(a.checks[c].value, b.checks[c].value);
            }
            // The same load cases fail each rule and stop, in whatever order the file has them.
            for (std::size_t r = 0; r < ruleNames.size(); ++r)
                EXPECT_EQ(std::multiset<std::string>(a.failedRules[r].begin(), a.failedRules[r].end()),
                          std::multiset<std::string>(b.failedRules[r].begin(), b.failedRules[r].end()));
            EXPECT_EQ(a.stopped.size(), b.stopped.size());
        }
    }
}

TEST(PanelEnvelope, RowsNameTheGoverningLoadCaseOfEachCheck) {
    // Two load cases of one panel: the storm raises the stresses, so it governs every buckling
    // check; both share the scantlings (no stress in them), where the first line stays on a tie.
    const Catalogue tables = referenceTables();
    BatchList list = referenceCases(tables);
    auto first = std::find_if(list.entries.begin(), list.entries.end(), [](const BatchEntry& e) {
        return e.isCase() && e.inputs.SigxA < 0 && e.inputs.SigxB < 0;
    });
    ASSERT_NE(first, list.entries.end());
    BatchEntry operating = *first;
    operating.inputs.projectName = "Deck";
    operating.inputs.identification = "P1/operating";
    BatchEntry storm = operating;
    storm.inputs.identification = "P1/storm";
    for (const InputBox box : {InputBox::SigxA, InputBox::SigxB, InputBox::SigyA, InputBox::SigyC, InputBox::Tau}) {
        const FieldMember& stress = findInputField(box)->member;
        stress.set(storm.inputs, stress.get(storm.inputs) * 1.25);
    }
    list.entries = {operating, storm};
    const std::vector<PanelEnvelope> panels = envelopeOf(list, tables);
    ASSERT_EQ(panels.size(), 1u);
    const PanelEnvelope& p = panels.front();
    EXPECT_EQ(p.cases, 2);
    EXPECT_EQ(p.checks[static_cast<std::size_t>(CheckId::UFpb)].loadCase, "storm");
    EXPECT_EQ(p.checks[static_cast<std::size_t>(CheckId::UFt)].loadCase, "operating");

    std::string text = envelopeHeader();
    appendEnvelopeRow(text, p);
    const std::size_t headerEnd = text.find("\r\n");
    const std::string header = text.substr(0, headerEnd);
    const std::string row = text.substr(headerEnd + 2, text.size() - headerEnd - 4);
    EXPECT_EQ(header.rfind("project\tpanel\tcases\tverdict\thighest\tcheck\tload case\tUFpb\tUFpb case\tUFpu\t", 0),
              0u);
    EXPECT_NE(header.find("\tUFb\tUFb case\t"), std::string::npos);
    EXPECT_EQ(header.substr(header.size() - 21), "\tfailed rules\tstopped");
    const auto columns = [](const std::string& line) { return std::count(line.begin(), line.end(), '\t') + 1; };
    EXPECT_EQ(columns(header), 7 + 2 * 13 + 2);
    EXPECT_EQ(columns(row), columns(header));
    EXPECT_EQ(row.rfind("Deck\tP1\t2\t", 0), 0u) << row;
}

TEST(PanelEnvelope, JsonCarriesTheRowsNumbersExactly) {
    const Catalogue tables = referenceTables();
    const std::vector<PanelEnvelope> panels = envelopeOf(panelCases(tables), tables);
    ASSERT_FALSE(panels.empty());
    for (const PanelEnvelope& p : panels) {
        std::string json;
        appendEnvelopeJson(json, p);
        SCOPED_TRACE(json);
        EXPECT_EQ(json.rfind("{\"kind\":\"panel\",\"project\":\"" + p.project + "\",\"panel\":\"" + p.panel + "\"", 0),
                  0u);
        EXPECT_EQ(json.back(), '\n');
        EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 1);
        EXPECT_NE(json.find(std::string("\"verdict\":\"") + verdictText(p.verdict()) + "\""), std::string::npos);
        const auto uf = static_cast<std::size_t>(CheckId::UFpb);
        if (p.checks[uf].computed) {
            EXPECT_NE(json.find("{\"check\":\"UFpb\",\"heading\":\"UFpb\",\"value\":" +
                                exactNumber(p.checks[uf].value) + ",\"loadCase\":"),
                      std::string::npos);
        }
    }
}

// The panel's reserve factor is the smallest λ* of its cases; a case that stops with the loads at
// zero has the smallest of all.
TEST(PanelEnvelope, ReserveOfAPanelIsTheSmallestOfItsCases) {
    const Catalogue tables = referenceTables();
    const BatchList list = panelCases(tables);
    CaseRunner runner(tables);
    ReserveEnvelopeBuilder builder;
    std::map<std::string, std::vector<std::pair<ReserveResult, std::string>>> byPanel;
    int done = 0;
    for (const BatchEntry& e : list.entries) {
        // Every third case: the reserve search of all of them would take longer than it tells.
        if (!e.isCase() || done++ % 3 != 0) continue;
        ASSERT_TRUE(e.profileInTable);
        const ReserveResult r = reserveFactor(e.inputs, runner);
        builder.add(e.inputs.projectName, e.inputs.identification, r);
        const auto [panel, loadCase] = splitPanelIdentification(e.inputs.identification);
        byPanel[keyOf(e.inputs.projectName, panel)].emplace_back(r, std::string(loadCase));
    }
    ASSERT_EQ(builder.panels().size(), byPanel.size());
    bool someLimited = false;
    for (const PanelReserve& p : builder.panels()) {
        const auto& cases = byPanel.at(keyOf(p.project, p.panel));
        EXPECT_EQ(p.cases, static_cast<int>(cases.size()));
        const auto smallest = std::min_element(
            cases.begin(), cases.end(), [](const auto& a, const auto& b) { return smallerReserve(a.first, b.first); });
        EXPECT_EQ(p.smallest, smallest->first) << p.panel;
        EXPECT_EQ(p.loadCase, smallest->second) << p.panel;
        for (const auto& c : cases) {
            const bool bothLimited = c.first.outcome == ReserveResult::Outcome::limited &&
                                     p.smallest.outcome == ReserveResult::Outcome::limited;
            EXPECT_TRUE(!bothLimited || p.smallest.lambda <= c.first.lambda);
            EXPECT_FALSE(p.smallest.outcome == ReserveResult::Outcome::open &&
                         c.first.outcome != ReserveResult::Outcome::open);
        }
        someLimited = someLimited || p.smallest.outcome == ReserveResult::Outcome::limited;
        std::string row;
        appendReserveEnvelopeRow(row, p);
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 5) << row;
    }
    EXPECT_TRUE(someLimited);
}

} // namespace
} // namespace korvel
