#include "design/number_format_line.h"

#include "design/number_format.h"
#include "design/number_format_paths.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <type_traits>

namespace korvel {

using formatPaths::directRoom;
using formatPaths::Mask;

namespace {

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
    // The zeros of the "0" places not filled, as one fixed-size fill: a mask has at most 24 of
    // them, and the caller's buffer has that room before the digits.
    if (integerLength < mask.minInteger) {
        std::memset(p - 24, '0', 24);
        p -= mask.minInteger - integerLength;
    }
    return p;
}

// The text written backwards in a scratch buffer, from `from` to `end`, moved to `at`: a text of
// up to 32 characters as one fixed-size copy (the scratch buffer has 32 characters after `end`).
char* moveText(char* at, const char* from, const char* end) {
    const auto length = static_cast<std::size_t>(end - from);
    if (length <= 32)
        std::memcpy(at, from, 32);
    else
        std::memcpy(at, from, length);
    return at + length;
}

constexpr double powersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// A number of at most eight decimals, found as the whole number n that n / 10^k reads back as:
// no other decimal of at most 15 significant digits reads as the same double, nor one of at most
// 6 as the same float, so n's digits are the value's shortest text, the one the general form
// writes. For a float the decimal is rounded to a double and then to the float; with at most
// eight decimals no decimal lies near enough to a half between two floats for that double step
// to change the float. Null when no such n is found.
template <typename T>
char* fewDecimals(char* at, T magnitude, char separator) {
    constexpr double digitLimit = std::is_same_v<T, double> ? 1e15 : 1e6;
    const auto m = static_cast<double>(magnitude);
    for (int k = 1; k <= 8; ++k) {
        const double scaled = m * powersOfTen[k];
        if (!(scaled < digitLimit)) return nullptr;
        // The nearest whole number; whichever it is, the test below proves it or passes on.
        auto n = static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
        n += scaled - static_cast<double>(n) < 0.5 ? 0 : 1;
        if (n % 10 == 0 || static_cast<T>(static_cast<double>(n) / powersOfTen[k]) != magnitude) continue;
        char digits[24];
        char* const end = digits + sizeof digits;
        char* p = end;
        for (std::uint64_t q = n; q != 0; q /= 10) *--p = static_cast<char>('0' + q % 10);
        const auto length = static_cast<int>(end - p);
        if (length > k) {
            const auto integer = static_cast<std::size_t>(length - k);
            std::memcpy(at, p, integer);
            at += integer;
            p += integer;
        } else {
            *at++ = '0';
        }
        *at++ = separator;
        for (int zeros = k - length; zeros > 0; --zeros) *at++ = '0';
        const auto fraction = static_cast<std::size_t>(end - p);
        std::memcpy(at, p, fraction);
        return at + fraction;
    }
    return nullptr;
}

// The fixed path for a mask of no literals, one "0" place before the point and at most two "0"
// places after it, where the scaled value is below 10^9: the same rounding, the text written
// forward, the integer part by its size. Null where the general fixed path must decide.
template <int Decimals>
char* shortFixed(char* at, double value, char separator, double tieZone) {
    constexpr std::uint32_t unit = Decimals == 0 ? 1 : Decimals == 1 ? 10 : 100;
    const double x = std::fabs(value) * static_cast<double>(unit);
    if (!(x < 1e9)) return nullptr;
    const auto truncated = static_cast<std::uint32_t>(static_cast<std::int32_t>(x));
    const double rest = x - static_cast<double>(truncated);
    if (std::fabs(rest - 0.5) <= tieZone * std::max(x, 1.0)) return nullptr;
    const std::uint32_t r = truncated + (rest < 0.5 ? 0 : 1);
    char* p = at;
    if (value < 0 && r != 0) *p++ = '-';
    const std::uint32_t integer = r / unit;
    if (integer < 10) {
        *p++ = static_cast<char>('0' + integer);
    } else if (integer < 100) {
        std::memcpy(p, digitPair(integer), 2);
        p += 2;
    } else {
        p = std::to_chars(p, at + directRoom, integer).ptr;
    }
    if constexpr (Decimals > 0) {
        const std::uint32_t fraction = r - integer * unit;
        *p++ = separator;
        if constexpr (Decimals == 1) {
            *p++ = static_cast<char>('0' + fraction);
        } else {
            std::memcpy(p, digitPair(fraction), 2);
            p += 2;
        }
    }
    return p;
}

char* writeShortFixed(char* at, double value, int decimals, char separator, double tieZone) {
    switch (decimals) {
    case 0:
        return shortFixed<0>(at, value, separator, tieZone);
    case 1:
        return shortFixed<1>(at, value, separator, tieZone);
    default:
        return shortFixed<2>(at, value, separator, tieZone);
    }
}

template <typename T>
char* plainGeneral(char* at, T value, char separator) {
    constexpr bool isDouble = std::is_same_v<T, double>;
    constexpr int maxDigits = isDouble ? 15 : 7;
    constexpr T plainFrom = static_cast<T>(1e-5);
    constexpr T plainBelow = isDouble ? static_cast<T>(1e15) : static_cast<T>(1e7);
    const T magnitude = std::fabs(value);
    if (!(magnitude >= plainFrom && magnitude < plainBelow)) return nullptr;

    char* p = at;
    if (value < 0) *p++ = '-';
    if (magnitude == std::floor(magnitude))
        return std::to_chars(p, at + directRoom, static_cast<unsigned long long>(magnitude)).ptr;
    if (char* end = fewDecimals(p, magnitude, separator)) return end;
    const auto written = std::to_chars(p, at + directRoom, magnitude, std::chars_format::fixed);
    if (written.ec != std::errc()) return nullptr;
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
    return digits > maxDigits ? nullptr : written.ptr;
}

} // namespace

// Rounding value·10^d directly gives the same digits as rounding the value's 15- (7-) digit
// decimal form, unless the scaled value lies so close to a half that the decimal form could tip
// it. Those few fall back to the digit-string path. `tieZone` is the relative width of that doubt.
char* formatPaths::writeFixed(char* at, double value, const Mask& mask, char separator, double tieZone) {
    return fixedPathTakes(mask) ? writeFixedTaken(at, value, mask, separator, tieZone) : nullptr;
}

char* formatPaths::writeFixedTaken(char* at, double value, const Mask& mask, char separator, double tieZone) {
    const auto decimals = static_cast<int>(mask.decimals.size());
    const double x = std::fabs(value) * powersOfTen[decimals];
    if (!(x < 1e15)) return nullptr;
    // x is not negative and below 2^53: truncation is its floor, exactly (and one signed
    // conversion instruction).
    const auto truncated = static_cast<std::uint64_t>(static_cast<std::int64_t>(x));
    const double rest = x - static_cast<double>(truncated);
    if (std::fabs(rest - 0.5) <= tieZone * std::max(x, 1.0)) return nullptr;
    const std::uint64_t r = truncated + (rest < 0.5 ? 0 : 1);

    // Written backwards from the end of the scratch buffer: suffix, fraction, integer, prefix, sign.
    char buffer[directRoom + 32];
    char* const end = buffer + directRoom; // room for prefix, sign, padding and digits before it
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
    return moveText(at, p, end);
}

char* formatPaths::writePlainGeneral(char* at, double value, char separator) {
    return plainGeneral(at, value, separator);
}

char* formatPaths::writePlainGeneral(char* at, float value, char separator) {
    return plainGeneral(at, value, separator);
}

// The masks of the results table and most listings, split once.
const Mask* formatPaths::commonMask(std::string_view text) {
    static constexpr Mask twoDecimals = parseMask("0.00");
    static constexpr Mask oneDecimal = parseMask("0.0");
    static constexpr Mask twoDigits = parseMask("00");
    static constexpr Mask whole = parseMask("0");
    static constexpr Mask optionalSecond = parseMask("0.0#");
    static constexpr Mask oneDecimalOrEmpty = parseMask("#0.0");
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

void NumberLine::text(std::string_view s) {
    if (static_cast<std::size_t>(buffer_ + sizeof buffer_ - at_) < s.size()) {
        flush();
        if (s.size() > sizeof buffer_) {
            out_ += s;
            return;
        }
    }
    std::memcpy(at_, s.data(), s.size());
    at_ += s.size();
}

template <typename T>
void NumberLine::writeNumber(T value, const NumberMask& mask) {
    makeRoom(directRoom);
    constexpr double tieZone = std::is_same_v<T, double> ? formatPaths::doubleTieZone : formatPaths::floatTieZone;
    if (mask.shortDecimals_ >= 0) {
        if (char* end = writeShortFixed(at_, static_cast<double>(value), mask.shortDecimals_, separator_, tieZone)) {
            at_ = end;
            return;
        }
    }
    if (mask.direct_) {
        if (char* end =
                formatPaths::writeFixedTaken(at_, static_cast<double>(value), mask.mask_, separator_, tieZone)) {
            at_ = end;
            return;
        }
    }
    flush();
    formatPaths::appendOnDigits(out_, value, mask.text_, separator_);
}

template <typename T>
void NumberLine::writeGeneral(T value) {
    makeRoom(directRoom);
    if (value == 0) {
        *at_++ = '0'; // also -0: no sign on a zero
        return;
    }
    if (char* end = formatPaths::writePlainGeneral(at_, value, separator_)) {
        at_ = end;
        return;
    }
    flush();
    formatPaths::appendOnDigits(out_, value, {}, separator_);
}

void NumberLine::number(double value, const NumberMask& mask) {
    writeNumber(value, mask);
}

void NumberLine::number(float value, const NumberMask& mask) {
    writeNumber(value, mask);
}

void NumberLine::general(double value) {
    writeGeneral(value);
}

void NumberLine::general(float value) {
    writeGeneral(value);
}

void NumberLine::flush() {
    out_.append(buffer_, static_cast<std::size_t>(at_ - buffer_));
    at_ = buffer_;
}

bool isOwnGeneralForm(std::string_view text, bool single) {
    const char* c = text.data();
    const char* const end = c + text.size();
    if (c != end && *c == '-') ++c;
    if (c == end) return false;
    const auto isDigit = [](char d) { return static_cast<unsigned>(d - '0') <= 9; };
    int significant = 0;
    int leadingZeros = 0; // after the point, before the first significant digit
    if (*c == '0') {
        if (text == "0") return true;
        ++c;
        if (c == end || *c != '.') return false; // "00", "-0", "05"
    } else {
        for (; c != end && isDigit(*c); ++c) ++significant;
        if (significant == 0) return false;
    }
    int decimals = 0;
    if (c != end) {
        // A trailing zero after the point ("2100.000000") is found before the digits are counted.
        if (*c != '.' || ++c == end || text.back() == '0') return false;
        for (; c != end && isDigit(*c); ++c, ++decimals) {
            if (significant == 0 && *c == '0')
                ++leadingZeros;
            else
                ++significant;
        }
        if (c != end || significant == 0) return false;
    }
    if (leadingZeros > 4) return false; // below 0.00001: the exponent form
    return single ? significant <= 6 && decimals <= 8 : significant <= 15;
}

} // namespace korvel
