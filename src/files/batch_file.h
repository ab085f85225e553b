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

// One line of the input file before its "End" line: a comment, or a case with its inputs.
struct BatchEntry {
    BatchKind kind = BatchKind::caseLine;
    int line = 0;        // line of the input file, counting from 1
    std::string comment; // a comment line's field 0, "%" included

    // A case's inputs as a run takes them: every value the line gives in the precision the case
    // holds it, both material indices at the last (user-defined) grade so that the line's
    // strengths stay in force, the profile in its table row or remembered set and the girder in
    // its set; every input the line does not give at its new-file value, so that a case is its
    // line alone.
    CaseInputs inputs;
    // The stiffener's dimensions as the line gives them (H, B, tw, tf; H, tw for a flat bar or a
    // bulb flat): a table type whose table has no row at all shows them in the results.
    std::array<float, 4> stiffener{};
    bool profileInTable = true; // false when the stiffener's table has no row at all
    // What reading the line warns of, each run of the case says so: a field read leniently
    // ("SigxA \"nan\" is not a number; read as 0"), row 0 standing in when no table row has
    // the dimensions of an "LR" or "BF" case.
    std::vector<std::string> notes;

    bool isCase() const { return kind == BatchKind::caseLine; }
    bool operator==(const BatchEntry& o) const {
        return kind == o.kind && line == o.line && comment == o.comment && inputs == o.inputs &&
               stiffener == o.stiffener && profileInTable == o.profileInTable && notes == o.notes;
    }
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
    // The fields of the line just taken, views into its text.
    const std::vector<std::string_view>& fields() const { return fields_; }

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
