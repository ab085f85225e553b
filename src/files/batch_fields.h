#pragma once

// The 32 fields of a batch line by name, in line order: the names a workbook's header row and the
// Python module's case attributes and frame columns use, and what kind of value each holds. The
// batch reader and writer (batch_file.h, batch_case.h) give the fields their meaning; this list
// only names them, so that a reader of fields by name never keeps a list of its own.

#include "design/input_fields.h"
#include "files/batch_file.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace korvel {

enum class BatchFieldKind {
    text,       // project, identification: any text without TAB or line break
    code,       // a whole number from a short list (loading condition, structure type and option)
    number,     // a number in the design case's units
    profile,    // a profile token ("LW", "TG") ...
    dimensions, // ... and its dimensions joined by a lower-case "x", in the next field
};

struct BatchField {
    const char* name;
    BatchFieldKind kind;
};

// clang-format off
inline constexpr std::array<BatchField, batchCaseFields> batchFields = {{
    {"project", BatchFieldKind::text}, {"identification", BatchFieldKind::text},
    {"condition", BatchFieldKind::code}, {"FS", BatchFieldKind::number}, {"UF", BatchFieldKind::number},
    {"Fyp", BatchFieldKind::number}, {"Fup", BatchFieldKind::number}, {"Fys", BatchFieldKind::number},
    {"Fus", BatchFieldKind::number}, {"E", BatchFieldKind::number}, {"structure", BatchFieldKind::code},
    {"UL", BatchFieldKind::number}, {"option", BatchFieldKind::code},
    {"stiffener", BatchFieldKind::profile}, {"stiffener dimensions", BatchFieldKind::dimensions},
    {"girder", BatchFieldKind::profile}, {"girder dimensions", BatchFieldKind::dimensions},
    {"L1", BatchFieldKind::number}, {"L2", BatchFieldKind::number}, {"Lg", BatchFieldKind::number},
    {"Lgs", BatchFieldKind::number}, {"Lt", BatchFieldKind::number}, {"t", BatchFieldKind::number},
    {"s1", BatchFieldKind::number}, {"s2", BatchFieldKind::number}, {"SigxA", BatchFieldKind::number},
    {"SigxB", BatchFieldKind::number}, {"SigyA", BatchFieldKind::number}, {"SigyC", BatchFieldKind::number},
    {"Tau", BatchFieldKind::number}, {"p", BatchFieldKind::number}, {"ps", BatchFieldKind::number},
}};
// clang-format on

// The typed number each field of a batch line holds, by field; nullptr for the fields of texts,
// codes and profiles.
inline constexpr std::array<const InputField*, batchCaseFields> batchNumberFields = [] {
    std::array<const InputField*, batchCaseFields> byField{};
    for (const InputField& f : inputFields)
        if (f.batchField >= 0) byField[static_cast<std::size_t>(f.batchField)] = &f;
    return byField;
}();

// Calls `f` with the input field of each number among the batch fields `first` to `last`, in the
// order of the line.
template <class F>
void forEachBatchNumber(int first, int last, F&& f) {
    for (int field = first; field <= last; ++field)
        if (const InputField* input = batchNumberFields[static_cast<std::size_t>(field)]) f(*input);
}

// A number field is named by its symbol, and holds a number.
constexpr bool numberFieldsAgree() {
    for (const InputField& f : inputFields) {
        if (f.batchField < 0) continue;
        const BatchField& field = batchFields[static_cast<std::size_t>(f.batchField)];
        if (std::string_view(field.name) != f.symbol || field.kind != BatchFieldKind::number) return false;
    }
    return true;
}
static_assert(numberFieldsAgree(), "a batch field and the input field it holds name it alike");

// The field of a name (exactly as written), or -1.
constexpr int batchFieldIndex(std::string_view name) {
    for (std::size_t i = 0; i < batchFields.size(); ++i)
        if (name == batchFields[i].name) return static_cast<int>(i);
    return -1;
}

} // namespace korvel
