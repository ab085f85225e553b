#include "design/number_parser.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>
#include <type_traits>

namespace korvel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Length of the number at the start of `s` (0 when it does not begin with one). Only these
// characters ever reach std::from_chars, so "inf", "nan" and hexadecimal are never accepted.
std::size_t numberLength(std::string_view s) {
    std::size_t i = 0;
    const auto digitsFrom = [&](std::size_t j) {
        while (j < s.size() && isDigit(s[j])) ++j;
        return j;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t intEnd = digitsFrom(i);
    std::size_t end = intEnd;
    bool anyDigit = intEnd > i;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fracEnd = digitsFrom(end + 1);
        anyDigit = anyDigit || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!anyDigit) return 0;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t j = end + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expEnd = digitsFrom(j);
        if (expEnd > j) end = expEnd;
    }
    return end;
}

// Whether a number text (as numberLength accepts it, without its sign) that the conversion
// found out of range is tiny rather than huge: the decimal exponent of its first non-zero
// digit is negative. "1" followed by 400 zeros and then "e-5" is huge, "0.000...1e300" tiny.
bool belowOne(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return true; // all zeros: no magnitude at all
    long long exponent =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    if (e != std::string_view::npos) {
        // The written exponent, saturated far beyond any double so that it cannot overflow.
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
        long long written = 0;
        for (char c : digits) written = std::min(written * 10 + (c - '0'), 1000000000LL);
        exponent += negative ? -written : written;
    }
    return exponent < 0;
}

// The powers of ten that are exact doubles.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digits with at most one point and at most 15 significant digits, such as nearly every field
// of a case: the digits as an integer below 2^53 and a power of ten up to 10^22 are both exact,
// so one division rounds correctly and gives the double that std::from_chars gives, quickly.
// One pass: every digit goes into the integer (leading zeros add nothing to it), so the digits
// are significant as long as the integer has no more than 15; more than 19 digit characters could
// overflow it and are left to the general conversion, which rounds alike. The point takes no
// branch of its own, as its place differs from field to field.
inline std::optional<double> shortDecimal(std::string_view number) {
    const char* q = number.data();
    const char* const end = q + number.size();
    const char* point = end;
    int points = 0;
    std::uint64_t digits = 0;
    for (; q != end; ++q) {
        const auto digit = static_cast<unsigned>(*q - '0');
        const bool isDigit = digit <= 9;
        if (!isDigit && *q != '.') return std::nullopt; // an exponent or anything unusual
        digits = isDigit ? digits * 10 + digit : digits;
        point = isDigit ? point : q;
        points += isDigit ? 0 : 1;
    }
    const auto count = static_cast<std::ptrdiff_t>(number.size()) - points;
    const std::ptrdiff_t decimals = points == 0 ? 0 : end - point - 1;
    if (points > 1 || count == 0 || count > 19 || digits >= 1000000000000000ULL || decimals > 22) return std::nullopt;
    return static_cast<double>(digits) / exactPowersOfTen[decimals];
}

// A field that is blanks, a sign, digits with at most one point and at most 15 significant digits
// and blanks, as nearly every field of a case is: its value without first measuring the number
// (the value the longer way gives the same text). Anything else is left to that longer way.
inline std::optional<double> plainDecimal(std::string_view field) {
    if (field.empty()) return std::nullopt;
    if (isBlank(field.front()) || isBlank(field.back())) field = trim(field);
    const bool negative = !field.empty() && field.front() == '-';
    if (!field.empty() && (field.front() == '+' || negative)) field.remove_prefix(1);
    const std::optional<double> value = shortDecimal(field);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

// Converts a text that numberLength accepted in full into a value of type T. std::from_chars
// takes no leading '+'.
template <typename T>
FileNumber convert(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if constexpr (std::is_same_v<T, double>) {
        if (const std::optional<double> exact = shortDecimal(number))
            return {FileNumber::Status::value, negative ? -*exact : *exact};
    }
    T value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (!belowOne(number)) return {FileNumber::Status::outOfRange, 0};
        value = 0;
    } else if (ec != std::errc() || ptr != number.data() + number.size()) {
        return {FileNumber::Status::notANumber, 0};
    }
    return {FileNumber::Status::value, static_cast<double>(negative ? -value : value)};
}

std::optional<double> valueOf(const FileNumber& read) {
    if (!read.ok()) return std::nullopt;
    return read.value;
}

// Both decimal marks made a period: each mode accepts the other mark as its own.
std::string withPeriod(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == ',') c = '.';
    }
    return out;
}

} // namespace

DecimalMode decimalModeFromSample(std::string_view onePointOne) {
    return onePointOne == "1.1" ? DecimalMode::period : DecimalMode::comma;
}

std::optional<double> parseNumber(std::string_view text, DecimalMode mode) {
    const std::string normal = withPeriod(mode == DecimalMode::period ? trimLeft(text) : trim(text));
    const std::string_view s(normal);
    const std::size_t length = numberLength(s);
    if (mode == DecimalMode::period) return length == 0 ? 0.0 : valueOf(convert<double>(s.substr(0, length)));
    if (length == 0 || length != s.size()) return std::nullopt;
    return valueOf(convert<double>(s));
}

std::optional<double> parseFileNumber(std::string_view field) {
    if (const std::optional<double> plain = plainDecimal(field)) return plain;
    return valueOf(readFileNumber(field));
}

FileNumber readFileNumber(std::string_view field, Precision precision) {
    if (precision == Precision::real) {
        if (const std::optional<double> plain = plainDecimal(field)) return {FileNumber::Status::value, *plain};
    }
    const std::string_view s = trim(field);
    if (s.empty() || numberLength(s) != s.size()) return {};
    return precision == Precision::single ? convert<float>(s) : convert<double>(s);
}

} // namespace korvel
