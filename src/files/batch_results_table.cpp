#include "files/batch_results_table.h"

#include "checks/yield/structure_types.h"
#include "design/check_table.h"
#include "design/number_format_line.h"
#include "files/batch_fields.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <utility>

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

// The masks of the input columns, and of each check's result in the order of the table of checks.
constexpr NumberMask twoDecimals("0.00");
constexpr NumberMask oneDecimal("0.0");
constexpr NumberMask oneDecimalOrEmpty("#0.0");
constexpr NumberMask twoDigits("00");
constexpr NumberMask whole("0");
constexpr NumberMask modulus("0.00E+0");

template <std::size_t... I>
constexpr std::array<NumberMask, sizeof...(I)> resultMasksOf(std::index_sequence<I...>) {
    return {{NumberMask(checkTable[I].mask)...}};
}
constexpr auto resultMasks = resultMasksOf(std::make_index_sequence<checkTable.size()>());

// Cells are written into the line's own buffer, which is added to the table when the line ends.
class Row {
public:
    explicit Row(std::string& out) : line_(out) {}
    // Starts the next cell: its content is then written to the line this returns.
    NumberLine& next() {
        if (!first_) line_.put('\t');
        first_ = false;
        return line_;
    }
    Row& cell(std::string_view text) {
        next().text(text);
        return *this;
    }
    template <typename T>
    Row& cell(T value, const NumberMask& mask) {
        next().number(value, mask);
        return *this;
    }
    template <typename T>
    Row& general(T value) {
        next().general(value);
        return *this;
    }
    // A result in the precision its check computes in; "N/A" where the check does not apply.
    Row& result(const Results& r, const CheckFacts& c) {
        if (resultState(r, c) == ResultState::notApplicable) return cell("N/A");
        const NumberMask& mask = resultMasks[static_cast<std::size_t>(&c - checkTable.data())];
        return c.value ? cell((r.*c.value).written(), mask) : cell((r.*c.single).written(), mask);
    }
    void end() {
        line_.text("\r\n");
        line_.flush();
    }

private:
    NumberLine line_;
    bool first_ = true;
};

// "355/490": the strengths of a material.
void appendStrengths(NumberLine& out, double Fy, float Fu) {
    out.number(Fy, whole);
    out.put('/');
    out.number(Fu, whole);
}

void appendStiffenerProfile(NumberLine& out, const DesignCase& dc) {
    out.text(stiffenerToken(dc.stiffenerType));
    out.number(dc.H, twoDigits);
    out.put('x');
    if (webOnlyProfile(dc.stiffenerType)) {
        out.number(dc.tw, oneDecimal);
        return;
    }
    out.number(dc.B, twoDigits);
    out.put('x');
    out.number(dc.tw, oneDecimal);
    out.put('x');
    out.number(dc.tf, oneDecimalOrEmpty);
}

void appendGirderProfile(NumberLine& out, const DesignCase& dc) {
    const GirderDims* g = girderDims(dc, dc.girderType);
    if (!g) return;
    out.text(girderTypeFacts(dc.girderType)->batchToken);
    out.number(g->H, twoDigits);
    out.put('x');
    out.number(g->B, twoDigits);
    out.put('x');
    out.number(g->tw, oneDecimal);
    out.put('x');
    out.number(g->tf, oneDecimalOrEmpty);
}

void appendLine(std::string& out, const DesignCase& dc, const BatchEntry* entry,
                const std::vector<std::string_view>* fields) {
    static const char* const conditions[] = {"A", "B", "C"};
    const Results& uf = dc.uf;
    Row row(out);
    row.cell(dc.projectName).cell(dc.identification);
    row.cell(dc.loadingCondition >= 0 && dc.loadingCondition <= 2 ? conditions[dc.loadingCondition] : "");
    row.cell(dc.FS, twoDecimals).cell(dc.UF, twoDecimals);
    appendStrengths(row.next(), dc.plateSteel.Fy, dc.plateSteel.Fu);
    appendStrengths(row.next(), dc.stiffenerSteel.Fy, dc.stiffenerSteel.Fu);
    row.cell(dc.E, modulus);
    row.cell(bulkheadText(dc.structureType));
    if (dc.structureType == watertightBulkhead)
        row.cell(dc.UL, twoDigits);
    else
        row.cell("-");
    row.cell(optionText(dc.structureType, dc.structureOption));
    row.cell(dc.cStiffener, twoDecimals);
    appendStiffenerProfile(row.next(), dc);
    appendGirderProfile(row.next(), dc);
    // The spans, thickness, spacings and loads as the batch line orders them, each in its own
    // precision. A value the run kept as read from a field that holds its general form already is
    // copied from the field.
    forEachBatchNumber(firstEchoedField, batchCaseFields - 1, [&](const InputField& f) {
        if (fields) {
            const std::string_view text = (*fields)[static_cast<std::size_t>(f.batchField)];
            if (f.member.get(dc) == f.member.get(entry->inputs) && isOwnGeneralForm(text, f.member.isSingle())) {
                row.cell(text);
                return;
            }
        }
        f.member.visit(dc, [&row](auto value) { row.general(value); });
    });
    forEachResultColumn([&](const char* label) { row.cell(label); }, [&](const CheckFacts& c) { row.result(uf, c); });
    row.end();
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
    appendLine(out, dc, nullptr, nullptr);
}

void appendBatchResultLine(std::string& out, const DesignCase& dc, const BatchEntry& entry,
                           const std::vector<std::string_view>& fields) {
    appendLine(out, dc, fields.size() >= static_cast<std::size_t>(batchCaseFields) ? &entry : nullptr,
               fields.size() >= static_cast<std::size_t>(batchCaseFields) ? &fields : nullptr);
}

} // namespace korvel
