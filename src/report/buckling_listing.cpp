#include "report/buckling_listing.h"

#include "design/number_format.h"
#include "report/listing_model.h"

#include <string>
#include <utility>

namespace korvel {

namespace {

constexpr const char* screenTitle =
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
constexpr const char* printTitle =
    " (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
constexpr const char* plateHeadingText = "PLATE BUCKLING CONTROL: (Max from plate 1/2)";
constexpr const char* stiffenerHeading = "STIFFENER BUCKLING CONTROL:";
constexpr const char* overallHeading = "OVERALL BUCKLING CONTROL:";
constexpr const char* deformationHeading = "STIFFENER DEFORMATION CHECK:";
constexpr const char* deformationBasis = " (Based on effective plate width as sw) ";
constexpr const char* sigyErrorRemark = "ERROR in calculation, decrease Sigy-stress";

std::string seText(const ListedCase& c) {
    return "Buckling, se = " + formatNumber(c.dc().se, "#0.0", c.separator()) + " mm   ";
}
std::string swText(const ListedCase& c) {
    return "Bending, sw = " + formatNumber(c.dc().prep.sw, "#0.0", c.separator()) + " mm";
}

// Which buckling groups have results of this calculation (all of them unless it stopped).
struct Reach {
    bool UFpb, UFpu, UFpl, UFbu, UFbt, UFs, UFgbu, deformation;

    Reach(const DesignCase& dc, const CheckLines& l)
        : UFpb(reached(dc, l.UFpb, dc.uf.UFpb)), UFpu(reached(dc, l.UFpu, dc.uf.UFpu)),
          UFpl(reached(dc, l.UFpl, dc.uf.UFpl)), UFbu(reached(dc, l.UFbu, dc.uf.UFbu)),
          UFbt(reached(dc, l.UFbt, dc.uf.UFbt)), UFs(reached(dc, l.UFs, dc.uf.UFs)),
          UFgbu(reached(dc, l.UFgbu, dc.uf.UFgbu)),
          // The deflection is worked out by the stiffener buckling check.
          deformation(reached(dc, l.deformation, dc.uf.UFbu)) {}

    bool plate() const { return UFpb || UFpu || UFpl; }
    bool stiffener() const { return UFbu || UFbt || UFs; }
};

} // namespace

std::vector<ListingEntry> bucklingEntries(const ListedCase& c, Medium medium) {
    using Kind = ListingEntry::Kind;
    const DesignCase& dc = c.dc();
    const CheckLines& l = c.lines();
    const Reach reach(dc, l);
    const bool paper = medium == Medium::paper;
    std::vector<ListingEntry> out;
    const auto add = [&](Kind kind, std::string text, double before = 0, double after = 0) -> ListingEntry& {
        return addEntry(out, kind, std::move(text), before, after);
    };
    const auto check = [&](const CheckLine& line, double after = 0) -> ListingEntry& {
        return addCheck(out, line, 0, after);
    };

    add(Kind::title, paper ? printTitle : screenTitle, paper ? 0.2 : 0, paper ? 1 : 0);

    // The plate heading stands on screen even when no plate line has a label (all plate
    // utilisations 0); on paper it goes when neither the buckling nor the pressure line has one.
    // A line without a label is left out, on paper too, except the pressure line, which paper
    // prints blank.
    const bool plateLabels = !l.UFpb.label.empty() || !l.UFpl.label.empty();
    if (reach.plate() && (plateLabels || !paper)) add(Kind::heading, plateHeadingText, 0, paper ? 1 : 0);
    if (!l.UFpb.label.empty() && reach.UFpb) check(l.UFpb, paper ? 1 : 0);
    if (!l.UFpu.label.empty() && reach.UFpu) check(l.UFpu, paper ? 1 : 0);
    if ((paper || !l.UFpl.label.empty()) && reach.UFpl) check(l.UFpl, paper ? 1 : 0);

    // UFbu, UFbt and UFs are always listed, also as -99 (not in compression) or with an empty
    // label ("Siga postive or 0 ==> No buckling control").
    if (reach.stiffener()) {
        add(Kind::heading, stiffenerHeading, paper ? 0.3 : 0, paper ? 1 : 0);
        if (paper) {
            add(Kind::text, seText(c));
            add(Kind::text, swText(c), 0, 1).join = ListingEntry::Join::flow;
        } else {
            add(Kind::text, seText(c) + swText(c));
        }
        if (reach.UFbu) check(l.UFbu, paper ? 1 : 0);
        if (reach.UFbt) check(l.UFbt, paper ? 1 : 0);
        if (reach.UFs) check(l.UFs, paper ? 1 : 0);
    }

    // The y-stress remark: on screen in red before the girder line, on paper after it.
    if (dc.sigyError && !paper) add(Kind::remark, sigyErrorRemark).colour = remarkRed;

    if (reach.UFgbu) {
        add(Kind::heading, overallHeading, paper ? 0.3 : 0, paper ? 1 : 0);
        check(l.UFgbu, paper ? 1 : 0);
    }

    if (dc.sigyError && paper) add(Kind::remark, sigyErrorRemark, 0, 1);

    // No lateral pressure, no deflection worth listing. The deflection carries no verdict.
    if (dc.includeDeformation && dc.p != 0 && reach.deformation) {
        if (paper) {
            add(Kind::heading, deformationHeading, 0.3);
            add(Kind::text, deformationBasis, 0, 1.1).join = ListingEntry::Join::put;
            check(l.deformation, 1).verdict = false;
        } else {
            add(Kind::heading, deformationHeading);
            if (!l.deformation.label.empty()) check(l.deformation).verdict = false;
        }
    }

    // With print selection 3 the yield and scantling listing follows and carries the remark; the
    // result list puts it after both listings.
    if (paper && dc.fault.stopped() && dc.printSelection != analysisAll)
        add(Kind::remark, stoppedRemark(dc, c.separator()), 0, 1).colour = remarkRed;
    return out;
}

void appendBucklingRows(std::vector<ListingRow>& rows, RowCounter& counter, const ListedCase& c) {
    appendListingRows(rows, counter, bucklingEntries(c, Medium::screen), c.beside());
}

std::vector<ListingRow> bucklingRows(const ListedCase& c) {
    std::vector<ListingRow> rows;
    RowCounter counter;
    appendBucklingRows(rows, counter, c);
    return rows;
}

void printBucklingListing(DrawingSurface& surface, const ListedCase& c, const PrintGrid& grid, double& line,
                          double leftMargin) {
    ListingPen pen(surface, grid, bucklingValueColumn(grid));
    pen.setBeside(c.beside());
    printListingEntries(pen, bucklingEntries(c, Medium::paper), line, leftMargin, listingRightLimit(grid));
}

} // namespace korvel
