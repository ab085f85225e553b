#include "files/batch_file.h"

#include "design/calculate.h"
#include "design/number_format.h"
#include "files/file_commands.h"
#include "files/file_replacement.h"
#include "sections/profile_types.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// ---- Reading ---------------------------------------------------------------------------------

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Splits into `parts`, reusing its storage from line to line.
void split(std::string_view s, char separator, std::vector<std::string_view>& parts) {
    parts.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = s.find(separator, start);
        parts.push_back(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return;
        start = end + 1;
    }
}

bool isEndLine(std::string_view field0) {
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

struct ProfileToken {
    std::string_view token;
    int type;
    int dimensions;
};
constexpr ProfileToken stiffenerTokens[] = {
    {"LR", stiffLTable, 4},         {"LW", stiffLBuiltUp, 4}, {"TG", stiffTBuiltUp, 4},
    {"FB", stiffFlatbarBuiltUp, 2}, {"BF", stiffBFTable, 2},  {"IG", stiffIBuiltUp, 4},
};
constexpr ProfileToken girderTokens[] = {{"LG", girderL, 4}, {"TG", girderT, 4}};

// The last row whose listed columns equal the given dimensions, row 0 when none does. The
// file's dimensions are compared in the tables' single precision, so "11.3" finds the row
// whose 11.3 was read from the table file.
int lastMatchingRow(const ProfileTable& table, std::initializer_list<std::pair<int, float>> columns) {
    int found = 0;
    for (int r = 0; r <= table.lastRow; ++r) {
        bool same = true;
        for (const auto& [column, value] : columns) same = same && table.value(r, column) == value;
        if (same) found = r;
    }
    return found;
}

// One case line being read; the first fault is kept and ends the reading.
class CaseReader {
public:
    CaseReader(const std::vector<std::string_view>& fields, const std::string& file, int line, DecimalMode mode)
        : fields_(fields), file_(file), line_(line), mode_(mode) {}

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
    const ProfileToken* profile(int tokenField, int dimsField, const ProfileToken* first, const ProfileToken* last,
                                const char* what, std::array<double, 4>& dims) {
        if (error_) return nullptr;
        const std::string_view token = fields_[static_cast<std::size_t>(tokenField)];
        const ProfileToken* found = nullptr;
        for (const ProfileToken* t = first; t != last; ++t)
            if (t->token == token) found = t;
        if (!found) {
            std::string known;
            for (const ProfileToken* t = first; t != last; ++t)
                known += (known.empty() ? "" : ", ") + std::string(t->token);
            fail("field " + std::to_string(tokenField) + ": unknown " + what + " profile \"" + std::string(token) +
                 "\" (known: " + known + ")");
            return nullptr;
        }
        std::vector<std::string_view> parts;
        split(fields_[static_cast<std::size_t>(dimsField)], 'x', parts);
        if (static_cast<int>(parts.size()) != found->dimensions) {
            fail("field " + std::to_string(dimsField) + ": " + std::string(token) + " takes " +
                 std::to_string(found->dimensions) + " dimensions joined by a lower-case x, \"" +
                 std::string(fields_[static_cast<std::size_t>(dimsField)]) + "\" has " + std::to_string(parts.size()));
            return nullptr;
        }
        for (std::size_t i = 0; i < parts.size(); ++i) dims[i] = numberIn(parts[i], dimsField, "dimension");
        return error_ ? nullptr : found;
    }

private:
    double numberIn(std::string_view text, int field, const char* what) {
        if (error_) return 0;
        // A plain number with a period reads the same in both modes; only the rest needs the
        // reader of typed numbers, which makes a copy of the text.
        std::optional<double> value = parseFileNumber(text);
        if (!value) value = parseNumber(text, mode_);
        if (!value) {
            fail("field " + std::to_string(field) + " (" + what + ") is not a number: \"" + std::string(text) + "\"");
            return 0;
        }
        // Many fields are single precision: a value beyond the float range cannot be one of them.
        if (!(std::fabs(*value) <= std::numeric_limits<float>::max())) {
            fail("field " + std::to_string(field) + " (" + what + ") is too large: \"" + std::string(text) + "\"");
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
    std::optional<BatchError> error_;
};

std::optional<BatchError> readCase(const std::vector<std::string_view>& fields, const std::string& file,
                                   DecimalMode mode, const Catalogue& catalogue, BatchEntry& e) {
    CaseReader in(fields, file, e.line, mode);
    e.secondText = std::string(fields[1]);
    e.loadingCondition = in.code(2, "loading condition", conditionA, conditionC);
    e.FS = in.number(3, "FS");
    e.UF = in.number(4, "allowable utilisation factor");
    e.Fyp = in.number(5, "Fyp");
    e.Fup = in.number(6, "Fup");
    e.Fys = in.number(7, "Fys");
    e.Fus = in.number(8, "Fus");
    e.E = in.number(9, "E");
    e.structureType = in.code(10, "structure type", watertightBulkhead, upperStructure);
    e.UL = in.number(11, "unit length UL");
    e.structureOption = in.code(12, "structure option", 0, 1);

    std::array<double, 4> dims{};
    if (const ProfileToken* stiffener =
            in.profile(13, 14, std::begin(stiffenerTokens), std::end(stiffenerTokens), "stiffener", dims)) {
        e.stiffenerType = stiffener->type;
        for (std::size_t i = 0; i < dims.size(); ++i) e.stiffener[i] = static_cast<float>(dims[i]);
        const auto& d = e.stiffener;
        if (e.stiffenerType == stiffLTable)
            e.lRow = lastMatchingRow(catalogue.l, {{col::H, d[0]}, {col::B, d[1]}, {col::twLT, d[2]}});
        else if (e.stiffenerType == stiffBFTable)
            e.bfRow = lastMatchingRow(catalogue.bf, {{col::H, d[0]}, {col::twFbBf, d[1]}});
    }
    if (const ProfileToken* girder =
            in.profile(15, 16, std::begin(girderTokens), std::end(girderTokens), "girder", dims)) {
        e.girderType = girder->type;
        e.girder = GirderDims{dims[0], dims[1], dims[2], static_cast<float>(dims[3])};
    }

    e.L1 = in.number(17, "L1");
    e.L2 = in.number(18, "L2");
    e.Lg = in.number(19, "Lg");
    e.Lgs = in.number(20, "Lgs");
    e.Lt = in.number(21, "Lt");
    e.t = in.number(22, "t");
    e.s1 = in.number(23, "s1");
    e.s2 = in.number(24, "s2");
    e.SigxA = in.number(25, "SigxA");
    e.SigxB = in.number(26, "SigxB");
    e.SigyA = in.number(27, "SigyA");
    e.SigyC = in.number(28, "SigyC");
    e.Tau = in.number(29, "Tau");
    e.p = in.number(30, "p");
    e.ps = in.number(31, "ps");
    return in.error();
}

// ---- Running ---------------------------------------------------------------------------------

// The catalogue has no row at all for an "LR" or "BF" case: its own dimensions become the
// working profile, so that the results table shows what the file asked for.
void takeDimensionsOfEntry(const BatchEntry& e, DesignCase& dc) {
    dc.H = e.stiffener[0];
    if (e.stiffenerType == stiffBFTable) {
        dc.tw = e.stiffener[1];
        return;
    }
    dc.B = e.stiffener[1];
    dc.tw = e.stiffener[2];
    dc.tf = e.stiffener[3];
}

// ---- Writing ---------------------------------------------------------------------------------

// clang-format off
const char* const headerLabels[] = {
    "Project:", "Identification:", "Loading Cond:", "Factor of Safety F.S:", "Allowable Usage factor:",
    "Material-plate: Fy/Fu", "Material-stiff: Fy/Fu", "E-modulus:", "Bulkhead type:", "Unit Length:", "Stiffener:",
    "C-factor:", "Stiff Prof:", "Gird Prof:",
    "L1", "L2", "Lg", "Lgs", "Lt", "t", "s1", "s2", "SigxA", "SigxB", "SigyA", "SigyC", "Tau", "p", "ps",
    "Buckling", "UFpb", "UFpu", "UFpl", "UFb", "UFbt", "UFst", "UFgbu",
    "Scant/Yield", "UFt", "UFsm", "UFgm", "UFy", "UFyp", "UFys"};
// clang-format on
static_assert(std::size(headerLabels) == 44, "the results table has 44 columns");

const char* bulkheadText(int structureType) {
    switch (structureType) {
    case watertightBulkhead:
        return "Watertight bulkhead";
    case tankBulkhead:
        return "Tank bulkhead";
    default:
        return "Upper Structure";
    }
}

const char* optionText(int structureType, int option) {
    static const char* const texts[3][2] = {{" Ends attached", " No end attachment"},
                                            {" Clip attachment", " Supported at both ends by girder"},
                                            {" Clear of tanks", " In way of tanks"}};
    if (structureType < 0 || structureType > 2 || option < 0 || option > 1) return "";
    return texts[structureType][option];
}

const char* stiffenerToken(int stiffenerType) {
    switch (stiffenerType) {
    case stiffLTable:
        return "LR";
    case stiffLBuiltUp:
        return "LW";
    case stiffTBuiltUp:
        return "TG";
    case stiffIBuiltUp:
        return "IG";
    case stiffFlatbarBuiltUp:
        return "Fb";
    case stiffBFTable:
        return "BF";
    default:
        return "";
    }
}

class Row {
public:
    explicit Row(std::string& out) : out_(out) {}
    Row& cell(std::string_view text) {
        if (!first_) out_ += '\t';
        first_ = false;
        out_ += text;
        return *this;
    }
    Row& cell(double value, std::string_view mask) { return cell(formatNumber(value, mask)); }
    Row& cell(float value, std::string_view mask) { return cell(formatNumber(value, mask)); }
    Row& general(double value) { return cell(generalNumber(value)); }
    Row& general(float value) { return cell(generalNumber(value)); }
    void end() { out_ += "\r\n"; }

private:
    std::string& out_;
    bool first_ = true;
};

std::string stiffenerProfileText(const DesignCase& dc) {
    std::string text = stiffenerToken(dc.stiffenerType);
    text += formatNumber(dc.H, "00");
    text += 'x';
    if (dc.stiffenerType == stiffFlatbarBuiltUp || dc.stiffenerType == stiffBFTable)
        return text + formatNumber(dc.tw, "0.0");
    text += formatNumber(dc.B, "00");
    text += 'x';
    text += formatNumber(dc.tw, "0.0");
    text += 'x';
    return text + formatNumber(dc.tf, "#0.0");
}

std::string girderProfileText(const DesignCase& dc) {
    const GirderDims* g = girderDims(dc, dc.girderType);
    if (!g) return {};
    return std::string(dc.girderType == girderL ? "LG" : "TG") + formatNumber(g->H, "00") + "x" +
           formatNumber(g->B, "00") + "x" + formatNumber(g->tw, "0.0") + "x" + formatNumber(g->tf, "#0.0");
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

BatchRead readBatchText(std::string_view text, const std::string& fileName, DecimalMode mode,
                        const Catalogue& catalogue) {
    // A byte-order mark left by an editor that saved the file as UTF-8 is not part of field 0.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    BatchList list;
    list.path = fileName;
    const auto lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    list.entries.reserve(std::min(lineCount + 1, static_cast<std::size_t>(maxBatchEntries)));
    std::vector<std::string_view> fields;
    int line = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view content = text.substr(start, end - start);
        start = end + 1;
        ++line;
        if (!content.empty() && content.back() == '\r') content.remove_suffix(1);

        split(trimSpaces(content), '\t', fields);
        if (isEndLine(fields[0])) return list;
        if (static_cast<int>(list.entries.size()) == maxBatchEntries)
            return BatchError{fileName, line,
                              "more than " + std::to_string(maxBatchEntries) +
                                  " entries (cases and comment lines) before the \"End\" line",
                              false};

        BatchEntry entry;
        entry.line = line;
        entry.firstText = std::string(fields[0]);
        if (!fields[0].empty() && fields[0].front() == '%') {
            entry.kind = BatchKind::comment;
        } else {
            if (static_cast<int>(fields.size()) < batchCaseFields)
                return BatchError{fileName, line,
                                  "a case needs " + std::to_string(batchCaseFields) +
                                      " TAB-separated fields, this line has " + std::to_string(fields.size()),
                                  false};
            if (auto error = readCase(fields, fileName, mode, catalogue, entry)) return *error;
        }
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

void runBatchCase(const BatchEntry& e, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings) {
    dc.projectName = e.firstText;
    dc.identification = e.secondText;
    dc.loadingCondition = e.loadingCondition;
    dc.FS = static_cast<float>(e.FS);
    dc.UF = static_cast<float>(e.UF);
    dc.Fyp = e.Fyp;
    dc.Fup = static_cast<float>(e.Fup);
    dc.Fys = e.Fys;
    dc.Fus = static_cast<float>(e.Fus);
    dc.E = static_cast<float>(e.E);
    dc.structureType = e.structureType;
    dc.UL = static_cast<float>(e.UL);
    dc.structureOption = e.structureOption;
    dc.s1 = e.s1;
    dc.s2 = e.s2;
    dc.SigxA = e.SigxA;
    dc.SigxB = static_cast<float>(e.SigxB);
    dc.SigyA = e.SigyA;
    dc.SigyC = static_cast<float>(e.SigyC);
    dc.Tau = static_cast<float>(e.Tau);
    dc.p = e.p;
    dc.ps = e.ps;
    dc.t = e.t;
    dc.L1 = e.L1;
    dc.L2 = e.L2;
    dc.Lg = e.Lg;
    dc.Lgs = static_cast<float>(e.Lgs);
    dc.Lt = e.Lt;

    // The user-defined grade keeps the file's strengths in force.
    dc.plateMaterial = catalogue.materials.lastRow();
    dc.stiffenerMaterial = catalogue.materials.lastRow();

    dc.stiffenerType = e.stiffenerType;
    bool profileInTable = true;
    if (e.stiffenerType == stiffLTable) {
        dc.lRow = e.lRow;
        profileInTable = catalogue.l.hasRow(e.lRow);
    } else if (e.stiffenerType == stiffBFTable) {
        dc.bfRow = e.bfRow;
        profileInTable = catalogue.bf.hasRow(e.bfRow);
    } else if (ProfileDims* dims = builtUpDims(dc, e.stiffenerType)) {
        dims->H = e.stiffener[0];
        if (e.stiffenerType == stiffFlatbarBuiltUp) {
            dims->tw = e.stiffener[1];
        } else {
            dims->B = e.stiffener[1];
            dims->tw = e.stiffener[2];
            dims->tf = e.stiffener[3];
        }
    }
    dc.girderType = e.girderType;
    if (GirderDims* girder = girderDims(dc, e.girderType)) *girder = e.girder;

    prepareLoadedCase(dc, catalogue, warnings);
    if (!profileInTable) {
        // No row to take the profile from: nothing of this case may be shown as calculated.
        takeDimensionsOfEntry(e, dc);
        dc.uf = Results{};
        dc.lines = CheckLines{};
        dc.fault.step = "profile selection";
        dc.fault.reason =
            "the " + std::string(e.stiffenerType == stiffLTable ? "L-table" : "BF-table") + " holds no profile";
    }
}

std::string batchResultsHeader() {
    std::string out;
    Row row(out);
    for (const char* label : headerLabels) row.cell(label);
    row.end();
    return out;
}

void appendBatchResultLine(std::string& out, const DesignCase& dc) {
    static const char* const conditions[] = {"A", "B", "C"};
    const Results& uf = dc.uf;
    Row row(out);
    row.cell(dc.projectName).cell(dc.identification);
    row.cell(dc.loadingCondition >= 0 && dc.loadingCondition <= 2 ? conditions[dc.loadingCondition] : "");
    row.cell(dc.FS, "0.00").cell(dc.UF, "0.00");
    row.cell(formatNumber(dc.Fyp, "0") + "/" + formatNumber(dc.Fup, "0"));
    row.cell(formatNumber(dc.Fys, "0") + "/" + formatNumber(dc.Fus, "0"));
    row.cell(dc.E, "0.00E+0");
    row.cell(bulkheadText(dc.structureType));
    if (dc.structureType == watertightBulkhead)
        row.cell(dc.UL, "00");
    else
        row.cell("-");
    row.cell(optionText(dc.structureType, dc.structureOption));
    row.cell(dc.cStiffener, "0.00");
    row.cell(stiffenerProfileText(dc)).cell(girderProfileText(dc));
    row.general(dc.L1).general(dc.L2).general(dc.Lg).general(dc.Lgs).general(dc.Lt).general(dc.t);
    row.general(dc.s1).general(dc.s2);
    row.general(dc.SigxA).general(dc.SigxB).general(dc.SigyA).general(dc.SigyC).general(dc.Tau);
    row.general(dc.p).general(dc.ps);
    row.cell("Buckling");
    row.cell(uf.UFpb, "0.00").cell(uf.UFpu, "0.00").cell(uf.UFpl, "0.00");
    if (uf.UFbu == notInCompression)
        row.cell("N/A").cell("N/A");
    else
        row.cell(uf.UFbu, "0.00").cell(uf.UFbt, "0.00");
    row.cell(uf.UFs, "0.00").cell(uf.UFgbu, "0.00");
    row.cell("Scant/Yield");
    row.cell(uf.UFt, "0.00").cell(uf.UFsm, "0.00").cell(uf.UFgm, "0.00");
    row.cell(uf.UFy, "0.0#").cell(uf.UFyp, "0.00").cell(uf.UFys, "0.00");
    row.end();
}

bool hasFailedCheck(const Results& uf) {
    const double values[] = {uf.UFpb, uf.UFpu, uf.UFpl, uf.UFbu, uf.UFbt, uf.UFs, uf.UFgbu,
                             uf.UFt,  uf.UFsm, uf.UFgm, uf.UFy,  uf.UFyp, uf.UFys};
    for (double v : values)
        if (v > 1) return true;
    return false;
}

void runBatchCaseForResults(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue,
                            WarningSink& warnings) {
    dc.composeTexts = false;
    runBatchCase(entry, dc, catalogue, warnings);
    dc.composeTexts = true;
}

void finishResultsRun(const BatchList& list, DesignCase& dc, const Catalogue& catalogue) {
    const auto last =
        std::find_if(list.entries.rbegin(), list.entries.rend(), [](const BatchEntry& e) { return e.isCase(); });
    if (last == list.entries.rend()) return;
    IgnoreWarnings alreadyGiven;
    runBatchCase(*last, dc, catalogue, alreadyGiven);
}

namespace {

// Runs every entry in file order and hands each line of the results table to `emit` as soon as
// it is composed: the table is never held whole.
BatchSummary runEntries(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                        const BatchHooks& hooks, const std::function<void(std::string_view)>& emit) {
    BatchSummary summary;
    emit(batchResultsHeader());
    std::string line;
    line.reserve(512);
    const int total = static_cast<int>(list.entries.size());
    int done = 0;
    for (const BatchEntry& e : list.entries) {
        line.clear();
        if (e.isCase()) {
            if (hooks.beforeCase) hooks.beforeCase(e);
            runBatchCaseForResults(e, dc, catalogue, warnings);
            appendBatchResultLine(line, dc);
            ++summary.cases;
            if (hasFailedCheck(dc.uf)) ++summary.failedCheck;
            if (dc.fault.stopped()) ++summary.stopped;
            if (hooks.afterCase) hooks.afterCase(e, dc);
        } else {
            line += e.firstText;
            line += "\r\n";
            ++summary.comments;
        }
        emit(line);
        if (hooks.progress) hooks.progress(++done, total);
    }
    finishResultsRun(list, dc, catalogue);
    return summary;
}

} // namespace

BatchResults runBatch(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                      const BatchHooks& hooks) {
    BatchResults results;
    results.text.reserve(list.entries.size() * 320);
    results.summary =
        runEntries(list, dc, catalogue, warnings, hooks, [&](std::string_view line) { results.text += line; });
    return results;
}

std::variant<BatchSummary, std::string> writeBatchResults(const std::string& outputPath, const BatchList& list,
                                                          DesignCase& dc, const Catalogue& catalogue,
                                                          WarningSink& warnings, const BatchHooks& hooks) {
    BatchSummary summary;
    bool ran = false;
    const auto failure = replaceFileWith(fs::path(outputPath), [&](std::ostream& out) {
        ran = true;
        summary = runEntries(list, dc, catalogue, warnings, hooks, [&out](std::string_view line) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        });
    });
    // Even when the table cannot be written the cases run, so that the design case holds the
    // last one as after any results run.
    if (!ran) runEntries(list, dc, catalogue, warnings, hooks, [](std::string_view) {});
    if (failure) return saveFailureMessage(outputPath, *failure);
    return summary;
}

std::string batchOutputPath(const std::string& inputPath) {
    const std::size_t nameStart = inputPath.find_last_of("/\\");
    const std::size_t nameLength = inputPath.size() - (nameStart == std::string::npos ? 0 : nameStart + 1);
    constexpr std::string_view inputExtension = ".kori";
    // A name that is only ".kori" keeps it: its table is ".kori.koro", not a bare ".koro".
    if (nameLength <= inputExtension.size()) return inputPath + ".koro";
    const std::size_t cut = inputPath.size() - inputExtension.size();
    for (std::size_t i = 0; i < inputExtension.size(); ++i) {
        const char c = inputPath[cut + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != inputExtension[i]) return inputPath + ".koro";
    }
    return inputPath.substr(0, cut) + ".koro";
}

StartupBatch runStartupBatch(const fs::path& programFolder, DesignCase& dc, const Catalogue& catalogue,
                             DecimalMode mode, WarningSink& warnings) {
    StartupBatch outcome;
    const std::string input = (programFolder / startupBatchInput).string();
    BatchRead read = readBatchFile(input, mode, catalogue);
    if (auto* error = std::get_if<BatchError>(&read)) {
        outcome.status = error->notFound ? StartupBatch::Status::inputMissing : StartupBatch::Status::inputUnreadable;
        outcome.message = error->notFound ? "can't find file - " + input : error->message();
        return outcome;
    }
    outcome.list = std::move(std::get<BatchList>(read));

    // The first case is shown first, as when a batch file is opened in the batch window.
    const int first = outcome.list.caseIndex(1);
    if (first >= 0) runBatchCase(outcome.list.entries[static_cast<std::size_t>(first)], dc, catalogue, warnings);

    const std::string output = (programFolder / startupBatchOutput).string();
    auto written = writeBatchResults(output, outcome.list, dc, catalogue, warnings);
    if (auto* why = std::get_if<std::string>(&written)) {
        outcome.status = StartupBatch::Status::outputNotWritten;
        outcome.message = *why;
        outcome.summary = {};
        return outcome;
    }
    outcome.summary = std::get<BatchSummary>(written);
    return outcome;
}

} // namespace korvel
