#pragma once

// The printed page's character grid as the report sets it up, and the pen the printed listings
// write with. The report scales the page so that one unit across is one character column of
// the base font and one unit down is one line; the listings place every piece of text at an
// explicit (column, line) and advance the current line themselves.

#include "figures/drawing_surface.h"
#include "report/beside_values.h"
#include "report/check_line.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

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

// Column of the values: 17 characters in from the whole part of 95 % of the page width. The
// buckling and the yield and scantling listings share it, so that their values stand in one
// column when both are printed.
inline double bucklingValueColumn(const PrintGrid& grid) {
    return std::floor(0.95 * grid.charsPerLine) - 17;
}
inline double yieldValueColumn(const PrintGrid& grid) {
    return bucklingValueColumn(grid);
}
// The right margin of the report's text: 95 % of the page width, rounded.
inline double listingRightLimit(const PrintGrid& grid) {
    return std::round(0.95 * grid.charsPerLine);
}

// Splits `text` into lines no wider than `width` as `measure` measures them. Lines break after a
// space, and the spaces at a break are dropped; a word wider than a whole line is broken between
// its characters (never inside the bytes of one character). Every line holds at least one
// character, so a surface that cannot measure still gets the whole text.
template <class Measure>
std::vector<std::string> wrapText(std::string_view text, double width, Measure measure) {
    std::vector<std::string> lines;
    const auto characterEnd = [&](std::size_t from) {
        std::size_t end = from + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        return end;
    };
    std::size_t start = 0;
    while (start < text.size()) {
        // The longest piece from `start` that fits, and the last break after a space inside it.
        std::size_t end = characterEnd(start);
        std::size_t lastBreak = std::string_view::npos;
        while (end < text.size()) {
            const std::size_t next = characterEnd(end);
            if (measure(text.substr(start, next - start)) > width) break;
            if (text[end] == ' ') lastBreak = next;
            end = next;
        }
        if (end < text.size() && text[end] != ' ' && lastBreak != std::string_view::npos) end = lastBreak;
        std::string_view piece = text.substr(start, end - start);
        while (end < text.size() && text[end] == ' ') ++end;
        if (end < text.size())
            while (piece.size() > 1 && piece.back() == ' ') piece.remove_suffix(1);
        lines.emplace_back(piece);
        start = end;
    }
    return lines;
}

// Writes the pieces of a printed listing in its font. Restores the surface's font and colour
// when the listing is done, so the report continues with what it had set.
class ListingPen {
public:
    enum class Style { plain, bold, heading };

    ListingPen(DrawingSurface& surface, const PrintGrid& grid, double valueColumn)
        : surface_(surface), valueColumn_(valueColumn), rightLimit_(listingRightLimit(grid)),
          savedFont_(surface.font()), savedColour_(surface.foreColour()) {
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
    // Check lines then carry the other calculation's value before their own: "as built 0.48".
    void setBeside(const BesideValues* beside) { beside_ = beside; }

    // Writes `text` at (x, y) and returns the x where the next piece of the line starts. A
    // heading is bold and underlined; both are switched off again for the next piece.
    double put(double x, double y, std::string_view text, Style style = Style::plain, Rgb colour = {}) {
        surface_.setFont(fontFor(style));
        surface_.setForeColour(colour);
        if (text.empty()) return x;
        return surface_.text(x, y, text);
    }

    // Width of a text in the listing font.
    double width(std::string_view text, Style style = Style::plain) {
        surface_.setFont(fontFor(style));
        return surface_.textWidth(text);
    }

    // Writes `text` from (x, y), wrapped so that no line passes `right`; the lines after the
    // first start at `nextX`. Leaves `y` at the last line written and returns the x after it.
    double flow(double x, double& y, std::string_view text, double right, double nextX, Style style = Style::plain,
                Rgb colour = {}) {
        double lineX = x;
        double after = x;
        bool first = true;
        while (!text.empty()) {
            if (!first) {
                y += 1;
                lineX = nextX;
            }
            const std::vector<std::string> lines =
                wrapText(text, right - lineX, [&](std::string_view piece) { return width(piece, style); });
            after = put(lineX, y, lines.front(), style, colour);
            text.remove_prefix(lines.front().size());
            while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            first = false;
        }
        return after;
    }

    // A remark over the whole text width, wrapped within the right margin.
    void remark(double leftMargin, double& y, std::string_view text, Rgb colour = {}) {
        flow(leftMargin, y, text, rightLimit_, leftMargin, Style::bold, colour);
    }

    // The value in bold in its verdict colour at the value column, the limit directly after it
    // in regular black.
    void valueAndLimit(double y, const CheckLine& line, Rgb valueColour) {
        const double x = put(valueColumn_, y, line.value, Style::bold, valueColour);
        put(x, y, line.limit);
    }

    // Label and formula at the left margin, then value and limit. Label and formula that would
    // reach the value column are split: the label alone, then the formula indented on the lines
    // below, wrapped short of the value column; the value stands on the formula's last line.
    // Leaves `y` at the line of the value.
    void checkLine(double leftMargin, double& y, const CheckLine& line) {
        checkLine(leftMargin, y, line, paletteColour(line.status));
    }
    void checkLine(double leftMargin, double& y, const CheckLine& line, Rgb valueColour) {
        const std::string beside = beside_ != nullptr ? asBuiltPrefix + beside_->valueOf(line) : std::string();
        const double besideWidth = beside.empty() ? 0 : width(beside + "  ");
        const double limit = valueColumn_ - width(" ") - besideWidth;
        const std::string text = line.label + line.formula;
        if (leftMargin + width(text) <= limit) {
            put(leftMargin, y, text);
        } else {
            flow(leftMargin, y, line.label, limit, leftMargin);
            const double indented =
                leftMargin + formulaIndent < limit - formulaIndent ? leftMargin + formulaIndent : leftMargin;
            if (!line.formula.empty()) {
                y += 1;
                flow(indented, y, line.formula, limit, indented);
            }
        }
        valueAndLimit(y, line, valueColour);
        if (beside_ != nullptr) put(valueColumn_ - besideWidth, y, beside, Style::plain, beside_->colourOf(line));
    }

private:
    // A formula moved below its label starts 20 characters in.
    static constexpr double formulaIndent = 20;

    Font fontFor(Style style) const {
        Font f = font_;
        f.bold = style != Style::plain;
        f.underline = style == Style::heading;
        return f;
    }

    DrawingSurface& surface_;
    double valueColumn_;
    double rightLimit_;
    Font savedFont_;
    Rgb savedColour_;
    Font font_;
    const BesideValues* beside_ = nullptr;
};

} // namespace korvel
