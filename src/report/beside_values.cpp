#include "report/beside_values.h"

#include "report/check_line_texts.h"
#include "report/listing_row.h"

#include <algorithm>

namespace korvel {

namespace {

std::vector<const CheckLine*> linesOf(const CheckLines& all) {
    std::vector<const CheckLine*> lines;
    all.forEach([&](const CheckLine& l) { lines.push_back(&l); });
    return lines;
}

bool listedValue(const CheckLine* l) {
    return l != nullptr && !l->value.empty() && !showsNotComputedMarker(*l);
}

} // namespace

BesideValues::BesideValues(const CheckLines& shown, const DesignCase& other, char decimalSeparator)
    : other_(composeCheckLines(other, decimalSeparator)) {
    const std::vector<const CheckLine*> a = linesOf(shown);
    const std::vector<const CheckLine*> b = linesOf(other_);
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) pairs_.emplace_back(a[i], b[i]);
}

const CheckLine* BesideValues::of(const CheckLine& line) const {
    const auto at = std::find_if(pairs_.begin(), pairs_.end(), [&](const auto& p) { return p.first == &line; });
    return at == pairs_.end() ? nullptr : at->second;
}

std::string BesideValues::valueOf(const CheckLine& line) const {
    const CheckLine* other = of(line);
    return listedValue(other) ? other->value : std::string("-");
}

Rgb BesideValues::colourOf(const CheckLine& line) const {
    const CheckLine* other = of(line);
    return listedValue(other) ? paletteColour(other->status) : paletteColour(statusNone);
}

} // namespace korvel
