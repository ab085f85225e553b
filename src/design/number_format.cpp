#include "design/number_format.h"

#include "design/number_format_paths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <type_traits>
#include <vector>

namespace korvel {

using formatPaths::Mask;

namespace {

// A finite value as the decimal digits it prints as: value = d1.d2d3... * 10^exponent.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Splits the scientific text of std::to_chars ("-1.23450e-03"). `significant` = 0 asks for the
// shortest text that reads back to the same value of type T.
template <typename T>
DecimalDigits toDigits(T value, int significant) {
    char buffer[64];
    const auto written =
        significant > 0
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    DecimalDigits d;
    if (!text.empty() && text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    if (e != std::string_view::npos && e + 2 < text.size()) {
        std::from_chars(text.data() + e + 2, text.data() + text.size(), d.exponent);
        if (text[e + 1] == '-') d.exponent = -d.exponent;
    }
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit after them (the
// sign is held apart, so rounding the magnitude up is away from zero). Returns true when the
// carry ran out of the front and a leading 1 was added (9.99 -> 10.0).
bool roundDigits(std::string& digits, int keep) {
    if (keep < 0) {
        digits.clear(); // below a tenth of the last printed place: rounds to zero
        return false;
    }
    if (keep >= static_cast<int>(digits.size())) return false;
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (!up) return false;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// The masks are a few dozen literals used over and over in every calculation: each is parsed
// once per thread and found again by its text.
const Mask& cachedMask(std::string_view text) {
    struct Entry {
        const char* literal; // where the caller's text lived: the same literal is found at once
        std::string text;
        Mask mask;
    };
    thread_local std::vector<Entry> cache;
    for (const Entry& e : cache) {
        if (e.literal == text.data() && e.text.size() == text.size()) return e.mask;
    }
    for (Entry& e : cache) {
        if (e.text == text) {
            e.literal = text.data();
            return e.mask;
        }
    }
    if (cache.size() >= 64) cache.clear(); // masks built at run time must not grow it for ever
    cache.reserve(64);
    cache.push_back({text.data(), std::string(text), Mask{}});
    Entry& added = cache.back();
    added.mask = formatPaths::parseMask(added.text); // views into the cached copy of the text
    return added.mask;
}

std::string intText(int n) {
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, n);
    return {buffer, written.ptr};
}

std::string format(DecimalDigits d, std::string_view maskText, char separator) {
    const Mask& mask = cachedMask(maskText);
    const int decimals = static_cast<int>(mask.decimals.size());
    const bool zero = std::all_of(d.digits.begin(), d.digits.end(), [](char c) { return c == '0'; });

    // pointPos: how many digits of d.digits stand before the decimal point.
    int pointPos = d.exponent + 1;
    int exponent = 0;
    if (mask.exponent) {
        pointPos = static_cast<int>(mask.integer.size());
        exponent = zero ? 0 : d.exponent - (pointPos - 1);
        if (roundDigits(d.digits, pointPos + decimals)) {
            ++exponent; // 9.999E+2 -> 10.00 -> 1.00E+3
            d.digits.pop_back();
        }
    } else if (roundDigits(d.digits, pointPos + decimals)) {
        ++pointPos;
    }

    const auto size = static_cast<int>(d.digits.size());
    std::string integer;
    if (pointPos > 0) {
        integer = d.digits.substr(0, static_cast<std::size_t>(std::min(pointPos, size)));
        integer.append(static_cast<std::size_t>(std::max(0, pointPos - size)), '0');
    }
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    const auto minInteger = static_cast<std::size_t>(std::count(mask.integer.begin(), mask.integer.end(), '0'));
    if (integer.size() < minInteger) integer.insert(0, minInteger - integer.size(), '0');

    std::string fraction;
    for (int i = 0; i < decimals; ++i) {
        const int p = pointPos + i;
        fraction += p >= 0 && p < size ? d.digits[static_cast<std::size_t>(p)] : '0';
    }
    while (!fraction.empty() && fraction.back() == '0' && mask.decimals[fraction.size() - 1] == '#') {
        fraction.pop_back();
    }

    const auto nonZero = [](const std::string& s) { return s.find_first_not_of('0') != std::string::npos; };
    std::string out;
    if (d.negative && (nonZero(integer) || nonZero(fraction))) out += '-';
    out += mask.prefix;
    out += integer;
    if (!fraction.empty()) {
        out += separator;
        out += fraction;
    }
    if (mask.exponent) {
        out += mask.expLetter;
        if (exponent < 0) {
            out += '-';
        } else if (mask.expAlwaysSigned) {
            out += '+';
        }
        const std::string digits = intText(std::abs(exponent));
        if (static_cast<int>(digits.size()) < mask.expMinDigits) {
            out.append(static_cast<std::size_t>(mask.expMinDigits) - digits.size(), '0');
        }
        out += digits;
    }
    out += mask.suffix;
    return out;
}

// A number's few characters put at the end of a line one by one: cheaper than a general append
// for a handful of characters once the line's buffer has grown to its length.
inline void appendShort(std::string& out, const char* begin, const char* end) {
    if (end - begin > 24) {
        out.append(begin, static_cast<std::size_t>(end - begin));
        return;
    }
    for (; begin != end; ++begin) out.push_back(*begin);
}

// The digit-string path. Its last few texts are kept, so that a column repeating a handful of
// values through an exponent mask (the E-modulus of every case: a file may hold several) is
// formatted once per value.
template <typename T>
void keptOnDigits(std::string& out, T value, std::string_view mask, char separator, int significant) {
    // The value is known by its bits: -0 and 0 are different texts to this path.
    using Bits = std::conditional_t<std::is_same_v<T, double>, std::uint64_t, std::uint32_t>;
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    struct Kept {
        Bits bits = 0;
        std::string mask;
        char separator = 0;
        std::string text;
        bool set = false;
    };
    constexpr std::size_t keptCount = 8;
    thread_local std::array<Kept, keptCount> kept;
    thread_local std::size_t next = 0;
    for (const Kept& k : kept) {
        if (k.set && k.bits == bits && k.separator == separator && k.mask == mask) {
            out += k.text;
            return;
        }
    }
    Kept& k = kept[next];
    next = (next + 1) % keptCount;
    k.text = format(toDigits(value, significant), mask, separator);
    k.bits = bits;
    k.mask.assign(mask.data(), mask.size());
    k.separator = separator;
    k.set = true;
    out += k.text;
}

template <typename T>
void appendGeneralValue(std::string& out, T value, char separator);

template <typename T>
void appendValue(std::string& out, T value, std::string_view maskText, char separator, int significant) {
    if (!std::isfinite(value)) {
        out += nonFiniteText;
        return;
    }
    if (maskText.empty()) {
        appendGeneralValue(out, value, separator);
        return;
    }
    const Mask* common = formatPaths::commonMask(maskText);
    const Mask& mask = common ? *common : cachedMask(maskText);
    const double tieZone = significant <= 7 ? formatPaths::floatTieZone : formatPaths::doubleTieZone;
    char text[formatPaths::directRoom];
    if (const char* end = formatPaths::writeFixed(text, static_cast<double>(value), mask, separator, tieZone)) {
        appendShort(out, text, end);
        return;
    }
    keptOnDigits(out, value, maskText, separator, significant);
}

// `maxDigits` caps the significant digits, `plainBelow` is the decimal exponent from which on the
// exponent form is written.
template <typename T>
std::string general(T value, char separator, int maxDigits, int plainBelow) {
    if (!std::isfinite(value)) return std::string(nonFiniteText);
    if (value == 0) return "0"; // also -0: no sign on a zero
    DecimalDigits d = toDigits(value, 0);
    if (static_cast<int>(d.digits.size()) > maxDigits) d = toDigits(value, maxDigits);
    d.digits.erase(std::max<std::size_t>(d.digits.find_last_not_of('0') + 1, 1));

    std::string out = d.negative ? "-" : "";
    const auto size = static_cast<int>(d.digits.size());
    if (d.exponent >= -5 && d.exponent < plainBelow) {
        if (d.exponent < 0) {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            out += d.digits;
        } else {
            const int integerDigits = d.exponent + 1;
            out += d.digits.substr(0, static_cast<std::size_t>(std::min(integerDigits, size)));
            out.append(static_cast<std::size_t>(std::max(0, integerDigits - size)), '0');
            if (size > integerDigits) {
                out += separator;
                out += d.digits.substr(static_cast<std::size_t>(integerDigits));
            }
        }
        return out;
    }
    out += d.digits[0];
    if (size > 1) {
        out += separator;
        out += d.digits.substr(1);
    }
    out += d.exponent < 0 ? "E-" : "E+";
    const std::string digits = intText(std::abs(d.exponent));
    if (digits.size() < 2) out += '0';
    return out + digits;
}

template <typename T>
void appendGeneralValue(std::string& out, T value, char separator) {
    if (!std::isfinite(value)) {
        out += nonFiniteText;
    } else if (value == 0) {
        out += '0'; // also -0: no sign on a zero
    } else {
        char text[formatPaths::directRoom];
        if (const char* end = formatPaths::writePlainGeneral(text, value, separator)) {
            appendShort(out, text, end);
            return;
        }
        constexpr int digits = std::is_same_v<T, double> ? 15 : 7;
        out += general(value, separator, digits, digits);
    }
}

} // namespace

void appendNumber(std::string& out, double value, std::string_view mask, char decimalSeparator) {
    appendValue(out, value, mask, decimalSeparator, 15);
}

void appendNumber(std::string& out, float value, std::string_view mask, char decimalSeparator) {
    appendValue(out, value, mask, decimalSeparator, 7);
}

void appendGeneral(std::string& out, double value, char decimalSeparator) {
    appendGeneralValue(out, value, decimalSeparator);
}

void appendGeneral(std::string& out, float value, char decimalSeparator) {
    appendGeneralValue(out, value, decimalSeparator);
}

std::string formatNumber(double value, std::string_view mask, char decimalSeparator) {
    std::string out;
    appendNumber(out, value, mask, decimalSeparator);
    return out;
}

std::string formatNumber(float value, std::string_view mask, char decimalSeparator) {
    std::string out;
    appendNumber(out, value, mask, decimalSeparator);
    return out;
}

std::string generalNumber(double value, char decimalSeparator) {
    std::string out;
    appendGeneral(out, value, decimalSeparator);
    return out;
}

std::string generalNumber(float value, char decimalSeparator) {
    std::string out;
    appendGeneral(out, value, decimalSeparator);
    return out;
}

namespace {

template <typename T>
void appendAnyOnDigits(std::string& out, T value, std::string_view mask, char separator) {
    constexpr int significant = std::is_same_v<T, double> ? 15 : 7;
    if (!std::isfinite(value))
        out += nonFiniteText;
    else if (mask.empty())
        out += general(value, separator, significant, significant);
    else
        keptOnDigits(out, value, mask, separator, significant);
}

} // namespace

void formatPaths::appendOnDigits(std::string& out, double value, std::string_view mask, char separator) {
    appendAnyOnDigits(out, value, mask, separator);
}

void formatPaths::appendOnDigits(std::string& out, float value, std::string_view mask, char separator) {
    appendAnyOnDigits(out, value, mask, separator);
}

namespace {

template <typename T>
std::string onDigits(T value, std::string_view mask, char separator, int significant) {
    if (!std::isfinite(value)) return std::string(nonFiniteText);
    if (mask.empty()) return general(value, separator, significant, significant);
    return format(toDigits(value, significant), mask, separator);
}

} // namespace

std::string formatNumberOnDigits(double value, std::string_view mask, char decimalSeparator) {
    return onDigits(value, mask, decimalSeparator, 15);
}

std::string formatNumberOnDigits(float value, std::string_view mask, char decimalSeparator) {
    return onDigits(value, mask, decimalSeparator, 7);
}

std::string generalNumberOnDigits(double value, char decimalSeparator) {
    return general(value, decimalSeparator, 15, 15);
}

std::string generalNumberOnDigits(float value, char decimalSeparator) {
    return general(value, decimalSeparator, 7, 7);
}

// The shortest text of a double has at most 17 significant digits, that of a float 9. A
// negative zero keeps its sign, which a division by it would show; the sign is taken from the
// bits, as no comparison tells the two zeros apart.
std::string exactNumber(double value) {
    if (std::fpclassify(value) == FP_ZERO) return std::signbit(value) ? "-0" : "0";
    return general(value, '.', 17, 15);
}

std::string exactNumber(float value) {
    if (std::fpclassify(value) == FP_ZERO) return std::signbit(value) ? "-0" : "0";
    return general(value, '.', 9, 15);
}

} // namespace korvel
