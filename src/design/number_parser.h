#pragma once

// Reading numbers typed by the user and numbers read from files. Locale-free (std::from_chars)
// and never throws: a text that is not a number, or whose magnitude is beyond the range of the
// type it is read into, comes back as an empty optional (or a FileNumber saying which).

#include <optional>
#include <string_view>

namespace korvel {

// How typed numbers are read: fixed once at start-up from the user's locale.
enum class DecimalMode { period, comma };

// The locale's text for 1.1 formatted with "0.0": exactly "1.1" means a period locale.
DecimalMode decimalModeFromSample(std::string_view onePointOne);

// Reads the text of an input box.
//   period mode: a comma counts as a decimal point; the value is that of the leading part of
//   the text that forms a number ("12abc" -> 12), and a text that does not begin with a
//   number gives 0 ("abc" -> 0). Never empty, except for a magnitude beyond the double range.
//   comma mode: a period counts as a decimal comma; the whole text (blanks around it allowed)
//   must be a number, otherwise empty: the caller shows "Input string mismatch ".
// Leading blanks are skipped in both modes; a number is an optional sign, digits with an
// optional decimal point and decimals (at least one digit in all), and an optional exponent
// e/E with an optional sign, taken only when digits follow. A magnitude below the smallest
// double reads as 0 (with its sign); one beyond the largest is refused, never read as 0.
std::optional<double> parseNumber(std::string_view text, DecimalMode mode);

// Reads one field of a project, table or batch file: the whole field, blanks and tabs around
// it allowed, must be a number with a period as decimal point ("3", ".6", "-.5", "+3", "1e3").
// Anything else, and a magnitude beyond the double range, gives an empty optional.
std::optional<double> parseFileNumber(std::string_view field);

// The precision a file field is held in: a single-precision field is read straight to the
// nearest float (never through a double, whose rounding could land on the neighbouring float).
enum class Precision { single, real };

// One file field read as for parseFileNumber, with the reason when there is no value.
struct FileNumber {
    enum class Status { value, notANumber, outOfRange };
    Status status = Status::notANumber;
    double value = 0; // of a single field, exactly the float read
    bool ok() const { return status == Status::value; }
};

// outOfRange: a number whose magnitude exceeds the largest value of the precision
// ("1e400", "1" followed by 400 zeros, "1e39" for a single field). A magnitude below the
// smallest reads as 0.
FileNumber readFileNumber(std::string_view field, Precision precision = Precision::real);

} // namespace korvel
