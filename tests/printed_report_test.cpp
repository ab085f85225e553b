// The printed report composed on a recording page. The page measures text like a real font, in
// millimetres converted to the scale in force: a character is 0.21 mm per point wide and a line
// 0.1 mm per point high. At 10 points on an A4 page of 210 x 297 mm the 20-character sample is
// 42 mm wide, so the grid is 210 / 42 * 20 = 100 characters per line (one character is then one
// column) and 0.9 * 297 / 1 = 267.3 -> 267 lines per page. From there by hand: left margin 10,
// right limit 95, text width u = 85, column 25 = 31.25, column 50 = 52.5, indent 10 = 18.5,
// indent 60 = 61.

#include "report/check_line_texts.h"
#include "report/printed_report.h"

#include "engine/calculate.h"
#include "sections/profile_types.h"
#include "support/fake_warnings.h"
#include "support/measuring_page.h"
#include "support/recording_surface.h"
#include "support/test_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace korvel {
namespace {

using test::RecordingSurface;

using test::MeasuringPage;

const Catalogue catalogue = testCatalogue();
constexpr ReportTime testClock{2026, 12, 7, 9, 5};
constexpr double tolerance = 1e-9;

// The new-file case on grade AH36 (355/490) with the L 200x90x9x14 of the test catalogue,
// calculated after `edit`.
template <class Edit>
DesignCase calculatedCase(Edit edit) {
    DesignCase dc;
    dc.printSelection = analysisBuckling;
    edit(dc);
    selectProfile(dc, catalogue);
    RecordingWarnings warnings;
    calculate(dc, catalogue, warnings);
    return dc;
}
DesignCase newFileCase() {
    return calculatedCase([](DesignCase&) {});
}

MeasuringPage compose(const DesignCase& dc, const ReportTime& time = testClock, const PageSize& size = {}) {
    MeasuringPage page;
    composeReport(page, dc, catalogue, size, time);
    return page;
}

const RecordingSurface::Text* find(const MeasuringPage& page, const std::string& text) {
    for (const auto& t : page.rec.texts)
        if (t.text == text) return &t;
    return nullptr;
}

const RecordingSurface::Text* findAt(const MeasuringPage& page, double x, double y) {
    for (const auto& t : page.rec.texts)
        if (std::abs(t.x - x) < tolerance && std::abs(t.y - y) < tolerance) return &t;
    return nullptr;
}

bool anyStartsWith(const MeasuringPage& page, const std::string& prefix) {
    return std::any_of(page.rec.texts.begin(), page.rec.texts.end(),
                       [&](const auto& t) { return t.text.rfind(prefix, 0) == 0; });
}

bool hasLine(const MeasuringPage& page, double x1, double y1, double x2, double y2) {
    return std::any_of(page.rec.shapes.begin(), page.rec.shapes.end(), [&](const RecordingSurface::Shape& s) {
        return s.kind == RecordingSurface::Shape::line && std::abs(s.x1 - x1) < tolerance &&
               std::abs(s.y1 - y1) < tolerance && std::abs(s.x2 - x2) < tolerance && std::abs(s.y2 - y2) < tolerance;
    });
}

TEST(ReportLayout, GridMeasuredAtEachSizeAndTakenAtTheBaseSize) {
    struct Row {
        PageSize size;
        double cpl11, cpl10, cpl9, cpl8;
        double lpp11, lpp10, lpp9, lpp8;
        double leftMargin, rightLimit, u, column50, indent10, indent60;
    };
    const Row rows[] = {
        // 210 / (20 * 0.21 * size) * 20: 90.9, 100, 111.1, 125; 0.9 * 297 / (0.1 * size): 243, 267.3, 297, 334.1.
        {{210, 297}, 91, 100, 111, 125, 243, 267, 297, 334, 10, 95, 85, 52.5, 18.5, 61},
        // Letter-like 200 x 287: 86.6, 95.2, 105.8, 119.0; 234.8, 258.3, 287, 322.9. Left margin 9.5,
        // right limit 90.25 -> 90, u = 80.5 -> 81 (half away from zero), column 50 = 9.5 + 40.5.
        {{200, 287}, 87, 95, 106, 119, 235, 258, 287, 323, 9.5, 90, 81, 50, 17.6, 58.1},
    };
    for (const Row& r : rows) {
        MeasuringPage page;
        const ReportLayout g = measureReportLayout(page, r.size);
        ASSERT_EQ(1u, page.rec.scales.size());
        EXPECT_EQ(r.size.widthMm, page.rec.scales[0].right);
        EXPECT_EQ(r.size.heightMm, page.rec.scales[0].bottom);
        EXPECT_EQ((std::array<double, 4>{r.cpl11, r.cpl10, r.cpl9, r.cpl8}), g.charsPerLineAt);
        EXPECT_EQ((std::array<double, 4>{r.lpp11, r.lpp10, r.lpp9, r.lpp8}), g.linesPerPageAt);
        EXPECT_EQ(r.cpl10, g.charsPerLine);
        EXPECT_EQ(r.lpp10, g.linesPerPage);
        EXPECT_NEAR(r.leftMargin, g.leftMargin, tolerance);
        EXPECT_NEAR(r.rightLimit, g.rightLimit, tolerance);
        EXPECT_NEAR(r.u, g.textWidth, tolerance);
        EXPECT_NEAR(r.column50, g.column50, tolerance);
        EXPECT_NEAR(r.indent10, g.indent10, tolerance);
        EXPECT_NEAR(r.indent60, g.indent60, tolerance);
        EXPECT_EQ("times new roman", page.font().name);
        EXPECT_EQ(10, page.font().size);
    }
}

TEST(ReportLayout, ASurfaceThatCannotMeasureGivesAnEmptyGrid) {
    RecordingSurface page;
    page.charWidth = 0;
    const ReportLayout g = measureReportLayout(page, {});
    EXPECT_EQ(0, g.charsPerLine);
}

// Every text of the header and the blocks above the profiles, at its hand-counted line:
// 2 product name, +2 title, +1 version, +1.9 rule (6.9), +0.5 file (7.4), +1, +1, +1.3 rule
// (10.7), +0.3 material block (11), +1.3 first line (12.3) ... E at 15.3, +1.3 rule (16.6), +0.3
// geometry block (16.9), first line 18.2 ... girder c-factor at 28.2, +1 rule (29.2).
TEST(PrintedReport, NewFileCaseTextsAtTheirPositions) {
    const DesignCase dc = newFileCase();
    const MeasuringPage page = compose(dc);
    struct Row {
        const char* text;
        double x, y;
    };
    const double dateX = 95 - 16; // "Date: 2026-12-07", one column a character at 10 points
    const Row rows[] = {
        {"KORVEL", 10, 2},
        {"Page: 1", dateX, 2.5},
        {"Plate/Stiff/Girder check based on ABS Offshore Structures", 10, 4},
        {"Date: 2026-12-07", dateX, 4},
        {"Version 1.9", 10, 5},
        {"Time: 9:05", dateX, 5},
        {"File: new file", 10, 7.4},
        {"Project: Project", 10, 8.4},
        {"Identification: Test", 10, 9.4},
        {"Material:", 10, 11},
        {"Plate & Girder/Stiffener: Hull AH36/Hull AH36", 10, 12.3},
        {"Yield stress: Fyp/Fys = 355/355 MPa", 10, 13.3},
        {"Tensile stress: Fup/Fus = 490/490 MPa", 10, 14.3},
        {"Youngs modulus: E = 2.06E+5 MPa", 10, 15.3},
        {"Loading Condition / Safety format:", 52.5, 11},
        {"Loading Condition: A", 52.5, 12.3},
        {"Factor of Safety: F.S = 1.43", 52.5, 13.3},
        {"Max Allow Utlization Factor: UF = 0.60", 52.5, 14.3},
        {"Geometry:", 10, 16.9},
        {"Figure:", 52.5, 16.9},
        {"L1 = 3000 mm", 10, 18.2},
        {"L2 = 2500 mm", 10, 19.2},
        {"Lg = 8000 mm", 10, 20.2},
        {"t = 20.0 mm (plate th.)", 10, 21.2},
        {"s1 = 625 mm", 10, 22.2},
        {"s2 = 625 mm", 10, 23.2},
        {"Lgs = 6000 mm", 10, 24.2},
        {"Lt = 3000 mm", 10, 25.2},
        {"Structure: Tank bulkhead  ", 10, 26.2},
        {"Stiffener: clip attachment c-factor = 0.90", 10, 27.2},
        {"Girder c-factor = 1.50", 10, 28.2},
        {"Stresses:", 31.25, 16.9},
        {"SigxA = -100.0 MPa", 31.25, 18.2},
        {"SigxB = -100.0 MPa", 31.25, 19.2},
        {"SigyA = -30.0 MPa", 31.25, 20.2},
        {"SigyC = -30.0 MPa", 31.25, 21.2},
        {"Tau = 40.0 MPa", 31.25, 22.2},
        {"p = 0.030 MPa", 31.25, 23.2},
        {"ps = 0.030 MPa (Scantling)", 31.25, 24.2},
    };
    for (const Row& r : rows) {
        const auto* t = find(page, r.text);
        ASSERT_NE(nullptr, t) << r.text;
        EXPECT_NEAR(r.x, t->x, tolerance) << r.text;
        EXPECT_NEAR(r.y, t->y, tolerance) << r.text;
    }
}

TEST(PrintedReport, HeaderFontsAndColours) {
    const MeasuringPage page = compose(newFileCase());
    const auto* product = find(page, "KORVEL");
    ASSERT_NE(nullptr, product);
    EXPECT_EQ((Font{"arial", 18, true, false, false}), product->font);
    EXPECT_EQ((Rgb{0, 85, 152}), product->colour);

    const auto* page1 = find(page, "Page: 1");
    ASSERT_NE(nullptr, page1);
    EXPECT_EQ((Font{"arial", 10, false, false, false}), page1->font);
    EXPECT_EQ((Rgb{0, 0, 0}), page1->colour);

    const auto* title = find(page, "Plate/Stiff/Girder check based on ABS Offshore Structures");
    ASSERT_NE(nullptr, title);
    EXPECT_EQ((Font{"arial", 11, false, false, false}), title->font);

    const auto* file = find(page, "File: new file");
    ASSERT_NE(nullptr, file);
    EXPECT_EQ((Font{"times new roman", 10, false, false, false}), file->font);

    for (const char* heading : {"Material:", "Loading Condition / Safety format:", "Geometry:", "Figure:", "Stresses:",
                                "Stiffener:", "Girder:"}) {
        const auto* t = find(page, heading);
        ASSERT_NE(nullptr, t) << heading;
        EXPECT_EQ((Font{"times new roman", 10, true, true, true}), t->font) << heading;
    }
    const auto* afterHeading = find(page, "Plate & Girder/Stiffener: Hull AH36/Hull AH36");
    ASSERT_NE(nullptr, afterHeading);
    EXPECT_EQ((Font{"times new roman", 10, false, false, false}), afterHeading->font);
}

TEST(PrintedReport, FilePathPrintedInLowerCase) {
    DesignCase dc = newFileCase();
    dc.fileName = "C:\\Work\\Panel A.KORVP";
    dc.projectName = "Jacket Leg";
    dc.identification = "Deck 2 / Frame 14";
    const MeasuringPage page = compose(dc);
    EXPECT_NE(nullptr, find(page, "File: c:\\work\\panel a.korvp"));
    EXPECT_NE(nullptr, find(page, "Project: Jacket Leg"));
    EXPECT_NE(nullptr, find(page, "Identification: Deck 2 / Frame 14"));
}

// A project name or identification longer than its place beside the margin line ends in "…",
// whatever its length (a 2 MB identification once drew for minutes).
TEST(PrintedReport, LongTextsEndInAnEllipsisBeforeTheMarginLine) {
    const std::string ellipsis = "\xe2\x80\xa6";
    for (const std::size_t length : {200u, 20000u, 2000000u}) {
        SCOPED_TRACE(length);
        DesignCase dc = newFileCase();
        dc.identification.assign(length, 'I');
        dc.projectName = "P" + std::string(length, 'p');
        const MeasuringPage page = compose(dc);
        for (const char* start : {"Project: P", "Identification: I"}) {
            const auto shown =
                std::find_if(page.rec.texts.begin(), page.rec.texts.end(),
                             [&](const RecordingSurface::Text& t) { return t.text.rfind(start, 0) == 0; });
            ASSERT_NE(page.rec.texts.end(), shown) << start;
            EXPECT_EQ(ellipsis, shown->text.substr(shown->text.size() - 3)) << start;
            EXPECT_LT(shown->text.size(), 200u);
        }
    }
}

TEST(PrintedReport, DateAndTimeFromTheClock) {
    struct Row {
        ReportTime time;
        const char* date;
        const char* clock;
    };
    const Row rows[] = {
        {{2026, 12, 7, 9, 5}, "Date: 2026-12-07", "Time: 9:05"},
        {{2027, 1, 31, 23, 59}, "Date: 2027-01-31", "Time: 23:59"},
        {{2030, 6, 1, 0, 0}, "Date: 2030-06-01", "Time: 0:00"},
        {{2031, 10, 10, 14, 7}, "Date: 2031-10-10", "Time: 14:07"},
    };
    const DesignCase dc = newFileCase();
    for (const Row& r : rows) {
        const MeasuringPage page = compose(dc, r.time);
        EXPECT_NE(nullptr, find(page, r.date)) << r.date;
        EXPECT_NE(nullptr, find(page, r.clock)) << r.clock;
    }
}

TEST(PrintedReport, TitleFollowsTheAnalysisSelection) {
    struct Row {
        int analysis;
        const char* title;
    };
    const Row rows[] = {
        {analysisBuckling, "Plate/Stiff/Girder check based on ABS Offshore Structures"},
        {analysisScantlingYield, "Plate/Stiff/Girder check based on ABS Offshore Structures"},
        {analysisAll, "Scantling of Plate/Stiff/Girder based on ABS Offshore Structures"},
    };
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) { d.analysis = r.analysis; });
        const MeasuringPage page = compose(dc);
        const auto* t = findAt(page, 10, 4);
        ASSERT_NE(nullptr, t) << r.analysis;
        EXPECT_EQ(r.title, t->text);
    }
}

TEST(PrintedReport, LoadingConditionLetterAndSafetyFormat) {
    struct Row {
        int condition;
        const char* letter;
        const char* fs;
        const char* uf;
    };
    const Row rows[] = {
        {conditionA, "Loading Condition: A", "Factor of Safety: F.S = 1.43", "Max Allow Utlization Factor: UF = 0.60"},
        {conditionB, "Loading Condition: B", "Factor of Safety: F.S = 1.11", "Max Allow Utlization Factor: UF = 0.80"},
        // C keeps what was in force (the new-file values of A).
        {conditionC, "Loading Condition: C", "Factor of Safety: F.S = 1.43", "Max Allow Utlization Factor: UF = 0.60"},
    };
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) { chooseLoadingCondition(d, r.condition); });
        const MeasuringPage page = compose(dc);
        EXPECT_NE(nullptr, find(page, r.letter)) << r.letter;
        EXPECT_NE(nullptr, find(page, r.fs)) << r.letter;
        EXPECT_NE(nullptr, find(page, r.uf)) << r.letter;
    }
}

// Without lateral pressure neither pressure line is printed, even with a scantling pressure.
TEST(PrintedReport, PressureLinesOnlyWithLateralPressure) {
    struct Row {
        double p, ps;
        const char* pLine;
        const char* psLine;
    };
    const Row rows[] = {
        {0, 0.05, nullptr, nullptr},
        {0, 0, nullptr, nullptr},
        {0.03, 0, "p = 0.030 MPa", "ps = 0.000 MPa (Scantling)"},
        {-0.012, 0.05, "p = -0.012 MPa", "ps = 0.050 MPa (Scantling)"},
    };
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) {
            d.p = r.p;
            d.ps = r.ps;
        });
        const MeasuringPage page = compose(dc);
        const auto* pLine = findAt(page, 31.25, 23.2);
        const auto* psLine = findAt(page, 31.25, 24.2);
        if (r.pLine == nullptr) {
            EXPECT_EQ(nullptr, pLine) << r.p;
            EXPECT_EQ(nullptr, psLine) << r.p;
            EXPECT_FALSE(anyStartsWith(page, "p = ")) << r.p;
            EXPECT_FALSE(anyStartsWith(page, "ps = ")) << r.p;
        } else {
            ASSERT_NE(nullptr, pLine) << r.p;
            ASSERT_NE(nullptr, psLine) << r.p;
            EXPECT_EQ(r.pLine, pLine->text);
            EXPECT_EQ(r.psLine, psLine->text);
        }
    }
}

// c-factors by hand (ABS MODU 3-2-2/7.5, 9.5, 9.9, 3-2-4/3.5, 3.7): watertight, ends attached,
// UL = 53: 0.46 + 0.1 * 8/16 = 0.51; no end attachment: 0.58 + 0.02 * 8/16 = 0.59.
TEST(PrintedReport, StructureAndCFactorLines) {
    struct Row {
        int type, option;
        float UL;
        const char* structure;
        const char* attachment;
        const char* girder; // nullptr: no girder c-factor line
    };
    const Row rows[] = {
        {watertightBulkhead, 0, 65, "Structure: Watertight bulkhead;  Unit length: UL = 65 m",
         "Stiffener: ends attached c-factor = 0.56", nullptr},
        {watertightBulkhead, 0, 53, "Structure: Watertight bulkhead;  Unit length: UL = 53 m",
         "Stiffener: ends attached c-factor = 0.51", nullptr},
        {watertightBulkhead, 1, 53, "Structure: Watertight bulkhead;  Unit length: UL = 53 m",
         "Stiffener: no end attachment c-factor = 0.59", nullptr},
        {tankBulkhead, 0, 65, "Structure: Tank bulkhead  ", "Stiffener: clip attachment c-factor = 0.90",
         "Girder c-factor = 1.50"},
        {tankBulkhead, 1, 65, "Structure: Tank bulkhead  ",
         "Stiffener: supported at both ends by girder c-factor = 1.00", "Girder c-factor = 1.50"},
        {upperStructure, 0, 65, "Structure: Upper structure   ", "Stiffener/Girder: Clear of tanks c-factor = 0.60",
         "Girder c-factor = 1.00"},
        {upperStructure, 1, 65, "Structure: Upper structure   ", "Stiffener/Girder: In way of tanks c-factor = 1.00",
         "Girder c-factor = 1.50"},
    };
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) {
            d.structureType = r.type;
            d.structureOption = r.option;
            d.UL = r.UL;
        });
        const MeasuringPage page = compose(dc);
        const auto* structure = findAt(page, 10, 26.2);
        const auto* attachment = findAt(page, 10, 27.2);
        ASSERT_NE(nullptr, structure) << r.structure;
        ASSERT_NE(nullptr, attachment) << r.attachment;
        EXPECT_EQ(r.structure, structure->text);
        EXPECT_EQ(r.attachment, attachment->text);
        const auto* girder = findAt(page, 10, 28.2);
        if (r.girder) {
            ASSERT_NE(nullptr, girder) << r.girder;
            EXPECT_EQ(r.girder, girder->text);
            EXPECT_FALSE(anyStartsWith(page, "Structure: Watertight")) << r.girder;
        } else {
            EXPECT_EQ(nullptr, girder) << r.structure;
            EXPECT_FALSE(anyStartsWith(page, "Girder c-factor = ")) << r.structure;
        }
        // The rule under the block is one line below its last line, the vertical rule 2 columns
        // left of the figure column.
        const double last = r.girder ? 28.2 : 27.2;
        EXPECT_TRUE(hasLine(page, 10, last + 1, 95, last + 1)) << r.structure;
        EXPECT_TRUE(hasLine(page, 50.5, 16.9, 50.5, last + 0.5)) << r.structure;
    }
}

TEST(PrintedReport, RulesOfTheHeaderAndMaterialBlocks) {
    const MeasuringPage page = compose(newFileCase());
    EXPECT_TRUE(hasLine(page, 10, 6.9, 95, 6.9));
    EXPECT_TRUE(hasLine(page, 10, 10.7, 95, 10.7));
    EXPECT_TRUE(hasLine(page, 10, 16.6, 95, 16.6));
}

// Profile block from line 30.2 (one below the rule at 29.2): heading and designation, the
// dimension lines, then the slenderness lines; the girder column at indent 60.
TEST(PrintedReport, StiffenerDimensionLinesByType) {
    struct Row {
        int type;
        const char* designation;
        const char* first;
        const char* second; // nullptr: the type has one line
        bool flange, web;   // slenderness lines
    };
    const Row rows[] = {
        {stiffLTable, " L 200x90x9.0x14.0", "H = 200 mm    B = 90.0 mm", "tw = 9.0 mm    tf = 14.0 mm", true, true},
        {stiffTTable, " T 250x120x10.0x14.0", "H = 250 mm    B = 120.0 mm", "tw = 10.0 mm    tf = 14.0 mm", true, true},
        {stiffIBuiltUp, " I 300x150x10.0x16.0", "H = 300 mm    B = 150.0 mm", "tw = 10.0 mm    tf = 16.0 mm", true,
         true},
        {stiffFlatbarTable, " Fb 200x10.0", "H = 200 mm    tw = 10.0 mm", nullptr, false, true},
        {stiffBFTable, " BF 200x10.0", "H = 200 mm    tw = 10.0 mm", nullptr, false, true},
        {stiffRHS, " RHS 200x90x9.0", "H = 200 mm    B = 90.0 mm", "tw = 9.0 mm    ", false, false},
        {stiffTrapez, " Trapez 260x300/50x8.0", "H = 260 mm    B = 300.0 mm", "a = 50.0 mm    tw = 8.0 mm", false,
         false},
    };
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) {
            d.stiffenerType = r.type;
            d.flatbarRow = 0;
            d.bfRow = 0;
            d.iBuiltUp = {300, 150, 10, 16, 0};
            d.trapez = {260, 300, 8, 8, 50};
        });
        const MeasuringPage page = compose(dc);
        const auto* heading = findAt(page, 18.5, 30.2);
        ASSERT_NE(nullptr, heading) << r.designation;
        EXPECT_EQ("Stiffener:", heading->text);
        const auto* designation = findAt(page, 18.5 + 10, 30.2);
        ASSERT_NE(nullptr, designation) << r.designation;
        EXPECT_EQ(r.designation, designation->text);
        EXPECT_EQ((Font{"times new roman", 10, false, false, false}), designation->font);

        const auto* first = findAt(page, 18.5, 31.2);
        ASSERT_NE(nullptr, first) << r.designation;
        EXPECT_EQ(r.first, first->text);
        double last = 31.2;
        if (r.second) {
            const auto* second = findAt(page, 18.5, 32.2);
            ASSERT_NE(nullptr, second) << r.designation;
            EXPECT_EQ(r.second, second->text);
            last = 32.2;
        }
        if (r.flange) {
            const auto* flange = findAt(page, 18.5, last + 1);
            ASSERT_NE(nullptr, flange) << r.designation;
            EXPECT_EQ(proportionTexts(dc.stiff).flange, flange->text);
            last += 1;
        }
        if (r.web) {
            const auto* web = findAt(page, 18.5, last + 1);
            ASSERT_NE(nullptr, web) << r.designation;
            EXPECT_EQ(proportionTexts(dc.stiff).web, web->text);
            last += 1;
        }
        // The rule goes below the lower column; the girder column and the picture are three lines.
        const double rule = std::max(last, 32.2) + 1;
        EXPECT_TRUE(hasLine(page, 10, rule, 95, rule)) << r.designation;
    }
}

TEST(PrintedReport, GirderColumn) {
    struct Row {
        int girderType;
        const char* designation;
    };
    const Row rows[] = {{girderT, " T 800x200x10.0x20.0"}, {girderL, " L 800x200x10.0x20.0"}};
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) { d.girderType = r.girderType; });
        const MeasuringPage page = compose(dc);
        const auto* heading = findAt(page, 61, 30.2);
        ASSERT_NE(nullptr, heading);
        EXPECT_EQ("Girder:", heading->text);
        const auto* designation = findAt(page, 61 + 7, 30.2);
        ASSERT_NE(nullptr, designation);
        EXPECT_EQ(r.designation, designation->text);
        const auto* first = findAt(page, 61, 31.2);
        const auto* second = findAt(page, 61, 32.2);
        ASSERT_NE(nullptr, first);
        ASSERT_NE(nullptr, second);
        EXPECT_EQ("H = 800 mm    B = 200.0 mm", first->text);
        EXPECT_EQ("tw = 10.0 mm    tf = 20.0 mm", second->text);
    }
}

// Character grid, figure grid with y upwards, character grid, picture grid with y downwards,
// character grid; the figure is drawn at base size - 1.
TEST(PrintedReport, FigureAndPictureGrids) {
    const MeasuringPage page = compose(newFileCase());
    const auto& s = page.rec.scales;
    ASSERT_GE(s.size(), 6u);
    const double expected[6][4] = {{0, 0, 210, 297}, {0, 0, 100, 267}, {0, 400, 280, 0},
                                   {0, 0, 100, 267}, {0, 0, 280, 400}, {0, 0, 100, 267}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[i][0], s[i].left) << i;
        EXPECT_EQ(expected[i][1], s[i].top) << i;
        EXPECT_EQ(expected[i][2], s[i].right) << i;
        EXPECT_EQ(expected[i][3], s[i].bottom) << i;
    }
    for (std::size_t i = 0; i < page.rec.texts.size(); ++i)
        if (page.textScale[i] == 2) {
            EXPECT_EQ(9, page.rec.texts[i].font.size) << page.rec.texts[i].text;
        }

    // Origin x = 280 * (52.5 + 8) / 100 = 169.4, y = 400 * (267 - 29.2) / 267 = 356.25: right of the
    // vertical rule, standing on the rule under the block.
    double minX = 1e9, minY = 1e9;
    int figureShapes = 0;
    for (std::size_t i = 0; i < page.rec.shapes.size(); ++i) {
        if (page.shapeScale[i] != 2) continue;
        const auto& shape = page.rec.shapes[i];
        ++figureShapes;
        minX = std::min({minX, shape.x1, shape.kind == RecordingSurface::Shape::circle ? shape.x1 : shape.x2});
        minY = std::min({minY, shape.y1, shape.kind == RecordingSurface::Shape::circle ? shape.y1 : shape.y2});
    }
    ASSERT_GT(figureShapes, 0);
    EXPECT_GE(minX, 169.4 - 1e-6);
    EXPECT_GE(minY, 400.0 * (267 - 29.2) / 267 - 1e-6);
}

TEST(PrintedReport, ListingsByPrintSelection) {
    const char* buckling = " (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
    const char* yield = " (Rule/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)";
    struct Row {
        int selection;
        bool buckling, yield;
    };
    const Row rows[] = {{0, false, false},
                        {analysisBuckling, true, false},
                        {analysisScantlingYield, false, true},
                        {analysisAll, true, true}};
    for (const Row& r : rows) {
        const DesignCase dc = calculatedCase([&](DesignCase& d) { d.printSelection = r.selection; });
        const MeasuringPage page = compose(dc);
        const auto* b = find(page, buckling);
        const auto* y = find(page, yield);
        EXPECT_EQ(r.buckling, b != nullptr) << r.selection;
        EXPECT_EQ(r.yield, y != nullptr) << r.selection;
        // The first listing starts 0.2 below the rule under the profiles (35.2 for the angle).
        if (b) {
            EXPECT_NEAR(35.4, b->y, tolerance);
        }
        if (y && !b) {
            EXPECT_NEAR(35.4, y->y, tolerance);
        }
        if (b && y) {
            EXPECT_LT(b->y, y->y);
        }
    }
}

TEST(PrintedReport, ComposingChangesNothingAndRepeatsExactly) {
    const DesignCase dc = calculatedCase([](DesignCase& d) { d.printSelection = analysisAll; });
    const DesignCase before = dc;
    const MeasuringPage first = compose(dc);
    const MeasuringPage second = compose(dc);
    EXPECT_EQ(before.analysis, dc.analysis);
    EXPECT_EQ(before.printSelection, dc.printSelection);
    ASSERT_EQ(first.rec.texts.size(), second.rec.texts.size());
    for (std::size_t i = 0; i < first.rec.texts.size(); ++i) {
        EXPECT_EQ(first.rec.texts[i].text, second.rec.texts[i].text);
        EXPECT_EQ(first.rec.texts[i].y, second.rec.texts[i].y);
    }
}

TEST(PrintedReport, MaterialOutsideTheListPrintsNoName) {
    DesignCase dc = newFileCase();
    dc.plateMaterial = 99;
    dc.stiffenerMaterial = -1;
    const MeasuringPage page = compose(dc);
    EXPECT_NE(nullptr, find(page, "Plate & Girder/Stiffener: /"));
}

} // namespace
} // namespace korvel
