#pragma once

// The cells of one TAB-separated line (a batch line, a results row, a survey line), its line end
// (CR LF or LF) left out. An empty line is one empty cell.

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline std::vector<std::string> tabCells(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    std::vector<std::string> cells;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        cells.emplace_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    cells.emplace_back(line);
    return cells;
}

} // namespace korvel
