#include "files/batch_case.h"

#include "files/batch_fields.h"

#include "checks/materials.h"
#include "design/number_format.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <initializer_list>

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

bool appendBatchCaseLine(std::string& out, const CaseInputs& in, const Catalogue& cat) {
    const GirderTypeFacts* girder = girderTypeFacts(in.girderType);
    if (!girder) return false;
    const GirderDims& g = in.*girder->dims;

    // The strengths in force: a grade of the list gives its own.
    CaseInputs written = in;
    const MaterialStrengths plate = plateStrengthsInForce(in, cat);
    const MaterialStrengths stiffener = stiffenerStrengthsInForce(in, cat);
    written.Fyp = plate.Fy;
    written.Fup = plate.Fu;
    written.Fys = stiffener.Fy;
    written.Fus = stiffener.Fu;
    // The number fields from `first` to `last`, each in the precision the case holds it.
    const auto numbers = [&](std::string& out, int first, int last) {
        forEachBatchNumber(first, last, [&](const InputField& f) {
            f.member.visit(written, [&](auto value) { appendExact(out, value); });
        });
    };

    std::string line;
    line.reserve(320);
    appendText(line, in.projectName);
    line += '\t';
    appendText(line, in.identification);
    line += '\t' + std::to_string(in.loadingCondition);
    numbers(line, 3, 9);
    line += '\t' + std::to_string(in.structureType);
    numbers(line, 11, 11);
    line += '\t' + std::to_string(in.structureOption);
    if (!appendStiffener(line, in, cat)) return false;
    line += '\t';
    line += girder->batchToken;
    line += '\t';
    line += exactNumber(g.H) + "x" + exactNumber(g.B) + "x" + exactNumber(g.tw) + "x" + exactNumber(g.tf);
    numbers(line, 17, batchCaseFields - 1);
    line += "\r\n";
    out += line;
    return true;
}

} // namespace korvel
