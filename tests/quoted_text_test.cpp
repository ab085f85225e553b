// A damaged field as an error message quotes it: short, every control byte and stray byte
// escaped, UTF-8 kept.

#include "design/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel {
namespace {

TEST(QuotedTextTest, QuotesAtMostFortyCharactersWithControlBytesEscaped) {
    const std::string binary("\x01\x02PK\x03\x04\x00\xff\xfe", 9);
    const std::pair<std::string, std::string> cases[] = {
        {"3000,5", "\"3000,5\""},
        {"a\tb\r\n", "\"a\\tb\\r\\n\""},
        {binary, "\"\\x01\\x02PK\\x03\\x04\\x00\\xff\\xfe\""},
        {"Stahl \xc3\xa4", "\"Stahl \xc3\xa4\""},
        {std::string(40, 'x'), "\"" + std::string(40, 'x') + "\""},
        {std::string(41, 'x'), "\"" + std::string(37, 'x') + "...\""},
    };
    for (const auto& [field, quoted] : cases) EXPECT_EQ(quotedField(field), quoted);
    // Hundreds of bytes of a binary file still give a short quote.
    EXPECT_LT(quotedField(std::string(600, '\0')).size(), 4u * 40 + 8);
}

} // namespace
} // namespace korvel
