#include "binding.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "files/batch_case.h"
#include "files/batch_stream.h"
#include "files/file_replacement.h"

#include <pybind11/numpy.h>
#include <pybind11/operators.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cmath>
#include <filesystem>
#include <variant>

namespace korvel::python {

namespace {

// A number field's value: the reader has accepted its text; a field it reads leniently ("14abc")
// gives what it reads.
double numberOf(const std::string& text) {
    return parseNumber(text, DecimalMode::period).value_or(0.0);
}

bool isProfile(int field) {
    return batchFields[static_cast<std::size_t>(field)].kind == BatchFieldKind::profile;
}

std::string joinedLine(const CaseFields& fields) {
    std::string line = fields[0];
    for (std::size_t i = 1; i < fields.size(); ++i) (line += '\t') += fields[i];
    return line;
}

// A batch line's TAB-separated fields; the last one ends before the CR LF.
CaseFields splitLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    CaseFields fields;
    std::size_t i = 0;
    for (std::size_t start = 0; i < fields.size(); ++i) {
        const std::size_t end = line.find('\t', start);
        fields[i] =
            std::string(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

std::string fieldDoc(int field) {
    static constexpr const char* kinds[] = {"a text", "a whole-number code", "a number",
                                            "the profile's batch token and dimensions, \"LW 250x90x10x15\"", ""};
    const BatchField& f = batchFields[static_cast<std::size_t>(field)];
    return "Field " + std::to_string(field) + " of a batch line (" + f.name + "): " + kinds[static_cast<int>(f.kind)] +
           ".";
}

std::string knownNames() {
    std::string known;
    for (const std::string& name : attributeNames()) known += (known.empty() ? "" : ", ") + name;
    return known;
}

int fieldNamed(const std::string& name) {
    const int field = attributeField(name);
    if (field < 0) {
        PyErr_SetString(PyExc_AttributeError,
                        ("\"" + name + "\" is not a field of a case; the fields are " + knownNames()).c_str());
        throw py::error_already_set();
    }
    return field;
}

// Refuses a change that the batch reader would refuse, leaving the case as it was.
void checked(Case& c, const CaseFields& changed) {
    Case trial{changed, c.file, c.line};
    entryOf(trial, *tables());
    c.fields = changed;
}

void setFields(Case& c, const py::kwargs& values) {
    CaseFields changed = c.fields;
    for (const auto& [key, value] : values) setAttribute(changed, fieldNamed(py::cast<std::string>(key)), value);
    checked(c, changed);
}

std::string reprOf(const Case& c) {
    const CaseFields defaults = newCaseFields(*tables());
    std::string text = "korvel.Case(";
    bool first = true;
    for (const std::string& name : attributeNames()) {
        const int f = attributeField(name);
        const auto at = static_cast<std::size_t>(f);
        if (c.fields[at] == defaults[at] && (!isProfile(f) || c.fields[at + 1] == defaults[at + 1])) continue;
        text += first ? "" : ", ";
        first = false;
        text += name + "=" + py::cast<std::string>(py::repr(attributeValue(c.fields, f)));
    }
    return text + ")";
}

std::vector<Case> readCases(const std::filesystem::path& file) {
    const std::string path = file.string();
    const std::shared_ptr<const Catalogue> catalogue = tables();
    // Read as korvel-batch reads it: line by line, any number of cases.
    auto opened = BatchStreamReader::open(path, DecimalMode::period, *catalogue);
    if (const auto* error = std::get_if<BatchError>(&opened)) {
        if (error->notFound) {
            PyErr_SetString(PyExc_FileNotFoundError, ("can't find file - " + path).c_str());
            throw py::error_already_set();
        }
        raiseInputError(error->message(), faultField(error->problem));
    }
    BatchStreamReader& in = std::get<BatchStreamReader>(opened);
    std::vector<Case> cases;
    BatchEntry entry;
    for (;;) {
        const BatchStreamReader::Next next = in.next(entry);
        if (next == BatchStreamReader::Next::end) return cases;
        if (next == BatchStreamReader::Next::error)
            raiseInputError(in.error().message(), faultField(in.error().problem));
        if (!entry.isCase()) continue;
        const std::optional<CaseFields> fields = fieldsOfInputs(entry.inputs, *catalogue);
        if (!fields) raiseInputError(path + ":" + std::to_string(entry.line) + ": the profile cannot be written back");
        cases.push_back(Case{*fields, path, entry.line});
    }
}

// The columns of read_kori: "line", then each attribute's values in file order, the numbers and
// codes as arrays.
py::dict caseColumns(const std::vector<Case>& cases) {
    py::dict columns;
    const auto size = static_cast<py::ssize_t>(cases.size());
    py::array_t<long long> lines(size);
    for (std::size_t i = 0; i < cases.size(); ++i) lines.mutable_data()[i] = cases[i].line;
    columns["line"] = lines;
    for (const std::string& name : attributeNames()) {
        const int field = attributeField(name);
        const BatchFieldKind kind = batchFields[static_cast<std::size_t>(field)].kind;
        if (kind == BatchFieldKind::number || kind == BatchFieldKind::code) {
            py::array_t<double> values(size);
            for (std::size_t i = 0; i < cases.size(); ++i)
                values.mutable_data()[i] = numberOf(cases[i].fields[static_cast<std::size_t>(field)]);
            columns[py::str(name)] = kind == BatchFieldKind::code ? values.attr("astype")("int64") : values;
            continue;
        }
        py::list values(cases.size());
        for (std::size_t i = 0; i < cases.size(); ++i) values[i] = attributeValue(cases[i].fields, field);
        columns[py::str(name)] = values;
    }
    return columns;
}

void writeCases(const std::filesystem::path& file, const std::vector<Case>& cases) {
    const std::string path = file.string();
    std::string text;
    for (const Case& c : cases) text += joinedLine(c.fields) + "\r\n";
    text += batchEndLine;
    if (const auto why = replaceFileContent(file, text)) {
        PyErr_SetString(PyExc_OSError, ("can't save file - " + path + ": " + *why).c_str());
        throw py::error_already_set();
    }
}

} // namespace

std::vector<std::string> attributeNames() {
    std::vector<std::string> names;
    for (const BatchField& f : batchFields)
        if (f.kind != BatchFieldKind::dimensions) names.emplace_back(f.name);
    return names;
}

int attributeField(const std::string& name) {
    const int field = batchFieldIndex(name);
    if (field < 0 || batchFields[static_cast<std::size_t>(field)].kind == BatchFieldKind::dimensions) return -1;
    return field;
}

std::optional<CaseFields> fieldsOfInputs(const CaseInputs& inputs, const Catalogue& catalogue) {
    std::string line;
    if (!appendBatchCaseLine(line, inputs, catalogue)) return std::nullopt;
    return splitLine(line);
}

CaseFields newCaseFields(const Catalogue& catalogue) {
    // The new case's profile is a built-up one: every batch line can hold it.
    return fieldsOfInputs(CaseInputs{}, catalogue).value_or(CaseFields{});
}

std::optional<BatchError> readFields(const CaseFields& fields, BatchLineReader& reader, int line, BatchEntry& entry) {
    const std::string text = joinedLine(fields);
    // A first field that reads as the end of the file or a comment would not be a case there.
    if (reader.isEndLine(text))
        return BatchError{reader.fileName(), line, "field 0 (project) \"" + fields[0] + "\" would end a batch file",
                          false};
    if (!reader.readEntry(line, entry)) return reader.error();
    if (!entry.isCase())
        return BatchError{reader.fileName(), line, "field 0 (project) \"" + fields[0] + "\" makes the line a comment",
                          false};
    return std::nullopt;
}

BatchEntry entryOf(const Case& c, const Catalogue& catalogue) {
    BatchLineReader reader(c.file, DecimalMode::period, catalogue);
    BatchEntry entry;
    if (const auto error = readFields(c.fields, reader, c.line, entry))
        raiseInputError(faultMessage(*error, c), faultField(error->problem));
    return entry;
}

py::object attributeValue(const CaseFields& fields, int field) {
    const auto at = static_cast<std::size_t>(field);
    const std::string& text = fields[at];
    switch (batchFields[at].kind) {
    case BatchFieldKind::text:
        return py::str(text);
    case BatchFieldKind::profile:
        return py::str(text + " " + fields[at + 1]);
    case BatchFieldKind::dimensions:
        return py::str(text);
    case BatchFieldKind::code:
    case BatchFieldKind::number:
        break;
    }
    const double number = numberOf(text);
    if (batchFields[at].kind == BatchFieldKind::code && std::nearbyint(number) == number && std::fabs(number) < 1e9)
        return py::int_(static_cast<long long>(number));
    return py::float_(number);
}

void setAttribute(CaseFields& fields, int field, const py::handle& value) {
    const auto at = static_cast<std::size_t>(field);
    const BatchField& f = batchFields[at];
    const auto refuse = [&](const char* wanted) {
        PyErr_SetString(PyExc_TypeError, (std::string(f.name) + " takes " + wanted + ", not " +
                                          py::cast<std::string>(py::repr(value.get_type().attr("__name__"))))
                                             .c_str());
        throw py::error_already_set();
    };
    switch (f.kind) {
    case BatchFieldKind::text:
        if (!py::isinstance<py::str>(value)) refuse("a text");
        fields[at] = py::cast<std::string>(value);
        return;
    case BatchFieldKind::profile:
    case BatchFieldKind::dimensions: {
        if (!py::isinstance<py::str>(value)) refuse("a text such as \"LW 250x90x10x15\"");
        const std::string text = py::cast<std::string>(value);
        const std::size_t space = text.find(' ');
        fields[at] = text.substr(0, space);
        std::size_t rest = space == std::string::npos ? text.size() : space;
        while (rest < text.size() && text[rest] == ' ') ++rest;
        fields[at + 1] = text.substr(rest);
        return;
    }
    case BatchFieldKind::code:
    case BatchFieldKind::number:
        break;
    }
    if (py::isinstance<py::bool_>(value) ||
        !(py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value) || py::hasattr(value, "__float__")))
        refuse("a number");
    if (f.kind == BatchFieldKind::code && py::isinstance<py::int_>(value)) {
        fields[at] = std::to_string(py::cast<long long>(value));
        return;
    }
    const double number = py::cast<double>(py::float_(py::reinterpret_borrow<py::object>(value)));
    if (!std::isfinite(number)) refuse("a finite number");
    fields[at] = exactNumber(number);
}

void bindCase(py::module_& m) {
    py::class_<Case> cls(m, "Case", R"(One design case: every input of a batch line as an attribute.

Case(**fields) starts from the new-file values and sets the fields given, named as a
batch line's symbols (t, s1, SigxA, FS, ...); a profile is its batch token and dimensions,
stiffener="LW 250x90x10x15", girder="TG 800x200x10x20". A value korvel-batch would refuse
raises InputError with its message.)");
    cls.def(py::init([](const py::kwargs& values) {
                Case c{newCaseFields(*tables()), {}, 0};
                setFields(c, values);
                return c;
            }),
            "A case of the new-file values with the fields given changed.");
    for (const std::string& name : attributeNames()) {
        const int field = attributeField(name);
        cls.def_property(
            name.c_str(), [field](const Case& c) { return attributeValue(c.fields, field); },
            [field](Case& c, const py::object& value) {
                CaseFields changed = c.fields;
                setAttribute(changed, field, value);
                checked(c, changed);
            },
            fieldDoc(field).c_str());
    }
    cls.def_property_readonly(
        "line", [](const Case& c) { return c.line; }, "The line of the batch file the case was read from (0: none).");
    cls.def_property_readonly(
        "file", [](const Case& c) { return c.file; }, "The batch file the case was read from (\"\": none).");
    cls.def(
        "replace",
        [](const Case& c, const py::kwargs& values) {
            Case copy = c;
            setFields(copy, values);
            return copy;
        },
        "A copy of the case with the fields given changed.");
    cls.def(
        "fields", [](const Case& c) { return std::vector<std::string>(c.fields.begin(), c.fields.end()); },
        "The 32 texts of the case's batch line.");
    cls.def(
        "batch_line", [](const Case& c) { return joinedLine(c.fields); },
        "The case as a line of a batch file (TAB-separated, without its line end).");
    cls.def("__repr__", &reprOf);
    cls.def(py::self == py::self);
    cls.def("__copy__", [](const Case& c) { return c; });
    cls.def("__deepcopy__", [](const Case& c, const py::dict&) { return c; });
    cls.def(py::pickle(
        [](const Case& c) { return py::make_tuple(joinedLine(c.fields), c.file, c.line); },
        [](const py::tuple& t) {
            return Case{splitLine(py::cast<std::string>(t[0])), py::cast<std::string>(t[1]), py::cast<int>(t[2])};
        }));

    m.def(
        "new_case",
        [] {
            return Case{newCaseFields(*tables()), {}, 0};
        },
        "A case of the new-file values, as the window's File > New gives it.");
    m.def("read_cases", &readCases, py::arg("path"),
          "The cases of a batch input file (.kori) in file order, comment lines left out. A fault of the file raises "
          "InputError with korvel-batch's message (\"FILE:LINE: problem\").");
    m.def(
        "_case_columns", [](const std::vector<Case>& cases) { return caseColumns(cases); }, py::arg("cases"));
    m.def("_write_cases", &writeCases, py::arg("path"), py::arg("cases"));
    m.def("field_names", &attributeNames, "The attribute names of a case, in batch-line order.");
    m.def(
        "field_kinds",
        [] {
            py::dict kinds;
            for (const std::string& name : attributeNames()) {
                static constexpr const char* kindNames[] = {"text", "code", "number", "profile", "dimensions"};
                kinds[py::str(name)] =
                    kindNames[static_cast<int>(batchFields[static_cast<std::size_t>(attributeField(name))].kind)];
            }
            return kinds;
        },
        "Each field's kind: text, code (a whole number), number or profile.");
}

} // namespace korvel::python
