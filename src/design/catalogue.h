#pragma once

// The catalogue of rolled stiffener profiles and the list of steel grades, loaded once from
// the five table files of the program folder. Units: mm, mm2 for areas, MPa for strengths.

#include <array>
#include <optional>
#include <string>
#include <string_view>
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

// The four profile tables, in the order their files are read.
enum class TableKind { bulbFlat, l, t, flatbar };
inline constexpr int tableKindCount = 4;
inline constexpr TableKind tableKinds[tableKindCount] = {TableKind::bulbFlat, TableKind::l, TableKind::t,
                                                         TableKind::flatbar};

// What distinguishes the tables. A row is identified by H and tw, and by B (L and T tables) and
// tf (T table) where the key says so.
struct TableFacts {
    TableKind kind;
    std::string_view name;       // in fault messages: "L-table", "T-table", "Flatbar-table", "BF-table"
    std::string_view itemPrefix; // of the drop-down items: "L", "T", "Fb", "BF"
    int valuesPerRecord;         // 5 bulb flats (H, tw, c, r, Ax), 4 angles and tees, 2 flat bars
    int twColumn;
    bool keyHasB;
    bool keyHasTf;
};
const TableFacts& tableFacts(TableKind kind);

const ProfileTable& tableOf(const Catalogue& cat, TableKind kind);
ProfileTable& tableOf(Catalogue& cat, TableKind kind);

// Dimensions that identify a table row; the ones a table does not key on are not read.
struct RowKey {
    float H = 0;
    float B = 0;
    float tw = 0;
    float tf = 0;
};

// The last row whose key columns equal the key, none when no row does. The last match wins, as
// the profile dialogs list duplicates in file order. Values compare in the tables' single
// precision, so "11.3" finds the row whose 11.3 was read from the table file.
std::optional<int> lastMatchingRow(const ProfileTable& table, TableKind kind, const RowKey& key);

} // namespace korvel
