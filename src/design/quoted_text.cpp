#include "design/quoted_text.h"

namespace korvel {

namespace {

// Length of the UTF-8 sequence that starts at `at`; 0 when the bytes there are no UTF-8.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    return length;
}

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
        } else if (const std::size_t length = c >= 0x80 ? utf8Length(text, i) : 0; length > 0) {
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
