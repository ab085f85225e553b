#pragma once

// The batch input file (".kori"): many design cases in TAB-separated lines, each with every
// input of the design case, and comment lines between them. Reading it checks every field and
// finds the table rows of the table profiles; running the cases is the batch run's.
// Units as in the design case: mm, MPa, UL in m.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvel {

inline constexpr int maxBatchEntries = 10001; // entries 0 to 10000
inline constexpr int batchCaseFields = 32;

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

    // Stiffener: the type of the token (a built-up L, T, flat bar or I, or the L- or BF-table);
    // dimensions H, B, tw, tf (flat bar and bulb flat: H, tw); the row found in the table of a
    // table type.
    int stiffenerType = stiffLBuiltUp;
    std::array<float, 4> stiffener{};
    int tableRow = 0;
    // What reading the line warns of, each run of the case says so: a field read leniently
    // ("SigxA \"nan\" is not a number; read as 0"), row 0 standing in when no table row has
    // the dimensions of an "LR" or "BF" case.
    std::vector<std::string> notes;

    int girderType = girderT;
    GirderDims girder;

    double L1 = 0, L2 = 0, Lg = 0, Lgs = 0, Lt = 0, t = 0, s1 = 0, s2 = 0;
    double SigxA = 0, SigxB = 0, SigyA = 0, SigyC = 0, Tau = 0, p = 0, ps = 0;

    bool isCase() const { return kind == BatchKind::caseLine; }
    bool operator==(const BatchEntry& o) const;
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

// The lines of a batch input text one by one, as readBatchText reads them: the whole-text reader
// and the stream reader share it, so that they agree on every entry and every message.
class BatchLineReader {
public:
    BatchLineReader(std::string fileName, DecimalMode mode, const Catalogue& catalogue);

    // Takes one line without its line feed (a CR before it and spaces around it are dropped) and
    // splits it at TABs; true when it is the "End" line.
    bool isEndLine(std::string_view content);
    // Reads the line just taken into `entry`, reusing its storage; false with error() set when
    // the line is not a comment or a well-formed case.
    bool readEntry(int line, BatchEntry& entry);
    // Takes and reads a line that is not the "End" line in one call: isEndLine, then readEntry.
    bool readLine(std::string_view content, int line, BatchEntry& entry);

    const BatchError& error() const { return error_; }
    const std::string& fileName() const { return fileName_; }

    // Whether a line (without its line feed) is the "End" line, as isEndLine tells, without
    // splitting it: a reader that hands the lines to others to read finds the end so.
    static bool isEndText(std::string_view content);
    // Whether a line that is not the "End" line is a comment, as readEntry tells.
    static bool isCommentText(std::string_view content);

private:
    void splitLine(std::string_view content);

    std::string fileName_;
    DecimalMode mode_;
    const Catalogue* catalogue_;
    std::vector<std::string_view> fields_;
    BatchError error_;
};

// Reads a batch input text. Each line is trimmed of spaces and split at TABs. "End" (in any
// case) as first field ends the list; a first field beginning with "%" is a comment; any other
// line is a case of 32 fields (further fields may only be empty), numbers read in `mode`
// (period mode: a field that is not a number reads as its leading number, or 0 when it does not
// begin with one, as stored files rely on, and is noted; comma mode: it is an error). Fields 2, 10 and 12 are rounded
// half to even. "LR" and "BF" profiles take the last table row of equal H, B, tw (H, tw); when none matches row 0,
// noted in the entry's notes. Every fault ends the reading with the file, line and reason.
BatchRead readBatchText(std::string_view text, const std::string& fileName, DecimalMode mode,
                        const Catalogue& catalogue);
BatchRead readBatchFile(const std::string& path, DecimalMode mode, const Catalogue& catalogue);

} // namespace korvel
