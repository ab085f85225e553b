#include "report/buckling_listing.h"
#include "report/control_summary.h"
#include "report/yield_listing.h"
#include "support/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

using namespace korvel;
using test::RecordingSurface;

namespace {

constexpr Rgb black{0, 0, 0};
constexpr Rgb green{0, 128, 0};
constexpr Rgb darkRed{128, 0, 0};
constexpr Rgb red{255, 0, 0};

CheckLine checkLine(const char* label, const char* formula, const char* value, const char* limit, int status) {
    return CheckLine{"", label, formula, value, limit, status};
}

// A calculated case with its check lines given, so that a listing is tried on the lines alone.
struct Listed : DesignCase {
    CheckLines lines;
};

std::vector<ListingRow> bucklingRows(const Listed& x) {
    return korvel::bucklingRows(ListedCase(x, x.lines));
}
std::vector<ListingRow> scantlingYieldRows(const Listed& x) {
    return korvel::scantlingYieldRows(ListedCase(x, x.lines));
}
std::vector<ListingRow> controlSummary(const Listed& x) {
    return korvel::controlSummary(ListedCase(x, x.lines));
}
void appendScantlingYieldRows(std::vector<ListingRow>& rows, RowCounter& counter, const Listed& x) {
    korvel::appendScantlingYieldRows(rows, counter, ListedCase(x, x.lines));
}
void printBucklingListing(DrawingSurface& s, const Listed& x, const PrintGrid& grid, double& line, double left) {
    korvel::printBucklingListing(s, ListedCase(x, x.lines), grid, line, left);
}
void printScantlingYieldListing(DrawingSurface& s, const Listed& x, const PrintGrid& grid, double& line, double left) {
    korvel::printScantlingYieldListing(s, ListedCase(x, x.lines), grid, line, left);
}

// A finished calculation with every line filled, as the checks would leave it; UFbu fails.
Listed listedCase() {
    Listed dc;
    dc.analysis = analysisBuckling;
    dc.printSelection = analysisBuckling;
    dc.includeDeformation = true;
    dc.p = 0.03;
    dc.se = 512.34f;
    dc.prep.sw = 552.0f;
    dc.stiff.sy = 625;
    dc.girder.sge = 2640;
    dc.uf = Results{0.45, 0.38, 0.52, 1.2, 0.31, 0.22, 0.1f, 0.61, 0.77, 0.42, 0.5, 0.56, 0.66};
    CheckLines& l = dc.lines;
    l.UFpb = checkLine("PL1: UFpb =", " (a)^2 = ", "0.45", " < 1.0 (3/3.1)", statusOk);
    l.UFpu = checkLine("PL1: UFpu = ", "(b)^2 = ", "0.38", " < 1.0 (3/3.3)", statusOk);
    l.UFpl = checkLine("PL1: UFpl = ", "c = ", "0.52", " < 1.0 (3/3.5)", statusOk);
    l.UFbu = checkLine("UFbu= ", "d = ", "1.20", "  < 1.0 (3/5.1)", statusFail);
    l.UFbt = checkLine("UFbt= Siga/(n*SigCT) = ", "e  =", "0.31", "  < 1.0 (3/5.3)", statusOk);
    l.UFs = checkLine("UFs = Ieff/io = ", "f = ", "0.22", "  < 1.0 (3/9.1)", statusOk);
    l.UFgbu = checkLine("UFgbu= ", "g", "0.10", "  < 1.0 (3/5.7)", statusOk);
    // A stray verdict on the deflection must not colour it: it has no limit.
    l.deformation = checkLine("Deformation y = ", "h = ", "2.1 mm ", " ==> l/1429", statusFail);
    l.plateThickness = checkLine("Plate 1: UF = tmin/t = ", "12.25/20.00 = ", "0.61", "  < 1.0  (3-2-2/9.3)", 2);
    l.stiffenerModulus = checkLine("UF = SM/Weffmin  = ", "100.0/130.0 = ", "0.77", "  < 1.0  (3-2-2/9.5)", 2);
    l.girderModulus = checkLine("UF = SM/Weffmin  = ", "500.0/1190.0 = ", "0.42", "  < 1.0  (3-2-2/9.9)", 2);
    l.girderDepth = checkLine("Min depth of girder = ", "750.0 mm", "OK", "  (3-2-2/9.9.2)", statusOk);
    l.girderWeb = checkLine("Min thickness of web = ", "11.0 mm", "NOK", "  (3-2-2/9.9.2)", statusFail);
    l.trippingBrackets = checkLine("Max distance between tripping brackets = ", "3000 mm", "OK", "  (3-2-2/9.9.3)", 2);
    l.corner = checkLine("Point: A:  UF = F.S.*Sigeq/Fy = ", "1.43*124.9/355.0 = ", "0.50", "  < 1.0 (3-2-1/3.11)", 2);
    l.corner.heading = "  Control in points A-D,  Factor of Safety F.S. = 1.43";
    l.platePoint = checkLine("Point 1p: UF = F.S.*Sigeq/Fy  = ", "i = ", "0.56", "  < 1.0 (3-2-1/3.11)", statusOk);
    l.stiffPoint = checkLine("Point 1s: UF = F.S.*Sigeq/Fy  = ", "j = ", "0.66", "  < 1.0 (3-2-1/3.11)", statusOk);
    return dc;
}

std::vector<std::string> controls(const std::vector<ListingRow>& rows) {
    std::vector<std::string> out;
    for (const ListingRow& r : rows) out.push_back(r.control);
    return out;
}

const std::string bucklingTitle =
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
const std::string yieldTitle =
    "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)";

// The printed pieces of a listing, found by their text.
const RecordingSurface::Text* printed(const RecordingSurface& s, const std::string& text) {
    for (const auto& t : s.texts)
        if (t.text == text) return &t;
    return nullptr;
}
// Line of a printed text; NaN (so that a comparison fails) when it was not printed.
double yOf(const RecordingSurface& s, const std::string& text) {
    const auto* t = printed(s, text);
    return t ? t->y : std::nan("");
}
bool printedAnything(const RecordingSurface& s, const std::string& part) {
    for (const auto& t : s.texts)
        if (t.text.find(part) != std::string::npos) return true;
    return false;
}

} // namespace

TEST(BucklingRows, EveryRowWithItsColumnsColourAndNumber) {
    const std::vector<ListingRow> expected = {
        {bucklingTitle, "", "", black, false, false, 1, {}, {}},
        {"PLATE BUCKLING CONTROL: (Max from plate 1/2)", "", "", black, true, false, 2, {}, {}},
        {"PL1: UFpb = (a)^2 = ", "0.45", " < 1.0 (3/3.1)", green, false, true, 3, {}, {}},
        {"PL1: UFpu = (b)^2 = ", "0.38", " < 1.0 (3/3.3)", green, false, true, 4, {}, {}},
        {"PL1: UFpl = c = ", "0.52", " < 1.0 (3/3.5)", green, false, true, 5, {}, {}},
        {"STIFFENER BUCKLING CONTROL:", "", "", black, true, false, 6, {}, {}},
        {"Buckling, se = 512.3 mm   Bending, sw = 552.0 mm", "", "", black, false, false, 7, {}, {}},
        {"UFbu= d = ", "1.20", "  < 1.0 (3/5.1)", darkRed, false, true, 8, {}, {}},
        {"UFbt= Siga/(n*SigCT) = e  =", "0.31", "  < 1.0 (3/5.3)", green, false, true, 9, {}, {}},
        {"UFs = Ieff/io = f = ", "0.22", "  < 1.0 (3/9.1)", green, false, true, 10, {}, {}},
        {"OVERALL BUCKLING CONTROL:", "", "", black, true, false, 11, {}, {}},
        {"UFgbu= g", "0.10", "  < 1.0 (3/5.7)", green, false, true, 12, {}, {}},
        {"STIFFENER DEFORMATION CHECK:", "", "", black, true, false, 13, {}, {}},
        {"Deformation y = h = ", "2.1 mm ", " ==> l/1429", black, false, true, 14, {}, {}},
    };
    EXPECT_EQ(expected, bucklingRows(listedCase()));
}

TEST(ScantlingYieldRows, EveryRowWithItsColumnsColourAndNumber) {
    const std::vector<ListingRow> expected = {
        {yieldTitle, "", "", black, false, false, 1, {}, {}},
        {"PLATE SCANTLING:", "", "", black, true, false, 2, {}, {}},
        {"Plate 1: UF = tmin/t = 12.25/20.00 = ", "0.61", "  < 1.0  (3-2-2/9.3)", green, false, true, 3, {}, {}},
        {"STIFFENER SCANTLING:", "", "", black, true, false, 4, {}, {}},
        {"Effective width sw = 625.0 mm ", "", "", black, false, false, 5, {}, {}},
        {"UF = SM/Weffmin  = 100.0/130.0 = ", "0.77", "  < 1.0  (3-2-2/9.5)", green, false, true, 6, {}, {}},
        {"GIRDER SCANTLING:", "", "", black, true, false, 7, {}, {}},
        {"Effective width sw = 2640.0 mm ", "", "", black, false, false, 8, {}, {}},
        {"UF = SM/Weffmin  = 500.0/1190.0 = ", "0.42", "  < 1.0  (3-2-2/9.9)", green, false, true, 9, {}, {}},
        {"Min depth of girder = 750.0 mm", "OK", "  (3-2-2/9.9.2)", green, false, true, 10, {}, {}},
        {"Min thickness of web = 11.0 mm", "NOK", "  (3-2-2/9.9.2)", darkRed, false, true, 11, {}, {}},
        {"Max distance between tripping brackets = 3000 mm", "OK", "  (3-2-2/9.9.3)", green, false, true, 12, {}, {}},
        {"PLATE YIELD CONTROL:", "", "", black, true, false, 13, {}, {}},
        {"Point: A:  UF = F.S.*Sigeq/Fy = 1.43*124.9/355.0 = ",
         "0.50",
         "  < 1.0 (3-2-1/3.11)",
         green,
         false,
         true,
         14,
         {},
         {}},
        {"STIFFENER YIELD CHECK:", "", "", black, true, false, 15, {}, {}},
        {"Effective width sw = 625.0 mm (check at points 1-3, plate(p) and stiffener(s)). ",
         "",
         "",
         black,
         false,
         false,
         16,
         {},
         {}},
        {"Point 1p: UF = F.S.*Sigeq/Fy  = i = ", "0.56", "  < 1.0 (3-2-1/3.11)", green, false, true, 17, {}, {}},
        {"Point 1s: UF = F.S.*Sigeq/Fy  = j = ", "0.66", "  < 1.0 (3-2-1/3.11)", green, false, true, 18, {}, {}},
    };
    EXPECT_EQ(expected, scantlingYieldRows(listedCase()));
}

TEST(ControlSummary, SelectionDecidesListingsAndNumberingRunsOn) {
    Listed dc = listedCase();
    const auto buckling = bucklingRows(dc);
    const auto yield = scantlingYieldRows(dc);

    dc.analysis = analysisBuckling;
    EXPECT_EQ(buckling, controlSummary(dc));
    EXPECT_TRUE(showsIncludeDeformation(dc));

    dc.analysis = analysisScantlingYield;
    EXPECT_EQ(yield, controlSummary(dc));
    EXPECT_FALSE(showsIncludeDeformation(dc));

    // 3, and any other value read from a file, list both: the scantling title takes the number
    // one above the last buckling row (14), and the numbers run on without a gap.
    for (int selection : {3, 0, 7}) {
        dc.analysis = selection;
        const auto rows = controlSummary(dc);
        ASSERT_EQ(buckling.size() + yield.size(), rows.size()) << selection;
        EXPECT_EQ(yieldTitle, rows[buckling.size()].control);
        EXPECT_EQ(15, rows[buckling.size()].row);
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(static_cast<int>(i) + 1, rows[i].row);
        EXPECT_FALSE(showsIncludeDeformation(dc));
    }
}

TEST(ControlSummary, RowNumberStopsCleanlyAt32767) {
    std::vector<ListingRow> rows;
    RowCounter counter{32760};
    appendScantlingYieldRows(rows, counter, listedCase());
    ASSERT_EQ(8u, rows.size()); // 32760 .. 32767 of 18 rows
    EXPECT_EQ(32767, rows.back().row);
    EXPECT_TRUE(counter.overflow);
    EXPECT_FALSE(counter.advance());
}

// Edge cases of a finished calculation: which headings stand, on screen and on paper.
TEST(ListingEdgeCases, AllPlateUtilisationsZero) {
    Listed dc = listedCase();
    dc.lines.UFpb = dc.lines.UFpu = dc.lines.UFpl = CheckLine{};
    const auto rows = controls(bucklingRows(dc));
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ("PLATE BUCKLING CONTROL: (Max from plate 1/2)", rows[1]);
    EXPECT_EQ("STIFFENER BUCKLING CONTROL:", rows[2]);

    RecordingSurface page;
    double line = 10;
    printBucklingListing(page, dc, PrintGrid{100, 60}, line, 5);
    EXPECT_FALSE(printedAnything(page, "PLATE BUCKLING"));
    // The UFpl line keeps its (blank) place: the stiffener heading is at 10.2 + 1 + 1 + 0.3.
    EXPECT_NEAR(12.5, yOf(page, "STIFFENER BUCKLING CONTROL:"), 1e-9);
}

TEST(ListingEdgeCases, ScantlingPressureZero) {
    Listed dc = listedCase();
    dc.lines.stiffenerModulus = dc.lines.girderModulus = CheckLine{};
    const auto rows = controls(scantlingYieldRows(dc));
    const std::vector<std::string> head(rows.begin(), rows.begin() + 7);
    EXPECT_EQ((std::vector<std::string>{yieldTitle, "PLATE SCANTLING:", "Plate 1: UF = tmin/t = 12.25/20.00 = ",
                                        "Min depth of girder = 750.0 mm", "Min thickness of web = 11.0 mm",
                                        "Max distance between tripping brackets = 3000 mm", "PLATE YIELD CONTROL:"}),
              head);

    // On paper all three headings stand, each followed by its (blank) line.
    RecordingSurface page;
    double line = 0;
    printScantlingYieldListing(page, dc, PrintGrid{100, 60}, line, 5);
    EXPECT_NEAR(3.2, yOf(page, "STIFFENER SCANTLING:"), 1e-9);
    EXPECT_NEAR(5.2, yOf(page, "GIRDER SCANTLING:"), 1e-9);
    EXPECT_NEAR(7.2, yOf(page, "Min depth of girder = 750.0 mm"), 1e-9);
}

TEST(ListingEdgeCases, NoInPlaneStressesLeaveOutPlateYieldOnly) {
    Listed dc = listedCase();
    dc.lines.corner.label.clear();
    dc.lines.corner.formula.clear();
    dc.lines.corner.value.clear();
    dc.lines.corner.limit.clear();
    const auto rows = controls(scantlingYieldRows(dc));
    EXPECT_EQ(0, std::count(rows.begin(), rows.end(), "PLATE YIELD CONTROL:"));
    EXPECT_EQ(1, std::count(rows.begin(), rows.end(), "STIFFENER YIELD CHECK:"));

    RecordingSurface page;
    double line = 0;
    printScantlingYieldListing(page, dc, PrintGrid{100, 60}, line, 5);
    EXPECT_FALSE(printedAnything(page, "PLATE YIELD CONTROL:"));
    EXPECT_FALSE(printedAnything(page, "Control in points A-D"));
    // After the bracket line at 9.2: + 1.2 + 0.2.
    EXPECT_NEAR(10.6, yOf(page, "STIFFENER YIELD CHECK:"), 1e-9);
}

TEST(ListingEdgeCases, StiffenerNotInCompressionIsStillListed) {
    Listed dc = listedCase();
    dc.uf.UFbt = Utilisation<double>::notApplicable();
    dc.lines.UFbt = checkLine("", "Siga postive or 0 ==> No buckling control", "", "", statusOk);
    dc.fault = CalcFault{"girder scantling", "division by zero"}; // a stop later on changes nothing here
    const auto rows = bucklingRows(dc);
    EXPECT_EQ((ListingRow{"Siga postive or 0 ==> No buckling control", "", "", green, false, true, 9, {}, {}}),
              rows[8]);
}

TEST(ListingEdgeCases, NoPressureNoDeformationSectionEvenWhenAsked) {
    Listed dc = listedCase();
    dc.p = 0;
    EXPECT_EQ("UFgbu= g", bucklingRows(dc).back().control);
    RecordingSurface page;
    double line = 0;
    printBucklingListing(page, dc, PrintGrid{100, 60}, line, 5);
    EXPECT_FALSE(printedAnything(page, "DEFORMATION"));
}

TEST(ListingEdgeCases, SigyErrorBeforeOverallHeadingOnScreenAfterGirderLineOnPaper) {
    Listed dc = listedCase();
    dc.sigyError = true;
    const auto rows = bucklingRows(dc);
    ASSERT_EQ(15u, rows.size());
    EXPECT_EQ((ListingRow{"ERROR in calculation, decrease Sigy-stress", "", "", red, false, false, 11, {}, {}}),
              rows[10]);
    EXPECT_EQ("OVERALL BUCKLING CONTROL:", rows[11].control);

    RecordingSurface page;
    double line = 0;
    printBucklingListing(page, dc, PrintGrid{100, 60}, line, 5);
    const auto* error = printed(page, "ERROR in calculation, decrease Sigy-stress");
    ASSERT_NE(nullptr, error);
    EXPECT_NEAR(yOf(page, "UFgbu= g") + 1, error->y, 1e-9);
    EXPECT_TRUE(error->font.bold);
}

TEST(PrintedBucklingListing, PositionsFontsColoursAndWrapping) {
    Listed dc = listedCase();
    // 10 + 0.5 x 142 characters passes the value column 95 - 17 = 78: the formula moves down,
    // 20 characters in, and wraps short of the value column less a space (77.5): 95 characters
    // of 0.5 fit in 47.5, the other 35 go on the next line with the value.
    dc.lines.UFpu.formula = std::string(130, 'x');
    RecordingSurface page;
    double line = 40;
    printBucklingListing(page, dc, PrintGrid{100, 60, 10, "times new roman"}, line, 10);

    struct Expect {
        std::string text;
        double x, y;
        bool bold, underline;
        Rgb colour;
    };
    const Expect expected[] = {
        {" (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)", 10, 40.2, false,
         false, black},
        {"PLATE BUCKLING CONTROL: (Max from plate 1/2)", 10, 41.2, true, true, black},
        {"PL1: UFpb = (a)^2 = ", 10, 42.2, false, false, black},
        {"0.45", 78, 42.2, true, false, green},
        {" < 1.0 (3/3.1)", 80, 42.2, false, false, black},
        {"PL1: UFpu = ", 10, 43.2, false, false, black},
        {std::string(95, 'x'), 30, 44.2, false, false, black},
        {std::string(35, 'x'), 30, 45.2, false, false, black},
        {"0.38", 78, 45.2, true, false, green},
        {"PL1: UFpl = c = ", 10, 46.2, false, false, black},
        {"STIFFENER BUCKLING CONTROL:", 10, 47.5, true, true, black},
        {"Buckling, se = 512.3 mm   ", 10, 48.5, false, false, black},
        {"Bending, sw = 552.0 mm", 23, 48.5, false, false, black},
        {"1.20", 78, 49.5, true, false, darkRed},
        {"UFs = Ieff/io = f = ", 10, 51.5, false, false, black},
        {"OVERALL BUCKLING CONTROL:", 10, 52.8, true, true, black},
        {"UFgbu= g", 10, 53.8, false, false, black},
        {"STIFFENER DEFORMATION CHECK:", 10, 55.1, true, true, black},
        {" (Based on effective plate width as sw) ", 24, 55.1, false, false, black},
        {"Deformation y = h = ", 10, 56.2, false, false, black},
        {"2.1 mm ", 78, 56.2, true, false, black},
    };
    for (const Expect& e : expected) {
        const auto* t = printed(page, e.text);
        ASSERT_NE(nullptr, t) << e.text;
        EXPECT_NEAR(e.x, t->x, 1e-9) << e.text;
        EXPECT_NEAR(e.y, t->y, 1e-9) << e.text;
        EXPECT_EQ(e.bold, t->font.bold) << e.text;
        EXPECT_EQ(e.underline, t->font.underline) << e.text;
        EXPECT_EQ(e.colour, t->colour) << e.text;
        EXPECT_EQ(8.5, t->font.size) << e.text;
        EXPECT_EQ("times new roman", t->font.name) << e.text;
    }
    EXPECT_NEAR(57.2, line, 1e-9);
}

TEST(PrintedYieldListing, PositionsAndTheSharedValueColumn) {
    RecordingSurface page;
    double line = 20;
    // 0.95 x 110 = 104.5: both listings take 104, so that their values stand in one column.
    const PrintGrid grid{110, 60};
    EXPECT_EQ(87, yieldValueColumn(grid));
    EXPECT_EQ(87, bucklingValueColumn(grid));
    printScantlingYieldListing(page, listedCase(), grid, line, 5);

    const struct {
        const char* text;
        double x, y;
    } expected[] = {
        {" (Rule/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)", 5, 20.2},
        {"PLATE SCANTLING:", 5, 21.2},
        {"0.61", 87, 22.2},
        {"STIFFENER SCANTLING:", 5, 23.2},
        {"UF = SM/Weffmin  = 100.0/130.0 = ", 5, 24.2},
        {"GIRDER SCANTLING:", 5, 25.2},
        {"NOK", 87, 28.2},
        {"  (3-2-2/9.9.3)", 88, 29.2}, // directly after "OK"
        {"Max distance between tripping brackets = 3000 mm", 5, 29.2},
        {"PLATE YIELD CONTROL:", 5, 30.4},
        {"  Control in points A-D,  Factor of Safety F.S. = 1.43", 15, 30.4},
        {"0.50", 87, 31.4},
        {"STIFFENER YIELD CHECK:", 5, 32.6},
        {"Effective width sw = 625.0 mm (check at points 1-3, plate(p) and stiffener(s)). ", 16, 32.6},
        {"Point 1p: UF = F.S.*Sigeq/Fy  = i = ", 5, 33.6},
        {"Point 1s: UF = F.S.*Sigeq/Fy  = j = ", 5, 34.6},
    };
    for (const auto& e : expected) {
        const auto* t = printed(page, e.text);
        ASSERT_NE(nullptr, t) << e.text;
        EXPECT_NEAR(e.x, t->x, 1e-9) << e.text;
        EXPECT_NEAR(e.y, t->y, 1e-9) << e.text;
    }
    EXPECT_EQ(darkRed, printed(page, "NOK")->colour);
    EXPECT_FALSE(printedAnything(page, "Effective width sw = 2640.0")); // no width lines under scantlings
    EXPECT_NEAR(35.6, line, 1e-9);
}

// A calculation stopped in plate buckling (nothing reached) or in overall buckling, which runs
// after the yield checks and before the scantlings: the lines of that step and of every later
// one are empty with their utilisations at the not-computed marker.
Listed stoppedIn(const std::string& step) {
    Listed dc = listedCase();
    dc.fault = CalcFault{step, "square root of a negative number"};
    CheckLines& l = dc.lines;
    Results& uf = dc.uf;
    l.UFs = l.plateThickness = l.stiffenerModulus = CheckLine{};
    l.girderModulus = l.girderDepth = l.girderWeb = l.trippingBrackets = CheckLine{};
    uf.UFs = uf.UFt = uf.UFsm = uf.UFgm = {};
    if (step == "plate buckling") {
        l.UFpb = l.UFpu = l.UFpl = l.UFbu = l.UFbt = l.deformation = l.UFgbu = CheckLine{};
        l.corner = l.platePoint = l.stiffPoint = CheckLine{};
        uf.UFpb = uf.UFpu = uf.UFpl = uf.UFbu = uf.UFbt = uf.UFy = uf.UFyp = uf.UFys = {};
        uf.UFgbu = {};
    }
    return dc;
}

TEST(StoppedListing, NothingReachedLeavesTheTitlesAndTheReason) {
    Listed dc = stoppedIn("plate buckling");
    dc.analysis = analysisAll;
    const std::vector<ListingRow> expected = {
        {bucklingTitle, "", "", black, false, false, 1, {}, {}},
        {yieldTitle, "", "", black, false, false, 2, {}, {}},
        {"Calculation stopped in plate buckling: square root of a negative number",
         "",
         "",
         red,
         false,
         false,
         3,
         {},
         {}},
    };
    EXPECT_EQ(expected, controlSummary(dc));
}

TEST(StoppedListing, ReachedGroupsStandUnreachedOnesGoAndTheReasonComesLast) {
    Listed dc = stoppedIn("overall buckling");
    dc.analysis = analysisAll;
    // Expected: the finished listing without UFs and without the scantling groups.
    Listed finished = listedCase();
    finished.analysis = analysisAll;
    std::vector<std::string> expected;
    bool scantlings = false;
    for (const std::string& row : controls(controlSummary(finished))) {
        if (row == "PLATE SCANTLING:") scantlings = true;
        if (row == "PLATE YIELD CONTROL:") scantlings = false;
        if (!scantlings && row != "UFs = Ieff/io = f = ") expected.push_back(row);
    }
    expected.push_back("Calculation stopped in overall buckling: square root of a negative number");

    const auto rows = controlSummary(dc);
    EXPECT_EQ(expected, controls(rows));
    EXPECT_EQ(red, rows.back().colour);
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(static_cast<int>(i) + 1, rows[i].row);
}

TEST(StoppedListing, MarkerValueIsNeverAResult) {
    Listed dc = listedCase();
    dc.lines.UFbt.value = "-2.00";
    dc.lines.platePoint.value = "-2.00";
    dc.analysis = analysisAll;
    for (const ListingRow& r : controlSummary(dc)) EXPECT_NE("-2.00", r.value) << r.control;
}

TEST(StoppedListing, PrintedRemarkInBoldRedAfterTheLastPrintedListing) {
    Listed dc = stoppedIn("overall buckling");
    const std::string remark = "Calculation stopped in overall buckling: square root of a negative number";

    // Buckling alone: the remark closes the buckling block; UFs is not printed.
    dc.printSelection = analysisBuckling;
    RecordingSurface alone;
    double line = 0;
    printBucklingListing(alone, dc, PrintGrid{100, 60}, line, 5);
    const auto* text = printed(alone, remark);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(red, text->colour);
    EXPECT_TRUE(text->font.bold);
    EXPECT_NEAR(yOf(alone, "Deformation y = h = ") + 1, text->y, 1e-9);
    EXPECT_FALSE(printedAnything(alone, "UFs ="));
    EXPECT_NEAR(text->y + 1, line, 1e-9);

    // Both: only the yield and scantling block, printed last, carries it, after its last group;
    // the unreached scantling headings are left out.
    dc.printSelection = analysisAll;
    RecordingSurface both;
    line = 0;
    printBucklingListing(both, dc, PrintGrid{100, 60}, line, 5);
    printScantlingYieldListing(both, dc, PrintGrid{100, 60}, line, 5);
    int remarks = 0;
    for (const auto& t : both.texts) remarks += t.text == remark;
    EXPECT_EQ(1, remarks);
    EXPECT_NEAR(yOf(both, "Point 1s: UF = F.S.*Sigeq/Fy  = j = ") + 1, yOf(both, remark), 1e-9);
    EXPECT_FALSE(printedAnything(both, "SCANTLING:"));
}
