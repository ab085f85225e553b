#include "report/fitted_text.h"

namespace korvel {

namespace {

constexpr std::size_t firstProbe = 64; // bytes; a cell holds a few dozen characters

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// The character boundary at or before byte `at`.
std::size_t boundaryAtOrBefore(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && continuationByte(text[at])) --at;
    return at;
}

// The character boundary after the one at `at`.
std::size_t nextBoundary(std::string_view text, std::size_t at) {
    ++at;
    while (at < text.size() && continuationByte(text[at])) ++at;
    return at;
}

// The length of the shortest doubling prefix that is wider than `width`, or the whole length when
// the text fits: the text beyond it never needs measuring.
std::size_t probeLength(DrawingSurface& page, std::string_view text, double width) {
    std::size_t length = firstProbe;
    while (length < text.size()) {
        const std::size_t cut = boundaryAtOrBefore(text, length);
        if (page.textWidth(text.substr(0, cut)) > width) return cut;
        length *= 2;
    }
    return text.size();
}

} // namespace

bool fitsWidth(DrawingSurface& page, std::string_view text, double width) {
    const std::size_t probed = probeLength(page, text, width);
    return probed == text.size() && page.textWidth(text) <= width;
}

std::string fittedText(DrawingSurface& page, std::string_view text, double width) {
    const std::size_t probed = probeLength(page, text, width);
    if (probed == text.size() && page.textWidth(text) <= width) return std::string(text);
    std::string candidate;
    const auto fitsWithMark = [&](std::size_t cut) {
        candidate.assign(text.substr(0, cut));
        candidate += ellipsisMark;
        return page.textWidth(candidate) <= width;
    };
    if (!fitsWithMark(0)) return {};
    // The longest boundary `fits` with the mark: `fits` always does, `tooLong` never.
    std::size_t fits = 0;
    std::size_t tooLong = probed;
    while (tooLong - fits > 1) {
        std::size_t middle = boundaryAtOrBefore(text, fits + (tooLong - fits) / 2);
        if (middle <= fits) middle = nextBoundary(text, fits);
        if (middle >= tooLong) break;
        if (fitsWithMark(middle))
            fits = middle;
        else
            tooLong = middle;
    }
    candidate.assign(text.substr(0, fits));
    candidate += ellipsisMark;
    return candidate;
}

std::vector<std::string> wrappedText(DrawingSurface& page, std::string_view text, double width) {
    std::vector<std::string> lines;
    std::string row;
    std::string longer;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        longer = row;
        if (!longer.empty()) longer += ' ';
        longer += word;
        if (!row.empty() && !fitsWidth(page, longer, width)) {
            lines.push_back(row);
            row.assign(word);
        } else {
            row = longer;
        }
    }
    if (!row.empty() || lines.empty()) lines.push_back(row);
    return lines;
}

} // namespace korvel
