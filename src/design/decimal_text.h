#pragma once

// Texts composed with the period (the listings' formulas, values and limits, the report's
// lines) as the engineer reads them in comma mode: the decimal point of every number becomes
// the comma, while rule clauses ("(3/3.1)", "(3-2-2/9.5&9.9)", "in 3/3.5:"), dotted versions
// and dates ("1.9.2") keep their periods. Files and tables never go through this: they keep the
// period whatever the locale.

#include <string>
#include <string_view>

namespace korvel {

// `text` with its decimal points written as `separator`; the text unchanged for '.'.
std::string withDecimalSeparator(std::string_view text, char separator);

} // namespace korvel
