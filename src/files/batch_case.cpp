#include "files/batch_case.h"

#include "design/number_format.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <initializer_list>
#include <utility>

namespace korvel {

namespace {

// A text field: a TAB or a line break would split the line.
void appendText(std::string& out, const std::string& text) {
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

template <class T>
void appendExact(std::string& out, T value) {
    out += '\t';
    out += exactNumber(value);
}

void appendDims(std::string& out, std::initializer_list<float> dims) {
    out += '\t';
    bool first = true;
    for (const float d : dims) {
        if (!first) out += 'x';
        first = false;
        out += exactNumber(d);
    }
}

// Token and dimensions of the working profile of the case; false when a line cannot hold it. A
// catalogue type without a token of its own is written as its built-up equivalent with the row's
// dimensions.
bool appendStiffener(std::string& out, const CaseInputs& in, const Catalogue& cat) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(in.stiffenerType);
    if (!facts) return false;
    const bool webOnly = webOnlyProfile(in.stiffenerType);
    if (const auto kind = facts->table) {
        const ProfileTable& table = tableOf(cat, *kind);
        const int row = in.*facts->tableRow;
        if (!table.hasRow(row)) return false;
        const std::string_view token =
            facts->batchToken.empty() ? stiffenerTypeFacts(facts->builtUpEquivalent)->batchToken : facts->batchToken;
        out += '\t';
        out += token;
        if (webOnly)
            appendDims(out, {table.value(row, col::H), table.value(row, col::twFbBf)});
        else
            appendDims(out, {table.value(row, col::H), table.value(row, col::B), table.value(row, col::twLT),
                             table.value(row, col::tfLT)});
        return true;
    }
    const ProfileDims* dims = builtUpDims(in, in.stiffenerType);
    if (!dims || facts->batchToken.empty()) return false;
    out += '\t';
    out += facts->batchToken;
    if (webOnly)
        appendDims(out, {dims->H, dims->tw});
    else
        appendDims(out, {dims->H, dims->B, dims->tw, dims->tf});
    return true;
}

} // namespace

bool loadBatchInputs(const BatchEntry& e, CaseInputs& in, const Catalogue& catalogue) {
    // A case is its line alone: every input the line does not give (the rows and remembered sets
    // of the other profile types, a bulb flat's r, a flat bar's B and tf) takes its new-file
    // value, so that nothing of the case loaded before shows in this one's detail or JSON.
    // The texts keep their storage for the next line.
    std::string projectName = std::move(in.projectName);
    std::string identification = std::move(in.identification);
    in = CaseInputs{};
    in.projectName = std::move(projectName);
    in.identification = std::move(identification);
    in.projectName = e.firstText;
    in.identification = e.secondText;
    in.loadingCondition = e.loadingCondition;
    in.FS = static_cast<float>(e.FS);
    in.UF = static_cast<float>(e.UF);
    in.Fyp = e.Fyp;
    in.Fup = static_cast<float>(e.Fup);
    in.Fys = e.Fys;
    in.Fus = static_cast<float>(e.Fus);
    in.E = static_cast<float>(e.E);
    in.structureType = e.structureType;
    in.UL = static_cast<float>(e.UL);
    in.structureOption = e.structureOption;
    in.s1 = e.s1;
    in.s2 = e.s2;
    in.SigxA = e.SigxA;
    in.SigxB = static_cast<float>(e.SigxB);
    in.SigyA = e.SigyA;
    in.SigyC = static_cast<float>(e.SigyC);
    in.Tau = static_cast<float>(e.Tau);
    in.p = e.p;
    in.ps = e.ps;
    in.t = e.t;
    in.L1 = e.L1;
    in.L2 = e.L2;
    in.Lg = e.Lg;
    in.Lgs = static_cast<float>(e.Lgs);
    in.Lt = e.Lt;

    // The user-defined grade keeps the file's strengths in force.
    in.plateMaterial = catalogue.materials.lastRow();
    in.stiffenerMaterial = catalogue.materials.lastRow();

    in.stiffenerType = e.stiffenerType;
    bool profileInTable = true;
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(e.stiffenerType);
    if (facts && facts->table) {
        in.*facts->tableRow = e.tableRow;
        profileInTable = tableOf(catalogue, *facts->table).hasRow(e.tableRow);
    } else if (ProfileDims* dims = builtUpDims(in, e.stiffenerType)) {
        dims->H = e.stiffener[0];
        if (webOnlyProfile(e.stiffenerType)) {
            dims->tw = e.stiffener[1];
        } else {
            dims->B = e.stiffener[1];
            dims->tw = e.stiffener[2];
            dims->tf = e.stiffener[3];
        }
    }
    in.girderType = e.girderType;
    if (GirderDims* girder = girderDims(in, e.girderType)) *girder = e.girder;
    return profileInTable;
}

CaseInputs batchCaseInputs(const BatchEntry& entry, const Catalogue& catalogue) {
    CaseInputs inputs;
    loadBatchInputs(entry, inputs, catalogue);
    return inputs;
}

bool appendBatchCaseLine(std::string& out, const CaseInputs& in, const Catalogue& cat) {
    const GirderTypeFacts* girder = girderTypeFacts(in.girderType);
    if (!girder) return false;
    const GirderDims& g = in.*girder->dims;

    // The strengths in force: a grade of the list gives its own.
    double Fyp = in.Fyp, Fys = in.Fys;
    float Fup = in.Fup, Fus = in.Fus;
    const int userGrade = cat.materials.lastRow();
    if (in.plateMaterial != userGrade && cat.materials.hasRow(in.plateMaterial)) {
        Fyp = cat.materials.rows[static_cast<std::size_t>(in.plateMaterial)].Fy;
        Fup = static_cast<float>(cat.materials.rows[static_cast<std::size_t>(in.plateMaterial)].Fu);
    }
    if (in.stiffenerMaterial != userGrade && cat.materials.hasRow(in.stiffenerMaterial)) {
        Fys = cat.materials.rows[static_cast<std::size_t>(in.stiffenerMaterial)].Fy;
        Fus = static_cast<float>(cat.materials.rows[static_cast<std::size_t>(in.stiffenerMaterial)].Fu);
    }

    std::string line;
    line.reserve(320);
    appendText(line, in.projectName);
    line += '\t';
    appendText(line, in.identification);
    line += '\t' + std::to_string(in.loadingCondition);
    appendExact(line, in.FS);
    appendExact(line, in.UF);
    appendExact(line, Fyp);
    appendExact(line, Fup);
    appendExact(line, Fys);
    appendExact(line, Fus);
    appendExact(line, in.E);
    line += '\t' + std::to_string(in.structureType);
    appendExact(line, in.UL);
    line += '\t' + std::to_string(in.structureOption);
    if (!appendStiffener(line, in, cat)) return false;
    line += '\t';
    line += girder->batchToken;
    line += '\t';
    line += exactNumber(g.H) + "x" + exactNumber(g.B) + "x" + exactNumber(g.tw) + "x" + exactNumber(g.tf);
    for (const double v : {in.L1, in.L2, in.Lg}) appendExact(line, v);
    appendExact(line, in.Lgs);
    for (const double v : {in.Lt, in.t, in.s1, in.s2, in.SigxA}) appendExact(line, v);
    appendExact(line, in.SigxB);
    appendExact(line, in.SigyA);
    appendExact(line, in.SigyC);
    appendExact(line, in.Tau);
    appendExact(line, in.p);
    appendExact(line, in.ps);
    line += "\r\n";
    out += line;
    return true;
}

} // namespace korvel
