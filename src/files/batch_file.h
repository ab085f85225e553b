#pragma once

// The batch run: many design cases read from a TAB-separated input file (".kori"), each loaded
// into the design case exactly as if it had been typed in and calculated in full, and the
// results of all of them written as a TAB-separated table (".koro") that a spreadsheet reads.
// Units as in the design case: mm, MPa, UL in m.

#include "checks/failed_checks.h"
#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"
#include "design/warning_sink.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvel {

inline constexpr int maxBatchEntries = 10001; // entries 0 to 10000
inline constexpr int batchCaseFields = 32;
inline constexpr const char* startupBatchInput = "dummy.kori";
inline constexpr const char* startupBatchOutput = "dummy.koro";

enum class BatchKind : int { caseLine = 0, comment = -1 };

// One line of the input file before its "End" line: a comment, or a case with every input of
// the design case. Numbers are kept as read; they take the precision of their design-case
// field when the case is run.
struct BatchEntry {
    BatchKind kind = BatchKind::caseLine;
    int line = 0;           // line of the input file, counting from 1
    std::string firstText;  // field 0: project name, or the comment's text
    std::string secondText; // field 1: identification

    int loadingCondition = conditionA;
    double FS = 0, UF = 0;
    double Fyp = 0, Fup = 0, Fys = 0, Fus = 0, E = 0;
    int structureType = tankBulkhead;
    double UL = 0;
    int structureOption = 0;

    // Stiffener: type code 0 (L-table), 1, 3, 5 (built-up L, T, flat bar), 6 (BF-table) or 9
    // (built-up I); dimensions H, B, tw, tf (flat bar and bulb flat: H, tw); the table row found
    // for the two table types.
    int stiffenerType = stiffLBuiltUp;
    std::array<float, 4> stiffener{};
    int lRow = 0;
    int bfRow = 0;
    // Set when no table row has the dimensions of an "LR" or "BF" case and row 0 stands in.
    std::string tableRowNote;

    int girderType = girderT;
    GirderDims girder;

    double L1 = 0, L2 = 0, Lg = 0, Lgs = 0, Lt = 0, t = 0, s1 = 0, s2 = 0;
    double SigxA = 0, SigxB = 0, SigyA = 0, SigyC = 0, Tau = 0, p = 0, ps = 0;

    bool isCase() const { return kind == BatchKind::caseLine; }
};

struct BatchList {
    std::string path; // the input file read
    std::vector<BatchEntry> entries;

    int caseCount() const;
    int commentCount() const;
    // Position of the n-th case (counting from 1, comments not counted), or -1.
    int caseIndex(int n) const;
};

// Where a batch input file is wrong: "file:line: problem" (without the line when the file as
// a whole cannot be had).
struct BatchError {
    std::string file;
    int line = 0;
    std::string problem;
    bool notFound = false; // the batch window says "can't find file - " + file
    std::string message() const;
    bool operator==(const BatchError& o) const {
        return file == o.file && line == o.line && problem == o.problem && notFound == o.notFound;
    }
};

using BatchRead = std::variant<BatchList, BatchError>;

// Reads a batch input text. Each line is trimmed of spaces and split at TABs. "End" (in any
// case) as first field ends the list; a first field beginning with "%" is a comment; any other
// line is a case of 32 fields (further fields may only be empty), numbers read in `mode`
// (period mode: a field that does not begin with a number reads as 0; comma mode: it is an
// error). Fields 2, 10 and 12 are rounded half to even. "LR" and "BF" profiles take the last
// table row of equal H, B, tw (H, tw); when none matches row 0, noted in tableRowNote. Every
// fault ends the reading with the file, line and reason.
BatchRead readBatchText(std::string_view text, const std::string& fileName, DecimalMode mode,
                        const Catalogue& catalogue);
BatchRead readBatchFile(const std::string& path, DecimalMode mode, const Catalogue& catalogue);

// Loads case `entry` into the design case: its inputs, both material indices at the last
// (user-defined) row so the file's strengths stay, its profile and girder; then selects the
// profile and calculates in full. A table row that stood in for the file's profile is warned
// of first. A stiffener table with no row at all stops the case with a
// fault and leaves every utilisation at the not-computed marker.
void runBatchCase(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings);

// A results run needs only the numbers of each case: runs the case without composing its
// check-line texts, for the results table.
void runBatchCaseForResults(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings);

// After a results run the last case stays in the design case as the one shown: it is
// calculated once more in full, with its texts (its warnings were given during the run).
void finishResultsRun(const BatchList& list, DesignCase& dc, const Catalogue& catalogue);

// The header line of the results table, ending in CR LF.
std::string batchResultsHeader();
// The 44 columns of a case just run (dc holds its results), ending in CR LF.
void appendBatchResultLine(std::string& out, const DesignCase& dc);

struct BatchSummary {
    int cases = 0;
    int comments = 0;
    FailureCounts failed; // cases with a failed check, and which checks
    int stopped = 0;      // cases whose calculation stopped in a step
    bool operator==(const BatchSummary& o) const {
        return cases == o.cases && comments == o.comments && failed == o.failed && stopped == o.stopped;
    }
};

// Called around each case of a run: before it (so warnings can name it), after it with its
// results, and with the number of entries done so far.
struct BatchHooks {
    std::function<void(const BatchEntry&)> beforeCase;
    std::function<void(const BatchEntry&, const DesignCase&)> afterCase;
    std::function<void(int done, int total)> progress;
};

struct BatchResults {
    std::string text;
    BatchSummary summary;
};

// Runs every entry in file order and composes the results table; afterwards dc holds the last
// case of the list.
BatchResults runBatch(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                      const BatchHooks& hooks = {});

// Runs the list and writes its table to `outputPath` (replacing a file there only when the new
// one is complete). The failure: "can't save file - " + path + ": " + the reason.
std::variant<BatchSummary, std::string> writeBatchResults(const std::string& outputPath, const BatchList& list,
                                                          DesignCase& dc, const Catalogue& catalogue,
                                                          WarningSink& warnings, const BatchHooks& hooks = {});

// The default results table of an input: a ".kori" extension (in any case) replaced by ".koro",
// otherwise ".koro" appended ("run.txt" gives "run.txt.koro", "run.koro" gives "run.koro.koro"),
// so that the table never takes the input's own name.
std::string batchOutputPath(const std::string& inputPath);

// The start-up batch run: "dummy.kori" of the program folder is read, its first case run, and
// the results of all its entries written to "dummy.koro" beside it, so that the design case
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
                             DecimalMode mode, WarningSink& warnings);

} // namespace korvel
