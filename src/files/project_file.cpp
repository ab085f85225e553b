#include "files/project_file.h"

#include "design/input_fields.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "design/quoted_text.h"
#include "files/file_replacement.h"
#include "files/free_field_reader.h"
#include "files/text_encoding.h"
#include "sections/profile_types.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// ---- Writing ---------------------------------------------------------------------------------

std::string quotedText(std::string text) {
    for (char& ch : text) {
        if (ch == '"') ch = '\'';
        if (ch == '\r' || ch == '\n') ch = ' ';
    }
    return '"' + text + '"';
}

class LineWriter {
public:
    void whole(int value) { line(std::to_string(value)); }
    void real(double value) { line(exactNumber(value)); }
    void single(float value) { line(exactNumber(value)); }
    // A typed number in the precision its field holds it.
    void field(const InputField& f, const CaseInputs& c) {
        f.member.visit(c, [this](auto value) { line(exactNumber(value)); });
    }
    void text(const std::string& value) { line(quotedText(fileTextToUtf8(value))); }
    std::string take() { return std::move(text_); }

private:
    void line(const std::string& item) {
        text_ += item;
        text_ += "\r\n";
    }
    std::string text_;
};

// The run of lines that hold the typed numbers, in the order of the table of input fields'
// project lines (unit length to ps).
constexpr int firstNumberLine = 15;
constexpr int lastNumberLine = 37;
constexpr bool everyNumberLineHasItsField() {
    for (int line = firstNumberLine; line <= lastNumberLine; ++line) {
        bool found = false;
        for (const InputField& f : inputFields) found = found || f.projectLine == line;
        if (!found) return false;
    }
    return true;
}
static_assert(everyNumberLineHasItsField(), "a project file's run of numbers has no gap");

// ---- Reading ---------------------------------------------------------------------------------

// How the values of a file stand: the current layout has one value on each line, so that a
// value that is not one number is found on its own line instead of shifting every later value;
// files below version 180 are read as a sequence of values, however they stand on the lines.
enum class Layout { freeField, lines };

// The lines of a file, a leading byte-order mark dropped. A line ends at CR LF, LF or a lone CR.
struct FileLines {
    std::vector<std::string_view> lines;
    bool lastEnded = true; // the last line has its line end
};

FileLines splitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    FileLines file;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            file.lines.push_back(text);
            file.lastEnded = false;
            break;
        }
        file.lines.push_back(text.substr(0, end));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return file;
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A text from the file as a message quotes it: a long one cut, so that the message stays short.
std::string shown(std::string_view text) {
    return quotedField(text);
}

// An integer as the writer writes one: an optional sign and digits.
bool isIntegerText(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A line that is no number but holds several things separated by a comma or blanks: a decimal
// comma ("3000,5") or a value joined to its neighbour.
bool holdsSeveralValues(std::string_view s) {
    return s.find_first_of(", \t") != std::string_view::npos;
}

// The version a file states in its first value, which decides its layout; nothing when the
// first value is no number (reading then reports it).
std::optional<double> statedVersion(std::string_view text) {
    FreeFieldReader fields{std::string(text)};
    const FreeFieldRead first = fields.next();
    if (first.status != FreeFieldRead::Status::value) return std::nullopt;
    return parseFileNumber(first.field.text);
}

// Reads the values of the file in order. After the first fault every further read gives a
// default value and the fault is kept, so the layout reads as one straight sequence.
class ValueReader {
public:
    ValueReader(std::string_view text, Layout layout) : layout_(layout), fields_(std::string(text)) {
        if (layout == Layout::lines) file_ = splitLines(text);
    }

    bool failed() const { return problem_.has_value(); }
    const ProjectFileProblem& problem() const { return *problem_; }
    // Line of the value read last.
    int lastLine() const { return lastLine_; }

    // A text, as UTF-8 whatever the encoding it was stored in.
    std::string text(const char* what) {
        const std::optional<std::string> raw = layout_ == Layout::lines ? quotedLine(what) : freeText(what);
        return raw ? fileTextToUtf8(*raw) : std::string();
    }

    // A double-precision field. The assessment narrows many of them to single precision, so a
    // value beyond the float range is refused here rather than becoming infinite there.
    double real(const char* what) {
        const double value = number(what, Precision::real);
        toSingle(value, what);
        return failed() ? 0 : value;
    }

    float single(const char* what) { return static_cast<float>(number(what, Precision::single)); }

    // A value of a single-precision field: one beyond the float range is refused before it is
    // narrowed (the conversion itself would be undefined).
    float toSingle(double value, const char* what) {
        if (!failed() && !(std::fabs(value) <= std::numeric_limits<float>::max()))
            fail(lastLine_, std::string(what) + " " + generalNumber(value) + " is too large");
        return failed() ? 0.0f : static_cast<float>(value);
    }

    int whole(const char* what) {
        const std::optional<std::string> text = numberText(what);
        if (!text) return 0;
        const double value = convert(*text, what, Precision::real);
        if (failed()) return 0;
        // The current layout writes an integer as one; the older one is read by its value.
        const bool form = layout_ == Layout::freeField || isIntegerText(trimmed(*text));
        if (!form || value != std::floor(value) || std::fabs(value) > std::numeric_limits<int>::max()) {
            fail(lastLine_, std::string(what) + " is not a whole number: " +
                                (layout_ == Layout::lines ? shown(trimmed(*text)) : generalNumber(value)));
            return 0;
        }
        return static_cast<int>(value);
    }

    // A code whose every value is known: anything outside lowest to highest is refused.
    int code(const char* what, int lowest, int highest) {
        const int value = whole(what);
        if (!failed() && (value < lowest || value > highest))
            fail(lastLine_, std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(lowest) +
                                " to " + std::to_string(highest));
        return value;
    }

    // After the last value of the layout. Lines of the current layout are checked to the end: the
    // last value needs its line end (without it the file may have been cut inside that value,
    // "2" of "20"), and only blank lines, as an editor may leave them, may follow it.
    void finish(double version, const char* lastWhat) {
        if (failed() || layout_ != Layout::lines) return;
        if (next_ == file_.lines.size() && !file_.lastEnded) {
            fail(lastLine_, "the " + std::string(lastWhat) + " line has no line end: the file may be cut short");
            return;
        }
        for (std::size_t i = next_; i < file_.lines.size(); ++i) {
            if (!trimmed(file_.lines[i]).empty()) {
                fail(static_cast<int>(i) + 1, "unexpected text after the last line (" + std::to_string(next_) +
                                                  ") of a version " + generalNumber(version) +
                                                  " file: " + shown(file_.lines[i]));
                return;
            }
        }
    }

    void fail(int line, std::string problem) {
        if (!problem_) problem_ = ProjectFileProblem{line, std::move(problem)};
    }

private:
    // The next line of the current layout, or nothing after a fault or at the end of the file.
    std::optional<std::string_view> nextLine(const char* what) {
        if (failed()) return std::nullopt;
        if (next_ >= file_.lines.size()) {
            fail(static_cast<int>(next_) + 1, "the file ends where the " + std::string(what) + " should follow");
            return std::nullopt;
        }
        lastLine_ = static_cast<int>(++next_);
        return file_.lines[next_ - 1];
    }

    // The next line as a text in double quotes: "name", blanks around it allowed.
    std::optional<std::string> quotedLine(const char* what) {
        const std::optional<std::string_view> line = nextLine(what);
        if (!line) return std::nullopt;
        const std::string_view s = trimmed(*line);
        const std::string where = " on line " + std::to_string(lastLine_);
        if (s.empty()) return missing(what);
        if (s.front() != '"') {
            fail(lastLine_, std::string(what) + " must be a text in double quotes, the line holds " + shown(s));
            return std::nullopt;
        }
        const std::size_t close = s.find('"', 1);
        if (close == std::string_view::npos) {
            fail(lastLine_, std::string(what) + ": the quoted text" + where + " has no closing quote");
            return std::nullopt;
        }
        if (close + 1 != s.size()) {
            fail(lastLine_, std::string(what) + ": unexpected text after the closing quote" + where);
            return std::nullopt;
        }
        return std::string(s.substr(1, close - 1));
    }

    // A text of the older layout, quoted or not. A double quote inside an unquoted text could
    // not be written back as it stands.
    std::optional<std::string> freeText(const char* what) {
        const FreeField* field = nextField(what);
        if (!field) return std::nullopt;
        if (field->text.find('"') != std::string::npos) {
            fail(lastLine_, std::string(what) + " holds a double quote: " + shown(field->text));
            return std::nullopt;
        }
        return field->text;
    }

    std::optional<std::string> missing(const char* what) {
        fail(lastLine_, std::string(what) + " is missing: the line is empty");
        return std::nullopt;
    }

    // The text of the next value where a number belongs.
    std::optional<std::string> numberText(const char* what) {
        if (layout_ == Layout::lines) {
            const std::optional<std::string_view> line = nextLine(what);
            if (!line) return std::nullopt;
            if (trimmed(*line).empty()) return missing(what);
            return std::string(*line);
        }
        const FreeField* field = nextField(what);
        if (!field) return std::nullopt;
        return field->text;
    }

    double number(const char* what, Precision precision) {
        const std::optional<std::string> text = numberText(what);
        return text ? convert(*text, what, precision) : 0;
    }

    double convert(const std::string& text, const char* what, Precision precision) {
        const FileNumber read = readFileNumber(text, precision);
        if (read.ok()) return read.value;
        const std::string_view s = trimmed(text);
        if (read.status == FileNumber::Status::outOfRange) {
            // Beyond single precision but a double: named by its value, as the other sizes are.
            const FileNumber wide = readFileNumber(s);
            fail(lastLine_, std::string(what) + (wide.ok() ? " " + generalNumber(wide.value) + " is too large"
                                                           : " is too large: " + shown(s)));
        } else if (layout_ == Layout::lines && holdsSeveralValues(s)) {
            fail(lastLine_, std::string(what) + " must be one number, the line holds " + shown(s));
        } else {
            fail(lastLine_, std::string(what) + " is not a number: " + shown(s));
        }
        return 0;
    }

    const FreeField* nextField(const char* what) {
        if (failed()) return nullptr;
        const FreeFieldRead read = fields_.next();
        switch (read.status) {
        case FreeFieldRead::Status::endOfFile:
            fail(lastLine_ + 1, "the file ends where the " + std::string(what) + " should follow");
            return nullptr;
        case FreeFieldRead::Status::malformed:
            fail(lastLine_ + 1, std::string(what) + ": " + read.problem);
            return nullptr;
        case FreeFieldRead::Status::value:
            break;
        }
        current_ = read.field;
        lastLine_ = current_.line;
        return &current_;
    }

    Layout layout_;
    FileLines file_;
    std::size_t next_ = 0; // lines of file_ read so far
    FreeFieldReader fields_;
    FreeField current_;
    std::optional<ProjectFileProblem> problem_;
    int lastLine_ = 0;
};

// The table type of dc finds its row again from the stored dimensions, so that a file stays
// right when a catalogue gains or loses rows before it; the stored row stays when no row matches.
void refindTableRow(DesignCase& c, const Catalogue& catalogue) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(c.stiffenerType);
    if (!facts || !facts->table) return;
    int& row = c.*facts->tableRow;
    row = lastMatchingRow(tableOf(catalogue, *facts->table), *facts->table, {c.H, c.B, c.tw, c.tf}).value_or(row);
}

// The stored working profile becomes the remembered set of its own type, so that selecting the
// profile after loading gives back exactly the stored dimensions.
void rememberProfiles(DesignCase& c, const GirderDims& girder) {
    if (ProfileDims* dims = builtUpDims(c, c.stiffenerType)) {
        const unsigned fields = stiffenerTypeFacts(c.stiffenerType)->fields;
        dims->H = c.H;
        dims->tw = c.tw;
        if (fields & fieldB) dims->B = c.B;
        if (fields & fieldTf) dims->tf = c.tf;
        if (fields & fieldA) dims->a = c.a;
    }
    if (GirderDims* dims = girderDims(c, c.girderType)) *dims = girder;
}

// A stored table row must be one the table has; row 0 also stands for "nothing chosen yet" in a
// table that happens to be empty.
std::optional<std::string> rowProblem(const ProfileTable& table, TableKind kind, int row) {
    if (row == 0 || table.hasRow(row)) return std::nullopt;
    return std::string(tableName(kind)) + " row " + std::to_string(row) + " is outside the table (0 to " +
           std::to_string(std::max(table.lastRow, 0)) + ")";
}

std::optional<std::string> materialProblem(const Catalogue& catalogue, const char* role, int index) {
    if (catalogue.materials.hasRow(index)) return std::nullopt;
    return std::string(role) + " material index " + std::to_string(index) + " is outside the material list (0 to " +
           std::to_string(catalogue.materials.lastRow()) + ")";
}

} // namespace

std::string windowCaption(const DesignCase& dc) {
    return "KORVEL: " + dc.fileName;
}

std::string projectFileText(const DesignCase& dc) {
    // The girder's own remembered set is what the user edited; the working girder profile is a
    // copy of it made by the last calculation.
    const GirderDims* girder = girderDims(dc, dc.girderType);
    const GirderDims stored = girder ? *girder : GirderDims{dc.girder.H, dc.girder.B, dc.girder.tw, dc.girder.tf};

    LineWriter out;
    out.whole(projectFileVersion);
    out.text(dc.projectName);
    out.text(dc.identification);
    out.whole(dc.plateMaterial);
    out.whole(dc.stiffenerMaterial);
    out.whole(dc.stiffenerType);
    out.whole(dc.bfRow);
    out.whole(dc.lRow);
    out.whole(dc.tRow);
    out.whole(dc.flatbarRow);
    out.whole(dc.girderType);
    out.whole(dc.loadingCondition);
    out.whole(dc.structureType);
    out.whole(dc.structureOption);
    const CaseInputs numbers = inputsInForce(dc);
    for (int line = firstNumberLine; line <= lastNumberLine; ++line) out.field(*inputFieldAtProjectLine(line), numbers);
    out.real(dc.A);
    out.single(dc.H);
    out.single(dc.B);
    out.single(dc.tw);
    out.single(dc.tf);
    out.single(dc.bfCol4);
    out.single(dc.a);
    out.real(stored.H);
    out.real(stored.B);
    out.real(stored.tw);
    out.single(stored.tf);
    return out.take();
}

std::optional<ProjectFileProblem> readProjectText(std::string_view text, const Catalogue& catalogue, DesignCase& dc) {
    const std::optional<double> stated = statedVersion(text);
    ValueReader in(text, stated && *stated >= firstCurrentLayoutVersion ? Layout::lines : Layout::freeField);
    DesignCase c = dc;

    const double version = in.real("file version");
    const bool current = version >= firstCurrentLayoutVersion;

    c.projectName = in.text("project name");
    c.identification = in.text("identification");
    c.plateMaterial = in.whole("plate material index");
    const int plateMaterialLine = in.lastLine();
    c.stiffenerMaterial = in.whole("stiffener material index");
    const int stiffenerMaterialLine = in.lastLine();
    c.stiffenerType = in.code("stiffener type", 0, stiffenerTypeCount - 1);
    c.bfRow = in.whole("BF-table row");
    const int bfRowLine = in.lastLine();
    c.lRow = in.whole("L-table row");
    const int lRowLine = in.lastLine();
    c.tRow = in.whole("T-table row");
    const int tRowLine = in.lastLine();
    c.flatbarRow = in.whole("Flatbar-table row");
    const int flatbarRowLine = in.lastLine();
    c.girderType = girderT;
    if (current) {
        c.girderType = in.whole("girder type");
        if (!in.failed() && !isGirderType(c.girderType))
            in.fail(in.lastLine(),
                    "girder type " + std::to_string(c.girderType) + " is neither " + girderCodesText("nor"));
    }
    c.loadingCondition = in.code("loading condition", conditionA, conditionC);
    c.structureType = in.code("structure type", watertightBulkhead, upperStructure);
    c.structureOption = in.code("structure option", 0, 1);
    for (int line = firstNumberLine; line <= lastNumberLine; ++line) {
        const InputField& f = *inputFieldAtProjectLine(line);
        if (!current && !f.inOlderProjects) continue;
        f.member.set(c, f.member.isSingle() ? in.single(f.projectName) : in.real(f.projectName));
        if (!current && f.box == InputBox::L1) {
            // The older layout had one span: the neighbouring span equals it, the girder spans
            // three stiffener spans with its scantling span 0.6 of that, brackets at 3 m.
            c.L2 = c.L1;
            c.Lg = 3 * c.L1;
            c.Lgs = in.toSingle(0.6 * c.Lg, "Lgs (0.6 of 3 L1)");
            c.Lt = 3000;
        }
    }
    if (!current) {
        // Older files stored the pressure positive on the stiffener side; one pressure served
        // buckling, yield and scantlings.
        c.p = -c.p;
        c.ps = c.p;
    }
    c.A = in.real("stiffener area A");
    c.H = in.single("stiffener H");
    c.B = in.single("stiffener B");
    c.tw = in.single("stiffener tw");
    c.tf = in.single("stiffener tf");
    c.bfCol4 = in.single("stiffener BF column 4");
    c.a = in.single("stiffener a");
    GirderDims girder;
    if (current) {
        girder.H = in.real("girder H");
        girder.B = in.real("girder B");
        girder.tw = in.real("girder tw");
        girder.tf = in.single("girder tf");
    }
    in.finish(version, current ? "girder tf" : "stiffener a");
    if (in.failed()) return in.problem();

    refindTableRow(c, catalogue);
    const std::pair<int, std::optional<std::string>> ranges[] = {
        {plateMaterialLine, materialProblem(catalogue, "plate", c.plateMaterial)},
        {stiffenerMaterialLine, materialProblem(catalogue, "stiffener", c.stiffenerMaterial)},
        {bfRowLine, rowProblem(catalogue.bf, TableKind::bulbFlat, c.bfRow)},
        {lRowLine, rowProblem(catalogue.l, TableKind::l, c.lRow)},
        {tRowLine, rowProblem(catalogue.t, TableKind::t, c.tRow)},
        {flatbarRowLine, rowProblem(catalogue.fb, TableKind::flatbar, c.flatbarRow)},
    };
    for (const auto& [line, problem] : ranges)
        if (problem) return ProjectFileProblem{line, *problem};

    rememberProfiles(c, girder);
    // The file holds the strengths in force, as it holds the working profile: they stand until the
    // case is calculated again.
    c.plateSteel = {c.Fyp, c.Fup};
    c.stiffenerSteel = {c.Fys, c.Fus};
    dc = std::move(c);
    return std::nullopt;
}

ProjectFileOutcome readProjectFile(const std::string& path, const Catalogue& catalogue, DesignCase& dc) {
    using Status = ProjectFileOutcome::Status;
    const fs::path file(path);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) return {Status::notFound, "can't find file - " + path};
    const std::string cannotRead = "can't read file - " + path;
    if (fs::is_directory(status)) return {Status::unreadable, cannotRead + ": it is a folder"};

    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) return {Status::unreadable, cannotRead + ": the file cannot be opened"};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {Status::unreadable, cannotRead + ": the file cannot be read"};

    if (const auto problem = readProjectText(text, catalogue, dc))
        return {Status::unreadable, cannotRead + ", line " + std::to_string(problem->line) + ": " + problem->problem};
    dc.fileName = path;
    return {};
}

ProjectFileOutcome writeProjectFile(const std::string& path, DesignCase& dc) {
    if (const auto reason = replaceFileContent(fs::path(path), projectFileText(dc)))
        return {ProjectFileOutcome::Status::notWritten, saveFailureMessage(path, *reason)};
    dc.fileName = path;
    return {};
}

} // namespace korvel
