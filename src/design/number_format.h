#pragma once

// The one display formatter for every number the user reads: input boxes, listings, the
// report, designations and the batch results table. Locale-free: the decimal separator is a
// parameter (the GUI passes its locale's, files keep the period).
//
// A value is rounded on the decimal text it prints as, not on its binary value: a double is
// first written with 15 significant digits, a float with 7, and that digit string is rounded
// half away from zero to the mask. So 1.005 with "0.00" gives 1.01 and the float 0.125 gives
// 0.13, as an engineer checking the listing by hand expects.

#include <string>
#include <string_view>
#include <type_traits>

namespace korvel {

// Text shown for an infinite or NaN value: reads as "no value" in a listing or a batch cell
// instead of a platform-dependent "nan"/"inf".
inline constexpr std::string_view nonFiniteText = "-";

// Formats `value` through a display mask such as "#00", "##0.000", "0.0#", "0.00E+0" or "#0 ".
//   Integer part: every integer digit of the value is printed; "0" places pad with zeros,
//   "#" places do not ("#" and "###" show 0 as an empty text, "#0" as "0").
//   Decimals: a "0" place is always printed; a "#" place is dropped when it is a trailing
//   zero ("0.0#": 0.25 -> 0.25, 0.2 -> 0.2, 1 -> 1.0). The separator is written only when a
//   decimal follows.
//   Exponent ("E+0", "E-00", "e+0"): the mantissa has as many integer digits as the mask has
//   places before the point ("00.0E+0": 206000 -> 20.6E+4); "E+" always writes the exponent's
//   sign, "E-" only a minus; at least as many exponent digits as "0"s after the sign.
//   Characters before or after the number pattern are copied as literals.
//   A minus sign is written only when the printed digits are not all zero (-0.001 -> 0.00).
//   An empty mask gives the general number form.
std::string formatNumber(double value, std::string_view mask, char decimalSeparator = '.');
std::string formatNumber(float value, std::string_view mask, char decimalSeparator = '.');

// General number form: the shortest text that reads back to the same value, at most 15
// significant digits for a double and 7 for a float (when nothing shorter reads back, the
// value rounded to 15 / 7 digits). No trailing zeros or separator: 3000, 0.03, -100, 0.3 for
// 0.1 + 0.2. Plain notation for 1E-05 <= |v| < 1E+15 (double) or < 1E+07 (float), so that no
// digit beyond the type's precision is ever shown; outside that the exponent form 1.5E-07,
// 1E+16 (sign always, at least two exponent digits).
std::string generalNumber(double value, char decimalSeparator = '.');
std::string generalNumber(float value, char decimalSeparator = '.');

// The same texts written at the end of `out`, as a table line is composed in one reused buffer.
// Common masks ("0.00", "0.0", "00", "0", "0.0#", "#0.0") and numbers whose general form is
// plain take direct paths; a value that lies too near a rounding half, and whatever else is
// unusual, takes the digit-string path that the functions below show on their own.
void appendNumber(std::string& out, double value, std::string_view mask, char decimalSeparator = '.');
void appendNumber(std::string& out, float value, std::string_view mask, char decimalSeparator = '.');
void appendGeneral(std::string& out, double value, char decimalSeparator = '.');
void appendGeneral(std::string& out, float value, char decimalSeparator = '.');

// formatNumber and generalNumber by the digit-string path alone: the value's 15- (7-) digit
// decimal text rounded on its digits. The direct paths above must give exactly these texts.
std::string formatNumberOnDigits(double value, std::string_view mask, char decimalSeparator = '.');
std::string formatNumberOnDigits(float value, std::string_view mask, char decimalSeparator = '.');
std::string generalNumberOnDigits(double value, char decimalSeparator = '.');
std::string generalNumberOnDigits(float value, char decimalSeparator = '.');

// The form files are written in: the shortest text that reads back to exactly the same double
// or float, however many digits that takes (FS = 1.4285714f, 0.1 + 0.2 = 0.30000000000000004).
// A period always; plain notation for 1E-05 <= |v| < 1E+15, the exponent form as in
// generalNumber outside it; a negative zero as -0.
std::string exactNumber(double value);
std::string exactNumber(float value);

// Counters and row numbers are formatted as doubles (exact for every int); without these an
// int argument would be ambiguous between the float and double overloads.
template <typename Int, std::enable_if_t<std::is_integral_v<Int>, int> = 0>
std::string formatNumber(Int value, std::string_view mask, char decimalSeparator = '.') {
    return formatNumber(static_cast<double>(value), mask, decimalSeparator);
}
template <typename Int, std::enable_if_t<std::is_integral_v<Int>, int> = 0>
std::string generalNumber(Int value, char decimalSeparator = '.') {
    return generalNumber(static_cast<double>(value), decimalSeparator);
}

} // namespace korvel
