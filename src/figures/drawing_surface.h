#pragma once

// The one drawing interface of the figures, the printed listings and the report. The screen,
// the printer, a PDF and a test recorder implement it; the drawing code never knows which.
//
// Coordinates are user units of the scale last set (setScale); lengths such as text widths are
// returned in the same units. Text is placed by its top left corner at an explicit (x, y):
// there is no hidden current position.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The classic 16-colour palette by its numbers (0 black, 2 dark green, 4 dark red, 12 bright
// red, 15 white ...). A number outside 0..15 gives black rather than an undefined colour.
inline Rgb paletteColour(int number) {
    static constexpr Rgb palette[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    };
    if (number < 0 || number > 15) return palette[0];
    return palette[number];
}

// A colour written as one number with blue in the high byte and red in the low byte
// (C0C0C0 light grey, 80FFFF light yellow, FF0000 blue, 255 red, 65280 green).
inline Rgb colourFromBgr(std::uint32_t value) {
    return {static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
            static_cast<int>((value >> 16) & 0xFFu)};
}

struct Font {
    std::string name = "arial";
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Font& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic && underline == o.underline;
    }
};

enum class DashStyle { solid, dash, dot, dashDot, dashDotDot };

// How closed shapes (box, circle) are filled: not at all, or solid in the fill colour.
enum class FillStyle { transparent, solid };

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // User scale: the left, top, right and bottom edges of the drawing area in user units.
    // A top greater than the bottom makes y grow upwards.
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    // Empties the drawing area (background colour).
    virtual void clear() = 0;

    virtual void setFont(const Font& font) = 0;
    virtual Font font() const = 0;

    // Colour of lines, box outlines and text.
    virtual void setForeColour(Rgb colour) = 0;
    virtual Rgb foreColour() const = 0;
    virtual void setLineWidth(double width) = 0; // in device pixels or points, 1 = thin
    virtual void setDashStyle(DashStyle style) = 0;
    virtual void setFillColour(Rgb colour) = 0;
    virtual void setFillStyle(FillStyle style) = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Rectangle outline in the fore colour, filled as the fill style says.
    virtual void box(double x1, double y1, double x2, double y2) = 0;
    // Rectangle filled solid in `colour` (outline included), whatever the fill style.
    virtual void filledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // Circle outline in the fore colour, filled as the fill style says.
    virtual void circle(double cx, double cy, double radius) = 0;
    virtual void drawText(double x, double y, std::string_view text) = 0;
    // A named bitmap (the small profile pictures) stretched into the given rectangle.
    virtual void picture(std::string_view name, double x, double y, double width, double height) = 0;

    // Extent of a text in the current font, in user units (always positive).
    virtual double textWidth(std::string_view text) const = 0;
    virtual double textHeight(std::string_view text) const = 0;

    // Draws `text` at (x, y) and returns the x where the next piece of the same line starts,
    // so that a line can be written in pieces of different colour and weight.
    double text(double x, double y, std::string_view text) {
        drawText(x, y, text);
        return x + textWidth(text);
    }

    // Colour number of the 16-colour palette as fore colour.
    void setPaletteColour(int paletteNumber) { setForeColour(paletteColour(paletteNumber)); }
    void setBold(bool bold) {
        Font f = font();
        f.bold = bold;
        setFont(f);
    }
};

} // namespace korvel
