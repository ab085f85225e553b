#pragma once

// A drawing surface that draws nothing and remembers every call, so that tests can check what
// a figure or listing wrote: texts with their position, font and colour, lines, boxes, scales.
// Every character is `charWidth` user units wide and a text is one unit high, so positions of
// pieces written one after another are predictable.

#include "figures/drawing_surface.h"

#include <string>
#include <vector>

namespace korvel::test {

class RecordingSurface final : public DrawingSurface {
public:
    struct Scale {
        double left, top, right, bottom;
    };
    struct Text {
        double x, y;
        std::string text;
        Font font;
        Rgb colour;
    };
    struct Shape {
        enum Kind { line, box, filledBox, circle } kind;
        double x1, y1, x2, y2; // circle: centre and (radius, 0)
        Rgb colour;            // fore colour, or the fill of a filled box
        double lineWidth;
        DashStyle dash;
        FillStyle fill;
        Rgb fillColour;
    };
    struct Picture {
        std::string name;
        double x, y, width, height;
    };

    double charWidth = 0.5;
    mutable std::size_t measuredBytes = 0; // every byte textWidth was asked to measure

    std::vector<Scale> scales;
    int clears = 0;
    std::vector<Text> texts;
    std::vector<Shape> shapes;
    std::vector<Picture> pictures;

    void setScale(double left, double top, double right, double bottom) override {
        scales.push_back({left, top, right, bottom});
    }
    void clear() override {
        ++clears;
        texts.clear();
        shapes.clear();
        pictures.clear();
    }
    void setFont(const Font& font) override { font_ = font; }
    Font font() const override { return font_; }
    void setForeColour(Rgb colour) override { colour_ = colour; }
    Rgb foreColour() const override { return colour_; }
    void setLineWidth(double width) override { lineWidth_ = width; }
    void setDashStyle(DashStyle style) override { dash_ = style; }
    void setFillColour(Rgb colour) override { fillColour_ = colour; }
    void setFillStyle(FillStyle style) override { fill_ = style; }

    void line(double x1, double y1, double x2, double y2) override { add(Shape::line, x1, y1, x2, y2, colour_); }
    void box(double x1, double y1, double x2, double y2) override { add(Shape::box, x1, y1, x2, y2, colour_); }
    void filledBox(double x1, double y1, double x2, double y2, Rgb colour) override {
        add(Shape::filledBox, x1, y1, x2, y2, colour);
    }
    void circle(double cx, double cy, double radius) override { add(Shape::circle, cx, cy, radius, 0, colour_); }
    void drawText(double x, double y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), font_, colour_});
    }
    void picture(std::string_view name, double x, double y, double width, double height) override {
        pictures.push_back({std::string(name), x, y, width, height});
    }
    double textWidth(std::string_view text) const override {
        measuredBytes += text.size();
        return charWidth * static_cast<double>(text.size());
    }
    double textHeight(std::string_view) const override { return 1; }

private:
    void add(Shape::Kind kind, double x1, double y1, double x2, double y2, Rgb colour) {
        shapes.push_back({kind, x1, y1, x2, y2, colour, lineWidth_, dash_, fill_, fillColour_});
    }

    Font font_;
    Rgb colour_;
    double lineWidth_ = 1;
    DashStyle dash_ = DashStyle::solid;
    FillStyle fill_ = FillStyle::transparent;
    Rgb fillColour_{255, 255, 255};
};

} // namespace korvel::test
