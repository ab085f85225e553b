#include "fe/stress_table.h"

#include "design/number_parser.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace korvel {

namespace {

constexpr std::array<const char*, StressTableReader::columnCount> globalNames = {
    "lc", "elem", "x", "y", "z", "area", "sx", "sy", "sz", "sxy", "syz", "szx", "layer"};
constexpr std::array<const char*, StressTableReader::columnCount> localNames = {
    "lc", "elem", "x", "y", "z", "area", "s11", "s22", "s12", "e1x", "e1y", "e1z", "layer"};

// Whole element numbers are exact in a double up to 2^53.
constexpr double largestElement = 9007199254740992.0;

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
           });
}

} // namespace

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isCommentOrBlank(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string_view::npos || text[first] == '#';
}

void splitCells(std::string_view text, char separator, std::vector<std::string_view>& cells) {
    cells.clear();
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        std::string_view cell =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
        while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
        if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') cell = cell.substr(1, cell.size() - 2);
        cells.push_back(cell);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
}

std::variant<StressTableReader, BatchError> StressTableReader::open(const std::string& path) {
    StressTableReader r;
    r.path_ = path;
    r.in_ = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*r.in_) return BatchError{path, 0, "file not found", true};
    while (std::getline(*r.in_, r.text_)) {
        ++r.line_;
        if (!isCommentOrBlank(r.text_)) break;
    }
    if (isCommentOrBlank(r.text_)) return BatchError{path, 0, "no header line naming the columns"};
    r.separator_ = r.text_.find('\t') != std::string::npos ? '\t' : ',';
    splitCells(r.text_, r.separator_, r.cells_);
    std::vector<std::string> names;
    names.reserve(r.cells_.size());
    for (const std::string_view cell : r.cells_) names.push_back(lowerCase(cell));
    const auto find = [&names](const char* name) {
        const auto it = std::find(names.begin(), names.end(), name);
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    };
    r.layout_ = find("s11") >= 0 ? StressLayout::local : StressLayout::global;
    const auto& wanted = r.layout_ == StressLayout::local ? localNames : globalNames;
    std::string missing;
    for (int slot = 0; slot < columnCount; ++slot) {
        const int at = find(wanted[static_cast<std::size_t>(slot)]);
        r.columns_[static_cast<std::size_t>(slot)] = at;
        if (at < 0 && slot != layerColumn)
            missing += std::string(missing.empty() ? "" : ", ") + "\"" + wanted[static_cast<std::size_t>(slot)] + "\"";
        r.cellsNeeded_ = std::max(r.cellsNeeded_, static_cast<std::size_t>(at + 1));
    }
    if (!missing.empty())
        return BatchError{path, r.line_,
                          std::string(missing.find(',') == std::string::npos ? "missing column " : "missing columns ") +
                              missing + " (layout " + (r.layout_ == StressLayout::local ? "L" : "G") + ")"};
    return r;
}

StressTableReader::Next StressTableReader::fail(const std::string& problem) {
    error_ = BatchError{path_, line_, problem};
    return Next::error;
}

bool StressTableReader::numberAt(int slot, double& value) {
    const auto column = static_cast<std::size_t>(columns_[static_cast<std::size_t>(slot)]);
    const std::string_view cell = cells_[column];
    const FileNumber n = readFileNumber(cell);
    if (!n.ok() || !std::isfinite(n.value)) {
        const auto& names = layout_ == StressLayout::local ? localNames : globalNames;
        fail(std::string("column \"") + names[static_cast<std::size_t>(slot)] + "\" is not a number: \"" +
             std::string(cell) + "\"");
        return false;
    }
    value = n.value;
    return true;
}

StressTableReader::Next StressTableReader::next(StressRow& row) {
    while (std::getline(*in_, text_)) {
        ++line_;
        if (isCommentOrBlank(text_)) continue;
        row.line = line_;
        splitCells(text_, separator_, cells_);
        if (cells_.size() < cellsNeeded_)
            return fail("the row has " + std::to_string(cells_.size()) + " cells, the header names at least " +
                        std::to_string(cellsNeeded_));
        row.lc.assign(cells_[static_cast<std::size_t>(columns_[lcColumn])]);
        if (row.lc.empty()) return fail("no load case in column \"lc\"");
        double elem = 0;
        if (!numberAt(elemColumn, elem)) return Next::error;
        if (elem != std::floor(elem) || std::fabs(elem) > largestElement)
            return fail(R"(column "elem" is not a whole number: ")" +
                        std::string(cells_[static_cast<std::size_t>(columns_[elemColumn])]) + "\"");
        row.elem = static_cast<std::int64_t>(elem);
        if (!numberAt(xColumn, row.centroid.x) || !numberAt(xColumn + 1, row.centroid.y) ||
            !numberAt(xColumn + 2, row.centroid.z) || !numberAt(areaColumn, row.area))
            return Next::error;
        if (!(row.area > 0)) return fail("the area is not above 0");
        std::array<double, 6> s{};
        for (int k = 0; k < 6; ++k)
            if (!numberAt(firstStressColumn + k, s[static_cast<std::size_t>(k)])) return Next::error;
        if (layout_ == StressLayout::global) {
            row.global = s;
        } else {
            row.s11 = s[0];
            row.s22 = s[1];
            row.s12 = s[2];
            row.e1 = {s[3], s[4], s[5]};
        }
        row.layer = StressLayer::none;
        if (hasLayer()) {
            const std::string_view cell = cells_[static_cast<std::size_t>(columns_[layerColumn])];
            if (equalNoCase(cell, "top"))
                row.layer = StressLayer::top;
            else if (equalNoCase(cell, "mid"))
                row.layer = StressLayer::mid;
            else if (equalNoCase(cell, "bottom"))
                row.layer = StressLayer::bottom;
            else
                return fail(R"(column "layer" is not top, mid or bottom: ")" + std::string(cell) + "\"");
        }
        return Next::row;
    }
    return Next::end;
}

} // namespace korvel
