#pragma once

// The command line of korvel-batch: its options, their checks and the help text.

#include "design/number_parser.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvel {

// The name that stands for standard input (as the input) and standard output (after -o).
inline constexpr const char* standardStream = "-";

// What a run writes: the results table, one JSON object per case (JSON Lines), or the listing of
// every case as text.
enum class BatchOutputForm { table, json, listing, xlsx };

struct BatchOptions {
    std::string input;
    std::string output;
    std::string dataFolder;
    DecimalMode mode = DecimalMode::period;
    std::optional<int> detail;
    int threads = 1;
    bool header = true;
    bool summary = false;
    bool help = false;
    BatchOutputForm form = BatchOutputForm::table;
    bool listing = false; // --listing given
    int selection = 3;    // --listing: 1 buckling, 2 scantling and yield, 3 both
    bool version = false;
    bool verify = false;  // --verify: the verification table instead of a run
    std::string envelope; // --envelope FILE: one row per panel over its load cases
    std::string gauging;  // --gauging FILE: the thicknesses a survey measured

    bool inputIsStream() const { return input == standardStream; }
    // The results table: -o, else standard output for standard input, a JSON or listing run, else
    // the input's own results name.
    std::string outputPath() const;
    bool outputIsStream() const { return outputPath() == standardStream; }
};

extern const char* const batchHelpText;

// The options, or the reason they are wrong. `cores` is the default number of threads.
std::variant<BatchOptions, std::string> parseBatchOptions(const std::vector<std::string>& args, int cores);

} // namespace korvel
