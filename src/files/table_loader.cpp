#include "files/table_loader.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "design/quoted_text.h"
#include "files/free_field_reader.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace korvel {

namespace {

// A value the file gives where a number is expected, or the reason it is not one.
struct NumberRead {
    std::optional<double> value;
    std::string problem;
};

// Every value of a table must fit single precision: the profile values are held in it, and a
// grade's strengths are narrowed to it when they are copied into the design case.
NumberRead readNumber(FreeFieldReader& reader, int valueNumber, int valueCount) {
    const FreeFieldRead read = reader.next();
    const std::string which = "value " + std::to_string(valueNumber);
    switch (read.status) {
    case FreeFieldRead::Status::endOfFile:
        return {std::nullopt, "the file ends after value " + std::to_string(valueNumber - 1) + " of the record's " +
                                  std::to_string(valueCount) + " values"};
    case FreeFieldRead::Status::malformed:
        return {std::nullopt, which + ": " + read.problem};
    case FreeFieldRead::Status::value:
        break;
    }
    const std::string where = " (line " + std::to_string(read.field.line) + ")";
    if (read.field.text.empty()) return {std::nullopt, which + " is empty where a number is expected" + where};
    const FileNumber number = readFileNumber(read.field.text);
    if (number.status == FileNumber::Status::notANumber)
        return {std::nullopt, which + " is not a number: " + quotedField(read.field.text) + where};
    if (!number.ok() || std::fabs(number.value) > std::numeric_limits<float>::max())
        return {std::nullopt, which + " is too large for the table" + where};
    return {number.value, {}};
}

// The equivalent angle of a bulb flat has tf = (Ax - H*tw)/(B - tw); a row whose flange width
// B = c + tw - 0.45*r does not exceed tw would divide by zero or give a negative flange width.
std::optional<std::string> bulbFlatProblem(const ProfileTable& table, int row) {
    const float tw = table.value(row, col::twFbBf);
    const float c = table.value(row, col::c);
    const float r = table.value(row, col::r);
    const auto B = static_cast<float>(static_cast<double>(c) + tw - 0.45 * r);
    if (B > tw) return std::nullopt;
    return "the bulb flat gives B = c + tw - 0.45*r = " + generalNumber(B) +
           ", not greater than tw = " + generalNumber(tw) + ", so it has no equivalent angle";
}

TableError tooManyRecords(std::string_view fileName, int record, int maxRows) {
    return {std::string(fileName), record,
            "more records than the table holds (at most " + std::to_string(maxRows) + ")"};
}

// The whole file, or why it cannot be had.
std::variant<std::string, TableError> readFile(const std::filesystem::path& folder, const char* fileName) {
    const std::filesystem::path path = folder / fileName;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return TableError{fileName, 0, "file not found in the folder " + folder.string()};
    if (std::filesystem::is_directory(status))
        return TableError{fileName, 0, "the name belongs to a folder, not a file (" + path.string() + ")"};
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return TableError{fileName, 0, "file cannot be opened (" + path.string() + ")"};
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return TableError{fileName, 0, "file cannot be read (" + path.string() + ")"};
    return content;
}

ProfileTableLoad loadProfileTable(const std::filesystem::path& folder, const char* fileName, TableKind kind) {
    auto content = readFile(folder, fileName);
    if (auto* error = std::get_if<TableError>(&content)) return std::move(*error);
    return readProfileTable(kind, fileName, std::move(std::get<std::string>(content)));
}

} // namespace

std::string TableError::message() const {
    std::string text = "Table file " + file;
    if (record > 0) text += ", record " + std::to_string(record);
    return text + ": " + problem;
}

const char* tableFileName(TableKind kind) {
    switch (kind) {
    case TableKind::bulbFlat:
        return bfFileName;
    case TableKind::l:
        return lFileName;
    case TableKind::t:
        return tFileName;
    case TableKind::flatbar:
        break;
    }
    return flatbarFileName;
}

ProfileTableLoad readProfileTable(TableKind kind, std::string_view fileName, std::string content) {
    const int valueCount = tableFacts(kind).valuesPerRecord;
    ProfileTable table;
    FreeFieldReader reader(std::move(content));
    // Reading stops at the physical end of the file; blank lines after the last record are
    // accepted (atEnd passes over them).
    for (int row = 0; !reader.atEnd(); ++row) {
        const int record = row + 1;
        if (row >= ProfileTable::maxRows) return tooManyRecords(fileName, record, ProfileTable::maxRows);
        for (int column = 1; column <= valueCount; ++column) {
            const NumberRead number = readNumber(reader, column, valueCount);
            if (!number.value) return TableError{std::string(fileName), record, number.problem};
            table.rows[row][column] = static_cast<float>(*number.value);
        }
        table.lastRow = row;
        if (kind == TableKind::bulbFlat) {
            if (auto problem = bulbFlatProblem(table, row)) return TableError{std::string(fileName), record, *problem};
        }
    }
    return table;
}

MaterialTableLoad readMaterialTable(std::string_view fileName, std::string content) {
    MaterialTable table;
    FreeFieldReader reader(std::move(content));
    // As for the profile tables, trailing blank lines are accepted.
    for (int row = 0; !reader.atEnd(); ++row) {
        const int record = row + 1;
        if (row >= MaterialTable::maxRows) return tooManyRecords(fileName, record, MaterialTable::maxRows);
        const FreeFieldRead name = reader.next();
        if (name.status == FreeFieldRead::Status::malformed)
            return TableError{std::string(fileName), record, "value 1 (the name): " + name.problem};
        Material material;
        material.name = name.field.text;
        double* const numbers[] = {&material.Fy, &material.Fu, &material.Q};
        for (int i = 0; i < 3; ++i) {
            const NumberRead number = readNumber(reader, i + 2, 4);
            if (!number.value) return TableError{std::string(fileName), record, number.problem};
            *numbers[i] = *number.value;
        }
        table.rows.push_back(std::move(material));
    }
    return table;
}

CatalogueLoad loadCatalogue(const std::filesystem::path& folder) {
    Catalogue catalogue;
    for (const TableKind kind : tableKinds) {
        ProfileTableLoad load = loadProfileTable(folder, tableFileName(kind), kind);
        if (auto* error = std::get_if<TableError>(&load)) return std::move(*error);
        tableOf(catalogue, kind) = std::get<ProfileTable>(load);
    }
    auto content = readFile(folder, materialFileName);
    if (auto* error = std::get_if<TableError>(&content)) return std::move(*error);
    MaterialTableLoad materials = readMaterialTable(materialFileName, std::move(std::get<std::string>(content)));
    if (auto* error = std::get_if<TableError>(&materials)) return std::move(*error);
    catalogue.materials = std::move(std::get<MaterialTable>(materials));
    return catalogue;
}

} // namespace korvel
