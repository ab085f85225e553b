#pragma once

// A drawing surface that writes every text with the engineer's decimal separator and passes
// everything else on unchanged: the report composed with the period prints "0,43" in comma mode.

#include "figures/drawing_surface.h"

namespace korvel {

class DecimalSurface final : public DrawingSurface {
public:
    DecimalSurface(DrawingSurface& target, char separator) : target_(target), separator_(separator) {}

    void setScale(double left, double top, double right, double bottom) override {
        target_.setScale(left, top, right, bottom);
    }
    void clear() override { target_.clear(); }
    void setFont(const Font& font) override { target_.setFont(font); }
    Font font() const override { return target_.font(); }
    void setForeColour(Rgb colour) override { target_.setForeColour(colour); }
    Rgb foreColour() const override { return target_.foreColour(); }
    void setLineWidth(double width) override { target_.setLineWidth(width); }
    void setDashStyle(DashStyle style) override { target_.setDashStyle(style); }
    void setFillColour(Rgb colour) override { target_.setFillColour(colour); }
    void setFillStyle(FillStyle style) override { target_.setFillStyle(style); }
    void line(double x1, double y1, double x2, double y2) override { target_.line(x1, y1, x2, y2); }
    void box(double x1, double y1, double x2, double y2) override { target_.box(x1, y1, x2, y2); }
    void filledBox(double x1, double y1, double x2, double y2, Rgb colour) override {
        target_.filledBox(x1, y1, x2, y2, colour);
    }
    void circle(double cx, double cy, double radius) override { target_.circle(cx, cy, radius); }
    void drawText(double x, double y, std::string_view text) override;
    void picture(std::string_view name, double x, double y, double width, double height) override {
        target_.picture(name, x, y, width, height);
    }
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

private:
    DrawingSurface& target_;
    char separator_;
};

} // namespace korvel
