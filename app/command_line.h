#pragma once

// What the command-line programs share: their exit statuses, where they were started from, the
// tables they load and the counts they read from their arguments.

#include "design/catalogue.h"
#include "design/number_parser.h"
#include "files/batch_stream.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

// The batch input read as it comes: standard input for "-", else the file; the fault of a file
// that cannot be opened reported on standard error.
std::optional<BatchStreamReader> openBatchInput(const std::string& input, DecimalMode mode, const Catalogue& catalogue);

// The input among `inputs` that writing `output` would destroy: the same file (device and inode)
// through symbolic links, hard links and relative paths alike. Nothing when there is none; "-"
// (standard input or output) is no file.
std::optional<std::string> inputWrittenOver(const std::string& output, const std::vector<std::string>& inputs);

// The table files of `folder` that a run reads besides its input.
std::vector<std::string> tableFilesIn(const std::filesystem::path& folder);

// A whole number from `lowest` to `highest` written in digits only, or nothing.
std::optional<int> countIn(const std::string& text, int lowest, int highest);

} // namespace korvel
