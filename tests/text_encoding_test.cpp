// Texts of files as UTF-8: valid UTF-8 stays, anything else is read as Windows-1252.

#include "files/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel {
namespace {

TEST(TextEncoding, Windows1252BytesBecomeTheirLetters) {
    const std::pair<std::string, std::string> rows[] = {
        {"Br\xF8nn", "Br\u00F8nn"},
        {"\x80 \x8A \x91\x92 \x93\x94 \x96 \x97 \x99 \x9F",
         "\u20AC \u0160 \u2018\u2019 \u201C\u201D \u2013 \u2014 \u2122 \u0178"},
        {"\xA0\xC5\xE6\xFF", "\u00A0\u00C5\u00E6\u00FF"},
        // The five bytes the code page leaves undefined.
        {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& [bytes, utf8] : rows) {
        EXPECT_FALSE(isValidUtf8(bytes)) << bytes;
        EXPECT_EQ(utf8, fileTextToUtf8(bytes));
        EXPECT_EQ(utf8, fileTextToUtf8(utf8)) << "converting twice changes nothing";
    }
}

TEST(TextEncoding, OnlyWellFormedUtf8IsKept) {
    const std::string valid[] = {"", "plain", "Br\u00F8nn", "\u20AC", "\U0001F600", "\xF4\x8F\xBF\xBF"};
    for (const std::string& text : valid) {
        EXPECT_TRUE(isValidUtf8(text)) << text;
        EXPECT_EQ(text, fileTextToUtf8(text));
    }
    // Overlong forms, a surrogate, beyond U+10FFFF, a stray continuation, a cut sequence.
    const std::string invalid[] = {"\xC0\xAF",         "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                   "\xF5\x80\x80\x80", "a\x80",        "\xC3",         "\xE2\x82"};
    for (const std::string& text : invalid) EXPECT_FALSE(isValidUtf8(text)) << text;
    EXPECT_EQ("\u00C3\u00A9\u00E2\u201A", fileTextToUtf8("\xC3\xA9\xE2\x82"));
}

} // namespace
} // namespace korvel
