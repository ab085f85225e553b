#include "design/number_format.h"

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

// The pieces of a mask: literal prefix, integer places, decimal places, exponent, literal suffix.
struct Mask {
    std::string_view prefix, integer, decimals, suffix;
    bool point = false;
    bool exponent = false;
    char expLetter = 'E';
    bool expAlwaysSigned = false;
    int expMinDigits = 0;
    int minInteger = 0;           // the "0" places before the point: integer digits always printed
    bool optionalDecimal = false; // a "#" place after the point: its trailing zeros are dropped
};

bool isPlace(char c) {
    return c == '0' || c == '#';
}

Mask parseMask(std::string_view m) {
    Mask mask;
    std::size_t i = 0;
    while (i < m.size() && !isPlace(m[i]) && m[i] != '.') ++i;
    mask.prefix = m.substr(0, i);
    std::size_t start = i;
    while (i < m.size() && isPlace(m[i])) ++i;
    mask.integer = m.substr(start, i - start);
    if (i < m.size() && m[i] == '.') {
        mask.point = true;
        start = ++i;
        while (i < m.size() && isPlace(m[i])) ++i;
        mask.decimals = m.substr(start, i - start);
    }
    if (i + 1 < m.size() && (m[i] == 'E' || m[i] == 'e') && (m[i + 1] == '+' || m[i + 1] == '-')) {
        mask.exponent = true;
        mask.expLetter = m[i];
        mask.expAlwaysSigned = m[i + 1] == '+';
        i += 2;
        for (; i < m.size() && isPlace(m[i]); ++i) mask.expMinDigits += m[i] == '0' ? 1 : 0;
    }
    mask.suffix = m.substr(i);
    mask.minInteger = static_cast<int>(std::count(mask.integer.begin(), mask.integer.end(), '0'));
    mask.optionalDecimal = mask.decimals.find('#') != std::string_view::npos;
    return mask;
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
    added.mask = parseMask(added.text); // views into the cached copy of the text
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

// Fixed masks without exponent, the common case of every listing: rounding value·10^d directly
// gives the same digits as rounding the value's 15- (7-) digit decimal form, unless the scaled
// value lies so close to a half that the decimal form could tip it. Those few fall back to the
// digit-string path. `tieZone` is the relative width of that doubt.
// A number's few characters put at the end of a line one by one: cheaper than a general append
// for a handful of characters once the line's buffer has grown to its length.
inline void appendShort(std::string& out, const char* begin, const char* end) {
    if (end - begin > 24) {
        out.append(begin, static_cast<std::size_t>(end - begin));
        return;
    }
    for (; begin != end; ++begin) out.push_back(*begin);
}

// "00" to "99".
const char* digitPair(std::uint64_t n) {
    static constexpr char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    return pairs + 2 * n;
}

// The digits of the rounded, scaled value r written backwards before `p`: its last
// mask.decimals digits the fraction, the rest the integer part. Done in 32 bits where r fits, as
// it nearly always does, which makes every division by 10 or 100 cheaper.
template <typename UInt>
char* writeFixedDigits(char* p, UInt r, const Mask& mask, char separator) {
    // Fraction digits come off the end of r, two at a time where the mask has no "#" place.
    UInt q = r;
    const auto decimals = static_cast<int>(mask.decimals.size());
    int fractionLength = decimals;
    if (!mask.optionalDecimal) {
        int left = decimals;
        for (; left >= 2; left -= 2, q /= 100) {
            p -= 2;
            std::memcpy(p, digitPair(q % 100), 2);
        }
        if (left == 1) {
            *--p = static_cast<char>('0' + q % 10);
            q /= 10;
        }
    } else {
        char fraction[9];
        for (int i = decimals - 1; i >= 0; --i) {
            fraction[i] = static_cast<char>('0' + q % 10);
            q /= 10;
        }
        while (fractionLength > 0 && fraction[fractionLength - 1] == '0' &&
               mask.decimals[static_cast<std::size_t>(fractionLength - 1)] == '#') {
            --fractionLength;
        }
        p -= fractionLength;
        std::memcpy(p, fraction, static_cast<std::size_t>(fractionLength));
    }
    if (fractionLength > 0) *--p = separator;
    int integerLength = 0;
    // Pairs while two digits or more are left, so the last pair never begins with a zero.
    for (; q >= 10; q /= 100, integerLength += 2) {
        p -= 2;
        std::memcpy(p, digitPair(q % 100), 2);
    }
    if (q != 0) {
        *--p = static_cast<char>('0' + q);
        ++integerLength;
    }
    for (; integerLength < mask.minInteger; ++integerLength) *--p = '0';
    return p;
}

bool formatFixedFast(double value, const Mask& mask, char separator, double tieZone, std::string& out) {
    const auto decimals = static_cast<int>(mask.decimals.size());
    if (mask.exponent || decimals > 9 || mask.minInteger > 24 || mask.prefix.size() > 16 || mask.suffix.size() > 16)
        return false;
    static constexpr double powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double x = std::fabs(value) * powers[decimals];
    if (!(x < 1e15)) return false;
    // x is not negative and below 2^53: truncation is its floor, exactly (and one signed
    // conversion instruction).
    const auto truncated = static_cast<std::uint64_t>(static_cast<std::int64_t>(x));
    const double rest = x - static_cast<double>(truncated);
    if (std::fabs(rest - 0.5) <= tieZone * std::max(x, 1.0)) return false;
    const std::uint64_t r = truncated + (rest < 0.5 ? 0 : 1);

    // Written backwards from the end of the buffer: suffix, fraction, integer, prefix, sign.
    char buffer[80];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    if (!mask.suffix.empty()) {
        p -= mask.suffix.size();
        std::memcpy(p, mask.suffix.data(), mask.suffix.size());
    }
    p = r <= UINT32_MAX ? writeFixedDigits(p, static_cast<std::uint32_t>(r), mask, separator)
                        : writeFixedDigits(p, r, mask, separator);
    if (!mask.prefix.empty()) {
        p -= mask.prefix.size();
        std::memcpy(p, mask.prefix.data(), mask.prefix.size());
    }
    if (value < 0 && r != 0) *--p = '-';
    appendShort(out, p, end);
    return true;
}

// The masks of the results table and most listings, split once.
const Mask* commonMask(std::string_view text) {
    static const Mask twoDecimals = parseMask("0.00");
    static const Mask oneDecimal = parseMask("0.0");
    static const Mask twoDigits = parseMask("00");
    static const Mask whole = parseMask("0");
    static const Mask optionalSecond = parseMask("0.0#");
    static const Mask oneDecimalOrEmpty = parseMask("#0.0");
    // Found by length and first and last character, then confirmed: a table line asks dozens of
    // times per case.
    switch (text.size()) {
    case 1:
        return text[0] == '0' ? &whole : nullptr;
    case 2:
        return text == "00" ? &twoDigits : nullptr;
    case 3:
        return text == "0.0" ? &oneDecimal : nullptr;
    case 4:
        if (text[3] == '0') return text == "0.00" ? &twoDecimals : text == "#0.0" ? &oneDecimalOrEmpty : nullptr;
        return text == "0.0#" ? &optionalSecond : nullptr;
    default:
        return nullptr;
    }
}

// The digit-string path. Its last few texts are kept, so that a column repeating a handful of
// values through an exponent mask (the E-modulus of every case: a file may hold several) is
// formatted once per value.
template <typename T>
void appendOnDigits(std::string& out, T value, std::string_view mask, char separator, int significant) {
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
    const Mask* common = commonMask(maskText);
    const Mask& mask = common ? *common : cachedMask(maskText);
    const double tieZone = significant <= 7 ? 1e-6 : 1e-12;
    if (formatFixedFast(static_cast<double>(value), mask, separator, tieZone, out)) return;
    appendOnDigits(out, value, maskText, separator, significant);
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

// The general form of a number in the plain range whose shortest text has no more digits than
// the type shows: exactly that shortest text in fixed notation. Whole numbers are written as
// the integer they are. False for the rest, which takes the digit-string path.
template <typename T>
bool appendPlainGeneral(std::string& out, T value, char separator) {
    constexpr bool isDouble = std::is_same_v<T, double>;
    constexpr int maxDigits = isDouble ? 15 : 7;
    constexpr T plainFrom = static_cast<T>(1e-5);
    constexpr T plainBelow = isDouble ? static_cast<T>(1e15) : static_cast<T>(1e7);
    const T magnitude = std::fabs(value);
    if (!(magnitude >= plainFrom && magnitude < plainBelow)) return false;

    char buffer[48];
    char* p = buffer;
    if (value < 0) *p++ = '-';
    if (magnitude == std::floor(magnitude)) {
        p = std::to_chars(p, buffer + sizeof buffer, static_cast<unsigned long long>(magnitude)).ptr;
        appendShort(out, buffer, p);
        return true;
    }
    const auto written = std::to_chars(p, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
    if (written.ec != std::errc()) return false;
    int digits = 0;
    bool leading = true;
    for (char* c = p; c != written.ptr; ++c) {
        if (*c == '.') {
            *c = separator;
        } else if (!leading || *c != '0') {
            leading = false;
            ++digits;
        }
    }
    if (digits > maxDigits) return false;
    appendShort(out, buffer, written.ptr);
    return true;
}

template <typename T>
void appendGeneralValue(std::string& out, T value, char separator) {
    if (!std::isfinite(value)) {
        out += nonFiniteText;
    } else if (value == 0) {
        out += '0'; // also -0: no sign on a zero
    } else if (!appendPlainGeneral(out, value, separator)) {
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
