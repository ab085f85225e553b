#include "files/batch_results_table.h"

#include "checks/yield/structure_types.h"
#include "design/check_table.h"
#include "design/number_format.h"
#include "files/batch_fields.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <iterator>
#include <string_view>

namespace korvel {

namespace {

// The columns before the results; the results follow in the order of the table of checks, each
// listing group opened by its label.
// clang-format off
const char* const inputLabels[] = {
    "Project:", "Identification:", "Loading Cond:", "Factor of Safety F.S:", "Allowable Usage factor:",
    "Material-plate: Fy/Fu", "Material-stiff: Fy/Fu", "E-modulus:", "Bulkhead type:", "Unit Length:", "Stiffener:",
    "C-factor:", "Stiff Prof:", "Gird Prof:",
    "L1", "L2", "Lg", "Lgs", "Lt", "t", "s1", "s2", "SigxA", "SigxB", "SigyA", "SigyC", "Tau", "p", "ps"};
// clang-format on

const char* groupLabel(ListingGroup group) {
    return group == ListingGroup::buckling ? "Buckling" : "Scant/Yield";
}

// Calls `label` before the first check of each listing group and `check` for every check.
template <class Label, class Check>
void forEachResultColumn(Label&& label, Check&& check) {
    const CheckFacts* previous = nullptr;
    for (const CheckFacts& c : checkTable) {
        if (!previous || previous->group != c.group) label(groupLabel(c.group));
        check(c);
        previous = &c;
    }
}

// An invalid structure code never reaches the table (the readers refuse it); the last type's
// text stands in, as it always has.
std::string_view bulkheadText(int structureType) {
    const StructureTypeFacts* facts = structureTypeFacts(structureType);
    return facts ? facts->results : structureTypes[upperStructure].results;
}

std::string_view optionText(int structureType, int option) {
    const StructureTypeFacts* facts = structureTypeFacts(structureType);
    if (!facts || option < 0 || option > 1) return {};
    return facts->options[option].results;
}

std::string_view stiffenerToken(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->resultsToken : std::string_view();
}

// The batch fields from L1 on are all numbers, echoed as given.
constexpr int firstEchoedField = 17;
constexpr bool echoedFieldsAreNumbers() {
    for (int field = firstEchoedField; field < batchCaseFields; ++field) {
        bool found = false;
        for (const InputField& f : inputFields) found = found || f.batchField == field;
        if (!found) return false;
    }
    return true;
}
static_assert(echoedFieldsAreNumbers());

// Cells are written straight into the line: numbers through the append forms of the formatter,
// so that no cell is a text of its own.
class Row {
public:
    explicit Row(std::string& out) : out_(out) {}
    // Starts the next cell: its content is then appended to the line this returns.
    std::string& next() {
        if (!first_) out_ += '\t';
        first_ = false;
        return out_;
    }
    Row& cell(std::string_view text) {
        next() += text;
        return *this;
    }
    template <typename T>
    Row& cell(T value, std::string_view mask) {
        appendNumber(next(), value, mask);
        return *this;
    }
    template <typename T>
    Row& general(T value) {
        appendGeneral(next(), value);
        return *this;
    }
    // A result in the precision its check computes in; "N/A" where the check does not apply.
    Row& result(const Results& r, const CheckFacts& c) {
        if (resultState(r, c) == ResultState::notApplicable) return cell("N/A");
        return c.value ? cell((r.*c.value).written(), c.mask) : cell((r.*c.single).written(), c.mask);
    }
    void end() { out_ += "\r\n"; }

private:
    std::string& out_;
    bool first_ = true;
};

// "355/490": the strengths of a material.
void appendStrengths(std::string& out, double Fy, float Fu) {
    appendNumber(out, Fy, "0");
    out += '/';
    appendNumber(out, Fu, "0");
}

void appendStiffenerProfile(std::string& out, const DesignCase& dc) {
    out += stiffenerToken(dc.stiffenerType);
    appendNumber(out, dc.H, "00");
    out += 'x';
    if (webOnlyProfile(dc.stiffenerType)) {
        appendNumber(out, dc.tw, "0.0");
        return;
    }
    appendNumber(out, dc.B, "00");
    out += 'x';
    appendNumber(out, dc.tw, "0.0");
    out += 'x';
    appendNumber(out, dc.tf, "#0.0");
}

void appendGirderProfile(std::string& out, const DesignCase& dc) {
    const GirderDims* g = girderDims(dc, dc.girderType);
    if (!g) return;
    out += girderTypeFacts(dc.girderType)->batchToken;
    appendNumber(out, g->H, "00");
    out += 'x';
    appendNumber(out, g->B, "00");
    out += 'x';
    appendNumber(out, g->tw, "0.0");
    out += 'x';
    appendNumber(out, g->tf, "#0.0");
}

} // namespace

int batchResultsInputColumns() {
    return static_cast<int>(std::size(inputLabels));
}

std::string batchResultsHeader() {
    std::string out;
    Row row(out);
    for (const char* label : inputLabels) row.cell(label);
    forEachResultColumn([&](const char* label) { row.cell(label); }, [&](const CheckFacts& c) { row.cell(c.heading); });
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
    appendStrengths(row.next(), dc.plateSteel.Fy, dc.plateSteel.Fu);
    appendStrengths(row.next(), dc.stiffenerSteel.Fy, dc.stiffenerSteel.Fu);
    row.cell(dc.E, "0.00E+0");
    row.cell(bulkheadText(dc.structureType));
    if (dc.structureType == watertightBulkhead)
        row.cell(dc.UL, "00");
    else
        row.cell("-");
    row.cell(optionText(dc.structureType, dc.structureOption));
    row.cell(dc.cStiffener, "0.00");
    appendStiffenerProfile(row.next(), dc);
    appendGirderProfile(row.next(), dc);
    // The spans, thickness, spacings and loads as the batch line orders them, each in its own
    // precision.
    forEachBatchNumber(firstEchoedField, batchCaseFields - 1,
                       [&](const InputField& f) { f.member.visit(dc, [&row](auto value) { row.general(value); }); });
    forEachResultColumn([&](const char* label) { row.cell(label); }, [&](const CheckFacts& c) { row.result(uf, c); });
    row.end();
}

} // namespace korvel
