#include "report/buckling_listing.h"

#include "design/number_format.h"

#include <string>

namespace korvel {

namespace {

constexpr const char* screenTitle =
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
constexpr const char* printTitle =
    " (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
constexpr const char* plateHeading = "PLATE BUCKLING CONTROL: (Max from plate 1/2)";
constexpr const char* stiffenerHeading = "STIFFENER BUCKLING CONTROL:";
constexpr const char* overallHeading = "OVERALL BUCKLING CONTROL:";
constexpr const char* deformationHeading = "STIFFENER DEFORMATION CHECK:";
constexpr const char* deformationBasis = " (Based on effective plate width as sw) ";
constexpr const char* sigyErrorRemark = "ERROR in calculation, decrease Sigy-stress";

std::string seText(const DesignCase& dc) {
    return "Buckling, se = " + formatNumber(dc.se, "#0.0") + " mm   ";
}
std::string swText(const DesignCase& dc) {
    return "Bending, sw = " + formatNumber(dc.prep.sw, "#0.0") + " mm";
}

// Which buckling groups have results of this calculation (all of them unless it stopped).
struct Reach {
    bool UFpb, UFpu, UFpl, UFbu, UFbt, UFs, UFgbu, deformation;

    explicit Reach(const DesignCase& dc)
        : UFpb(reached(dc, dc.lines.UFpb, dc.uf.UFpb)), UFpu(reached(dc, dc.lines.UFpu, dc.uf.UFpu)),
          UFpl(reached(dc, dc.lines.UFpl, dc.uf.UFpl)), UFbu(reached(dc, dc.lines.UFbu, dc.uf.UFbu)),
          UFbt(reached(dc, dc.lines.UFbt, dc.uf.UFbt)), UFs(reached(dc, dc.lines.UFs, dc.uf.UFs)),
          UFgbu(reached(dc, dc.lines.UFgbu, dc.uf.UFgbu)),
          // The deflection is worked out by the stiffener buckling check.
          deformation(reached(dc, dc.lines.deformation, dc.uf.UFbu)) {}

    bool plate() const { return UFpb || UFpu || UFpl; }
    bool stiffener() const { return UFbu || UFbt || UFs; }
};

bool deformationAsked(const DesignCase& dc, const Reach& reach) {
    return dc.includeDeformation && dc.p != 0 && reach.deformation;
}

} // namespace

void appendBucklingRows(std::vector<ListingRow>& rows, RowCounter& counter, const DesignCase& dc,
                        const BesideValues* beside) {
    const CheckLines& l = dc.lines;
    const Reach reach(dc);
    ListingWriter out(rows, counter, beside);

    out.text(screenTitle);

    // The plate heading stands even when no plate line has a label (all plate utilisations 0).
    if (reach.plate()) {
        out.heading(plateHeading);
        if (!l.UFpb.label.empty() && reach.UFpb) out.line(l.UFpb);
        if (!l.UFpu.label.empty() && reach.UFpu) out.line(l.UFpu);
        if (!l.UFpl.label.empty() && reach.UFpl) out.line(l.UFpl);
    }

    // UFbu, UFbt and UFs are always listed, also as -99 (not in compression) or with an empty
    // label ("Siga postive or 0 ==> No buckling control").
    if (reach.stiffener()) {
        out.heading(stiffenerHeading);
        out.text(seText(dc) + swText(dc));
        if (reach.UFbu) out.line(l.UFbu);
        if (reach.UFbt) out.line(l.UFbt);
        if (reach.UFs) out.line(l.UFs);
    }

    if (dc.sigyError) out.remark(sigyErrorRemark);

    if (reach.UFgbu) {
        out.heading(overallHeading);
        out.line(l.UFgbu);
    }

    // No lateral pressure, no deflection worth listing.
    if (deformationAsked(dc, reach)) {
        out.heading(deformationHeading);
        if (!l.deformation.label.empty()) out.blackLine(l.deformation);
    }
}

std::vector<ListingRow> bucklingRows(const DesignCase& dc) {
    std::vector<ListingRow> rows;
    RowCounter counter;
    appendBucklingRows(rows, counter, dc);
    return rows;
}

void printBucklingListing(DrawingSurface& surface, const DesignCase& dc, const PrintGrid& grid, double& line,
                          double leftMargin, const BesideValues* beside) {
    using Style = ListingPen::Style;
    const CheckLines& l = dc.lines;
    const Reach reach(dc);
    ListingPen pen(surface, grid, bucklingValueColumn(grid));
    pen.setBeside(beside);

    line += 0.2;
    pen.put(leftMargin, line, printTitle);
    line += 1;

    // On paper the plate heading goes when neither the buckling nor the ultimate line has a label.
    if ((!l.UFpb.label.empty() || !l.UFpl.label.empty()) && reach.plate()) {
        pen.put(leftMargin, line, plateHeading, Style::heading);
        line += 1;
    }

    // The UFpb and UFpu formulas are the longest of the listing: a line whose label and formula
    // would reach the value column has the formula below the label, wrapped short of the value.
    const auto wrapped = [&](const CheckLine& checkLine, bool lineReached) {
        if (checkLine.label.empty() || !lineReached) return;
        pen.checkLine(leftMargin, line, checkLine);
        line += 1;
    };
    const auto single = [&](const CheckLine& checkLine, bool lineReached) {
        if (!lineReached) return;
        pen.checkLine(leftMargin, line, checkLine);
        line += 1;
    };

    wrapped(l.UFpb, reach.UFpb);
    wrapped(l.UFpu, reach.UFpu);
    single(l.UFpl, reach.UFpl);

    if (reach.stiffener()) {
        line += 0.3;
        pen.put(leftMargin, line, stiffenerHeading, Style::heading);
        line += 1;
        const double x = pen.put(leftMargin, line, seText(dc));
        pen.flow(x, line, swText(dc), listingRightLimit(grid), leftMargin);
        line += 1;
        single(l.UFbu, reach.UFbu);
        single(l.UFbt, reach.UFbt);
        single(l.UFs, reach.UFs);
    }

    if (reach.UFgbu) {
        line += 0.3;
        pen.put(leftMargin, line, overallHeading, Style::heading);
        line += 1;
        single(l.UFgbu, true);
    }

    // On paper the y-stress remark follows the girder line.
    if (dc.sigyError) {
        pen.remark(leftMargin, line, sigyErrorRemark);
        line += 1;
    }

    if (deformationAsked(dc, reach)) {
        line += 0.3;
        const double x = pen.put(leftMargin, line, deformationHeading, Style::heading);
        pen.put(x, line, deformationBasis);
        line += 1.1;
        pen.checkLine(leftMargin, line, l.deformation, paletteColour(statusNone));
        line += 1;
    }

    // With print selection 3 the yield and scantling listing follows and carries the remark.
    if (dc.fault.stopped() && dc.printSelection != analysisAll) {
        pen.remark(leftMargin, line, stoppedRemark(dc), remarkRed);
        line += 1;
    }
}

} // namespace korvel
