#include "files/batch_file.h"

#include "files/batch_fields.h"

#include "design/number_format.h"
#include "design/quoted_text.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#include <emmintrin.h>
#define KORVEL_SSE2_SPLIT 1
#endif

namespace korvel {

namespace {

namespace fs = std::filesystem;

// ---- Reading ---------------------------------------------------------------------------------

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Splits into `parts`, reusing its storage from line to line. One pass over the characters: the
// fields are short, and a search per field costs more. Where the processor has SSE2 (every
// x86-64) sixteen characters are compared at once.
void split(std::string_view s, char separator, std::vector<std::string_view>& parts) {
    parts.clear();
    const char* start = s.data();
    const char* const end = start + s.size();
    const char* c = start;
#ifdef KORVEL_SSE2_SPLIT
    const __m128i wanted = _mm_set1_epi8(separator);
    for (; end - c >= 16; c += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
        for (; found != 0; found &= found - 1) {
            const char* const at = c + __builtin_ctz(found);
            parts.emplace_back(start, static_cast<std::size_t>(at - start));
            start = at + 1;
        }
    }
#endif
    for (; c != end; ++c) {
        if (*c != separator) continue;
        parts.emplace_back(start, static_cast<std::size_t>(c - start));
        start = c + 1;
    }
    parts.emplace_back(start, static_cast<std::size_t>(end - start));
}

// The number of fields up to the last one that holds more than spaces.
std::size_t fieldsUpToLastValue(const std::vector<std::string_view>& fields) {
    std::size_t used = fields.size();
    while (used > 0 && trimSpaces(fields[used - 1]).empty()) --used;
    return used;
}

bool isEndField(std::string_view field0) {
    if (field0.size() != 3) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(field0[0]) == 'e' && lower(field0[1]) == 'n' && lower(field0[2]) == 'd';
}

// Half to the even neighbour, whatever the floating-point rounding mode.
double roundHalfEven(double x) {
    const double below = std::floor(x);
    const double rest = x - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// "1,5": a number written with a decimal comma, which period mode takes as its decimal point
// like a typed number. Anything else period mode reads only in part ("14abc" as 14, "nan" as 0).
bool isNumberWithDecimalComma(std::string_view text) {
    std::string withPeriod(text);
    std::replace(withPeriod.begin(), withPeriod.end(), ',', '.');
    return parseFileNumber(withPeriod).has_value();
}

struct ProfileToken {
    std::string_view token;
    int type;
    int dimensions;
};
// The batch tokens of the profile types that have one, in code order, with the number of
// dimensions their field holds: H x tw for the web-only forms, H x B x tw x tf otherwise.
const std::vector<ProfileToken>& stiffenerTokens() {
    static const std::vector<ProfileToken> tokens = [] {
        std::vector<ProfileToken> list;
        for (const StiffenerTypeFacts& facts : stiffenerTypeRows())
            if (!facts.batchToken.empty())
                list.push_back({facts.batchToken, facts.code, webOnlyProfile(facts.code) ? 2 : 4});
        return list;
    }();
    return tokens;
}

const std::vector<ProfileToken>& girderTokens() {
    static const std::vector<ProfileToken> tokens = [] {
        std::vector<ProfileToken> list;
        for (const GirderTypeFacts& facts : girderTypeRows()) list.push_back({facts.batchToken, facts.code, 4});
        return list;
    }();
    return tokens;
}

std::string dimensionsText(std::initializer_list<float> dims) {
    std::string text;
    for (const float d : dims) text += (text.empty() ? "" : "x") + generalNumber(d);
    return text;
}

// Stored files rely on row 0 standing in for a profile the table lacks; the run says so:
// "no L-table row 150x90x9; row 0 (L 200x90x9x14) used".
std::string rowZeroNote(const ProfileTable& table, TableKind kind, std::initializer_list<float> asked) {
    const bool angle = kind == TableKind::l;
    const std::string rowZero = angle ? "L " + dimensionsText({table.value(0, col::H), table.value(0, col::B),
                                                               table.value(0, col::twLT), table.value(0, col::tfLT)})
                                      : "BF " + dimensionsText({table.value(0, col::H), table.value(0, col::twFbBf)});
    return "no " + std::string(tableName(kind)) + " row " + dimensionsText(asked) + "; row 0 (" + rowZero + ") used";
}

// The row of an "LR" or "BF" case: the last one of equal dimensions, else row 0 with a note.
int tableRowOf(const ProfileTable& table, TableKind kind, const std::array<float, 4>& d,
               std::vector<std::string>& notes) {
    const bool angle = kind == TableKind::l;
    const std::optional<int> row =
        lastMatchingRow(table, kind, angle ? RowKey{d[0], d[1], d[2], d[3]} : RowKey{d[0], 0, d[1], 0});
    if (row) return *row;
    // An empty table has no row 0 either: that case stops in its profile selection.
    if (table.lastRow >= 0)
        notes.push_back(angle ? rowZeroNote(table, kind, {d[0], d[1], d[2]}) : rowZeroNote(table, kind, {d[0], d[1]}));
    return 0;
}

// One case line being read; the first fault is kept and ends the reading.
class CaseReader {
public:
    CaseReader(const std::vector<std::string_view>& fields, const std::string& file, int line, DecimalMode mode,
               std::vector<std::string>& notes)
        : fields_(fields), file_(file), line_(line), mode_(mode), notes_(notes) {}

    const std::optional<BatchError>& error() const { return error_; }

    double number(int field, const char* what) {
        return numberIn(fields_[static_cast<std::size_t>(field)], field, what);
    }

    // A code field: rounded half to even, then checked against the codes that exist.
    int code(int field, const char* what, int lowest, int highest) {
        const double value = number(field, what);
        if (error_) return lowest;
        const double rounded = roundHalfEven(value);
        if (!(rounded >= lowest && rounded <= highest)) {
            fail("field " + std::to_string(field) + " (" + what + ") " + generalNumber(value) + " is outside " +
                 std::to_string(lowest) + " to " + std::to_string(highest));
            return lowest;
        }
        return static_cast<int>(rounded);
    }

    // A profile token and its dimensions joined by a lower-case "x".
    const ProfileToken* profile(int tokenField, int dimsField, const std::vector<ProfileToken>& tokens,
                                const char* what, const char* dimensionName, std::array<double, 4>& dims) {
        if (error_) return nullptr;
        const std::string_view token = fields_[static_cast<std::size_t>(tokenField)];
        const ProfileToken* found = nullptr;
        for (const ProfileToken& t : tokens)
            if (t.token == token) found = &t;
        if (!found) {
            std::string known;
            for (const ProfileToken& t : tokens) known += (known.empty() ? "" : ", ") + std::string(t.token);
            fail("field " + std::to_string(tokenField) + ": unknown " + what + " profile " + quotedField(token) +
                 " (known: " + known + ")");
            return nullptr;
        }
        // Split in place: no storage of its own for the few parts of every case.
        std::array<std::string_view, 4> parts;
        std::size_t count = 0;
        std::string_view rest = fields_[static_cast<std::size_t>(dimsField)];
        for (;;) {
            const std::size_t x = rest.find('x');
            if (count < parts.size()) parts[count] = rest.substr(0, x);
            ++count;
            if (x == std::string_view::npos) break;
            rest.remove_prefix(x + 1);
        }
        if (static_cast<int>(count) != found->dimensions) {
            fail("field " + std::to_string(dimsField) + ": " + std::string(token) + " takes " +
                 std::to_string(found->dimensions) + " dimensions joined by a lower-case x, \"" +
                 std::string(fields_[static_cast<std::size_t>(dimsField)]) + "\" has " + std::to_string(count));
            return nullptr;
        }
        for (std::size_t i = 0; i < count; ++i) dims[i] = numberIn(parts[i], dimsField, dimensionName);
        return error_ ? nullptr : found;
    }

private:
    double numberIn(std::string_view text, int field, const char* what) {
        if (error_) return 0;
        // A plain number with a period reads the same in both modes; only the rest needs the
        // reader of typed numbers, which makes a copy of the text.
        std::optional<double> value = parseFileNumber(text);
        if (!value) {
            value = parseNumber(text, mode_);
            if (!value) {
                fail("field " + std::to_string(field) + " (" + what + ") is not a number: " + quotedField(text));
                return 0;
            }
            if (!isNumberWithDecimalComma(text))
                notes_.push_back(std::string(what) + " " + quotedField(text) + " is not a number; read as " +
                                 exactNumber(*value));
        }
        // Many fields are single precision: a value beyond the float range cannot be one of them.
        if (!(std::fabs(*value) <= std::numeric_limits<float>::max())) {
            fail("field " + std::to_string(field) + " (" + what + ") is too large: " + quotedField(text));
            return 0;
        }
        return *value;
    }

    void fail(std::string problem) {
        if (!error_) error_ = BatchError{file_, line_, std::move(problem), false};
    }

    const std::vector<std::string_view>& fields_;
    const std::string& file_;
    int line_;
    DecimalMode mode_;
    std::vector<std::string>& notes_;
    std::optional<BatchError> error_;
};

// Reads the number fields `first` to `last` into the case, each in the precision it holds.
void readNumbers(CaseReader& in, CaseInputs& c, int first, int last) {
    forEachBatchNumber(first, last,
                       [&](const InputField& f) { f.member.set(c, in.number(f.batchField, f.batchName)); });
}

std::optional<BatchError> readCase(const std::vector<std::string_view>& fields, const std::string& file,
                                   DecimalMode mode, const Catalogue& catalogue, BatchEntry& e) {
    CaseReader in(fields, file, e.line, mode, e.notes);
    CaseInputs& c = e.inputs;
    c.projectName.assign(fields[0]);
    c.identification.assign(fields[1]);
    // The user-defined grade keeps the line's strengths in force.
    c.plateMaterial = catalogue.materials.lastRow();
    c.stiffenerMaterial = catalogue.materials.lastRow();

    c.loadingCondition = in.code(2, "loading condition", conditionA, conditionC);
    readNumbers(in, c, 3, 9);
    c.structureType = in.code(10, "structure type", watertightBulkhead, upperStructure);
    readNumbers(in, c, 11, 11);
    c.structureOption = in.code(12, "structure option", 0, 1);

    std::array<double, 4> dims{};
    if (const ProfileToken* stiffener =
            in.profile(13, 14, stiffenerTokens(), "stiffener", "stiffener dimension", dims)) {
        c.stiffenerType = stiffener->type;
        for (std::size_t i = 0; i < dims.size(); ++i) e.stiffener[i] = static_cast<float>(dims[i]);
        const StiffenerTypeFacts* facts = stiffenerTypeFacts(c.stiffenerType);
        if (const auto kind = facts->table) {
            const ProfileTable& table = tableOf(catalogue, *kind);
            const int row = tableRowOf(table, *kind, e.stiffener, e.notes);
            c.*facts->tableRow = row;
            e.profileInTable = table.hasRow(row);
        } else if (ProfileDims* set = builtUpDims(c, c.stiffenerType)) {
            set->H = e.stiffener[0];
            if (webOnlyProfile(c.stiffenerType)) {
                set->tw = e.stiffener[1];
            } else {
                set->B = e.stiffener[1];
                set->tw = e.stiffener[2];
                set->tf = e.stiffener[3];
            }
        }
    }
    if (const ProfileToken* girder = in.profile(15, 16, girderTokens(), "girder", "girder dimension", dims)) {
        c.girderType = girder->type;
        if (GirderDims* set = girderDims(c, c.girderType))
            *set = GirderDims{dims[0], dims[1], dims[2], static_cast<float>(dims[3])};
    }

    readNumbers(in, c, 17, batchCaseFields - 1);
    return in.error();
}

} // namespace

int BatchList::caseCount() const {
    int n = 0;
    for (const BatchEntry& e : entries) n += e.isCase() ? 1 : 0;
    return n;
}

int BatchList::commentCount() const {
    return static_cast<int>(entries.size()) - caseCount();
}

int BatchList::caseIndex(int n) const {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].isCase() && --n == 0) return static_cast<int>(i);
    return -1;
}

std::string BatchError::message() const {
    if (line <= 0) return file + ": " + problem;
    return file + ":" + std::to_string(line) + ": " + problem;
}

BatchLineReader::BatchLineReader(std::string fileName, DecimalMode mode, const Catalogue& catalogue)
    : fileName_(std::move(fileName)), mode_(mode), catalogue_(&catalogue) {}

void BatchLineReader::splitLine(std::string_view content) {
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    split(trimSpaces(content), '\t', fields_);
}

bool BatchLineReader::isEndLine(std::string_view content) {
    splitLine(content);
    return isEndField(fields_[0]);
}

bool BatchLineReader::readLine(std::string_view content, int line, BatchEntry& entry) {
    splitLine(content);
    return readEntry(line, entry);
}

bool BatchLineReader::isEndText(std::string_view content) {
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    content = trimSpaces(content);
    return isEndField(content.substr(0, content.find('\t')));
}

bool BatchLineReader::isCommentText(std::string_view content) {
    while (!content.empty() && content.front() == ' ') content.remove_prefix(1);
    return !content.empty() && content.front() == '%';
}

bool BatchLineReader::readEntry(int line, BatchEntry& entry) {
    // A fresh entry that keeps the storage of its texts for the next line.
    std::string projectName = std::move(entry.inputs.projectName);
    std::string identification = std::move(entry.inputs.identification);
    entry.inputs = CaseInputs{};
    entry.inputs.projectName = std::move(projectName);
    entry.inputs.identification = std::move(identification);
    entry.inputs.projectName.clear();
    entry.inputs.identification.clear();
    entry.kind = BatchKind::caseLine;
    entry.comment.clear();
    entry.stiffener = {};
    entry.profileInTable = true;
    entry.notes.clear();

    entry.line = line;
    if (!fields_[0].empty() && fields_[0].front() == '%') {
        entry.kind = BatchKind::comment;
        entry.comment.assign(fields_[0]);
        return true;
    }
    if (static_cast<int>(fields_.size()) < batchCaseFields) {
        error_ = BatchError{fileName_, line,
                            "a case needs " + std::to_string(batchCaseFields) +
                                " TAB-separated fields, this line has " + std::to_string(fields_.size()),
                            false};
        return false;
    }
    // A spreadsheet may end a row with empty cells; a value beyond the last field means an
    // inserted column, and every field after it would be read one place off.
    const std::size_t used = fieldsUpToLastValue(fields_);
    if (used > static_cast<std::size_t>(batchCaseFields)) {
        error_ = BatchError{fileName_, line,
                            std::to_string(used) + " fields, a case has " + std::to_string(batchCaseFields), false};
        return false;
    }
    if (auto error = readCase(fields_, fileName_, mode_, *catalogue_, entry)) {
        error_ = std::move(*error);
        return false;
    }
    return true;
}

BatchRead readBatchText(std::string_view text, const std::string& fileName, DecimalMode mode,
                        const Catalogue& catalogue) {
    // A byte-order mark left by an editor that saved the file as UTF-8 is not part of field 0.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    BatchList list;
    list.path = fileName;
    const auto lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    list.entries.reserve(std::min(lineCount + 1, static_cast<std::size_t>(maxBatchEntries)));
    BatchLineReader reader(fileName, mode, catalogue);
    int line = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view content = text.substr(start, end - start);
        start = end + 1;
        ++line;

        if (reader.isEndLine(content)) return list;
        if (static_cast<int>(list.entries.size()) == maxBatchEntries)
            return BatchError{fileName, line,
                              "more than " + std::to_string(maxBatchEntries) +
                                  " entries (cases and comment lines) before the \"End\" line",
                              false};
        BatchEntry entry;
        if (!reader.readEntry(line, entry)) return reader.error();
        list.entries.push_back(std::move(entry));
    }
    return BatchError{fileName, line + 1, "the file ends without an \"End\" line", false};
}

BatchRead readBatchFile(const std::string& path, DecimalMode mode, const Catalogue& catalogue) {
    const fs::path file(path);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) return BatchError{path, 0, "file not found", true};
    if (fs::is_directory(status)) return BatchError{path, 0, "is a folder, not a batch file", false};
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) return BatchError{path, 0, "the file cannot be opened", false};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return BatchError{path, 0, "the file cannot be read", false};
    return readBatchText(text, path, mode, catalogue);
}

} // namespace korvel
