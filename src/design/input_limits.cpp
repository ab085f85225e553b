#include "design/input_limits.h"

#include "design/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvel {

namespace {

// The characters a number box shows in full ("-000.000" and a digit more).
constexpr std::size_t boxCharacters = 9;

// The limit test on the value the field holds, in the precision the test compares in.
bool fails(const InputField& limit, double v) {
    switch (limit.test) {
    case LimitTest::never:
        return false;
    case LimitTest::atLeast:
        return v < limit.low;
    case LimitTest::between:
        return v < limit.low || v > limit.high;
    case LimitTest::betweenSingle: {
        const auto single = static_cast<float>(v);
        return single < static_cast<float>(limit.low) || single > static_cast<float>(limit.high);
    }
    }
    return false;
}

// `v` as the field would hold it.
double heldAs(const InputField& field, double v) {
    return field.member.isSingle() ? static_cast<double>(static_cast<float>(v)) : v;
}

} // namespace
std::string boxText(double value, std::string_view mask, char decimalSeparator, const InputField* limit) {
    // Shown as the single-precision number the boxes have always shown: the masks round it.
    const auto stored = static_cast<float>(value);
    std::string text = formatNumber(stored, mask);
    const std::optional<double> back = parseNumber(text, DecimalMode::period);
    const bool misleads =
        !back.has_value() || (limit != nullptr && fails(*limit, value) != fails(*limit, heldAs(*limit, *back)));
    if (misleads || text.size() > boxCharacters) {
        // The shortest text that reads back as the stored value; the exponent form beyond 1E+07.
        std::string general = generalNumber(stored);
        if (misleads || general.size() < text.size()) text = std::move(general);
    }
    if (decimalSeparator != '.') std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

std::string fieldBoxText(const CaseInputs& c, InputBox box, char decimalSeparator) {
    const InputField* field = findInputField(box);
    return field ? boxText(field->member.get(c), field->mask, decimalSeparator, field) : std::string();
}

Validation validateBox(DesignCase& dc, InputBox box, std::string_view text, DecimalMode mode) {
    Validation result;
    const InputField* limit = findInputField(box);
    if (limit == nullptr) {
        // Project name and identification only store their text.
        result.display = std::string(text);
        result.recalculate = false;
        return result;
    }

    const std::optional<double> parsed = parseNumber(text, mode);
    if (!parsed || std::fabs(*parsed) > std::numeric_limits<float>::max()) {
        // Not a number, or beyond the float range no field takes: nothing is stored.
        // SigxA still recalculates.
        result.inputError = true;
        result.focusBack = true;
        result.recalculate = box == InputBox::SigxA;
        result.display = std::string(text);
        return result;
    }

    const double stored = limit->member.set(dc, *parsed);
    if (box == InputBox::s1 || box == InputBox::s2) dc.prep.s1s2 = static_cast<float>(dc.s1 + dc.s2);
    result.display = boxText(stored, limit->mask, '.', limit);

    if (fails(*limit, stored)) {
        result.warning = limit->warning;
        result.focusBack = limit->focusBack;
        if (box == InputBox::UL) {
            // An impossible unit length is not calculated with.
            result.recalculate = false;
            result.keepHighlight = true;
        }
    }
    result.refreshWindow = box == InputBox::ps;
    return result;
}

} // namespace korvel
