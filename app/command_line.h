#pragma once

// What the command-line programs share: their exit statuses, where they were started from, the
// tables they load and the counts they read from their arguments.

#include "design/catalogue.h"

#include <filesystem>
#include <optional>
#include <string>

namespace korvel {

inline constexpr int exitDone = 0;
inline constexpr int exitInput = 1;  // an input file that cannot be read or is faulty
inline constexpr int exitUsage = 2;  // the arguments
inline constexpr int exitTables = 3; // the profile and material tables
inline constexpr int exitOutput = 4; // a result that cannot be written

// The folder of this executable: the tables and dummy.kori ship beside it or in ../share/korvel.
std::filesystem::path programFolder(const char* argv0);

// True when standard error is a terminal, where a progress line is worth showing.
bool standardErrorIsTerminal();

// The tables of `folder`; their fault reported on standard error as "PROGRAM: message".
std::optional<Catalogue> loadTables(const std::filesystem::path& folder, const char* program);

// A whole number from `lowest` to `highest` written in digits only, or nothing.
std::optional<int> countIn(const std::string& text, int lowest, int highest);

} // namespace korvel
