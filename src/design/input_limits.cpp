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
        {InputBox::it, "t", "#0.0", LimitTest::atLeast, 0.1, none, " 0.1 <= t ", true},
        {InputBox::is1, "s1", "#00", LimitTest::atLeast, 10, none, " 10 <= s1  ", true},
        {InputBox::is2, "s2", "#00", LimitTest::atLeast, 10, none, " 10 <= s2  ", true},
        {InputBox::il1, "L1", "#00", LimitTest::atLeast, 50, none, " L1 >= 50 ", true},
        {InputBox::il2, "L2", "#00", LimitTest::atLeast, 50, none, " L2 >= 50 ", true},
        {InputBox::iLg, "Lg", "#00", LimitTest::atLeast, 1000, none, " 1000 <= Lg  ", true},
        {InputBox::iLgs, "Lgs", "#00", LimitTest::atLeast, 1000, none, " 1000 <= Lgs  ", false},
        {InputBox::iLt, "Lt", "#0 ", LimitTest::atLeast, 400, none, " 400 <= Lt ", true},
        {InputBox::isigx1, "SigxA", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::isigx2, "SigxB", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::isigy1, "SigyA", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::isigy3, "SigyC", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::itau1, "Tau", "##0.0", LimitTest::never, none, none, "", false},
        {InputBox::ip1, "p", "##0.000", LimitTest::never, none, none, "", false},
        {InputBox::ips, "ps", "##0.000", LimitTest::never, none, none, "", false},
        {InputBox::ifyp, "Fyp", "#00", LimitTest::between, 50, 2000, " 50 <= fyp <= 2000 ", true},
        {InputBox::ifup, "Fup", "#00", LimitTest::between, 50, 2000, " 50 <= Fup <= 2000 ", true},
        {InputBox::ifys, "Fys", "#00", LimitTest::between, 50, 2000, " 50 <= fys <= 2000 ", true},
        {InputBox::ifus, "Fus", "#00", LimitTest::between, 50, 2000, " 50 <= Fus <= 2000 ", true},
        {InputBox::ie, "E", "0.00E+0", LimitTest::atLeast, 1000, none, " 1000 <= E-modulus ", true},
        {InputBox::ifs, "FS", "#0.00", LimitTest::betweenSingle, 0.6, 2, " 0.6 <= FS <= 2 ", true},
        {InputBox::iufa, "UF", "#0.00", LimitTest::betweenSingle, 0.6, 2, " 0.6 <= UF <= 2 ", true},
        {InputBox::iunit_length, "UL", "#0", LimitTest::between, 5, 600, " 5 < unit length < 600 ", true},
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
    case InputBox::it:
        return dc.t;
    case InputBox::is1:
        return dc.s1;
    case InputBox::is2:
        return dc.s2;
    case InputBox::il1:
        return dc.L1;
    case InputBox::il2:
        return dc.L2;
    case InputBox::iLg:
        return dc.Lg;
    case InputBox::iLgs:
        return dc.Lgs;
    case InputBox::iLt:
        return dc.Lt;
    case InputBox::isigx1:
        return dc.SigxA;
    case InputBox::isigx2:
        return dc.SigxB;
    case InputBox::isigy1:
        return dc.SigyA;
    case InputBox::isigy3:
        return dc.SigyC;
    case InputBox::itau1:
        return dc.Tau;
    case InputBox::ip1:
        return dc.p;
    case InputBox::ips:
        return dc.ps;
    case InputBox::ifyp:
        return dc.Fyp;
    case InputBox::ifup:
        return dc.Fup;
    case InputBox::ifys:
        return dc.Fys;
    case InputBox::ifus:
        return dc.Fus;
    case InputBox::ie:
        return dc.E;
    case InputBox::ifs:
        return dc.FS;
    case InputBox::iufa:
        return dc.UF;
    case InputBox::iunit_length:
        return dc.UL;
    default:
        return 0;
    }
}

namespace {

// Every box stores its value in single precision, whatever the width of the field.
void storeValue(DesignCase& dc, InputBox box, float v) {
    switch (box) {
    case InputBox::it:
        dc.t = v;
        break;
    case InputBox::is1:
        dc.s1 = v;
        break;
    case InputBox::is2:
        dc.s2 = v;
        break;
    case InputBox::il1:
        dc.L1 = v;
        break;
    case InputBox::il2:
        dc.L2 = v;
        break;
    case InputBox::iLg:
        dc.Lg = v;
        break;
    case InputBox::iLgs:
        dc.Lgs = v;
        break;
    case InputBox::iLt:
        dc.Lt = v;
        break;
    case InputBox::isigx1:
        dc.SigxA = v;
        break;
    case InputBox::isigx2:
        dc.SigxB = v;
        break;
    case InputBox::isigy1:
        dc.SigyA = v;
        break;
    case InputBox::isigy3:
        dc.SigyC = v;
        break;
    case InputBox::itau1:
        dc.Tau = v;
        break;
    case InputBox::ip1:
        dc.p = v;
        break;
    case InputBox::ips:
        dc.ps = v;
        break;
    case InputBox::ifyp:
        dc.Fyp = v;
        break;
    case InputBox::ifup:
        dc.Fup = v;
        break;
    case InputBox::ifys:
        dc.Fys = v;
        break;
    case InputBox::ifus:
        dc.Fus = v;
        break;
    case InputBox::ie:
        dc.E = v;
        break;
    case InputBox::ifs:
        dc.FS = v;
        break;
    case InputBox::iufa:
        dc.UF = v;
        break;
    case InputBox::iunit_length:
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
        result.recalculate = box == InputBox::isigx1;
        result.display = std::string(text);
        return result;
    }

    const float stored = static_cast<float>(*parsed);
    storeValue(dc, box, stored);
    if (box == InputBox::is1 || box == InputBox::is2) dc.prep.s1s2 = static_cast<float>(dc.s1 + dc.s2);
    result.display = boxText(stored, limit->mask, '.', limit);

    if (fails(*limit, stored)) {
        result.warning = limit->message;
        result.focusBack = limit->focusBack;
        if (box == InputBox::iunit_length) {
            // An impossible unit length is not calculated with.
            result.recalculate = false;
            result.keepHighlight = true;
        }
    }
    result.refreshWindow = box == InputBox::ips;
    return result;
}

} // namespace korvel
