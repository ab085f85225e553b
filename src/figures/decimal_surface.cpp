#include "figures/decimal_surface.h"

#include "design/decimal_text.h"

namespace korvel {

void DecimalSurface::drawText(double x, double y, std::string_view text) {
    target_.drawText(x, y, withDecimalSeparator(text, separator_));
}

double DecimalSurface::textWidth(std::string_view text) const {
    return target_.textWidth(withDecimalSeparator(text, separator_));
}

double DecimalSurface::textHeight(std::string_view text) const {
    return target_.textHeight(withDecimalSeparator(text, separator_));
}

} // namespace korvel
