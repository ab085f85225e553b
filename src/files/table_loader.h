#pragma once

// Loads the catalogue of stiffener profiles and the list of steel grades from the five table
// files of the program folder. The program does not run without its tables, so the first fault
// ends the loading and comes back as one message that names the file, the record and the
// problem; nothing is thrown.

#include "design/catalogue.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace korvel {

inline constexpr const char* bfFileName = "bfprof.dat";
inline constexpr const char* lFileName = "lprof.dat";
inline constexpr const char* tFileName = "tprof.dat";
inline constexpr const char* flatbarFileName = "fprof.dat";
inline constexpr const char* materialFileName = "KORmat.dat";

// The file of a profile table: "bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat". The values per
// record are the table's (tableFacts of design/catalogue.h).
const char* tableFileName(TableKind kind);

struct TableError {
    std::string file; // bare file name, e.g. "bfprof.dat"
    int record = 0;   // counting from 1; 0 when the fault concerns the whole file
    std::string problem;

    // e.g. "Table file bfprof.dat, record 17: value 3 is not a number: \"2O\""
    std::string message() const;
    bool operator==(const TableError& o) const { return file == o.file && record == o.record && problem == o.problem; }
};

using ProfileTableLoad = std::variant<ProfileTable, TableError>;
using MaterialTableLoad = std::variant<MaterialTable, TableError>;
using CatalogueLoad = std::variant<Catalogue, TableError>;

// Reads the five tables from `folder` in the order bulb flats, angles, tees, flat bars, steel
// grades, and stops at the first fault.
CatalogueLoad loadCatalogue(const std::filesystem::path& folder);

// One table from the text of its file; `fileName` is only used in the messages. Bulb-flat rows
// are also checked for a flange width B = c + tw - 0.45*r greater than tw: the equivalent angle
// divides by B - tw.
ProfileTableLoad readProfileTable(TableKind kind, std::string_view fileName, std::string content);
MaterialTableLoad readMaterialTable(std::string_view fileName, std::string content);

} // namespace korvel
