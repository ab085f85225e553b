#pragma once

// The element stresses exported from a finite-element model, read one row at a time so that an
// export of millions of rows needs the memory of one line.
//
// A header line names the columns (any case; TAB-separated when the header holds a TAB,
// otherwise comma-separated); lines whose first character is "#" and blank lines are skipped.
// Units: mm, mm2, MPa. Two layouts:
//   G (global tensor at the element centroid): lc elem x y z area sx sy sz sxy syz szx
//   L (element axes, e1 in model coordinates):  lc elem x y z area s11 s22 s12 e1x e1y e1z
// A header with "s11" is layout L, otherwise G. An optional "layer" column holds top, mid or
// bottom; further columns are ignored.

#include "fe/panel_axes.h"
#include "files/batch_file.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvel {

enum class StressLayout { global, local };
enum class StressLayer : std::uint8_t { none, top, mid, bottom };

struct StressRow {
    int line = 0;
    std::string lc;
    std::int64_t elem = 0;
    Vec3 centroid;
    double area = 0;
    StressLayer layer = StressLayer::none;
    std::array<double, 6> global{};   // layout G: sx sy sz sxy syz szx
    double s11 = 0, s22 = 0, s12 = 0; // layout L
    Vec3 e1;
};

class StressTableReader {
public:
    // Opens the table and reads its header: "file not found", an empty file, or the columns the
    // layout needs that the header lacks ("missing column \"area\"").
    static std::variant<StressTableReader, BatchError> open(const std::string& path);

    enum class Next { row, end, error };
    // The next data row into `row`; `error` with error() set for a row that cannot be read (too
    // few cells, a cell that is not a number, an element that is not a whole number, an area not
    // above 0, an unknown layer). Reading goes on after an error with the following line.
    Next next(StressRow& row);

    const BatchError& error() const { return error_; }
    const std::string& fileName() const { return path_; }
    StressLayout layout() const { return layout_; }
    bool hasLayer() const { return columns_[layerColumn] >= 0; }

    // Column slots, in the order of the layouts above.
    static constexpr int lcColumn = 0, elemColumn = 1, xColumn = 2, areaColumn = 5, firstStressColumn = 6,
                         layerColumn = 12, columnCount = 13;

private:
    StressTableReader() = default;
    Next fail(const std::string& problem);
    bool numberAt(int slot, double& value);

    std::string path_;
    std::unique_ptr<std::ifstream> in_;
    char separator_ = '\t';
    StressLayout layout_ = StressLayout::global;
    std::array<int, columnCount> columns_{};
    std::size_t cellsNeeded_ = 0;
    std::string text_;
    std::vector<std::string_view> cells_;
    int line_ = 0;
    BatchError error_;
};

// Splits `text` at `separator`, each cell trimmed of blanks and of the double quotes a
// spreadsheet puts around it.
void splitCells(std::string_view text, char separator, std::vector<std::string_view>& cells);

// Column names are compared in lower case.
std::string lowerCase(std::string_view text);

// A line the tables skip: blank, or a comment beginning with "#".
bool isCommentOrBlank(std::string_view text);

} // namespace korvel
