#include "files/data_folder.h"

#include "files/file_replacement.h"
#include "files/table_loader.h"

#include <system_error>

namespace fs = std::filesystem;

namespace korvel {

namespace {

// The material table stands for the data: without it the program does not start.
bool holdsData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / materialFileName, ec);
}

} // namespace

DataFolder findDataFolder(const fs::path& programFolder, const fs::path& given) {
    if (!given.empty()) return {given, false};
    if (holdsData(programFolder)) return {programFolder, false};
    const fs::path shared = (programFolder / ".." / "share" / "korvel").lexically_normal();
    if (holdsData(shared)) return {shared, true};
    return {programFolder, false};
}

fs::path userDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "korvel";
    if (home != nullptr && *home != '\0') return fs::path(home) / ".local" / "share" / "korvel";
    return {};
}

std::optional<std::string> makeDataFolder(const fs::path& folder) {
    const std::string failed = "can't create the data folder " + folder.string() + ": ";
    if (folder.empty()) return failed + "neither XDG_DATA_HOME nor HOME is set";
    std::error_code ec;
    fs::create_directories(folder, ec);
    const bool fileInTheWay = ec == std::errc::not_a_directory || ec == std::errc::file_exists;
    if (ec && !fileInTheWay) return failed + plainErrorReason(ec.value());
    if (fileInTheWay || !fs::is_directory(folder, ec)) return failed + "a file stands where a folder should be";
    return std::nullopt;
}

} // namespace korvel
