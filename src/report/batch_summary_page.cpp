#include "report/batch_summary_page.h"

#include "report/batch_page_style.h"
#include "report/check_line.h"
#include "report/fitted_text.h"
#include "report/listing_row.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace korvel {

namespace {

constexpr double rowFontSize = 8;
constexpr double footerFontSize = 7;
constexpr double marginMm = pageMarginMm;
constexpr double footerMarginMm = 2; // below the footer, within the printable area
constexpr double titleHeightMm = 30; // title block and column headings
constexpr double rowSpacing = 1.25;  // row pitch in text heights

// The columns: heading and share of the text width.
struct Column {
    const char* heading;
    double share;
};
constexpr std::array<Column, 9> columns = {{
    {"Case", 0.045},
    {"Line", 0.045},
    {"Identification", 0.18},
    {"Stiffener", 0.19},
    {"Girder", 0.17},
    {"Highest", 0.055},
    {"Check", 0.055},
    {"Failed checks", 0.19},
    {"Verdict", 0.07},
}};
enum ColumnIndex { colCase, colLine, colIdentification, colStiffener, colGirder, colHighest, colCheck, colFailed };

double rowPitch(DrawingSurface& page) {
    setPageFont(page, reportFont, rowFontSize);
    return page.textHeight("KORVEL") * rowSpacing;
}

// The failed checks of a row, and where a stopped calculation stopped.
std::string failedCell(const BatchCaseSummary& row) {
    std::string text = row.failedText();
    if (!row.stoppedIn.empty()) text += (text.empty() ? "" : "; ") + std::string("stopped in ") + row.stoppedIn;
    return text;
}

// Left edges of the columns and the right edge of the last, in millimetres.
std::array<double, columns.size() + 1> columnEdges(const PageSize& size) {
    const double left = marginMm;
    const double width = size.widthMm - 2 * marginMm;
    std::array<double, columns.size() + 1> x{};
    x[0] = left;
    for (std::size_t i = 0; i < columns.size(); ++i) x[i + 1] = x[i] + columns[i].share * width;
    return x;
}

constexpr double cellGap = 1.5;

// The failed-check cell of a case in lines of its column, in the row font: the whole list, never
// cut (a comment row has none).
std::vector<std::string> failedLines(DrawingSurface& page, const BatchCaseSummary& row, const PageSize& size) {
    if (row.comment) return {};
    const auto x = columnEdges(size);
    setPageFont(page, reportFont, rowFontSize);
    return wrappedText(page, failedCell(row), x[colFailed + 1] - x[colFailed] - cellGap);
}

// The lines a row takes: a case as many as its failed checks need.
std::size_t rowLines(DrawingSurface& page, const BatchCaseSummary& row, const PageSize& size) {
    return std::max<std::size_t>(1, failedLines(page, row, size).size());
}

Rgb verdictColour(Verdict verdict) {
    switch (verdict) {
    case Verdict::nok:
        return paletteColour(statusFail);
    case Verdict::stopped:
        return remarkRed;
    case Verdict::ok:
        break;
    }
    return paletteColour(statusOk);
}

} // namespace

std::string pageOfText(std::size_t k, std::size_t n) {
    return "Page " + std::to_string(k) + " of " + std::to_string(n);
}

std::vector<SummaryPageRows> layoutSummaryPages(DrawingSurface& page, const std::vector<BatchCaseSummary>& rows,
                                                const PageSize& size, std::size_t footerLines) {
    page.setScale(0, 0, size.widthMm, size.heightMm);
    const double pitch = rowPitch(page);
    const double usable = size.heightMm - marginMm - titleHeightMm - footerBandMm(page, size, footerLines) - 2;
    const std::size_t linesPerPage = std::max<std::size_t>(2, pitch > 0 ? static_cast<std::size_t>(usable / pitch) : 2);
    std::vector<SummaryPageRows> pages;
    std::size_t first = 0;
    while (first < rows.size()) {
        // As many rows as their lines allow; at least one, however many lines it takes.
        std::size_t count = 0;
        std::size_t lines = 0;
        while (first + count < rows.size()) {
            const std::size_t more = rowLines(page, rows[first + count], size);
            if (count > 0 && lines + more > linesPerPage) break;
            lines += more;
            ++count;
        }
        // A heading at the foot of a page goes over to the next, with its cases.
        while (count > 1 && first + count < rows.size() && rows[first + count - 1].comment) --count;
        pages.push_back({first, count});
        first += count;
    }
    if (pages.empty()) pages.push_back({0, 0});
    return pages;
}

void composeSummaryPage(DrawingSurface& page, const std::vector<BatchCaseSummary>& rows, const SummaryPageRows& part,
                        const SummaryTitle& title, const PageSize& size, const ReportTime& time,
                        const SummaryPageMarks& marks) {
    page.setScale(0, 0, size.widthMm, size.heightMm);
    page.setLineWidth(1);
    page.setDashStyle(DashStyle::solid);
    page.setFillStyle(FillStyle::transparent);
    const double left = marginMm;
    const double right = size.widthMm - marginMm;
    const double width = right - left;
    double y = marginMm;

    setPageFont(page, headerFont, 18, true);
    page.setForeColour(productColour);
    page.text(left, y, "KORVEL");
    page.setForeColour(black);
    setPageFont(page, reportFont, 10);
    const std::string date = "Date: " + reportDate(time);
    const double rightColumn = right - std::max(page.textWidth(date), page.textWidth(marks.page));
    page.text(rightColumn, y + 2, marks.page);
    y += 9;
    setPageFont(page, reportFont, 11, true);
    page.text(left, y, "Batch report: summary of the cases");
    setPageFont(page, reportFont, 10);
    page.text(rightColumn, y, date);
    y += 5;
    page.text(left, y, fittedText(page, "File: " + title.file, rightColumn - left - 2));
    page.text(rightColumn, y, "Time: " + reportClock(time));
    y += 5;
    page.text(left, y,
              std::to_string(title.cases) + " cases: " + std::to_string(title.ok) + " OK, " +
                  std::to_string(title.nok) + " NOK, " + std::to_string(title.stopped) + " stopped");
    y += 6;
    page.line(left, y, right, y);
    y += 1;

    const auto x = columnEdges(size);
    setPageFont(page, reportFont, rowFontSize, true);
    for (std::size_t i = 0; i < columns.size(); ++i) page.text(x[i], y, columns[i].heading);
    const double pitch = rowPitch(page);
    y = marginMm + titleHeightMm - pitch * 0.15;
    page.line(left, y, right, y);
    y += pitch * 0.15;

    for (std::size_t r = part.first; r < part.first + part.count && r < rows.size(); ++r) {
        const BatchCaseSummary& row = rows[r];
        if (row.comment) {
            page.filledBox(left, y, right, y + pitch * 0.95, headingShade);
            setPageFont(page, reportFont, rowFontSize, true, true);
            page.setForeColour(black);
            page.text(left + 1, y, fittedText(page, row.text, width - 2));
            y += pitch;
            continue;
        }
        setPageFont(page, reportFont, rowFontSize);
        page.setForeColour(black);
        // A long text shrinks by up to two points before it is cut.
        const auto cell = [&](std::size_t column, const std::string& text) {
            const double cellWidth = x[column + 1] - x[column] - cellGap;
            for (const double smaller : {rowFontSize - 1, rowFontSize - 2}) {
                if (fitsWidth(page, text, cellWidth)) break;
                setPageFont(page, reportFont, smaller);
            }
            page.text(x[column], y, fittedText(page, text, cellWidth));
            setPageFont(page, reportFont, rowFontSize);
        };
        cell(colCase, std::to_string(row.caseNumber));
        cell(colLine, std::to_string(row.line));
        cell(colIdentification, row.identification);
        cell(colStiffener, row.stiffener);
        cell(colGirder, row.girder);
        cell(colHighest, row.highestText(marks.separator));
        cell(colCheck, row.highestCheck ? row.highestCheck->symbol : "");
        const std::vector<std::string> failed = failedLines(page, row, size);
        for (std::size_t i = 0; i < failed.size(); ++i)
            page.text(x[colFailed], y + static_cast<double>(i) * pitch, failed[i]);
        setPageFont(page, reportFont, rowFontSize, true);
        page.setForeColour(verdictColour(row.verdict));
        page.text(x[colFailed + 1], y, verdictText(row.verdict));
        page.setForeColour(black);
        y += pitch * static_cast<double>(std::max<std::size_t>(1, failed.size()));
    }

    composePageFooter(page, size, marks.footer);
}

double footerBandMm(DrawingSurface& page, const PageSize& size, std::size_t lines) {
    page.setScale(0, 0, size.widthMm, size.heightMm);
    setPageFont(page, reportFont, footerFontSize);
    // Half a line's space above the footer, and a narrow margin below it.
    return lines == 0 ? 0 : page.textHeight("KORVEL") * (static_cast<double>(lines) + 0.5) + footerMarginMm;
}

void composePageFooter(DrawingSurface& page, const PageSize& size, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    page.setScale(0, 0, size.widthMm, size.heightMm);
    setPageFont(page, reportFont, footerFontSize);
    page.setForeColour(black);
    const double lineHeight = page.textHeight("KORVEL");
    double y = size.heightMm - footerMarginMm - lineHeight * static_cast<double>(lines.size());
    for (const std::string& text : lines) {
        page.text(marginMm, y, text);
        y += lineHeight;
    }
}

} // namespace korvel
