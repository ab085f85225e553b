#include "fe/fe_inputs.h"

#include "design/number_parser.h"
#include "fe/stress_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace korvel {

namespace {

// Splits at TABs when the line has one (so that names may hold blanks), else at blanks; empty
// cells dropped.
void splitWords(std::string_view text, std::vector<std::string_view>& words) {
    const bool tabs = text.find('\t') != std::string_view::npos;
    std::vector<std::string_view> cells;
    splitCells(text, tabs ? '\t' : ' ', cells);
    words.clear();
    for (const std::string_view c : cells)
        if (!c.empty()) words.push_back(c);
}

constexpr std::array<const char*, 11> panelColumns = {"panel", "template", "ox",  "oy",  "oz", "pxx",
                                                      "pxy",   "pxz",      "pyx", "pyy", "pyz"};

} // namespace

std::variant<std::vector<PanelLine>, BatchError> readPanelFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return BatchError{path, 0, "file not found", true};
    std::string text;
    std::vector<std::string_view> cells;
    std::array<int, panelColumns.size()> at{};
    std::size_t needed = 0;
    bool header = false;
    int line = 0;
    std::vector<PanelLine> panels;
    while (std::getline(in, text)) {
        ++line;
        if (isCommentOrBlank(text)) continue;
        splitCells(text, '\t', cells);
        if (!header) {
            std::string missing;
            for (std::size_t k = 0; k < panelColumns.size(); ++k) {
                const auto it = std::find_if(cells.begin(), cells.end(),
                                             [&](std::string_view c) { return lowerCase(c) == panelColumns[k]; });
                at[k] = it == cells.end() ? -1 : static_cast<int>(it - cells.begin());
                if (at[k] < 0) missing += std::string(missing.empty() ? "" : ", ") + "\"" + panelColumns[k] + "\"";
                needed = std::max(needed, static_cast<std::size_t>(at[k] + 1));
            }
            if (!missing.empty()) return BatchError{path, line, "missing column " + missing};
            header = true;
            continue;
        }
        PanelLine p;
        p.line = line;
        if (cells.size() < needed) {
            p.name = cells.empty() ? std::string() : std::string(cells[0]);
            p.fault =
                "the line has " + std::to_string(cells.size()) + " cells, the header names " + std::to_string(needed);
            panels.push_back(std::move(p));
            continue;
        }
        const auto cell = [&](std::size_t k) { return cells[static_cast<std::size_t>(at[k])]; };
        p.name = cell(0);
        p.templateId = cell(1);
        std::array<double, 9> v{};
        for (std::size_t k = 0; k < v.size() && p.fault.empty(); ++k) {
            const FileNumber n = readFileNumber(cell(k + 2));
            if (n.ok() && std::isfinite(n.value))
                v[k] = n.value;
            else
                p.fault = std::string("column \"") + panelColumns[k + 2] + "\" is not a number: \"" +
                          std::string(cell(k + 2)) + "\"";
        }
        if (p.name.empty() && p.fault.empty()) p.fault = "the panel has no name";
        p.O = {v[0], v[1], v[2]};
        p.Px = {v[3], v[4], v[5]};
        p.Py = {v[6], v[7], v[8]};
        for (const PanelLine& earlier : panels)
            if (p.fault.empty() && earlier.name == p.name)
                p.fault = "panel \"" + p.name + "\" is named before, at line " + std::to_string(earlier.line);
        panels.push_back(std::move(p));
    }
    if (!header) return BatchError{path, 0, "no header line naming the columns"};
    return panels;
}

std::variant<std::vector<Combination>, BatchError> readCombinationFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return BatchError{path, 0, "file not found", true};
    std::string text;
    std::vector<std::string_view> words;
    std::vector<Combination> combinations;
    int line = 0;
    bool first = true;
    while (std::getline(in, text)) {
        ++line;
        if (isCommentOrBlank(text)) continue;
        splitWords(text, words);
        if (words.empty()) continue;
        if (first && lowerCase(words[0]) == "name") {
            first = false;
            continue;
        }
        first = false;
        Combination c;
        c.line = line;
        c.name = words[0];
        const auto failed = [&](std::string why) {
            c.fault = std::move(why);
            combinations.push_back(std::move(c));
        };
        if (words.size() < 5) {
            failed("a combination needs a name, condition, FS, UF and at least one lc:factor");
            continue;
        }
        const std::string condition = lowerCase(words[1]);
        if (condition == "0" || condition == "a")
            c.condition = conditionA;
        else if (condition == "1" || condition == "b")
            c.condition = conditionB;
        else if (condition == "2" || condition == "c")
            c.condition = conditionC;
        else {
            failed("the loading condition is not 0, 1, 2 (A, B, C): \"" + std::string(words[1]) + "\"");
            continue;
        }
        const FileNumber FS = readFileNumber(words[2], Precision::single);
        const FileNumber UF = readFileNumber(words[3], Precision::single);
        if (!FS.ok() || !UF.ok()) {
            failed(std::string(FS.ok() ? "UF" : "FS") + " is not a number: \"" +
                   std::string(FS.ok() ? words[3] : words[2]) + "\"");
            continue;
        }
        c.FS = static_cast<float>(FS.value);
        c.UF = static_cast<float>(UF.value);
        for (std::size_t k = 4; k < words.size() && c.fault.empty(); ++k) {
            const std::string_view w = words[k];
            const std::size_t colon = w.rfind(':');
            const FileNumber f = colon == std::string_view::npos ? FileNumber{} : readFileNumber(w.substr(colon + 1));
            if (colon == 0 || !f.ok() || !std::isfinite(f.value))
                c.fault = "a term is not lc:factor: \"" + std::string(w) + "\"";
            else
                c.terms.push_back({std::string(w.substr(0, colon)), f.value});
        }
        for (const Combination& earlier : combinations)
            if (c.fault.empty() && earlier.name == c.name)
                c.fault = "combination \"" + c.name + "\" is named before, at line " + std::to_string(earlier.line);
        combinations.push_back(std::move(c));
    }
    return combinations;
}

} // namespace korvel
