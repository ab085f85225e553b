#pragma once

// A text written with the period that was not composed by this program from numbers, as the
// engineer reads it in comma mode: a calculation's stop reason (written when it happened) and the
// cells of a results table read back from its file. The decimal point of every number becomes
// the comma, while rule clauses ("(3/3.1)", "(3-2-2/9.5&9.9)", "in 3/3.5:"), dotted versions
// and dates ("1.9.2") keep their periods. Texts this program composes write their numbers with
// the separator as they are formatted (design/number_format.h) and never come here. Files and
// tables never go through this: they keep the period whatever the locale.

#include <string>
#include <string_view>

namespace korvel {

// `text` with its decimal points written as `separator`; the text unchanged for '.'.
std::string withDecimalSeparator(std::string_view text, char separator);

} // namespace korvel
