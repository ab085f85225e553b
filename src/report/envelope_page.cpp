#include "report/envelope_page.h"

#include "design/number_format.h"
#include "report/batch_page_style.h"
#include "report/check_line.h"
#include "report/fitted_text.h"
#include "report/listing_row.h"

#include <algorithm>

namespace korvel {

namespace {

constexpr double cellFontSize = 8;
constexpr double marginMm = pageMarginMm;
constexpr double firstColumnMm = 34;
constexpr double rowPitchMm = 5;
// A cell's text starts this far below its row's rule: centred in the row, clear of a box.
constexpr double textDropMm = 0.8;

void setFont(DrawingSurface& page, double size, bool bold = false, const char* name = reportFont) {
    setPageFont(page, name, size, bold);
}

// A value of the check as the results table writes it (a single-precision check on its own
// digits), with the page's separator.
std::string checkValueText(double value, const CheckFacts& c, char sep) {
    return c.value ? formatNumber(value, c.mask, sep) : formatNumber(static_cast<float>(value), c.mask, sep);
}

std::string valueText(const Results& uf, const CheckFacts& c, char sep) {
    switch (resultState(uf, c)) {
    case ResultState::notComputed:
        return "-";
    case ResultState::notApplicable:
        return "N/A";
    case ResultState::computed:
        break;
    }
    return checkValueText(writtenResult(uf, c), c, sep);
}

// The envelope's value of the check; "" when no case computed it.
std::string envelopeText(const CheckEnvelope& env, const CheckFacts& c, char sep) {
    return env.computed ? checkValueText(env.value, c, sep) : std::string();
}

Rgb colourOf(bool failed) {
    return paletteColour(failed ? statusFail : statusOk);
}

} // namespace

std::size_t envelopePageCount(const PanelEnvelope& panel) {
    return std::max<std::size_t>(1, (panel.loadCases.size() + envelopeColumnsPerPage - 1) / envelopeColumnsPerPage);
}

void composeEnvelopePage(DrawingSurface& page, const PanelEnvelope& panel, std::size_t part, const PageSize& size,
                         const ReportTime& time, const SummaryPageMarks& marks) {
    page.setScale(0, 0, size.widthMm, size.heightMm);
    page.setLineWidth(1);
    page.setDashStyle(DashStyle::solid);
    page.setFillStyle(FillStyle::transparent);
    const double left = marginMm;
    const double right = size.widthMm - marginMm;
    double y = marginMm;

    setFont(page, 18, true, headerFont);
    page.setForeColour(productColour);
    page.text(left, y, "KORVEL");
    page.setForeColour(black);
    setFont(page, 10);
    const std::string date = "Date: " + reportDate(time);
    const double rightColumn = right - std::max(page.textWidth(date), page.textWidth(marks.page));
    page.text(rightColumn, y + 2, marks.page);
    y += 9;
    setFont(page, 11, true);
    page.text(left, y,
              fittedText(page, "Batch report: envelope of panel " + panel.panel + " (" + panel.project + ")",
                         rightColumn - left - 2));
    setFont(page, 10);
    page.text(rightColumn, y, date);
    y += 5;
    std::string line = std::to_string(panel.cases) +
                       (panel.cases == 1 ? " load case; verdict " : " load cases; verdict ") +
                       verdictText(panel.verdict());
    if (panel.highestCheck >= 0) {
        const auto h = static_cast<std::size_t>(panel.highestCheck);
        line += "; highest " + envelopeText(panel.checks[h], checkTable[h], marks.separator) + " " +
                checkTable[h].symbol + " in " +
                (panel.checks[h].loadCase.empty() ? std::string("\"\"") : panel.checks[h].loadCase);
    }
    page.text(left, y, fittedText(page, line, right - left));
    y += 7;

    const std::size_t first = part * envelopeColumnsPerPage;
    const std::size_t count =
        std::min(envelopeColumnsPerPage, panel.loadCases.size() > first ? panel.loadCases.size() - first : 0);
    // Wide enough for a value and a load case name of some twenty characters.
    const double envelopeWidth = 40;
    const double columnWidth =
        count == 0 ? 0 : (right - left - firstColumnMm - envelopeWidth) / static_cast<double>(envelopeColumnsPerPage);
    const auto columnX = [&](std::size_t c) { return left + firstColumnMm + columnWidth * static_cast<double>(c); };
    const double envelopeX = right - envelopeWidth;

    // Headings: the load cases, then the envelope.
    page.filledBox(left, y, right, y + rowPitchMm, headingShade);
    setFont(page, cellFontSize, true);
    page.text(left + 1, y + textDropMm, part == 0 ? "Check" : "Check (continued)");
    for (std::size_t c = 0; c < count; ++c) {
        const std::string& name = panel.loadCases[first + c].loadCase;
        page.text(columnX(c) + 1, y + textDropMm, fittedText(page, name.empty() ? "(none)" : name, columnWidth - 2));
    }
    page.text(envelopeX + 1, y + textDropMm, "Envelope");
    y += rowPitchMm;

    const auto cell = [&](double x, double width, const std::string& text, Rgb colour, bool marked, bool bold = false) {
        setFont(page, cellFontSize, marked || bold);
        page.setForeColour(colour);
        const std::string shown = fittedText(page, text, width - 2);
        page.text(x + 1, y + textDropMm, shown);
        // Around the text with a little room, clear of the row's rules.
        if (marked)
            page.box(x + 0.2, y + 0.4, std::min(x + width - 0.2, x + 1.8 + page.textWidth(shown)),
                     y + rowPitchMm - 0.4);
        page.setForeColour(black);
    };

    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        const CheckFacts& check = checkTable[i];
        const CheckEnvelope& env = panel.checks[i];
        cell(left, firstColumnMm, std::string(check.symbol) + (check.clause[0] ? std::string("  ") + check.clause : ""),
             black, false);
        for (std::size_t c = 0; c < count; ++c) {
            const LoadCaseOutcome& lc = panel.loadCases[first + c];
            const Results& uf = lc.outcome.uf;
            const bool computed = resultState(uf, check) == ResultState::computed;
            const bool governing =
                computed && env.computed && env.loadCase == lc.loadCase && writtenResult(uf, check) == env.value;
            cell(columnX(c), columnWidth, valueText(uf, check, marks.separator),
                 computed ? colourOf(writtenResult(uf, check) > 1) : black, governing);
        }
        cell(envelopeX, envelopeWidth,
             env.computed
                 ? envelopeText(env, check, marks.separator) + " " + (env.loadCase.empty() ? "\"\"" : env.loadCase)
                 : "-",
             env.computed ? colourOf(env.value > 1) : black, false);
        y += rowPitchMm;
        page.line(left, y, right, y);
    }
    for (std::size_t r = 0; r < ruleNames.size(); ++r) {
        cell(left, firstColumnMm, ruleNames[r], black, false);
        for (std::size_t c = 0; c < count; ++c) {
            const CaseOutcome& o = panel.loadCases[first + c].outcome;
            // A rule the calculation did not reach has no answer: "-".
            const bool failed = o.failed[firstRule + r];
            const bool reached = failed || !o.fault.stopped();
            cell(columnX(c), columnWidth,
                 failed    ? "NOK"
                 : reached ? "OK"
                           : "-",
                 reached ? colourOf(failed) : black, false);
        }
        const bool anyFailed = !panel.failedRules[r].empty();
        cell(envelopeX, envelopeWidth, anyFailed ? "NOK" : "OK", colourOf(anyFailed), false);
        y += rowPitchMm;
        page.line(left, y, right, y);
    }
    cell(left, firstColumnMm, "Verdict", black, false, true);
    for (std::size_t c = 0; c < count; ++c) {
        const CaseOutcome& o = panel.loadCases[first + c].outcome;
        const Verdict v = verdictOf(o.fault.stopped(), o.failed);
        // The step a case stopped in is named under the matrix: it does not fit a cell.
        cell(columnX(c), columnWidth, verdictText(v), v == Verdict::stopped ? remarkRed : colourOf(v == Verdict::nok),
             false);
    }
    cell(envelopeX, envelopeWidth, verdictText(panel.verdict()),
         panel.verdict() == Verdict::stopped ? remarkRed : colourOf(panel.verdict() == Verdict::nok), false);
    y += rowPitchMm + 2;
    setFont(page, cellFontSize);
    page.text(left, y, "Boxed: the load case that governs the check (the first in file order on a tie).");
    // Each stopped load case with its step, as many lines as they take.
    page.setForeColour(remarkRed);
    std::string note = "Stopped:";
    for (std::size_t i = 0; i < panel.stopped.size(); ++i) {
        const StoppedLoadCase& s = panel.stopped[i];
        const std::string item = " " + s.loadCase + " (" + s.step + ")" + (i + 1 < panel.stopped.size() ? ";" : "");
        if (note.size() > 8 && page.textWidth(note + item) > right - left) {
            y += rowPitchMm - 1;
            page.text(left, y, note);
            note.clear();
        }
        note += item;
    }
    if (!panel.stopped.empty()) {
        y += rowPitchMm - 1;
        page.text(left, y, fittedText(page, note, right - left));
    }
    page.setForeColour(black);

    composePageFooter(page, size, marks.footer);
}

} // namespace korvel
