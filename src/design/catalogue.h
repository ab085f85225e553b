#pragma once

// The catalogue of rolled stiffener profiles and the list of steel grades, loaded once from
// the five table files of the program folder. Units: mm, mm2 for areas, MPa for strengths.

#include <array>
#include <string>
#include <vector>

namespace korvel {

// A profile table: rows 0 to 60, values in columns 1 to 5 (column 0 is not used), single
// precision. lastRow is the number of records read minus one (-1 for an empty table).
struct ProfileTable {
    static constexpr int maxRows = 61;
    static constexpr int maxColumns = 6;
    std::array<std::array<float, maxColumns>, maxRows> rows{};
    int lastRow = -1;

    bool hasRow(int row) const { return row >= 0 && row <= lastRow; }
    float value(int row, int column) const { return rows.at(row).at(column); }
};

// Column numbers of the profile tables.
namespace col {
inline constexpr int H = 1;
inline constexpr int B = 2; // L and T tables
inline constexpr int twLT = 3;
inline constexpr int tfLT = 4;
inline constexpr int twFbBf = 2; // flat-bar and bulb-flat tables
inline constexpr int c = 3;      // bulb flat
inline constexpr int r = 4;      // bulb flat
inline constexpr int Ax = 5;     // bulb flat
} // namespace col

struct Material {
    std::string name;
    double Fy = 0;
    double Fu = 0;
    double Q = 0;
    bool operator==(const Material& o) const { return name == o.name && Fy == o.Fy && Fu == o.Fu && Q == o.Q; }
};

// Steel grades: rows 0 to 3 carry the material factor Q of the hull rules; later rows have Q
// computed from their strengths; the last row is the user-defined grade.
struct MaterialTable {
    static constexpr int maxRows = 23;
    std::vector<Material> rows;

    int lastRow() const { return static_cast<int>(rows.size()) - 1; }
    bool hasRow(int row) const { return row >= 0 && row <= lastRow(); }
};

struct Catalogue {
    ProfileTable bf; // bulb flats: H, tw, c, r, Ax
    ProfileTable l;  // rolled angles: H, B, tw, tf
    ProfileTable t;  // rolled tees: H, B, tw, tf
    ProfileTable fb; // flat bars: H, tw
    MaterialTable materials;
};

} // namespace korvel
