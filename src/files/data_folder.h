#pragma once

// Where the program finds its data and where it writes by itself. The tables, "dummy.kori", the
// help pages and the documents ship together: beside the executables in the build folder, or in
// share/korvel of an installation (bin/korvel finds them in ../share/korvel). An installed program
// folder is read-only, so what the program writes without being asked ("dummy.koro") goes to the
// user's own data folder instead.

#include <filesystem>
#include <optional>
#include <string>

namespace korvel {

struct DataFolder {
    std::filesystem::path path; // the tables, "dummy.kori", help/ and Documentation/
    bool installed = false;     // found in ../share/korvel: the folder is not the user's to write
    bool operator==(const DataFolder& o) const { return path == o.path && installed == o.installed; }
};

// The data folder of the executables in `programFolder`: `given` (--data DIR) when not empty;
// else the program folder itself when the material table is there; else ../share/korvel
// relative to it when the material table is there; else the program folder, whose missing table
// the table loader then names.
DataFolder findDataFolder(const std::filesystem::path& programFolder, const std::filesystem::path& given = {});

// The user's data folder of a program without Qt: $XDG_DATA_HOME/korvel when that is an absolute
// path (as the XDG base directory rules ask), else $HOME/.local/share/korvel; empty when neither
// is set. The arguments are the environment variables' values, or null.
std::filesystem::path userDataFolder(const char* xdgDataHome, const char* home);

// Creates `folder` with its parents when missing. The message when it cannot be made or is not a
// folder: "can't create the data folder PATH: REASON".
std::optional<std::string> makeDataFolder(const std::filesystem::path& folder);

} // namespace korvel
