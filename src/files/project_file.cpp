#include "files/project_file.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "files/file_replacement.h"
#include "files/free_field_reader.h"
#include "sections/profile_types.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

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
    void real(double value) { line(generalNumber(value)); }
    void single(float value) { line(generalNumber(value)); }
    void text(const std::string& value) { line(quotedText(value)); }
    std::string take() { return std::move(text_); }

private:
    void line(const std::string& item) {
        text_ += item;
        text_ += "\r\n";
    }
    std::string text_;
};

// ---- Reading ---------------------------------------------------------------------------------

// Reads the values of the file in order. After the first fault every further read gives a
// default value and the fault is kept, so the layout reads as one straight sequence.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : fields_(std::string(text)) {}

    bool failed() const { return problem_.has_value(); }
    const ProjectFileProblem& problem() const { return *problem_; }
    // Line of the value read last.
    int lastLine() const { return lastLine_; }

    std::string text(const char* what) {
        const FreeField* field = next(what);
        return field ? field->text : std::string();
    }

    double real(const char* what) {
        const FreeField* field = next(what);
        if (!field) return 0;
        const std::optional<double> value = parseFileNumber(field->text);
        if (!value) fail(field->line, std::string(what) + " is not a number: \"" + field->text + "\"");
        return value.value_or(0);
    }

    float single(const char* what) { return toSingle(real(what), what); }

    // A value of a single-precision field: one beyond the float range is refused before it is
    // narrowed (the conversion itself would be undefined).
    float toSingle(double value, const char* what) {
        if (!failed() && !(std::fabs(value) <= std::numeric_limits<float>::max()))
            fail(lastLine_, std::string(what) + " " + generalNumber(value) + " is too large");
        return failed() ? 0.0f : static_cast<float>(value);
    }

    int whole(const char* what) {
        const double value = real(what);
        if (failed()) return 0;
        if (value != std::floor(value) || std::fabs(value) > std::numeric_limits<int>::max()) {
            fail(lastLine_, std::string(what) + " is not a whole number: " + generalNumber(value));
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

    void fail(int line, std::string problem) {
        if (!problem_) problem_ = ProjectFileProblem{line, std::move(problem)};
    }

private:
    const FreeField* next(const char* what) {
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

    FreeFieldReader fields_;
    FreeField current_;
    std::optional<ProjectFileProblem> problem_;
    int lastLine_ = 0;
};

// The last row of a table whose listed columns equal the stored dimensions, or `row` when none
// does. The last match wins, as the profile dialogs list duplicates in file order.
int refindRow(const ProfileTable& table, int row, std::initializer_list<std::pair<int, float>> columns) {
    for (int r = 0; r <= table.lastRow; ++r) {
        bool same = true;
        for (const auto& [column, value] : columns) same = same && table.value(r, column) == value;
        if (same) row = r;
    }
    return row;
}

// The table type of dc finds its row again from the stored dimensions, so that a file stays
// right when a catalogue gains or loses rows before it.
void refindTableRow(DesignCase& c, const Catalogue& catalogue) {
    switch (c.stiffenerType) {
    case stiffLTable:
        c.lRow = refindRow(catalogue.l, c.lRow, {{col::H, c.H}, {col::B, c.B}, {col::twLT, c.tw}});
        break;
    case stiffTTable:
        c.tRow = refindRow(catalogue.t, c.tRow, {{col::H, c.H}, {col::B, c.B}, {col::twLT, c.tw}, {col::tfLT, c.tf}});
        break;
    case stiffFlatbarTable:
        c.flatbarRow = refindRow(catalogue.fb, c.flatbarRow, {{col::H, c.H}, {col::twFbBf, c.tw}});
        break;
    case stiffBFTable:
        c.bfRow = refindRow(catalogue.bf, c.bfRow, {{col::H, c.H}, {col::twFbBf, c.tw}});
        break;
    default:
        break;
    }
}

// The stored working profile becomes the remembered set of its own type, so that selecting the
// profile after loading gives back exactly the stored dimensions.
void rememberProfiles(DesignCase& c, const GirderDims& girder) {
    if (ProfileDims* dims = builtUpDims(c, c.stiffenerType)) {
        dims->H = c.H;
        dims->tw = c.tw;
        if (c.stiffenerType != stiffFlatbarBuiltUp) dims->B = c.B;
        if (c.stiffenerType == stiffLBuiltUp || c.stiffenerType == stiffTBuiltUp || c.stiffenerType == stiffIBuiltUp)
            dims->tf = c.tf;
        if (c.stiffenerType == stiffTrapez) dims->a = c.a;
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
    out.single(dc.UL);
    out.single(dc.FS);
    out.single(dc.UF);
    out.real(dc.Fyp);
    out.single(dc.Fup);
    out.real(dc.Fys);
    out.single(dc.Fus);
    out.single(dc.E);
    out.real(dc.s1);
    out.real(dc.s2);
    out.real(dc.L1);
    out.real(dc.L2);
    out.real(dc.Lg);
    out.single(dc.Lgs);
    out.real(dc.Lt);
    out.real(dc.t);
    out.real(dc.SigxA);
    out.single(dc.SigxB);
    out.real(dc.SigyA);
    out.single(dc.SigyC);
    out.single(dc.Tau);
    out.real(dc.p);
    out.real(dc.ps);
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
    ValueReader in(text);
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
            in.fail(in.lastLine(), "girder type " + std::to_string(c.girderType) + " is neither 1 (L) nor 3 (T)");
    }
    c.loadingCondition = in.code("loading condition", conditionA, conditionC);
    c.structureType = in.code("structure type", watertightBulkhead, upperStructure);
    c.structureOption = in.code("structure option", 0, 1);
    c.UL = in.single("unit length UL");
    c.FS = in.single("FS");
    c.UF = in.single("UF");
    c.Fyp = in.real("Fyp");
    c.Fup = in.single("Fup");
    c.Fys = in.real("Fys");
    c.Fus = in.single("Fus");
    c.E = in.single("E");
    c.s1 = in.real("s1");
    c.s2 = in.real("s2");
    c.L1 = in.real("L1");
    if (current) {
        c.L2 = in.real("L2");
        c.Lg = in.real("Lg");
        c.Lgs = in.single("Lgs");
        c.Lt = in.real("Lt");
    } else {
        // The older layout had one span: the neighbouring span equals it, the girder spans three
        // stiffener spans with its scantling span 0.6 of that, brackets at 3 m.
        c.L2 = c.L1;
        c.Lg = 3 * c.L1;
        c.Lgs = in.toSingle(0.6 * c.Lg, "Lgs (0.6 of 3 L1)");
        c.Lt = 3000;
    }
    c.t = in.real("t");
    c.SigxA = in.real("SigxA");
    c.SigxB = in.single("SigxB");
    c.SigyA = in.real("SigyA");
    c.SigyC = in.single("SigyC");
    c.Tau = in.single("Tau");
    c.p = in.real("p");
    if (current) {
        c.ps = in.real("ps");
    } else {
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
