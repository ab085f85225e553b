#pragma once

// The printed page's character grid as the report sets it up, and the pen the printed listings
// write with. The report scales the page so that one unit across is one character column of
// the base font and one unit down is one line; the listings place every piece of text at an
// explicit (column, line) and advance the current line themselves.

#include "design/check_line.h"
#include "figures/drawing_surface.h"

#include <cmath>
#include <string>
#include <string_view>

namespace korvel {

struct PrintGrid {
    double charsPerLine = 0; // characters per line at the base size: the page scale width
    double linesPerPage = 0;
    double baseFontSize = 10;
    std::string fontName = "times new roman";
};

// The listings are printed one and a half points below the report's base size, so that the
// longest formula lines still leave room for the value and clause columns.
inline double listingFontSize(const PrintGrid& grid) {
    return grid.baseFontSize - 1.5;
}

// Column of the values: 17 characters in from 95 % of the page width. The buckling listing
// takes the whole part of 0.95 x width, the yield and scantling listing the nearest whole
// number (halves away from zero); they differ only when 0.95 x width ends in exactly .5.
inline double bucklingValueColumn(const PrintGrid& grid) {
    return std::floor(0.95 * grid.charsPerLine) - 17;
}
inline double yieldValueColumn(const PrintGrid& grid) {
    return std::round(0.95 * grid.charsPerLine) - 17;
}

// Writes the pieces of a printed listing in its font. Restores the surface's font and colour
// when the listing is done, so the report continues with what it had set.
class ListingPen {
public:
    enum class Style { plain, bold, heading };

    ListingPen(DrawingSurface& surface, const PrintGrid& grid, double valueColumn)
        : surface_(surface), valueColumn_(valueColumn), savedFont_(surface.font()), savedColour_(surface.foreColour()) {
        font_.name = grid.fontName;
        font_.size = listingFontSize(grid);
    }
    ~ListingPen() {
        surface_.setFont(savedFont_);
        surface_.setForeColour(savedColour_);
    }
    ListingPen(const ListingPen&) = delete;
    ListingPen& operator=(const ListingPen&) = delete;

    double valueColumn() const { return valueColumn_; }

    // Writes `text` at (x, y) and returns the x where the next piece of the line starts. A
    // heading is bold and underlined; both are switched off again for the next piece.
    double put(double x, double y, std::string_view text, Style style = Style::plain, Rgb colour = {}) {
        Font f = font_;
        f.bold = style != Style::plain;
        f.underline = style == Style::heading;
        surface_.setFont(f);
        surface_.setForeColour(colour);
        if (text.empty()) return x;
        return surface_.text(x, y, text);
    }

    // Width of a plain text in the listing font.
    double width(std::string_view text) {
        surface_.setFont(font_);
        return surface_.textWidth(text);
    }

    // The value in bold in its verdict colour at the value column, the limit directly after it
    // in regular black.
    void valueAndLimit(double y, const CheckLine& line, Rgb valueColour) {
        const double x = put(valueColumn_, y, line.value, Style::bold, valueColour);
        put(x, y, line.limit);
    }

    // Label and formula at the left margin, then value and limit: one line, no wrapping.
    void checkLine(double leftMargin, double y, const CheckLine& line) {
        put(leftMargin, y, line.label + line.formula);
        valueAndLimit(y, line, paletteColour(line.status));
    }

private:
    DrawingSurface& surface_;
    double valueColumn_;
    Font savedFont_;
    Rgb savedColour_;
    Font font_;
};

} // namespace korvel
