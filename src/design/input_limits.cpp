#include "design/input_limits.h"

#include "design/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvel {

namespace {

constexpr double none = 0;

// The characters a number box shows in full ("-000.000" and a digit more).
constexpr std::size_t boxCharacters = 9;

} // namespace

const std::vector<InputLimit>& inputLimits() {
    static const std::vector<InputLimit> table = {
        {InputBox::t, "t", "#0.0", LimitTest::atLeast, 0.1, none, " 0.1 <= t ", true},
        {InputBox::s1, "s1", "#00", LimitTest::atLeast, 10, none, " 10 <= s1  ", true},
        {InputBox::s2, "s2", "#00", LimitTest::atLeast, 10, none, " 10 <= s2  ", true},
        {InputBox::L1, "L1", "#00", LimitTest::atLeast, 50, none, " L1 >= 50 ", true},
        {InputBox::L2, "L2", "#00", LimitTest::atLeast, 50, none, " L2 >= 50 ", true},
        {InputBox::Lg, "Lg", "#00", LimitTest::atLeast, 1000, none, " 1000 <= Lg  ", true},
        {InputBox::Lgs, "Lgs", "#00", LimitTest::atLeast, 1000, none, " 1000 <= Lgs  ", false},
        {InputBox::Lt, "Lt", "#0 ", LimitTest::atLeast, 400, none, " 400 <= Lt ", true},
        {InputBox::SigxA, "SigxA", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::SigxB, "SigxB", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::SigyA, "SigyA", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::SigyC, "SigyC", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::Tau, "Tau", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::p, "p", "##0.000", LimitTest::never, none, none, "", false},
        {InputBox::ps, "ps", "##0.000", LimitTest::never, none, none, "", false},
        {InputBox::Fyp, "Fyp", "#00", LimitTest::between, 50, 2000, " 50 <= fyp <= 2000 ", true},
        {InputBox::Fup, "Fup", "#00", LimitTest::between, 50, 2000, " 50 <= Fup <= 2000 ", true},
        {InputBox::Fys, "Fys", "#00", LimitTest::between, 50, 2000, " 50 <= fys <= 2000 ", true},
        {InputBox::Fus, "Fus", "#00", LimitTest::between, 50, 2000, " 50 <= Fus <= 2000 ", true},
        {InputBox::E, "E", "0.00E+0", LimitTest::atLeast, 1000, none, " 1000 <= E-modulus ", true},
        {InputBox::FS, "FS", "#0.00", LimitTest::betweenSingle, 0.6, 2, " 0.6 <= FS <= 2 ", true},
        {InputBox::UF, "UF", "#0.00", LimitTest::betweenSingle, 0.6, 2, " 0.6 <= UF <= 2 ", true},
        {InputBox::UL, "UL", "#0", LimitTest::between, 5, 600, " 5 < unit length < 600 ", true},
    };
    return table;
}

const InputLimit* findInputLimit(InputBox box) {
    const auto& table = inputLimits();
    const auto it = std::find_if(table.begin(), table.end(), [box](const InputLimit& l) { return l.box == box; });
    return it == table.end() ? nullptr : &*it;
}

double inputValue(const DesignCase& dc, InputBox box) {
    switch (box) {
    case InputBox::t:
        return dc.t;
    case InputBox::s1:
        return dc.s1;
    case InputBox::s2:
        return dc.s2;
    case InputBox::L1:
        return dc.L1;
    case InputBox::L2:
        return dc.L2;
    case InputBox::Lg:
        return dc.Lg;
    case InputBox::Lgs:
        return dc.Lgs;
    case InputBox::Lt:
        return dc.Lt;
    case InputBox::SigxA:
        return dc.SigxA;
    case InputBox::SigxB:
        return dc.SigxB;
    case InputBox::SigyA:
        return dc.SigyA;
    case InputBox::SigyC:
        return dc.SigyC;
    case InputBox::Tau:
        return dc.Tau;
    case InputBox::p:
        return dc.p;
    case InputBox::ps:
        return dc.ps;
    case InputBox::Fyp:
        return dc.Fyp;
    case InputBox::Fup:
        return dc.Fup;
    case InputBox::Fys:
        return dc.Fys;
    case InputBox::Fus:
        return dc.Fus;
    case InputBox::E:
        return dc.E;
    case InputBox::FS:
        return dc.FS;
    case InputBox::UF:
        return dc.UF;
    case InputBox::UL:
        return dc.UL;
    default:
        return 0;
    }
}

namespace {

// Every box stores its value in single precision, whatever the width of the field.
void storeValue(DesignCase& dc, InputBox box, float v) {
    switch (box) {
    case InputBox::t:
        dc.t = v;
        break;
    case InputBox::s1:
        dc.s1 = v;
        break;
    case InputBox::s2:
        dc.s2 = v;
        break;
    case InputBox::L1:
        dc.L1 = v;
        break;
    case InputBox::L2:
        dc.L2 = v;
        break;
    case InputBox::Lg:
        dc.Lg = v;
        break;
    case InputBox::Lgs:
        dc.Lgs = v;
        break;
    case InputBox::Lt:
        dc.Lt = v;
        break;
    case InputBox::SigxA:
        dc.SigxA = v;
        break;
    case InputBox::SigxB:
        dc.SigxB = v;
        break;
    case InputBox::SigyA:
        dc.SigyA = v;
        break;
    case InputBox::SigyC:
        dc.SigyC = v;
        break;
    case InputBox::Tau:
        dc.Tau = v;
        break;
    case InputBox::p:
        dc.p = v;
        break;
    case InputBox::ps:
        dc.ps = v;
        break;
    case InputBox::Fyp:
        dc.Fyp = v;
        break;
    case InputBox::Fup:
        dc.Fup = v;
        break;
    case InputBox::Fys:
        dc.Fys = v;
        break;
    case InputBox::Fus:
        dc.Fus = v;
        break;
    case InputBox::E:
        dc.E = v;
        break;
    case InputBox::FS:
        dc.FS = v;
        break;
    case InputBox::UF:
        dc.UF = v;
        break;
    case InputBox::UL:
        dc.UL = v;
        break;
    default:
        break;
    }
}

bool fails(const InputLimit& limit, float v) {
    switch (limit.test) {
    case LimitTest::never:
        return false;
    case LimitTest::atLeast:
        return static_cast<double>(v) < limit.low;
    case LimitTest::between:
        return v < limit.low || v > limit.high;
    case LimitTest::betweenSingle:
        return v < static_cast<float>(limit.low) || v > static_cast<float>(limit.high);
    }
    return false;
}

} // namespace

std::string boxText(double value, std::string_view mask, char decimalSeparator, const InputLimit* limit) {
    const auto stored = static_cast<float>(value);
    std::string text = formatNumber(stored, mask);
    const std::optional<double> back = parseNumber(text, DecimalMode::period);
    const bool misleads =
        !back.has_value() || (limit != nullptr && fails(*limit, stored) != fails(*limit, static_cast<float>(*back)));
    if (misleads || text.size() > boxCharacters) {
        // The shortest text that reads back as the stored value; the exponent form beyond 1E+07.
        std::string general = generalNumber(stored);
        if (misleads || general.size() < text.size()) text = std::move(general);
    }
    if (decimalSeparator != '.') std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

Validation validateBox(DesignCase& dc, InputBox box, std::string_view text, DecimalMode mode) {
    Validation result;
    const InputLimit* limit = findInputLimit(box);
    if (limit == nullptr) {
        // Project name and identification only store their text.
        result.display = std::string(text);
        result.recalculate = false;
        return result;
    }

    const std::optional<double> parsed = parseNumber(text, mode);
    if (!parsed || std::fabs(*parsed) > std::numeric_limits<float>::max()) {
        // Not a number, or too large for the single-precision field: nothing is stored.
        // SigxA still recalculates.
        result.inputError = true;
        result.focusBack = true;
        result.recalculate = box == InputBox::SigxA;
        result.display = std::string(text);
        return result;
    }

    const float stored = static_cast<float>(*parsed);
    storeValue(dc, box, stored);
    if (box == InputBox::s1 || box == InputBox::s2) dc.prep.s1s2 = static_cast<float>(dc.s1 + dc.s2);
    result.display = boxText(stored, limit->mask, '.', limit);

    if (fails(*limit, stored)) {
        result.warning = limit->message;
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
