// The printed report keeps every text readable for any case: thin plates, huge loads and long
// spans give long formulas and values, a stopped calculation a long remark. On the character
// grid of an A4 page (100 characters per line, see support/measuring_page.h) the value column of
// both listings is 95 - 17 = 78 and the right margin 95.

#include "report/printed_report.h"

#include "engine/calculate.h"
#include "report/listing_row.h"
#include "report/print_grid.h"
#include "sections/profile_types.h"
#include "support/fake_warnings.h"
#include "support/measuring_page.h"
#include "support/recording_surface.h"
#include "support/test_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace korvel {
namespace {

using test::MeasuringPage;

const Catalogue catalogue = testCatalogue();
constexpr double charsPerLine = 100;
constexpr double valueColumn = 78;
constexpr double rightLimit = 95;

struct Load {
    double SigxA, SigyA, Tau, p;
};

std::string describe(const DesignCase& dc) {
    return "t = " + std::to_string(dc.t) + ", L1 = " + std::to_string(dc.L1) + ", SigxA = " + std::to_string(dc.SigxA) +
           ", p = " + std::to_string(dc.p) + (dc.fault.stopped() ? ", stopped" : "");
}

// Thin to thick plates under ordinary to huge loads, short and long spans, both listings.
std::vector<DesignCase> generatedCases() {
    std::vector<DesignCase> cases;
    const Load loads[] = {{-100, -30, 40, 0.03}, {-250, -60, 90, 0.2}, {-2000, -800, 600, 2}, {50, 10, 0, 0}};
    for (double t : {0.05, 0.1, 0.5, 3.0, 20.0, 80.0})
        for (const Load& load : loads)
            for (double L1 : {3000.0, 60000.0}) {
                DesignCase dc;
                dc.t = t;
                dc.L1 = L1;
                dc.SigxA = dc.SigxB = load.SigxA;
                dc.SigyA = dc.SigyC = load.SigyA;
                dc.Tau = load.Tau;
                dc.p = dc.ps = load.p;
                dc.includeDeformation = true;
                dc.printSelection = analysisAll;
                selectProfile(dc, catalogue);
                RecordingWarnings warnings;
                calculate(dc, catalogue, warnings);
                cases.push_back(dc);
            }
    return cases;
}

// A calculation stopped with the longest reason of the checks, printed after one listing and
// after both.
std::vector<DesignCase> stoppedCases() {
    std::vector<DesignCase> cases;
    for (int selection : {analysisBuckling, analysisScantlingYield, analysisAll}) {
        DesignCase dc;
        dc.printSelection = selection;
        selectProfile(dc, catalogue);
        RecordingWarnings warnings;
        calculate(dc, catalogue, warnings);
        dc.fault = {"stiffener section modulus", "section modulus of the stiffener with plating (Wp or Ws) is zero"};
        cases.push_back(dc);
    }
    return cases;
}

// Texts on the character grid: the scale that spans the page width in characters.
bool onCharacterGrid(const MeasuringPage& page, std::size_t i) {
    const auto& s = page.rec.scales[static_cast<std::size_t>(page.textScale[i])];
    return s.left == 0 && s.right == charsPerLine;
}

void expectEveryTextClear(const DesignCase& dc) {
    MeasuringPage page;
    composeReport(page, dc, catalogue, PageSize{}, ReportTime{2026, 12, 7, 9, 5});
    const auto& texts = page.rec.texts;
    int values = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!onCharacterGrid(page, i)) continue;
        const auto& t = texts[i];
        const double end = t.x + page.drawnWidth(i);
        if (std::abs(t.x - valueColumn) < 1e-9) {
            // Value and limit from the value column stay on the paper.
            ++values;
            EXPECT_LE(end, charsPerLine) << t.text << " | " << describe(dc);
            continue;
        }
        if (t.x > valueColumn) continue; // the limit after its value
        EXPECT_LE(end, rightLimit + 1e-9) << t.text << " | " << describe(dc);
        // Nothing on a value's line reaches the value.
        for (std::size_t j = 0; j < texts.size(); ++j) {
            const bool valueOnTheLine = std::abs(texts[j].y - t.y) < 1e-9 &&
                                        std::abs(texts[j].x - valueColumn) < 1e-9 && onCharacterGrid(page, j);
            if (valueOnTheLine) {
                EXPECT_LT(end, valueColumn) << t.text << " | " << describe(dc);
            }
        }
    }
    if (!dc.fault.stopped()) {
        EXPECT_GT(values, 0) << describe(dc);
    }
}

TEST(PrintedReportFit, NoTextReachesTheValueColumnOrPassesTheRightMargin) {
    const std::vector<DesignCase> cases = generatedCases();
    ASSERT_EQ(cases.size(), 48u);
    for (const DesignCase& dc : cases) expectEveryTextClear(dc);
}

TEST(PrintedReportFit, AStoppedCalculationsRemarkWrapsWithinThePage) {
    for (const DesignCase& dc : stoppedCases()) {
        expectEveryTextClear(dc);
        MeasuringPage page;
        composeReport(page, dc, catalogue, PageSize{}, ReportTime{});
        // The remark is whole across its lines, to the closing parenthesis.
        std::string remark;
        for (const auto& t : page.rec.texts)
            if (t.colour == remarkRed && t.font.bold) remark += (remark.empty() ? "" : " ") + t.text;
        EXPECT_EQ(remark, dc.fault.message());
    }
}

TEST(WrapText, BreaksAfterSpacesAndInsideWordsOnlyWhenTheyAloneAreTooWide) {
    const auto chars = [](std::string_view s) { return static_cast<double>(s.size()); };
    struct Row {
        const char* text;
        double width;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"UFpu = (a/b)^2 + c = ", 30, {"UFpu = (a/b)^2 + c = "}},
        {"UFpu = (a/b)^2 + c = ", 10, {"UFpu =", "(a/b)^2 +", "c = "}},
        {"abcdefghij klm", 4, {"abcd", "efgh", "ij", "klm"}},
        {"s = \xcf\x83\xcf\x83", 5, {"s =", "\xcf\x83\xcf\x83"}},
        {"\xcf\x83\xcf\x83\xcf\x83", 3, {"\xcf\x83", "\xcf\x83", "\xcf\x83"}},
        {"x", 0, {"x"}},
    };
    for (const Row& r : rows) EXPECT_EQ(wrapText(r.text, r.width, chars), r.lines) << r.text;
}

} // namespace
} // namespace korvel
