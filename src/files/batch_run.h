#pragma once

// The batch run: the cases of a batch input file, each loaded into the design case exactly as if
// it had been typed in and calculated in full, and the results of all of them written as the
// results table, line by line as each case is run, so that the table is never held whole.
// Units as in the design case: mm, MPa, UL in m.

#include "checks/failed_checks.h"
#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"
#include "design/warning_sink.h"
#include "engine/calculate.h"
#include "files/batch_file.h"

#include <filesystem>
#include <functional>
#include <string>
#include <variant>

namespace korvel {

inline constexpr const char* startupBatchInput = "dummy.kori";
inline constexpr const char* startupBatchOutput = "dummy.koro";

// Loads case `entry` into the design case: its inputs, both material indices at the last
// (user-defined) row so the file's strengths stay, its profile and girder; then selects the
// profile and calculates in full. A table row that stood in for the file's profile is warned
// of first. A stiffener table with no row at all stops the case with a
// fault and leaves every utilisation at the not-computed marker.
void runBatchCase(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                  const AssessOptions& options = {});

// Changes a case's inputs once they are loaded from its line and before it is calculated (the
// thicknesses a survey measured); a text to warn of, or "".
using InputAdjustment = std::function<std::string(const BatchEntry&, CaseInputs&)>;

// runBatchCase with the case's inputs changed by `adjust` before the calculation.
void runAdjustedBatchCase(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                          const AssessOptions& options, const InputAdjustment& adjust);

// Runs a case of a results run, for the results table.
void runBatchCaseForResults(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings);

// After a results run the last case stays in the design case as the one shown: it is
// calculated once more in `dc` (its warnings were given during the run).
void finishResultsRun(const BatchList& list, DesignCase& dc, const Catalogue& catalogue);

struct BatchSummary {
    int cases = 0;
    int comments = 0;
    FailureCounts failed; // the cases by verdict, those with a failed check, and which checks
    bool operator==(const BatchSummary& o) const {
        return cases == o.cases && comments == o.comments && failed == o.failed;
    }
};

// Called around each case of a run: before it (so warnings can name it), after it with its
// results, and with the number of entries done so far. `cancelled` is asked before each entry;
// when it answers true the run stops there.
struct BatchHooks {
    std::function<void(const BatchEntry&)> beforeCase;
    std::function<void(const BatchEntry&, const DesignCase&)> afterCase;
    std::function<void(int done, int total)> progress;
    std::function<bool()> cancelled;
};

// A run stopped through its `cancelled` hook: nothing was written, and the design case holds the
// last case run, not made the one shown; the caller puts back what it showed.
struct BatchCancelled {
    bool operator==(const BatchCancelled&) const { return true; }
};

struct BatchResults {
    std::string text;
    BatchSummary summary;
    bool cancelled = false; // the text then ends at the entry the run stopped before
};

// Runs every entry in file order and composes the results table; afterwards dc holds the last
// case of the list.
BatchResults runBatch(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                      const BatchHooks& hooks = {});

// Runs the list and writes its table to `outputPath` (replacing a file there only when the new
// one is complete). The failure: "can't save file - " + path + ": " + the reason. A cancelled run
// leaves a file there as it was and no temporary file beside it.
using BatchWritten = std::variant<BatchSummary, std::string, BatchCancelled>;
BatchWritten writeBatchResults(const std::string& outputPath, const BatchList& list, DesignCase& dc,
                               const Catalogue& catalogue, WarningSink& warnings, const BatchHooks& hooks = {});

// The default results table of an input: a ".kori" extension (in any case) replaced by ".koro",
// otherwise ".koro" appended ("run.txt" gives "run.txt.koro", "run.koro" gives "run.koro.koro"),
// so that the table never takes the input's own name.
std::string batchOutputPath(const std::string& inputPath);

// The start-up batch run: "dummy.kori" of the program folder is read, its first case run, and
// the results of all its entries written to "dummy.koro" in `outputFolder` (beside the input when
// empty; an installed program writes to the user's data folder), so that the design case
// holds the file's last case. Nothing here stops the program: a missing or unreadable input
// leaves the design case as it was; an output that cannot be written leaves it at the last case.
struct StartupBatch {
    enum class Status { done, inputMissing, inputUnreadable, outputNotWritten };
    Status status = Status::done;
    std::string message; // why, when status is not done
    BatchList list;      // the entries read, kept for the batch window
    BatchSummary summary;
};
StartupBatch runStartupBatch(const std::filesystem::path& programFolder, DesignCase& dc, const Catalogue& catalogue,
                             DecimalMode mode, WarningSink& warnings, const std::filesystem::path& outputFolder = {});

} // namespace korvel
