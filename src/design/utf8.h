#pragma once

// Well-formed UTF-8, as every reader and writer of texts decides it: the files' encoding, the
// quoting of damaged fields in messages and the strings of the JSON results.

#include <cstddef>
#include <string_view>

namespace korvel {

// The length of the well-formed UTF-8 sequence that starts at byte `at` of `text`: 1 for ASCII,
// 2 to 4 for a multi-byte character, 0 where the bytes are no UTF-8 (a stray continuation byte,
// a sequence cut short, an overlong form, a surrogate or a code point beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

} // namespace korvel
