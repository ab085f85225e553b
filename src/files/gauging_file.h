#pragma once

// Gauged thicknesses: what a thickness survey measured, case by case, to be assessed beside the
// results as built. A TAB-separated file with the header line
//
//   identification	t	tw	tf	girder_tw	girder_tf
//
// and one line per gauged case: its identification as the batch file names it, then the measured
// plate thickness, stiffener web and flange, girder web and flange in mm; a cell "-" keeps the
// thickness as built. Blank lines and lines starting with "%" or "#" are skipped.

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvel {

// The gauged members in the order of the header's columns after the identification.
enum class GaugedMember { t, tw, tf, girderTw, girderTf };
inline constexpr std::array<const char*, 5> gaugingColumns = {"t", "tw", "tf", "girder_tw", "girder_tf"};

struct Gauging {
    std::string identification;
    int line = 0;
    std::array<std::optional<double>, gaugingColumns.size()> thickness{}; // nullopt: as built
    bool any() const {
        for (const auto& t : thickness)
            if (t) return true;
        return false;
    }
    bool operator==(const Gauging& o) const {
        return identification == o.identification && line == o.line && thickness == o.thickness;
    }
};

struct GaugingError {
    std::string file;
    int line = 0;
    std::string problem;
    std::string message() const { return file + ":" + std::to_string(line) + ": " + problem; }
    bool operator==(const GaugingError& o) const { return file == o.file && line == o.line && problem == o.problem; }
};

using GaugingRead = std::variant<std::vector<Gauging>, GaugingError>;

// Reads the file's text; `file` names it in messages.
GaugingRead parseGaugings(const std::string& text, const std::string& file);
GaugingRead readGaugingFile(const std::string& path);

// Matches gaugings to cases by identification. Each case gets the index of its gauging or -1;
// a gauging that matches no case, and a case that two gaugings match (the first is kept), are
// warnings naming the gauging file's line.
struct GaugingMatch {
    std::vector<int> ofCase;
    std::vector<std::string> warnings;
};
GaugingMatch matchGaugings(const std::vector<Gauging>& gaugings, const std::vector<std::string>& identifications,
                           const std::string& file);

} // namespace korvel
