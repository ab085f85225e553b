#pragma once

// The project file (".korvp"): one design case as plain text, one value per line, lines ending
// in CR LF. Version 190 has 48 lines; files below version 180 have the older 38-line layout
// without the girder, L2, Lg, Lgs, Lt and ps. Only inputs are stored; results are recomputed
// after loading. Reals are written with a period whatever the user's locale, in the shortest
// form that reads back to exactly the same value of the field's precision; texts in UTF-8.

#include "design/catalogue.h"
#include "design/design_case.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr int projectFileVersion = 190;
inline constexpr int firstCurrentLayoutVersion = 180;
inline constexpr int projectFileLines = 48;

// "KORVEL: " followed by the current file name.
std::string windowCaption(const DesignCase& dc);

// The 48 lines of the current layout, texts in UTF-8. A double quote in the project name or identification
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
// changes only when the whole file read correctly, otherwise dc stays as it was. A file of the
// current layout is read line by line: each line present, a numeric line exactly one number (an
// integer where the field is one), a text line one text in double quotes, every value within
// the float range, every index and code in its range, the last line ended by its line end and
// nothing but blank lines after it. Lines end in CR LF or LF. Files below version 180 are read as
// one sequence of values, however they stand on the lines. Texts that are not valid UTF-8 are
// read as Windows-1252, as earlier Windows versions stored them. The row of
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
