#include "binding.h"

#include "files/data_folder.h"
#include "files/table_loader.h"

#include <mutex>
#include <variant>

namespace korvel::python {

namespace {

// What the module holds between calls: where the tables are and, once loaded, the tables. Only
// the module's own functions touch it, under its lock; a run takes its own reference first.
struct ModuleState {
    std::mutex lock;
    std::filesystem::path programFolder;
    std::filesystem::path given; // set_data_folder's folder, empty for the program folder's
    std::shared_ptr<const Catalogue> catalogue;
};

ModuleState& state() {
    static ModuleState s;
    return s;
}

// Made once when the module is imported and kept for the life of the interpreter.
PyObject* inputErrorType = nullptr;
PyObject* tableErrorType = nullptr;

} // namespace

void setProgramFolder(const std::string& folder) {
    ModuleState& s = state();
    const std::lock_guard<std::mutex> hold(s.lock);
    s.programFolder = folder;
    s.catalogue.reset();
}

void setDataFolder(const std::filesystem::path& folder) {
    ModuleState& s = state();
    const std::lock_guard<std::mutex> hold(s.lock);
    s.given = folder;
    s.catalogue.reset();
}

std::string dataFolder() {
    ModuleState& s = state();
    const std::lock_guard<std::mutex> hold(s.lock);
    return findDataFolder(s.programFolder, s.given).path.string();
}

std::shared_ptr<const Catalogue> tables() {
    ModuleState& s = state();
    std::string failure;
    {
        const std::lock_guard<std::mutex> hold(s.lock);
        if (s.catalogue) return s.catalogue;
        CatalogueLoad load = loadCatalogue(findDataFolder(s.programFolder, s.given).path);
        if (auto* catalogue = std::get_if<Catalogue>(&load)) {
            s.catalogue = std::make_shared<const Catalogue>(std::move(*catalogue));
            return s.catalogue;
        }
        failure = std::get<TableError>(load).message();
    }
    PyErr_SetString(tableErrorType, failure.c_str());
    throw py::error_already_set();
}

void registerErrors(py::module_& m) {
    inputErrorType = PyErr_NewExceptionWithDoc("korvel.InputError",
                                               "A case korvel-batch would refuse, with its message; `field` names "
                                               "the field (None when the fault is the line as a whole).",
                                               PyExc_ValueError, nullptr);
    tableErrorType = PyErr_NewExceptionWithDoc("korvel.TableError", "The profile and material tables cannot be loaded.",
                                               PyExc_RuntimeError, nullptr);
    if (!inputErrorType || !tableErrorType) throw py::error_already_set();
    m.add_object("InputError", py::handle(inputErrorType));
    m.add_object("TableError", py::handle(tableErrorType));
}

void raiseInputError(const std::string& message, const std::string& field) {
    py::object error = py::reinterpret_borrow<py::object>(inputErrorType)(message);
    error.attr("field") = field.empty() ? py::none() : py::object(py::str(field));
    PyErr_SetObject(inputErrorType, error.ptr());
    throw py::error_already_set();
}

std::string faultMessage(const BatchError& error, const Case& from) {
    return from.file.empty() ? error.problem : error.message();
}

std::string faultField(const std::string& problem) {
    // The batch reader begins a field's fault with "field N".
    static constexpr std::string_view prefix = "field ";
    if (problem.compare(0, prefix.size(), prefix) != 0) return {};
    std::size_t i = prefix.size();
    int n = 0;
    bool digits = false;
    while (i < problem.size() && problem[i] >= '0' && problem[i] <= '9' && n < batchCaseFields) {
        n = n * 10 + (problem[i++] - '0');
        digits = true;
    }
    if (!digits || n >= batchCaseFields) return {};
    if (batchFields[static_cast<std::size_t>(n)].kind == BatchFieldKind::dimensions) --n;
    return batchFields[static_cast<std::size_t>(n)].name;
}

} // namespace korvel::python
