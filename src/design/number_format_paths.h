#pragma once

// The pieces the formatter's own files share: number_format.cpp (the digit-string path, the
// general and exact forms) and number_format_fast.cpp (the direct paths and the line writer).
// Every other file formats through number_format.h or number_format_line.h.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel::formatPaths {

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

constexpr bool isPlace(char c) {
    return c == '0' || c == '#';
}

// The pieces are views into `m`. At compile time for a writer's masks, which are literals.
constexpr Mask parseMask(std::string_view m) {
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
    for (const char c : mask.integer) mask.minInteger += c == '0' ? 1 : 0;
    for (const char c : mask.decimals) mask.optionalDecimal = mask.optionalDecimal || c == '#';
    return mask;
}

// The masks of the results table and most listings, split once; nullptr for any other.
const Mask* commonMask(std::string_view text);

// The most characters a direct path writes.
inline constexpr std::size_t directRoom = 96;

// The relative width around a rounding half within which the digits of a value's decimal text
// (15 significant for a double, 7 for a float) could round the other way than the value itself.
inline constexpr double doubleTieZone = 1e-12;
inline constexpr double floatTieZone = 1e-6;

// A fixed mask (no exponent) by rounding value·10^decimals directly: the text written at `at`,
// which has directRoom characters free, and its end; nullptr when the value lies too near a
// rounding half, the mask is unusual or the value is not finite, and the digit-string path must
// write it.
char* writeFixed(char* at, double value, const Mask& mask, char separator, double tieZone);
// Whether writeFixed may take a mask at all (no exponent, at most 9 decimals, 24 "0" places and
// 16 literal characters on either side); writeFixedTaken is writeFixed for such a mask.
constexpr bool fixedPathTakes(const Mask& mask) {
    return !mask.exponent && mask.decimals.size() <= 9 && mask.minInteger <= 24 && mask.prefix.size() <= 16 &&
           mask.suffix.size() <= 16;
}
char* writeFixedTaken(char* at, double value, const Mask& mask, char separator, double tieZone);

// The general form of a number in the plain range whose shortest text has no more digits than
// the type shows, written at `at` (directRoom free); its end, or nullptr for the rest (zero
// included), which the digit-string path writes.
char* writePlainGeneral(char* at, double value, char separator);
char* writePlainGeneral(char* at, float value, char separator);

// The digit-string path, whatever the value: appendNumber and appendGeneral without their
// direct paths.
void appendOnDigits(std::string& out, double value, std::string_view mask, char separator);
void appendOnDigits(std::string& out, float value, std::string_view mask, char separator);

} // namespace korvel::formatPaths
