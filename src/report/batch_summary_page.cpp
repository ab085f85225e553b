#include "report/batch_summary_page.h"

#include "design/check_line.h"
#include "report/listing_row.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace korvel {

namespace {

constexpr const char* reportFont = "times new roman";
constexpr const char* headerFont = "arial";
constexpr Rgb productColour{0, 85, 152};
constexpr Rgb black{0, 0, 0};
constexpr Rgb headingShade{225, 225, 225};
constexpr double rowFontSize = 8;
constexpr double footerFontSize = 7;
constexpr double marginMm = 8;
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

void setFont(DrawingSurface& page, const char* name, double size, bool bold = false, bool italic = false) {
    Font f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    page.setFont(f);
}

double rowPitch(DrawingSurface& page) {
    setFont(page, reportFont, rowFontSize);
    return page.textHeight("KORVEL") * rowSpacing;
}

// `text` cut at a character boundary and ended with "…" so that it fits `width`.
std::string fitted(DrawingSurface& page, const std::string& text, double width) {
    if (page.textWidth(text) <= width) return text;
    std::string cut = text;
    while (!cut.empty()) {
        cut.pop_back();
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xc0) == 0x80) cut.pop_back();
        if (!cut.empty()) {
            // Drop the lead byte of the character whose continuation bytes went.
            const unsigned char last = static_cast<unsigned char>(cut.back());
            if (last >= 0xc0) {
                cut.pop_back();
                continue;
            }
        }
        if (page.textWidth(cut + "\xe2\x80\xa6") <= width) return cut + "\xe2\x80\xa6";
    }
    return {};
}

// The failed checks of a row, and where a stopped calculation stopped.
std::string failedCell(const BatchCaseSummary& row) {
    std::string text = row.failedText();
    if (!row.stoppedIn.empty()) text += (text.empty() ? "" : "; ") + std::string("stopped in ") + row.stoppedIn;
    return text;
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
    const std::size_t perPage = std::max<std::size_t>(2, pitch > 0 ? static_cast<std::size_t>(usable / pitch) : 2);
    std::vector<SummaryPageRows> pages;
    std::size_t first = 0;
    while (first < rows.size()) {
        std::size_t count = std::min(perPage, rows.size() - first);
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

    setFont(page, headerFont, 18, true);
    page.setForeColour(productColour);
    page.text(left, y, "KORVEL");
    page.setForeColour(black);
    setFont(page, reportFont, 10);
    const std::string date = "Date: " + reportDate(time);
    const double rightColumn = right - std::max(page.textWidth(date), page.textWidth(marks.page));
    page.text(rightColumn, y + 2, marks.page);
    y += 9;
    setFont(page, reportFont, 11, true);
    page.text(left, y, "Batch report: summary of the cases");
    setFont(page, reportFont, 10);
    page.text(rightColumn, y, date);
    y += 5;
    page.text(left, y, "File: " + title.file);
    page.text(rightColumn, y, "Time: " + reportClock(time));
    y += 5;
    page.text(left, y,
              std::to_string(title.cases) + " cases: " + std::to_string(title.ok) + " OK, " +
                  std::to_string(title.nok) + " NOK, " + std::to_string(title.stopped) + " stopped");
    y += 6;
    page.line(left, y, right, y);
    y += 1;

    std::array<double, columns.size() + 1> x{};
    x[0] = left;
    for (std::size_t i = 0; i < columns.size(); ++i) x[i + 1] = x[i] + columns[i].share * width;
    const double gap = 1.5;
    setFont(page, reportFont, rowFontSize, true);
    for (std::size_t i = 0; i < columns.size(); ++i) page.text(x[i], y, columns[i].heading);
    const double pitch = rowPitch(page);
    y = marginMm + titleHeightMm - pitch * 0.15;
    page.line(left, y, right, y);
    y += pitch * 0.15;

    for (std::size_t r = part.first; r < part.first + part.count && r < rows.size(); ++r) {
        const BatchCaseSummary& row = rows[r];
        if (row.comment) {
            page.filledBox(left, y, right, y + pitch * 0.95, headingShade);
            setFont(page, reportFont, rowFontSize, true, true);
            page.setForeColour(black);
            page.text(left + 1, y, fitted(page, row.text, width - 2));
            y += pitch;
            continue;
        }
        setFont(page, reportFont, rowFontSize);
        page.setForeColour(black);
        // A long text shrinks by up to two points before it is cut.
        const auto cell = [&](std::size_t column, const std::string& text) {
            const double cellWidth = x[column + 1] - x[column] - gap;
            for (const double size : {rowFontSize - 1, rowFontSize - 2}) {
                if (page.textWidth(text) <= cellWidth) break;
                setFont(page, reportFont, size);
            }
            page.text(x[column], y, fitted(page, text, cellWidth));
            setFont(page, reportFont, rowFontSize);
        };
        cell(colCase, std::to_string(row.caseNumber));
        cell(colLine, std::to_string(row.line));
        cell(colIdentification, row.identification);
        cell(colStiffener, row.stiffener);
        cell(colGirder, row.girder);
        cell(colHighest, row.highestText());
        cell(colCheck, row.highestCheck ? row.highestCheck->symbol : "");
        cell(colFailed, failedCell(row));
        setFont(page, reportFont, rowFontSize, true);
        page.setForeColour(verdictColour(row.verdict));
        page.text(x[colFailed + 1], y, verdictText(row.verdict));
        page.setForeColour(black);
        y += pitch;
    }

    composePageFooter(page, size, marks.footer);
}

double footerBandMm(DrawingSurface& page, const PageSize& size, std::size_t lines) {
    page.setScale(0, 0, size.widthMm, size.heightMm);
    setFont(page, reportFont, footerFontSize);
    // Half a line's space above the footer, and a narrow margin below it.
    return lines == 0 ? 0 : page.textHeight("KORVEL") * (static_cast<double>(lines) + 0.5) + footerMarginMm;
}

void composePageFooter(DrawingSurface& page, const PageSize& size, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    page.setScale(0, 0, size.widthMm, size.heightMm);
    setFont(page, reportFont, footerFontSize);
    page.setForeColour(black);
    const double lineHeight = page.textHeight("KORVEL");
    double y = size.heightMm - footerMarginMm - lineHeight * static_cast<double>(lines.size());
    for (const std::string& text : lines) {
        page.text(marginMm, y, text);
        y += lineHeight;
    }
}

} // namespace korvel
