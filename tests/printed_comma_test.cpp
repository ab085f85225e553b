// The printed page, the batch report's pages and the figures in comma mode. They write every
// number with the separator they are given; before, they were composed with the period and each
// drawn text was patched afterwards. On every reference case the comma drawing must read exactly
// as that patching made of the period drawing, text by text and at the same places, except where
// the patching guessed wrong (listed in expectedComma).

#include "design/decimal_text.h"
#include "design/warning_sink.h"
#include "figures/panel_figure.h"
#include "figures/profile_figure.h"
#include "files/batch_run.h"
#include "files/batch_stream_source.h"
#include "report/batch_report_plan.h"
#include "report/batch_summary_page.h"
#include "report/c_factor_caption.h"
#include "report/envelope_page.h"
#include "report/printed_report.h"
#include "report/proportion_display.h"
#include "support/measuring_page.h"
#include "support/recording_surface.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

using namespace korvel;
using test::MeasuringPage;
using test::RecordingSurface;

namespace {

constexpr ReportTime printTime{2026, 12, 8, 9, 5};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The period text as the comma page must show it: every decimal point a comma, as the patching
// did, except in texts that are no numbers of ours, which the patching wrongly changed:
// - the program's version ("Version 1.9", "Made with KORVEL 1.9" of a batch report's footer);
// - the engineer's own texts, printed as typed: the file, project and identification lines and
//   the material names of the page (a comment, identification, project or load case of a batch
//   report is such a text too).
std::string expectedComma(const std::string& period, const std::vector<std::string>& ownTexts) {
    for (const std::string_view asTyped :
         {"Version ", "Made with KORVEL ", "File: ", "Project: ", "Identification: ", "Plate & Girder/Stiffener: "})
        if (startsWith(period, asTyped)) return period;
    for (const std::string& own : ownTexts)
        if (withDecimalSeparator(own, ',') != own && period.find(own) != std::string::npos) return period;
    return withDecimalSeparator(period, ',');
}

// Compares two recordings text by text: same place, font and colour; the comma text as expected.
void expectCommaDrawing(const RecordingSurface& period, const RecordingSurface& comma,
                        const std::vector<std::string>& ownTexts = {}) {
    ASSERT_EQ(period.texts.size(), comma.texts.size());
    for (std::size_t i = 0; i < period.texts.size(); ++i) {
        const RecordingSurface::Text& p = period.texts[i];
        const RecordingSurface::Text& c = comma.texts[i];
        EXPECT_EQ(expectedComma(p.text, ownTexts), c.text) << "text " << i;
        EXPECT_EQ(p.x, c.x) << c.text;
        EXPECT_EQ(p.y, c.y) << c.text;
        EXPECT_EQ(p.font, c.font) << c.text;
        EXPECT_EQ(p.colour, c.colour) << c.text;
    }
    EXPECT_EQ(period.shapes.size(), comma.shapes.size());
}

bool anyComma(const RecordingSurface& page) {
    for (const RecordingSurface::Text& t : page.texts)
        if (t.text.find(',') != std::string::npos) return true;
    return false;
}

class ReferenceCases : public ::testing::Test {
protected:
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    IgnoreWarnings quiet;

    // Runs every case of the file into a design case of its own and hands it to `check`; all 135.
    template <class Check>
    void forEachCase(Check check) {
        int cases = 0;
        for (const BatchEntry& e : list.entries) {
            if (!e.isCase()) continue;
            SCOPED_TRACE("line " + std::to_string(e.line));
            DesignCase dc;
            runBatchCase(e, dc, tables, quiet);
            check(dc, cases++);
        }
        EXPECT_EQ(135, cases);
    }
};

} // namespace

// Each case printed with both listings and the deflection, half of them beside a second
// calculation ("as built 0.48"). The engineer's texts carry decimal points of their own.
TEST_F(ReferenceCases, ReportPageInCommaReadsAsThePeriodPageWithCommas) {
    forEachCase([&](DesignCase& dc, int k) {
        dc.analysis = dc.printSelection = analysisAll;
        dc.includeDeformation = true;
        dc.fileName = "deck 2.5.kor";
        dc.projectName = "Hull 1.2";
        dc.identification += " at frame 12.5";
        ReportPageMarks marks;
        if (k % 2 == 1) marks.asBuilt = &dc;
        MeasuringPage period;
        composeReport(period, dc, tables, PageSize{}, printTime, marks);
        marks.separator = ',';
        MeasuringPage comma;
        composeReport(comma, dc, tables, PageSize{}, printTime, marks);
        expectCommaDrawing(period.rec, comma.rec);
        EXPECT_TRUE(anyComma(comma.rec));
    });
}

// The engineer's texts and the version are printed as written, whatever the separator.
TEST_F(ReferenceCases, ReportPageKeepsTheVersionAndTheEngineersTextsAsWritten) {
    const auto first =
        std::find_if(list.entries.begin(), list.entries.end(), [](const BatchEntry& e) { return e.isCase(); });
    ASSERT_NE(first, list.entries.end());
    DesignCase dc;
    runBatchCase(*first, dc, tables, quiet);
    dc.identification = "Frame 12.5";
    ReportPageMarks marks;
    marks.separator = ',';
    MeasuringPage page;
    composeReport(page, dc, tables, PageSize{}, printTime, marks);
    std::vector<std::string> texts;
    for (const RecordingSurface::Text& t : page.rec.texts) texts.push_back(t.text);
    for (const char* written : {"Version 1.9", "Identification: Frame 12.5"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), written), texts.end()) << written;
}

// The summary and the envelope pages of a batch report of every reference case.
TEST_F(ReferenceCases, BatchReportPagesInCommaReadAsThePeriodPagesWithCommas) {
    std::vector<std::string> ownTexts;
    for (const BatchEntry& e : list.entries) {
        ownTexts.push_back(e.isCase() ? e.inputs.identification : e.comment);
        ownTexts.push_back(e.inputs.projectName);
    }
    const auto plan = [&](char separator) {
        BatchEntrySource source(list);
        return planBatchReport(source, {}, tables, {}, true, {}, separator);
    };
    const std::optional<BatchReportPlan> period = plan('.');
    const std::optional<BatchReportPlan> comma = plan(',');
    ASSERT_TRUE(period && comma);
    SummaryPageMarks marks;
    marks.page = "Page 1 of 9";
    marks.footer = {"Made with KORVEL 1.9 on 2026-12-08T09:05:00Z from the tables (FNV-1a 64 checksums):"};
    RecordingSurface periodPage;
    RecordingSurface commaPage;
    const std::vector<SummaryPageRows> pages = layoutSummaryPages(periodPage, period->rows, PageSize{}, 1);
    ASSERT_EQ(pages, layoutSummaryPages(commaPage, comma->rows, PageSize{}, 1));
    for (const SummaryPageRows& part : pages) {
        marks.separator = '.';
        composeSummaryPage(periodPage, period->rows, part, period->title, PageSize{}, printTime, marks);
        marks.separator = ',';
        composeSummaryPage(commaPage, comma->rows, part, comma->title, PageSize{}, printTime, marks);
    }
    for (const PanelEnvelope& panel : period->envelopes.panels())
        for (std::size_t part = 0; part < envelopePageCount(panel); ++part) {
            marks.separator = '.';
            composeEnvelopePage(periodPage, panel, part, PageSize{}, printTime, marks);
            marks.separator = ',';
            composeEnvelopePage(commaPage, panel, part, PageSize{}, printTime, marks);
        }
    expectCommaDrawing(periodPage, commaPage, ownTexts);
    EXPECT_TRUE(anyComma(commaPage));
}

// The figures: the panel schematic ("0.25a"), the profile to scale with its sizes and the flange
// and web lines of the profile dialogs.
TEST_F(ReferenceCases, FiguresInCommaReadAsThePeriodFiguresWithCommas) {
    forEachCase([&](const DesignCase& dc, int) {
        std::array<RecordingSurface, 2> drawn; // period, comma
        const std::array<char, 2> separators{'.', ','};
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            RecordingSurface& s = drawn[k];
            drawProfileFigure(s, dc, true, separators[k]); // clears the surface first
            drawPanelFigure(s, dc, 0, 0, separators[k]);
            double y = 0;
            proportionCheckDisplay(s, dc.stiff, y, 1, 1, separators[k]);
        }
        expectCommaDrawing(drawn[0], drawn[1]);
    });
}

// The c-factor caption of each structure type: its factors with the comma, its clause as written.
TEST(CommaCaptions, CFactorCaptionReadsAsThePeriodCaptionWithCommas) {
    int captions = 0;
    for (int type = 0; type < 3; ++type)
        for (int option = 0; option < 2; ++option) {
            DesignCase dc;
            dc.structureType = type;
            dc.structureOption = option;
            dc.cStiffener = 0.9;
            dc.cGirder = 1.5;
            dc.UL = 65;
            const CFactorCaption period = cFactorCaption(dc);
            const CFactorCaption comma = cFactorCaption(dc, ',');
            if (period.tab < 0) continue;
            EXPECT_EQ(withDecimalSeparator(period.text, ','), comma.text);
            EXPECT_NE(std::string::npos, comma.text.find("0,90")) << comma.text;
            EXPECT_EQ(period.unitLength, comma.unitLength);
            ++captions;
        }
    EXPECT_GE(captions, 5);
}
