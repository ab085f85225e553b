#pragma once

// The encoding of texts in the program's files. Files are written in UTF-8; files written by
// earlier Windows versions hold their texts in the Windows ANSI code page (Windows-1252), where
// "Brønn" is the bytes 42 72 F8 6E 6E, which are not valid UTF-8.

#include <string>
#include <string_view>

namespace korvel {

// Whether `text` is well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view text);

// The text of one file line as UTF-8: unchanged when it is valid UTF-8, otherwise each byte
// read as Windows-1252. The five bytes that code page leaves undefined (81, 8D, 8F, 90, 9D)
// become U+FFFD, the replacement character: no Windows program could have typed them.
std::string fileTextToUtf8(std::string_view text);

} // namespace korvel
