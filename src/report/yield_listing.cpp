#include "report/yield_listing.h"

#include "design/number_format.h"
#include "report/listing_model.h"

#include <string>
#include <utility>

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
std::string widthText(double width, char separator) {
    return "Effective width sw = " + formatNumber(width, "#0.0", separator) + " mm";
}
std::string stiffenerYieldWidthText(const ListedCase& c) {
    return widthText(c.dc().stiff.sy, c.separator()) + " (check at points 1-3, plate(p) and stiffener(s)). ";
}

// Which scantling and yield lines have results of this calculation (all unless it stopped).
struct Reach {
    bool UFt, UFsm, UFgm, depth, web, tripping, UFy, UFyp, UFys;

    Reach(const DesignCase& dc, const CheckLines& l)
        : UFt(reached(dc, l.plateThickness, dc.uf.UFt)), UFsm(reached(dc, l.stiffenerModulus, dc.uf.UFsm)),
          UFgm(reached(dc, l.girderModulus, dc.uf.UFgm)),
          // Depth, web and bracket distance come from the same girder check as its modulus.
          depth(reached(dc, l.girderDepth, dc.uf.UFgm)), web(reached(dc, l.girderWeb, dc.uf.UFgm)),
          tripping(reached(dc, l.trippingBrackets, dc.uf.UFgm)), UFy(reached(dc, l.corner, dc.uf.UFy)),
          UFyp(reached(dc, l.platePoint, dc.uf.UFyp)), UFys(reached(dc, l.stiffPoint, dc.uf.UFys)) {}

    bool girder() const { return UFgm || depth || web || tripping; }
    bool stiffenerYield() const { return UFyp || UFys; }
};

bool listed(const CheckLine& line, bool lineReached) {
    return lineReached && !line.label.empty();
}

} // namespace

std::vector<ListingEntry> scantlingYieldEntries(const ListedCase& c, Medium medium) {
    using Kind = ListingEntry::Kind;
    const DesignCase& dc = c.dc();
    const CheckLines& l = c.lines();
    const Reach reach(dc, l);
    const bool paper = medium == Medium::paper;
    std::vector<ListingEntry> out;
    const auto add = [&](Kind kind, std::string text, double before = 0) -> ListingEntry& {
        return addEntry(out, kind, std::move(text), before);
    };
    // On paper each heading and line starts a line of its own.
    const double down = paper ? 1 : 0;
    const auto heading = [&](const char* text) { add(Kind::heading, text, down); };
    const auto check = [&](const CheckLine& line) { addCheck(out, line, down); };
    const auto space = [&](double lines) {
        if (paper) add(Kind::space, {}, lines);
    };

    add(Kind::title, paper ? printTitle : screenTitle, paper ? 0.2 : 0);

    // A scantling group with an empty label (ps = 0 gives no required modulus) is left out on
    // screen with its heading and width. Paper prints the three headings whatever their labels
    // hold, without width lines, and a line with an empty label as a blank line.
    const auto scantling = [&](const char* title, const CheckLine& line, bool lineReached, const std::string& width) {
        if (paper ? !lineReached : !listed(line, lineReached)) return;
        heading(title);
        if (!paper && !width.empty()) add(Kind::text, width + " ");
        check(line);
    };
    scantling(plateScantlingHeading, l.plateThickness, reach.UFt, {});
    scantling(stiffenerScantlingHeading, l.stiffenerModulus, reach.UFsm, widthText(dc.stiff.sy, c.separator()));
    if (paper) {
        if (reach.girder()) heading(girderScantlingHeading);
        if (reach.UFgm) check(l.girderModulus);
    } else {
        scantling(girderScantlingHeading, l.girderModulus, reach.UFgm, widthText(dc.girder.sge, c.separator()));
    }
    for (const auto& [line, lineReached] :
         {std::pair{&l.girderDepth, reach.depth}, {&l.girderWeb, reach.web}, {&l.trippingBrackets, reach.tripping}}) {
        if (paper ? lineReached : listed(*line, lineReached)) check(*line);
    }

    // Without in-plane stresses the corners carry no result line. On paper the factor of safety
    // follows the heading on its line.
    space(1.2);
    if (listed(l.corner, reach.UFy)) {
        heading(plateYieldHeading);
        out.back().before = 0;
        if (paper) add(Kind::text, l.corner.heading).join = ListingEntry::Join::flow;
        check(l.corner);
        space(1);
    }

    space(0.2);
    if (reach.stiffenerYield()) {
        heading(stiffenerYieldHeading);
        out.back().before = 0;
        add(Kind::text, stiffenerYieldWidthText(c)).join = paper ? ListingEntry::Join::flow : ListingEntry::Join::none;
        if (reach.UFyp) check(l.platePoint);
        if (reach.UFys) check(l.stiffPoint);
    }
    space(1);

    // Printed after the buckling listing when both are, so always the last listing; the result
    // list puts the remark after both listings.
    if (paper && dc.fault.stopped()) {
        ListingEntry& remark = add(Kind::remark, stoppedRemark(dc, c.separator()));
        remark.colour = remarkRed;
        remark.after = 1;
    }
    return out;
}

void appendScantlingYieldRows(std::vector<ListingRow>& rows, RowCounter& counter, const ListedCase& c) {
    appendListingRows(rows, counter, scantlingYieldEntries(c, Medium::screen), c.beside());
}

std::vector<ListingRow> scantlingYieldRows(const ListedCase& c) {
    std::vector<ListingRow> rows;
    RowCounter counter;
    appendScantlingYieldRows(rows, counter, c);
    return rows;
}

void printScantlingYieldListing(DrawingSurface& surface, const ListedCase& c, const PrintGrid& grid, double& line,
                                double leftMargin) {
    ListingPen pen(surface, grid, yieldValueColumn(grid));
    pen.setBeside(c.beside());
    printListingEntries(pen, scantlingYieldEntries(c, Medium::paper), line, leftMargin, listingRightLimit(grid));
}

} // namespace korvel
