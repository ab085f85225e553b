// A panel's page of a batch report: every load case's value of every check in its colour, the
// governing cell boxed, the load cases spread over pages, nothing outside the page.

#include "report/check_line_texts.h"
#include "report/envelope_page.h"

#include "files/batch_run.h"
#include "support/recording_surface.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvel {
namespace {

using test::RecordingSurface;

// The reference cases as the load cases of three panels.
std::vector<PanelEnvelope> panelsWithLoadCases(const Catalogue& tables) {
    BatchList list = referenceCases(tables);
    int i = 0;
    for (BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        e.inputs.projectName = "Deck";
        e.inputs.identification = "P" + std::to_string(i % 3) + "/LC" + std::to_string(i);
        ++i;
    }
    EnvelopeBuilder builder(true);
    DesignCase dc;
    IgnoreWarnings quiet;
    BatchHooks hooks;
    hooks.afterCase = [&](const BatchEntry&, const DesignCase& done) { builder.add(done); };
    runBatch(list, dc, tables, quiet, hooks);
    return builder.panels();
}

TEST(EnvelopePage, EachCheckOfEachLoadCaseInItsColourAndTheGoverningCellBoxed) {
    const Catalogue tables = referenceTables();
    const std::vector<PanelEnvelope> panels = panelsWithLoadCases(tables);
    ASSERT_EQ(panels.size(), 3u);
    const PageSize a4{210, 297};
    for (const PanelEnvelope& panel : panels) {
        ASSERT_EQ(panel.loadCases.size(), static_cast<std::size_t>(panel.cases));
        const std::size_t pages = envelopePageCount(panel);
        EXPECT_EQ(pages, (panel.loadCases.size() + envelopeColumnsPerPage - 1) / envelopeColumnsPerPage);
        std::size_t headingsSeen = 0, boxes = 0;
        for (std::size_t part = 0; part < pages; ++part) {
            RecordingSurface page;
            composeEnvelopePage(page, panel, part, a4, ReportTime{2026, 12, 8, 9, 5}, {"Page 1 of 1", {"footer"}});
            for (const auto& t : page.texts) {
                EXPECT_GE(t.x, 0);
                EXPECT_LE(t.x + page.textWidth(t.text), a4.widthMm + 1e-9) << t.text;
                EXPECT_LE(t.y, a4.heightMm);
            }
            for (std::size_t c = part * envelopeColumnsPerPage;
                 c < std::min(panel.loadCases.size(), (part + 1) * envelopeColumnsPerPage); ++c) {
                const std::string& name = panel.loadCases[c].loadCase;
                headingsSeen +=
                    std::any_of(page.texts.begin(), page.texts.end(), [&](const auto& t) { return t.text == name; });
            }
            boxes += static_cast<std::size_t>(std::count_if(page.shapes.begin(), page.shapes.end(), [](const auto& s) {
                return s.kind == RecordingSurface::Shape::box;
            }));
            // Nothing cut short; the load cases that stopped named with their steps.
            std::string texts;
            for (const auto& t : page.texts) {
                EXPECT_FALSE(t.text.size() >= 3 && t.text.substr(t.text.size() - 3) == "\xe2\x80\xa6") << t.text;
                texts += t.text + "\n";
            }
            for (const StoppedLoadCase& s : panel.stopped)
                EXPECT_NE(texts.find(" " + s.loadCase + " (" + s.step + ")"), std::string::npos) << s.loadCase;
            // A failing value is dark red, a passing one dark green.
            for (const auto& t : page.texts) {
                EXPECT_TRUE(t.text != "NOK" || t.colour == paletteColour(statusFail));
                EXPECT_TRUE(t.text != "OK" || t.colour == paletteColour(statusOk));
            }
        }
        EXPECT_EQ(headingsSeen, panel.loadCases.size()) << "every load case heads a column";
        // One governing cell per computed check (a tie boxes each cell with the governing value
        // in that load case only).
        const auto computed = static_cast<std::size_t>(
            std::count_if(panel.checks.begin(), panel.checks.end(), [](const auto& c) { return c.computed; }));
        EXPECT_EQ(boxes, computed) << panel.panel;
    }
}

TEST(EnvelopePage, ALongLoadCaseNameIsElidedToItsColumn) {
    PanelEnvelope panel;
    panel.project = "Deck";
    panel.panel = "P1";
    panel.cases = 1;
    panel.loadCases.push_back({std::string(200000, 'x'), CaseOutcome{}});
    RecordingSurface page;
    composeEnvelopePage(page, panel, 0, PageSize{210, 297}, ReportTime{}, {"Page 1 of 1", {}});
    const auto elided =
        std::find_if(page.texts.begin(), page.texts.end(), [](const auto& t) { return t.text.rfind("xxx", 0) == 0; });
    ASSERT_NE(elided, page.texts.end());
    EXPECT_LT(elided->text.size(), 200u);
    EXPECT_EQ(elided->text.substr(elided->text.size() - 3), "\xe2\x80\xa6");
}

} // namespace
} // namespace korvel
