#include "xlsx/results_workbook.h"

#include "design/number_parser.h"
#include "design/tab_cells.h"
#include "files/file_replacement.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace korvel {

namespace {

constexpr lxw_color_t darkGreen = 0x008000; // the listing's palette 2: within the limit
constexpr lxw_color_t darkRed = 0x800000;   // palette 4: exceeded
// Widths are measured on the first rows only: a long run is not measured row by row.
constexpr std::size_t measuredRows = 2000;
constexpr double maxColumnWidth = 60;

// The number format that shows a number as the table wrote it: "0.00" for "0.43", "0.00E+0" for
// "2.06E+5", "0" for "3000", "00" for "05" (a mask with leading zeros).
std::string numberFormatOf(const std::string& text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : mantissa.size() - point - 1;
    const std::size_t sign = !mantissa.empty() && (mantissa[0] == '-' || mantissa[0] == '+') ? 1 : 0;
    const std::string whole = mantissa.substr(sign, point == std::string::npos ? std::string::npos : point - sign);
    const std::string integer = whole.size() > 1 && whole[0] == '0' ? std::string(whole.size(), '0') : "0";
    std::string format = decimals == 0 ? integer : integer + "." + std::string(decimals, '0');
    if (e != std::string::npos) format += "E+0";
    return format;
}

// The envelope's utilisation columns: "highest" and those headed by a check ("UFpb", not "UFpb case").
bool isUtilisation(const std::string& heading) {
    const bool loadCase = heading.size() > 5 && heading.compare(heading.size() - 5, 5, " case") == 0;
    return heading == "highest" || (heading.rfind("UF", 0) == 0 && !loadCase);
}

} // namespace

struct ResultsWorkbook::State {
    std::string target;
    std::filesystem::path temporary;
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* results = nullptr;
    std::string failure;
    std::vector<std::string> header;
    std::vector<bool> utilisation;
    std::vector<double> widths;
    lxw_row_t row = 0;
    std::map<std::pair<std::string, lxw_color_t>, lxw_format*> formats;
    lxw_format* bold = nullptr;
    std::vector<std::pair<std::string, std::string>> summary;
    std::string envelopeHeader;
    std::vector<std::string> envelopeRows;
    // libxlsxwriter keeps pointers to the property texts until the workbook is closed.
    std::string title, subject, author, comments, tables, version, dateTime;

    lxw_format* format(const std::string& numberFormat, lxw_color_t colour) {
        const auto key = std::make_pair(numberFormat, colour);
        if (const auto at = formats.find(key); at != formats.end()) return at->second;
        lxw_format* f = workbook_add_format(workbook);
        if (!numberFormat.empty()) format_set_num_format(f, numberFormat.c_str());
        if (colour != LXW_COLOR_UNSET) format_set_font_color(f, colour);
        formats.emplace(key, f);
        return f;
    }

    void measure(std::size_t column, const std::string& text) {
        if (row > measuredRows) return;
        if (widths.size() <= column) widths.resize(column + 1, 0);
        widths[column] = std::max(widths[column], std::min(maxColumnWidth, static_cast<double>(text.size()) + 1));
    }

    // A cell that reads as a number is written as one, shown as the text showed it.
    void cell(lxw_worksheet* sheet, lxw_row_t r, lxw_col_t c, const std::string& text, bool coloured) {
        const std::optional<double> value = text.empty() ? std::nullopt : parseFileNumber(text);
        if (!value) {
            if (!text.empty()) worksheet_write_string(sheet, r, c, text.c_str(), nullptr);
            return;
        }
        lxw_color_t colour = LXW_COLOR_UNSET;
        // A marker (not computed, not in compression) is negative and has no verdict.
        if (coloured && *value >= 0) colour = *value > 1 ? darkRed : darkGreen;
        worksheet_write_number(sheet, r, c, *value, format(numberFormatOf(text), colour));
    }
};

ResultsWorkbook::ResultsWorkbook(std::string target, const WorkbookProperties& properties,
                                 std::vector<std::string> header, std::vector<bool> utilisationColumns)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.target = std::move(target);
    s.header = std::move(header);
    s.utilisation = std::move(utilisationColumns);
    s.utilisation.resize(s.header.size(), false);
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    std::string name = (error ? std::filesystem::path("/tmp") : folder) / "korvel-workbook-XXXXXX.xlsx";
    const int fd = mkstemps(name.data(), 5);
    if (fd < 0) {
        s.failure = "no temporary file for the workbook: " + plainErrorReason(errno);
        return;
    }
    ::close(fd);
    s.temporary = name;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    s.workbook = workbook_new_opt(name.c_str(), &options);
    if (!s.workbook) {
        s.failure = "the workbook could not be started";
        return;
    }
    s.title = properties.title;
    s.subject = "Results of a batch run";
    s.author = "KORVEL " + properties.version;
    s.comments = "Made with KORVEL " + properties.version + " on " + properties.dateTime + " from the tables " +
                 properties.tables;
    s.version = properties.version;
    s.tables = properties.tables;
    s.dateTime = properties.dateTime;
    lxw_doc_properties doc{};
    doc.title = s.title.data();
    doc.subject = s.subject.data();
    doc.author = s.author.data();
    doc.comments = s.comments.data();
    doc.created = static_cast<time_t>(properties.created);
    workbook_set_properties(s.workbook, &doc);
    workbook_set_custom_property_string(s.workbook, "KORVEL version", s.version.c_str());
    workbook_set_custom_property_string(s.workbook, "Tables", s.tables.c_str());
    workbook_set_custom_property_string(s.workbook, "Made", s.dateTime.c_str());

    s.results = workbook_add_worksheet(s.workbook, "Results");
    s.bold = workbook_add_format(s.workbook);
    format_set_bold(s.bold);
    for (std::size_t c = 0; c < s.header.size(); ++c) {
        worksheet_write_string(s.results, 0, static_cast<lxw_col_t>(c), s.header[c].c_str(), s.bold);
        s.measure(c, s.header[c]);
    }
    worksheet_freeze_panes(s.results, 1, 0);
    s.row = 1;
}

ResultsWorkbook::~ResultsWorkbook() {
    if (!state_) return;
    // An unfinished workbook leaves nothing behind.
    if (state_->workbook) workbook_close(state_->workbook);
    if (!state_->temporary.empty()) {
        std::error_code ignored;
        std::filesystem::remove(state_->temporary, ignored);
    }
}

bool ResultsWorkbook::ok() const {
    return state_->failure.empty();
}

std::string ResultsWorkbook::failure() const {
    return state_->failure;
}

void ResultsWorkbook::addRow(const std::string& line) {
    State& s = *state_;
    if (!s.workbook || s.row >= LXW_ROW_MAX) return;
    const std::vector<std::string> cells = tabCells(line);
    for (std::size_t c = 0; c < cells.size() && c < LXW_COL_MAX; ++c) {
        s.cell(s.results, s.row, static_cast<lxw_col_t>(c), cells[c], c < s.utilisation.size() && s.utilisation[c]);
        // A comment's text spans the row: it does not set its column's width.
        if (cells.size() > 1) s.measure(c, cells[c]);
    }
    ++s.row;
}

void ResultsWorkbook::setSummary(std::vector<std::pair<std::string, std::string>> rows) {
    state_->summary = std::move(rows);
}

void ResultsWorkbook::setEnvelope(std::string header, std::vector<std::string> rows) {
    state_->envelopeHeader = std::move(header);
    state_->envelopeRows = std::move(rows);
}

std::optional<std::string> ResultsWorkbook::finish() {
    State& s = *state_;
    if (!s.workbook) return s.failure.empty() ? std::string("the workbook could not be started") : s.failure;
    if (s.row >= LXW_ROW_MAX) return std::string("more rows than a worksheet holds (1,048,576)");
    const lxw_col_t lastColumn = static_cast<lxw_col_t>(std::max<std::size_t>(s.header.size(), 1) - 1);
    worksheet_autofilter(s.results, 0, 0, s.row - 1, lastColumn);
    for (std::size_t c = 0; c < s.widths.size() && c < LXW_COL_MAX; ++c)
        worksheet_set_column(s.results, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), s.widths[c], nullptr);

    lxw_worksheet* summary = workbook_add_worksheet(s.workbook, "Summary");
    worksheet_write_string(summary, 0, 0, "item", s.bold);
    worksheet_write_string(summary, 0, 1, "value", s.bold);
    lxw_row_t r = 1;
    std::size_t itemWidth = 10;
    for (const auto& [item, value] : s.summary) {
        worksheet_write_string(summary, r, 0, item.c_str(), nullptr);
        s.cell(summary, r, 1, value, false);
        itemWidth = std::max(itemWidth, item.size() + 1);
        ++r;
    }
    worksheet_set_column(summary, 0, 0, static_cast<double>(std::min<std::size_t>(itemWidth, 60)), nullptr);
    worksheet_set_column(summary, 1, 1, 14, nullptr);

    if (!s.envelopeHeader.empty()) {
        lxw_worksheet* envelope = workbook_add_worksheet(s.workbook, "Envelope");
        const std::vector<std::string> headings = tabCells(s.envelopeHeader);
        for (std::size_t c = 0; c < headings.size() && c < LXW_COL_MAX; ++c)
            worksheet_write_string(envelope, 0, static_cast<lxw_col_t>(c), headings[c].c_str(), s.bold);
        worksheet_freeze_panes(envelope, 1, 0);
        lxw_row_t er = 1;
        for (const std::string& line : s.envelopeRows) {
            if (er >= LXW_ROW_MAX) break;
            const std::vector<std::string> cells = tabCells(line);
            for (std::size_t c = 0; c < cells.size() && c < LXW_COL_MAX; ++c) {
                s.cell(envelope, er, static_cast<lxw_col_t>(c), cells[c],
                       c < headings.size() && isUtilisation(headings[c]));
            }
            ++er;
        }
        worksheet_autofilter(envelope, 0, 0, er - 1,
                             static_cast<lxw_col_t>(std::max<std::size_t>(headings.size(), 1) - 1));
    }

    const lxw_error closed = workbook_close(s.workbook);
    s.workbook = nullptr;
    if (closed != LXW_NO_ERROR) return std::string("the workbook could not be written: ") + lxw_strerror(closed);
    std::ifstream in(s.temporary, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof()) return std::string("the workbook's temporary file could not be read back");
    return replaceFileContent(s.target, bytes.str());
}

} // namespace korvel
