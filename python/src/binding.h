#pragma once

// The pieces the files of the Python module share: the tables in force, the module's
// exceptions, and a case as the 32 fields of its batch line. A case is its batch line, read by
// the batch reader whenever it is used, so that the module accepts and refuses exactly what
// korvel-batch does and names a fault in its words.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/batch_fields.h"
#include "files/batch_file.h"

#include <pybind11/pybind11.h>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvel::python {

namespace py = pybind11;

using CaseFields = std::array<std::string, batchCaseFields>;

// One case: the texts of its batch line and, when it was read from a file, where.
struct Case {
    CaseFields fields;
    std::string file; // empty when the case was made in Python
    int line = 0;
    bool operator==(const Case& o) const { return fields == o.fields; }
};

// ---- Tables ----------------------------------------------------------------------------------

// The folder korvel-batch would find its tables in when run from `folder` (the build's program
// folder, or the bin folder of an installation).
void setProgramFolder(const std::string& folder);
// The tables of `folder` from now on; an empty path goes back to the program folder's.
void setDataFolder(const std::filesystem::path& folder);
std::string dataFolder();
// The tables in force, loaded on first use; raises TableError when they cannot be read. A run
// holds on to the tables it started with, whatever set_data_folder does meanwhile.
std::shared_ptr<const Catalogue> tables();

// ---- Errors ----------------------------------------------------------------------------------

void registerErrors(py::module_& m);
// InputError with its message and the field it concerns (None when it concerns no one field).
[[noreturn]] void raiseInputError(const std::string& message, const std::string& field = {});
// The message of a reader's fault: with the file and line when the case came from a file.
std::string faultMessage(const BatchError& error, const Case& from);
// The field a reader's problem names ("field 22 (t) ..."), by its attribute name; "" when none.
std::string faultField(const std::string& problem);

// ---- Cases -----------------------------------------------------------------------------------

// The attribute names of a case: the fields of a batch line, a profile and its dimensions as one
// ("stiffener": "LW 250x90x10x15").
std::vector<std::string> attributeNames();
// The field of an attribute name, or -1.
int attributeField(const std::string& name);
// The fields of a case's inputs as the batch writer writes them; nullopt for a profile no batch
// line can hold.
std::optional<CaseFields> fieldsOfInputs(const CaseInputs& inputs, const Catalogue& catalogue);
// A new case's fields (the new-file values).
CaseFields newCaseFields(const Catalogue& catalogue);
// The fields read by the batch reader into `entry`; the reader's fault otherwise. `reader`
// keeps its storage from case to case.
std::optional<BatchError> readFields(const CaseFields& fields, BatchLineReader& reader, int line, BatchEntry& entry);
// The entry of a case, or InputError.
BatchEntry entryOf(const Case& c, const Catalogue& catalogue);
// The attribute's value as Python sees it: str, int or float.
py::object attributeValue(const CaseFields& fields, int field);
// Stores a Python value in the field's text; TypeError for a value of the wrong kind.
void setAttribute(CaseFields& fields, int field, const py::handle& value);

void bindCase(py::module_& m);
void bindAssess(py::module_& m);
void bindFrames(py::module_& m);
void bindStudies(py::module_& m);

} // namespace korvel::python
