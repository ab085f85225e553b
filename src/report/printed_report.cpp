#include "report/printed_report.h"

#include "checks/materials.h"
#include "checks/yield/structure_types.h"
#include "design/number_format.h"
#include "figures/panel_figure.h"
#include "figures/pictures.h"
#include "report/buckling_listing.h"
#include "report/fitted_text.h"
#include "report/listing_model.h"
#include "report/margin_text.h"
#include "report/print_grid.h"
#include "report/proportion_display.h"
#include "report/yield_listing.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

namespace korvel {

namespace {

constexpr const char* reportFont = "times new roman";
constexpr const char* headerFont = "arial";
constexpr double baseSize = 10;
constexpr Rgb productColour{0, 85, 152};
constexpr Rgb black{0, 0, 0};

// The figure and the small profile picture are placed on a fixed grid over the whole page, so
// their proportions do not depend on the character grid.
constexpr double figureGridWidth = 280;
constexpr double figureGridHeight = 400;

// Grid measurements are rounded half away from zero.
double nearest(double value) {
    return std::round(value);
}

// Lower case of the ASCII letters only: the file path is printed the same whatever the locale,
// and bytes of multi-byte characters pass unchanged.
std::string asciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string loadingConditionLetter(int condition) {
    switch (condition) {
    case conditionA:
        return "A";
    case conditionB:
        return "B";
    case conditionC:
        return "C";
    default:
        return {};
    }
}

struct StructureTexts {
    std::string structure;  // after "Structure: "
    std::string attachment; // before " c-factor = "
    bool girderFactor = false;
};

StructureTexts structureTexts(const DesignCase& dc, char sep) {
    const StructureTypeFacts* structure = structureTypeFacts(dc.structureType);
    if (!structure) return {};
    const std::string_view option = structure->options[dc.structureOption == 0 ? 0 : 1].report;
    std::string name(structure->report);
    if (structure->unitLength) name += ";  Unit length: UL = " + formatNumber(dc.UL, "##0", sep) + " m";
    return {name, std::string(option), structure->girderFactor};
}

// A dimension line: "H = 200 mm    B = 90.0 mm". A line that continues on the next one keeps the
// separator after its last item (the RHS wall thickness line).
using Dimension = std::pair<const char*, std::string>;
std::string dimensionLine(std::initializer_list<Dimension> items, bool continued = false) {
    std::string out;
    std::size_t left = items.size();
    for (const Dimension& item : items) {
        --left;
        out += item.first + item.second + (left > 0 || continued ? " mm    " : " mm");
    }
    return out;
}

// The stiffener's dimension lines by profile type; the second is empty when the type has one.
std::pair<std::string, std::string> stiffenerDimensionLines(const DesignCase& dc, char sep) {
    const Dimension H{"H = ", formatNumber(dc.H, "#00", sep)};
    const Dimension B{"B = ", formatNumber(dc.B, "#0.0", sep)};
    const Dimension a{"a = ", formatNumber(dc.a, "#0.0", sep)};
    const Dimension tw{"tw = ", formatNumber(dc.tw, "#0.0", sep)};
    const Dimension tf{"tf = ", formatNumber(dc.tf, "#0.0", sep)};
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (!facts) return {};
    switch (facts->form) {
    case DesignationForm::web:
        return {dimensionLine({H, tw}), {}};
    case DesignationForm::box:
        return {dimensionLine({H, B}), dimensionLine({tw}, true)};
    case DesignationForm::trapez:
        return {dimensionLine({H, B}), dimensionLine({a, tw})};
    case DesignationForm::flanged:
    case DesignationForm::iSection:
        break;
    }
    return {dimensionLine({H, B}), dimensionLine({tw, tf})};
}

// Writes the page block by block. `line` is the current line: the y of the text written last.
class ReportComposer {
public:
    ReportComposer(DrawingSurface& page, const DesignCase& dc, const Catalogue& catalogue, const PageSize& size,
                   const ReportTime& time, const ReportPageMarks& marks)
        : page_(page), dc_(dc), catalogue_(catalogue), size_(size), time_(time), marks_(marks), sep_(marks.separator) {}

    void compose() {
        layout_ = measureReportLayout(page_, size_);
        characterGrid();
        page_.setForeColour(black);
        page_.setLineWidth(1);
        page_.setDashStyle(DashStyle::solid);
        page_.setFillStyle(FillStyle::transparent);
        line_ = 2;
        header();
        materialAndLoading();
        geometryStructureAndStresses();
        profiles();
        listings();
    }

private:
    void characterGrid() { page_.setScale(0, 0, layout_.charsPerLine, layout_.linesPerPage); }

    void setFont(const char* name, double size, bool bold = false) {
        Font f;
        f.name = name;
        f.size = size;
        f.bold = bold;
        page_.setFont(f);
    }
    void setSize(double size) {
        Font f = page_.font();
        f.size = size;
        page_.setFont(f);
    }

    // Block heading: underlined, bold and italic, then plain again. Returns the x after it.
    double heading(double x, double y, std::string_view text) {
        Font f = page_.font();
        f.bold = f.italic = f.underline = true;
        page_.setFont(f);
        const double next = page_.text(x, y, text);
        f.bold = f.italic = f.underline = false;
        page_.setFont(f);
        return next;
    }

    void rule(double y) { page_.line(layout_.leftMargin, y, layout_.leftMargin + layout_.textWidth, y); }

    void header() {
        const ReportLayout& g = layout_;
        setFont(headerFont, 18, true);
        page_.setForeColour(productColour);
        page_.text(g.leftMargin, line_, "KORVEL");
        page_.setForeColour(black);
        page_.setBold(false);

        setSize(baseSize);
        const std::string date = "Date: " + reportDate(time_);
        const double right = g.rightLimit - page_.textWidth(date);
        page_.text(right, line_ + 0.5, marks_.page);

        line_ += 2;
        setSize(baseSize + 1);
        page_.text(g.leftMargin, line_,
                   dc_.analysis == analysisAll ? "Scantling of Plate/Stiff/Girder based on ABS Offshore Structures"
                                               : "Plate/Stiff/Girder check based on ABS Offshore Structures");
        setSize(baseSize);
        page_.text(right, line_, date);

        line_ += 1;
        page_.text(g.leftMargin, line_, "Version 1.9");
        page_.text(right, line_, "Time: " + reportClock(time_));

        line_ += 1.9;
        page_.setLineWidth(1);
        page_.line(g.leftMargin, line_, g.rightLimit, line_);
        line_ += 0.5;

        setFont(reportFont, baseSize);
        marginLine(line_);
        // The margin line stands beside these from the middle of the page: a longer text ends in
        // "…" before it (--detail shows it whole).
        const double idWidth = g.column50 - g.leftMargin - 1;
        page_.text(g.leftMargin, line_, fittedText(page_, "File: " + asciiLower(dc_.fileName), idWidth));
        line_ += 1;
        page_.text(g.leftMargin, line_, fittedText(page_, "Project: " + dc_.projectName, idWidth));
        line_ += 1;
        page_.text(g.leftMargin, line_, fittedText(page_, "Identification: " + dc_.identification, idWidth));
        line_ += 1.3;
        rule(line_);
        line_ += 0.3;
    }

    // The margin at a glance under the header, in the verdict colour, as the window shows it:
    // beside the file, project and identification lines, from the middle of the page, so that
    // the blocks below keep their places. Words wrap onto the next of those lines.
    void marginLine(double top) {
        const CaseVerdict verdict = caseVerdict(dc_);
        CaseRunner runner(catalogue_);
        const ReserveResult reserve = reserveFactor(dc_, runner);
        setFont(reportFont, baseSize - 2);
        page_.setForeColour(verdictColour(verdict));
        const double left = layout_.column50;
        const double width = layout_.rightLimit - left;
        const std::string text = marginText(verdict, &reserve, sep_);
        double y = top;
        std::string row;
        std::size_t at = 0;
        while (at <= text.size()) {
            std::size_t next = text.find(' ', at);
            if (next == std::string::npos) next = text.size();
            const std::string word = text.substr(at, next - at);
            std::string longer = row;
            if (!longer.empty()) longer += ' ';
            longer += word;
            if (!row.empty() && page_.textWidth(longer) > width) {
                page_.text(left, y, row);
                y += 1;
                row = word;
            } else {
                row = longer;
            }
            at = next + 1;
        }
        if (!row.empty()) page_.text(left, y, row);
        page_.setForeColour(black);
        setFont(reportFont, baseSize);
    }

    void materialAndLoading() {
        const ReportLayout& g = layout_;
        const double top = line_;
        const Material* plate = findMaterial(catalogue_, dc_.plateMaterial);
        const Material* stiffener = findMaterial(catalogue_, dc_.stiffenerMaterial);

        heading(g.leftMargin, line_, "Material:");
        line_ += 1.3;
        page_.text(g.leftMargin, line_,
                   "Plate & Girder/Stiffener: " + (plate ? plate->name : std::string()) + "/" +
                       (stiffener ? stiffener->name : std::string()));
        line_ += 1;
        page_.text(g.leftMargin, line_,
                   "Yield stress: Fyp/Fys = " + formatNumber(dc_.plateSteel.Fy, "###", sep_) + "/" +
                       formatNumber(dc_.stiffenerSteel.Fy, "###", sep_) + " MPa");
        line_ += 1;
        page_.text(g.leftMargin, line_,
                   "Tensile stress: Fup/Fus = " + formatNumber(dc_.plateSteel.Fu, "###", sep_) + "/" +
                       formatNumber(dc_.stiffenerSteel.Fu, "###", sep_) + " MPa");
        line_ += 1;
        page_.text(g.leftMargin, line_, "Youngs modulus: E = " + formatNumber(dc_.E, "0.00E+0", sep_) + " MPa");

        double right = top;
        heading(g.column50, right, "Loading Condition / Safety format:");
        right += 1.3;
        page_.text(g.column50, right, "Loading Condition: " + loadingConditionLetter(dc_.loadingCondition));
        right += 1;
        page_.text(g.column50, right, "Factor of Safety: F.S = " + formatNumber(dc_.FS, "#0.00", sep_));
        right += 1;
        page_.text(g.column50, right, "Max Allow Utlization Factor: UF = " + formatNumber(dc_.UF, "#0.00", sep_));

        line_ += 1.3;
        rule(line_);
        line_ += 0.3;
    }

    void geometryStructureAndStresses() {
        const ReportLayout& g = layout_;
        const double top = line_;
        heading(g.leftMargin, top, "Geometry:");
        heading(g.column50, top, "Figure:");

        line_ += 1.3;
        const auto geometry = [&](const char* label, const std::string& value, const char* unit) {
            page_.text(g.leftMargin, line_, label + value + unit);
            line_ += 1;
        };
        geometry("L1 = ", formatNumber(dc_.L1, "##0", sep_), " mm");
        geometry("L2 = ", formatNumber(dc_.L2, "##0", sep_), " mm");
        geometry("Lg = ", formatNumber(dc_.Lg, "##0", sep_), " mm");
        geometry("t = ", formatNumber(dc_.t, "##0.0", sep_), " mm (plate th.)");
        geometry("s1 = ", formatNumber(dc_.s1, "##0", sep_), " mm");
        geometry("s2 = ", formatNumber(dc_.s2, "##0", sep_), " mm");
        geometry("Lgs = ", formatNumber(dc_.Lgs, "##0", sep_), " mm");
        geometry("Lt = ", formatNumber(dc_.Lt, "##0", sep_), " mm");

        const StructureTexts structure = structureTexts(dc_, sep_);
        page_.text(g.leftMargin, line_, "Structure: " + structure.structure);
        line_ += 1;
        page_.text(g.leftMargin, line_,
                   structure.attachment + " c-factor = " + formatNumber(dc_.cStiffener, "##0.00", sep_));
        if (structure.girderFactor) {
            line_ += 1;
            page_.text(g.leftMargin, line_, "Girder c-factor = " + formatNumber(dc_.cGirder, "##0.00", sep_));
        }

        stresses(top);

        line_ += 1;
        rule(line_);
        page_.line(g.column50 - 2, top, g.column50 - 2, line_ - 0.5);
        panelFigure();
    }

    // The stress column stands between the geometry and the figure, from the block's top.
    void stresses(double top) {
        const double x = layout_.column25;
        double y = top;
        heading(x, y, "Stresses:");
        y += 1.3;
        const auto stress = [&](const char* label, const std::string& value, const char* unit) {
            page_.text(x, y, label + value + unit);
            y += 1;
        };
        stress("SigxA = ", formatNumber(dc_.SigxA, "##0.0", sep_), " MPa");
        stress("SigxB = ", formatNumber(dc_.SigxB, "##0.0", sep_), " MPa");
        stress("SigyA = ", formatNumber(dc_.SigyA, "##0.0", sep_), " MPa");
        stress("SigyC = ", formatNumber(dc_.SigyC, "##0.0", sep_), " MPa");
        stress("Tau = ", formatNumber(dc_.Tau, "##0.0", sep_), " MPa");
        // Without lateral pressure neither pressure is listed: the scantling pressure alone
        // does not make a pressure case.
        if (dc_.p != 0) {
            stress("p = ", formatNumber(dc_.p, "##0.000", sep_), " MPa");
            stress("ps = ", formatNumber(dc_.ps, "##0.000", sep_), " MPa (Scantling)");
        }
    }

    // Right of the vertical rule, standing on the rule under the block.
    void panelFigure() {
        const ReportLayout& g = layout_;
        page_.setScale(0, figureGridHeight, figureGridWidth, 0);
        setSize(baseSize - 1);
        const double x0 = figureGridWidth * (g.column50 + 8) / g.charsPerLine;
        const double y0 = figureGridHeight * (g.linesPerPage - line_) / g.linesPerPage;
        drawPanelFigure(page_, dc_, x0, y0, sep_);
        characterGrid();
        setFont(reportFont, baseSize);
        page_.setForeColour(black);
        page_.setLineWidth(1);
        page_.setDashStyle(DashStyle::solid);
        page_.setFillStyle(FillStyle::transparent);
    }

    void profiles() {
        const ReportLayout& g = layout_;
        line_ += 1;
        const double top = line_;

        // The small picture of the type, three lines high, in the margin left of the texts.
        page_.setScale(0, 0, figureGridWidth, figureGridHeight);
        const double side = 1200 / g.linesPerPage;
        drawPicture(page_, stiffenerPictureName(dc_.stiffenerType), figureGridWidth * g.leftMargin / g.charsPerLine,
                    figureGridHeight * top / g.linesPerPage, side, side);
        characterGrid();
        page_.setForeColour(black);

        const double afterHeading = heading(g.indent10, top, "Stiffener:");
        page_.text(afterHeading, top, " " + stiffenerDesignation(dc_, sep_));
        double last = top;
        const auto [first, second] = stiffenerDimensionLines(dc_, sep_);
        if (!first.empty()) page_.text(g.indent10, ++last, first);
        if (!second.empty()) page_.text(g.indent10, ++last, second);

        // The slenderness lines advance their position past the flange line only.
        const bool flange = dc_.stiff.flangeRule;
        const bool web = dc_.stiff.webRule;
        double y = last + 1;
        proportionCheckDisplay(page_, dc_.stiff, y, g.indent10, 1, sep_);
        if (web)
            last = y;
        else if (flange)
            last = y - 1;
        setFont(reportFont, baseSize);
        page_.setForeColour(black);

        const double girderAfterHeading = heading(g.indent60, top, "Girder:");
        page_.text(girderAfterHeading, top, " " + girderDesignation(dc_, sep_));
        const GirderSection& gs = dc_.girder;
        page_.text(
            g.indent60, top + 1,
            dimensionLine({{"H = ", formatNumber(gs.H, "#00", sep_)}, {"B = ", formatNumber(gs.B, "#0.0", sep_)}}));
        page_.text(g.indent60, top + 2,
                   dimensionLine(
                       {{"tw = ", formatNumber(gs.tw, "#0.0", sep_)}, {"tf = ", formatNumber(gs.tf, "#0.0", sep_)}}));

        // The girder column has three lines, as high as the picture.
        line_ = std::max(last, top + 2) + 1;
        rule(line_);
    }

    void listings() {
        setFont(reportFont, baseSize);
        page_.setForeColour(black);
        PrintGrid grid;
        grid.charsPerLine = layout_.charsPerLine;
        grid.linesPerPage = layout_.linesPerPage;
        grid.baseFontSize = baseSize;
        grid.fontName = reportFont;
        const int selection = dc_.printSelection;
        const ListedCase listed(dc_, sep_, marks_.asBuilt);
        if (selection == analysisBuckling || selection == analysisAll)
            printBucklingListing(page_, listed, grid, line_, layout_.leftMargin);
        if (selection == analysisScantlingYield || selection == analysisAll)
            printScantlingYieldListing(page_, listed, grid, line_, layout_.leftMargin);
    }

    DrawingSurface& page_;
    const DesignCase& dc_;
    const Catalogue& catalogue_;
    const PageSize& size_;
    const ReportTime& time_;
    const ReportPageMarks& marks_;
    // Every number composed on the page is written with it; the rule clauses, the version and the
    // user's own texts (file, project, identification, material names) are printed as they are.
    const char sep_;
    ReportLayout layout_;
    double line_ = 2;
};

} // namespace

ReportLayout measureReportLayout(DrawingSurface& page, const PageSize& size) {
    ReportLayout g;
    page.setScale(0, 0, size.widthMm, size.heightMm);
    Font f;
    f.name = reportFont;
    for (std::size_t i = 0; i < ReportLayout::sampleSizes.size(); ++i) {
        f.size = ReportLayout::sampleSizes[i];
        page.setFont(f);
        const double sampleWidth = page.textWidth("SmGasdfghjklpoiuytre");
        const double lineHeight = page.textHeight("KORVEL");
        // A surface that cannot measure leaves a zero grid rather than an infinite one.
        g.charsPerLineAt[i] = sampleWidth > 0 ? nearest(size.widthMm / sampleWidth * 20) : 0;
        g.linesPerPageAt[i] = lineHeight > 0 ? nearest(0.9 * size.heightMm / lineHeight) : 0;
    }
    f.size = baseSize;
    page.setFont(f);

    g.charsPerLine = g.charsPerLineAt[1];
    g.linesPerPage = g.linesPerPageAt[1];
    g.leftMargin = g.charsPerLine * 0.1;
    g.rightLimit = nearest(g.charsPerLine * 0.95);
    g.textWidth = nearest(g.rightLimit - g.leftMargin);
    g.column25 = g.leftMargin + 0.25 * g.textWidth;
    g.column50 = g.leftMargin + 0.5 * g.textWidth;
    g.column67 = g.leftMargin + 2 * g.textWidth / 3;
    g.indent10 = g.leftMargin + 0.1 * g.textWidth;
    g.indent60 = g.column50 + 0.1 * g.textWidth;
    return g;
}

std::string reportDate(const ReportTime& time) {
    return formatNumber(time.year, "0000") + "-" + formatNumber(time.month, "00") + "-" + formatNumber(time.day, "00");
}

std::string reportClock(const ReportTime& time) {
    // A clock shows two minute digits: 8:04, not 8:4.
    return formatNumber(time.hour, "0") + ":" + formatNumber(time.minute, "00");
}

void composeReport(DrawingSurface& page, const DesignCase& dc, const Catalogue& catalogue, const PageSize& size,
                   const ReportTime& time, const ReportPageMarks& marks) {
    ReportComposer(page, dc, catalogue, size, time, marks).compose();
}

} // namespace korvel
