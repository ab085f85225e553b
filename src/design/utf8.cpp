#include "design/utf8.h"

#include <cstdint>

namespace korvel {

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const auto lead = static_cast<std::uint8_t>(text[at]);
    if (lead < 0x80) return 1;
    // The length of the sequence and the range its second byte must lie in, which excludes the
    // overlong forms (E0, F0), the surrogates (ED) and code points beyond U+10FFFF (F4).
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    const auto second = static_cast<std::uint8_t>(text[at + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[at + k]);
        if (next < 0x80 || next > 0xBF) return 0;
    }
    return length;
}

} // namespace korvel
