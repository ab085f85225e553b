#include "report/yield_listing.h"

#include "design/number_format.h"

#include <string>

namespace korvel {

namespace {

constexpr const char* screenTitle =
    "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)";
constexpr const char* printTitle =
    " (Rule/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)";
constexpr const char* plateScantlingHeading = "PLATE SCANTLING:";
constexpr const char* stiffenerScantlingHeading = "STIFFENER SCANTLING:";
constexpr const char* girderScantlingHeading = "GIRDER SCANTLING:";
constexpr const char* plateYieldHeading = "PLATE YIELD CONTROL:";
constexpr const char* stiffenerYieldHeading = "STIFFENER YIELD CHECK:";

// The stiffener's yield and scantling plate width and the girder's plate width.
std::string widthText(double width) {
    return "Effective width sw = " + formatNumber(width, "#0.0") + " mm";
}
std::string stiffenerYieldWidthText(const DesignCase& dc) {
    return widthText(dc.stiff.sy) + " (check at points 1-3, plate(p) and stiffener(s)). ";
}

// Which scantling and yield lines have results of this calculation (all unless it stopped).
struct Reach {
    bool UFt, UFsm, UFgm, depth, web, tripping, UFy, UFyp, UFys;

    explicit Reach(const DesignCase& dc)
        : UFt(reached(dc, dc.lines.plateThickness, dc.uf.UFt)),
          UFsm(reached(dc, dc.lines.stiffenerModulus, dc.uf.UFsm)),
          UFgm(reached(dc, dc.lines.girderModulus, dc.uf.UFgm)),
          // Depth, web and bracket distance come from the same girder check as its modulus.
          depth(reached(dc, dc.lines.girderDepth, dc.uf.UFgm)), web(reached(dc, dc.lines.girderWeb, dc.uf.UFgm)),
          tripping(reached(dc, dc.lines.trippingBrackets, dc.uf.UFgm)), UFy(reached(dc, dc.lines.corner, dc.uf.UFy)),
          UFyp(reached(dc, dc.lines.platePoint, dc.uf.UFyp)), UFys(reached(dc, dc.lines.stiffPoint, dc.uf.UFys)) {}

    bool girder() const { return UFgm || depth || web || tripping; }
    bool stiffenerYield() const { return UFyp || UFys; }
};

bool listed(const CheckLine& line, bool lineReached) {
    return lineReached && !line.label.empty();
}

} // namespace

void appendScantlingYieldRows(std::vector<ListingRow>& rows, RowCounter& counter, const DesignCase& dc,
                              const BesideValues* beside) {
    const CheckLines& l = dc.lines;
    const Reach reach(dc);
    ListingWriter out(rows, counter, beside);

    out.text(screenTitle);

    // A scantling group with an empty label (ps = 0 gives no required modulus) is left out
    // with its heading and width.
    if (listed(l.plateThickness, reach.UFt)) {
        out.heading(plateScantlingHeading);
        out.line(l.plateThickness);
    }
    if (listed(l.stiffenerModulus, reach.UFsm)) {
        out.heading(stiffenerScantlingHeading);
        out.text(widthText(dc.stiff.sy) + " ");
        out.line(l.stiffenerModulus);
    }
    if (listed(l.girderModulus, reach.UFgm)) {
        out.heading(girderScantlingHeading);
        out.text(widthText(dc.girder.sge) + " ");
        out.line(l.girderModulus);
    }
    if (listed(l.girderDepth, reach.depth)) out.line(l.girderDepth);
    if (listed(l.girderWeb, reach.web)) out.line(l.girderWeb);
    if (listed(l.trippingBrackets, reach.tripping)) out.line(l.trippingBrackets);

    // Without in-plane stresses the corners carry no result line.
    if (listed(l.corner, reach.UFy)) {
        out.heading(plateYieldHeading);
        out.line(l.corner);
    }

    if (reach.stiffenerYield()) {
        out.heading(stiffenerYieldHeading);
        out.text(stiffenerYieldWidthText(dc));
        if (reach.UFyp) out.line(l.platePoint);
        if (reach.UFys) out.line(l.stiffPoint);
    }
}

std::vector<ListingRow> scantlingYieldRows(const DesignCase& dc) {
    std::vector<ListingRow> rows;
    RowCounter counter;
    appendScantlingYieldRows(rows, counter, dc);
    return rows;
}

void printScantlingYieldListing(DrawingSurface& surface, const DesignCase& dc, const PrintGrid& grid, double& line,
                                double leftMargin, const BesideValues* beside) {
    using Style = ListingPen::Style;
    const CheckLines& l = dc.lines;
    const Reach reach(dc);
    ListingPen pen(surface, grid, yieldValueColumn(grid));
    pen.setBeside(beside);

    const auto heading = [&](const char* text) {
        line += 1;
        pen.put(leftMargin, line, text, Style::heading);
    };
    // On paper a line stands even with an empty label (a blank line), unless its check was not
    // reached.
    const auto result = [&](const CheckLine& checkLine, bool lineReached) {
        if (!lineReached) return;
        line += 1;
        pen.checkLine(leftMargin, line, checkLine);
    };

    line += 0.2;
    pen.put(leftMargin, line, printTitle);

    // The three scantling headings are printed whatever their labels hold, without width lines.
    if (reach.UFt) heading(plateScantlingHeading);
    result(l.plateThickness, reach.UFt);
    if (reach.UFsm) heading(stiffenerScantlingHeading);
    result(l.stiffenerModulus, reach.UFsm);
    if (reach.girder()) heading(girderScantlingHeading);
    result(l.girderModulus, reach.UFgm);
    result(l.girderDepth, reach.depth);
    result(l.girderWeb, reach.web);
    result(l.trippingBrackets, reach.tripping);

    line += 1.2;
    if (listed(l.corner, reach.UFy)) {
        const double x = pen.put(leftMargin, line, plateYieldHeading, Style::heading);
        pen.flow(x, line, l.corner.heading, listingRightLimit(grid), leftMargin);
        result(l.corner, true);
        line += 1;
    }

    line += 0.2;
    if (reach.stiffenerYield()) {
        const double x = pen.put(leftMargin, line, stiffenerYieldHeading, Style::heading);
        pen.flow(x, line, stiffenerYieldWidthText(dc), listingRightLimit(grid), leftMargin);
        result(l.platePoint, reach.UFyp);
        result(l.stiffPoint, reach.UFys);
    }
    line += 1;

    // Printed after the buckling listing when both are, so always the last listing.
    if (dc.fault.stopped()) {
        pen.remark(leftMargin, line, stoppedRemark(dc), remarkRed);
        line += 1;
    }
}

} // namespace korvel
