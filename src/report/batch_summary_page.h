#pragma once

// The summary in front of a batch report: a title block, then one row per case (case number,
// input line, identification, stiffener, girder, highest utilisation and its check, the failed
// checks, and the verdict in its colour: OK dark green, NOK dark red, stopped bright red with the
// step it stopped in), and the input's comment lines as section headings. Rows run onto as many
// pages as they need; a page's rows are laid out before any is painted, so that the number of
// pages is known for "Page k of n" before the first page is drawn.
//
// Drawn in millimetres of the printable area.

#include "figures/drawing_surface.h"
#include "report/batch_case_summary.h"
#include "report/printed_report.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korvel {

// The title block's texts.
struct SummaryTitle {
    std::string file; // the batch input file as the user named it
    int cases = 0;
    int ok = 0;
    int nok = 0;
    int stopped = 0;
};

// The rows of each summary page: [first, first + count) of the summary rows.
struct SummaryPageRows {
    std::size_t first = 0;
    std::size_t count = 0;
    bool operator==(const SummaryPageRows& o) const { return first == o.first && count == o.count; }
};

// What a summary page shows beside its rows.
struct SummaryPageMarks {
    std::string page;                // "Page 1 of 11"
    std::vector<std::string> footer; // drawn with composePageFooter
    // The numbers of the page are written with it ("0,53"); the user's texts (file, comments,
    // identifications, load case names) and the footer's versions are printed as they are.
    char separator = '.';
};

// Splits the rows into pages of the printable area `size`, measuring on `page` (nothing is drawn).
// A heading never stands last on a page, away from its cases. At least one page, even for no rows.
std::vector<SummaryPageRows> layoutSummaryPages(DrawingSurface& page, const std::vector<BatchCaseSummary>& rows,
                                                const PageSize& size, std::size_t footerLines);

// Draws one summary page: the title block, the column headings and its rows.
void composeSummaryPage(DrawingSurface& page, const std::vector<BatchCaseSummary>& rows, const SummaryPageRows& part,
                        const SummaryTitle& title, const PageSize& size, const ReportTime& time,
                        const SummaryPageMarks& marks);

// The band at the foot of every page of a batch report that holds `lines` footer lines (what the
// report was made with), in millimetres; measured on `page`.
double footerBandMm(DrawingSurface& page, const PageSize& size, std::size_t lines);
// Draws the footer lines in that band, the last at the foot of the printable area.
void composePageFooter(DrawingSurface& page, const PageSize& size, const std::vector<std::string>& lines);

// "Page 3 of 11".
std::string pageOfText(std::size_t k, std::size_t n);

} // namespace korvel
