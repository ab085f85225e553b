#include "design/quoted_text.h"

#include "design/utf8.h"

namespace korvel {

namespace {

void appendEscaped(std::string& out, unsigned char c) {
    switch (c) {
    case '\t':
        out += "\\t";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    default:
        break;
    }
    constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 0x0F];
}

} // namespace

std::string quotedField(std::string_view text) {
    // A field longer than the quote keeps room for the "..." within the 40 characters.
    const bool cut = text.size() > quotedFieldLength;
    const std::size_t shown = cut ? quotedFieldLength - 3 : quotedFieldLength;
    std::string out = "\"";
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size() && characters < shown) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t length = c >= 0x80 ? utf8SequenceLength(text, i) : 0; length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            appendEscaped(out, c);
            ++i;
        }
        ++characters;
    }
    if (i < text.size()) out += "...";
    return out + "\"";
}

} // namespace korvel
