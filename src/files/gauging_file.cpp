#include "files/gauging_file.h"

#include "design/number_parser.h"
#include "design/tab_cells.h"

#include <fstream>
#include <sstream>
#include <unordered_map>

namespace korvel {

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \r") - first + 1);
}

std::string expectedHeader() {
    std::string h = "identification";
    for (const char* c : gaugingColumns) (h += '\t') += c;
    return h;
}

} // namespace

GaugingRead parseGaugings(const std::string& text, const std::string& file) {
    std::vector<Gauging> gaugings;
    std::istringstream in(text);
    std::string raw;
    int lineNumber = 0;
    bool header = false;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const std::string line = raw.size() && raw.back() == '\r' ? raw.substr(0, raw.size() - 1) : raw;
        if (trimmed(line).empty() || line[0] == '%' || line[0] == '#') continue;
        std::vector<std::string> cells = tabCells(line);
        for (std::string& c : cells) c = trimmed(c);
        if (!header) {
            std::string got;
            for (const std::string& c : cells) got += (got.empty() ? "" : "\t") + c;
            if (got != expectedHeader())
                return GaugingError{file, lineNumber,
                                    "the header must be the TAB-separated columns identification, t, tw, tf, "
                                    "girder_tw, girder_tf"};
            header = true;
            continue;
        }
        if (cells.size() != gaugingColumns.size() + 1)
            return GaugingError{file, lineNumber,
                                "a gauging needs " + std::to_string(gaugingColumns.size() + 1) +
                                    " TAB-separated cells, this line has " + std::to_string(cells.size())};
        Gauging g;
        g.identification = cells[0];
        g.line = lineNumber;
        for (std::size_t i = 0; i < gaugingColumns.size(); ++i) {
            const std::string& cell = cells[i + 1];
            if (cell == "-") continue;
            const std::optional<double> value = parseFileNumber(cell);
            if (!value)
                return GaugingError{file, lineNumber,
                                    std::string(gaugingColumns[i]) + " \"" + cell + "\" is not a number"};
            // A thickness that is not positive is no plate at all.
            if (!(*value > 0))
                return GaugingError{file, lineNumber,
                                    std::string(gaugingColumns[i]) + " = " + cell + " mm: a thickness must be above 0"};
            g.thickness[i] = *value;
        }
        gaugings.push_back(std::move(g));
    }
    if (!header)
        return GaugingError{file, lineNumber, "no header line identification, t, tw, tf, girder_tw, girder_tf"};
    return gaugings;
}

GaugingRead readGaugingFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return GaugingError{path, 0, "cannot be read"};
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return GaugingError{path, 0, "cannot be read"};
    return parseGaugings(text.str(), path);
}

GaugingMatch matchGaugings(const std::vector<Gauging>& gaugings, const std::vector<std::string>& identifications,
                           const std::string& file) {
    GaugingMatch match;
    match.ofCase.assign(identifications.size(), -1);
    std::unordered_map<std::string, std::vector<std::size_t>> cases;
    for (std::size_t i = 0; i < identifications.size(); ++i) cases[identifications[i]].push_back(i);
    for (std::size_t g = 0; g < gaugings.size(); ++g) {
        const auto at = cases.find(gaugings[g].identification);
        const std::string where = file + ":" + std::to_string(gaugings[g].line) + ": ";
        if (at == cases.end()) {
            match.warnings.push_back(where + "gauging of \"" + gaugings[g].identification + "\" matches no case");
            continue;
        }
        for (const std::size_t c : at->second) {
            if (match.ofCase[c] >= 0) {
                match.warnings.push_back(
                    where + "case \"" + gaugings[g].identification + "\" is gauged twice; the gauging of line " +
                    std::to_string(gaugings[static_cast<std::size_t>(match.ofCase[c])].line) + " is used");
                continue;
            }
            match.ofCase[c] = static_cast<int>(g);
        }
    }
    return match;
}

} // namespace korvel
