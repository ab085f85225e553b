#pragma once

// The one-page printed report of the current design case: page header, material and loading
// condition, geometry, structure and stresses beside the panel figure, the stiffener and girder
// profiles, then the buckling listing, the yield and scantling listing, or both.
//
// The page is laid out on a character grid: one unit across is one character column of the
// base font (times new roman, 10 points), one unit down is one printed line. The grid is
// measured on the page itself, so the report fills any paper size and printer resolution the
// same way. Page sizes are in millimetres.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "figures/drawing_surface.h"

#include <array>
#include <string>

namespace korvel {

// The clock the report prints; the print job passes the wall clock, tests a fixed time.
struct ReportTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// The printable area of the page.
struct PageSize {
    double widthMm = 210;
    double heightMm = 297;
};

// The character grid of one print job, shared by every block of the page.
struct ReportLayout {
    // Measured for the font sizes 11, 10, 9 and 8 points, in that order.
    static constexpr std::array<double, 4> sampleSizes{11, 10, 9, 8};
    std::array<double, 4> charsPerLineAt{};
    std::array<double, 4> linesPerPageAt{};

    double charsPerLine = 0; // at the base size: the page's scale width
    double linesPerPage = 0; // at the base size: the page's scale height
    double leftMargin = 0;
    double rightLimit = 0;
    double textWidth = 0; // u
    double column25 = 0;
    double column50 = 0;
    double column67 = 0;
    double indent10 = 0;
    double indent60 = 0;
};

// Sets the page to millimetres and measures the grid in the report font: characters per line
// from the width of a 20-character sample, lines per page from the height of "KORVEL" over 90 %
// of the page height. Leaves the font at the base size; does not set the character grid scale.
ReportLayout measureReportLayout(DrawingSurface& page, const PageSize& size);

// "2026-12-07": the date in the ISO order, unambiguous whatever the reader's country.
std::string reportDate(const ReportTime& time);
// "9:5": hour and minute without leading zeros, as the report has always printed them.
std::string reportClock(const ReportTime& time);

// What a page of a report of many cases changes in the one-page report: its number among all
// pages ("Page 3 of 11" in place of "Page: 1"); and the decimal separator the engineer reads
// numbers with. The default gives the one-page report as it has always been printed.
struct ReportPageMarks {
    std::string page = "Page: 1";
    // A case run with gauged thicknesses: the same case as built, whose value of each check is
    // printed beside the gauged one ("as built 0.48"); nullptr for a case as built.
    const DesignCase* asBuilt = nullptr;
    // Every number of the page, listings and figure included, is written with it ("0,43"); rule
    // clauses ("(3/3.1)"), the version and the date keep their periods.
    char separator = '.';
};

// Composes one copy of the report on `page`. The title follows the analysis selection, the
// listings the print selection (1 buckling, 2 scantling and yield, 3 both; any other value
// prints no listing). Reads the case; changes nothing. The caller ends the document.
void composeReport(DrawingSurface& page, const DesignCase& dc, const Catalogue& catalogue, const PageSize& size,
                   const ReportTime& time, const ReportPageMarks& marks = {});

} // namespace korvel
