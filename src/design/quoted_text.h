#pragma once

// A field of a damaged file as an error message quotes it: in double quotes, at most 40
// characters (a longer field ends in "..."), every control byte and every byte that is no
// UTF-8 written as an escape ("\t", "\n", "\r", "\x00"), so that a binary file gives a short,
// readable message instead of hundreds of raw bytes.

#include <string>
#include <string_view>

namespace korvel {

inline constexpr std::size_t quotedFieldLength = 40;

std::string quotedField(std::string_view text);

} // namespace korvel
