#pragma once

// A batch run of any length: entries taken from a stream reader in blocks, the blocks calculated
// on several threads, each with its own design case, and the rows, warnings and stopped cases
// handed on in input order, so that the table and the messages do not depend on the number of
// threads. Only a few blocks are held at a time.

#include "checks/failed_checks.h"
#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/check_table.h"
#include "files/batch_file.h"
#include "files/batch_run.h"
#include "files/batch_stream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel {

inline constexpr int maxBatchThreads = 256;
inline constexpr std::size_t batchBlockEntries = 256;

// The highest computed utilisation of a run and the case it belongs to.
struct HighestUtilisation {
    double value = 0;
    const CheckFacts* check = nullptr; // none while no case computed a utilisation
    int line = 0;
    std::string project;
    std::string identification;
    bool operator==(const HighestUtilisation& o) const {
        return value == o.value && check == o.check && line == o.line && project == o.project &&
               identification == o.identification;
    }
};

struct BatchStreamSummary {
    BatchSummary totals;
    std::vector<std::pair<std::string, int>> stoppedBySteps; // in the order the steps first stopped
    HighestUtilisation highest;
    bool operator==(const BatchStreamSummary& o) const {
        return totals == o.totals && stoppedBySteps == o.stoppedBySteps && highest == o.highest;
    }
};

// Called on the calling thread, in input order.
struct BatchStreamHooks {
    // Rows of the table (without its header); false when the output failed, which ends the run.
    std::function<bool(std::string_view rows)> write;
    std::function<void(const BatchEntry&, const std::string& warning)> warning;
    std::function<void(const BatchEntry&, const CalcFault&)> stopped;
    // Every case, after its warnings: what its calculation left (a panel envelope folds it in).
    std::function<void(const BatchEntry&, const CaseOutcome&)> caseDone;
    // Cases done so far, after each block written.
    std::function<void(std::int64_t cases, std::uint64_t bytesRead)> progress;
};

// How each entry becomes its rows: by default the results table's line of a case (numbers only)
// and a comment's text. Another form (JSON Lines, the listing) gives its own functions; they run
// on the worker threads and must only read their arguments.
struct BatchRowFormat {
    // The rows of case number `caseNumber` (counting from 1) just run into `dc`; the function may
    // set the design case's display options (the analysis selection) for its rows.
    std::function<void(std::string& out, const BatchEntry& entry, std::int64_t caseNumber, DesignCase& dc)> caseRows;
    std::function<void(std::string& out, const BatchEntry& entry)> commentRows;
    // Each case's utilisations are kept until its block is handed on, for the caseDone hook.
    bool keepResults = false;
    // Each case's inputs changed before it is calculated (gauged thicknesses); on the worker
    // threads, so it must only read what it shares.
    InputAdjustment adjust;
};

struct BatchStreamOutcome {
    BatchStreamSummary summary;      // of the entries written
    std::optional<BatchError> input; // the input's fault that ended the run
    bool outputFailed = false;       // the write hook answered false
};

// Runs every entry of `in` up to its "End" line on `threads` threads (1: on the calling thread).
// The rows of the entries before a faulty line are written, then the run ends with its error.
BatchStreamOutcome streamBatch(BatchStreamReader& in, const Catalogue& catalogue, int threads,
                               const BatchStreamHooks& hooks, const BatchRowFormat& format = {});

} // namespace korvel
