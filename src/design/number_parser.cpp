#include "design/number_parser.h"

#include <charconv>
#include <string>
#include <system_error>

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

// Converts a text that numberLength accepted in full. std::from_chars takes no leading '+'.
// Out of range: a negative exponent means an underflow, read as 0 like any tiny input;
// otherwise the magnitude cannot be held and the text is refused.
std::optional<double> convert(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (number.find("e-") == std::string_view::npos && number.find("E-") == std::string_view::npos) {
            return std::nullopt;
        }
        value = 0;
    } else if (ec != std::errc() || ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
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
    if (mode == DecimalMode::period) return length == 0 ? 0.0 : convert(s.substr(0, length));
    if (length == 0 || length != s.size()) return std::nullopt;
    return convert(s);
}

std::optional<double> parseFileNumber(std::string_view field) {
    const std::string_view s = trim(field);
    if (s.empty() || numberLength(s) != s.size()) return std::nullopt;
    return convert(s);
}

} // namespace korvel
