#pragma once

// The project file (".korvp"): one design case as plain text, one value per line, lines ending
// in CR LF. Version 190 has 48 lines; files below version 180 have the older 38-line layout
// without the girder, L2, Lg, Lgs, Lt and ps. Only inputs are stored; results are recomputed
// after loading. Reals are written with a period whatever the user's locale, in the shortest
// form that reads back to the same value of the field's precision.

#include "design/design_case.h"
#include "files/catalogue.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr int projectFileVersion = 190;
inline constexpr int firstCurrentLayoutVersion = 180;
inline constexpr int projectFileLines = 48;

// "KORVEL: " followed by the current file name.
std::string windowCaption(const DesignCase& dc);

// The 48 lines of the current layout. A double quote in the project name or identification
// would end the text early and shift every later line, so it is written as a single quote; a
// line break in them is written as a blank.
std::string projectFileText(const DesignCase& dc);

// Where a project file is wrong: the line (counting from 1) and what was wrong there.
struct ProjectFileProblem {
    int line = 0;
    std::string problem;
    bool operator==(const ProjectFileProblem& o) const { return line == o.line && problem == o.problem; }
};

// Reads the text of a project file into dc. The values go into a separate record first: dc
// changes only when the whole file read correctly (every line present and a number where a
// number belongs, every index and code in its range), otherwise dc stays as it was. The row of
// the current table-based stiffener type is found again from the stored dimensions, and the
// stored stiffener and girder dimensions go into the remembered sets of their types.
// dc.fileName is not touched.
std::optional<ProjectFileProblem> readProjectText(std::string_view text, const Catalogue& catalogue, DesignCase& dc);

// What happened to a project file read or write; `message` is what the user reads.
struct ProjectFileOutcome {
    enum class Status { done, notFound, unreadable, notWritten };
    Status status = Status::done;
    std::string message;
    bool ok() const { return status == Status::done; }
};

// Reads the file at `path` into dc and makes `path` the current file name. On any failure dc,
// its file name included, stays as it was: "can't find file - " + path when it does not exist,
// "can't read file - " + path + ", line N: " + what was wrong otherwise.
ProjectFileOutcome readProjectFile(const std::string& path, const Catalogue& catalogue, DesignCase& dc);

// Writes dc to `path` and makes `path` the current file name, through a temporary file that
// then replaces the target (files/file_replacement.h), so a failed write never destroys the
// previous file. Any failure: "can't save file - " + path + ": " + the reason, and the file name
// stays.
ProjectFileOutcome writeProjectFile(const std::string& path, DesignCase& dc);

} // namespace korvel
