#pragma once

// A recording page that measures text like a real font, for the printed report's layout: a
// character is 0.21 mm per point wide and a line 0.1 mm per point high, converted to the scale in
// force. At 10 points on an A4 page of 210 x 297 mm the report's grid is then 100 characters per
// line and 267 lines per page.

#include "recording_surface.h"

#include <cmath>
#include <string_view>
#include <vector>

namespace korvel::test {

// Records through a RecordingSurface, but measures text in proportion to the font size and in
// the units of the scale in force (the first scale set is taken as millimetres), and remembers
// which scale each drawing was made in (0 = the first setScale).
class MeasuringPage final : public DrawingSurface {
public:
    RecordingSurface rec;
    std::vector<int> textScale;
    std::vector<int> shapeScale;

    void setScale(double l, double t, double r, double b) override { rec.setScale(l, t, r, b); }
    void clear() override { rec.clear(); }
    void setFont(const Font& f) override { rec.setFont(f); }
    Font font() const override { return rec.font(); }
    void setForeColour(Rgb c) override { rec.setForeColour(c); }
    Rgb foreColour() const override { return rec.foreColour(); }
    void setLineWidth(double w) override { rec.setLineWidth(w); }
    void setDashStyle(DashStyle s) override { rec.setDashStyle(s); }
    void setFillColour(Rgb c) override { rec.setFillColour(c); }
    void setFillStyle(FillStyle s) override { rec.setFillStyle(s); }
    void line(double x1, double y1, double x2, double y2) override {
        rec.line(x1, y1, x2, y2);
        shapeScale.push_back(scaleIndex());
    }
    void box(double x1, double y1, double x2, double y2) override {
        rec.box(x1, y1, x2, y2);
        shapeScale.push_back(scaleIndex());
    }
    void filledBox(double x1, double y1, double x2, double y2, Rgb c) override {
        rec.filledBox(x1, y1, x2, y2, c);
        shapeScale.push_back(scaleIndex());
    }
    void circle(double cx, double cy, double r) override {
        rec.circle(cx, cy, r);
        shapeScale.push_back(scaleIndex());
    }
    void drawText(double x, double y, std::string_view text) override {
        rec.drawText(x, y, text);
        textScale.push_back(scaleIndex());
    }
    void picture(std::string_view name, double x, double y, double w, double h) override {
        rec.picture(name, x, y, w, h);
    }
    double textWidth(std::string_view text) const override {
        return 0.21 * rec.font().size * static_cast<double>(text.size()) * unitsPerMm(true);
    }
    double textHeight(std::string_view) const override { return 0.1 * rec.font().size * unitsPerMm(false); }

    // Width of recorded text i in the scale it was drawn in.
    double drawnWidth(std::size_t i) const {
        const auto& t = rec.texts[i];
        const auto& mm = rec.scales.front();
        const auto& then = rec.scales[static_cast<std::size_t>(textScale[i])];
        return 0.21 * t.font.size * static_cast<double>(t.text.size()) *
               std::abs((then.right - then.left) / (mm.right - mm.left));
    }

private:
    int scaleIndex() const { return static_cast<int>(rec.scales.size()) - 1; }
    double unitsPerMm(bool across) const {
        if (rec.scales.empty()) return 1;
        const auto& mm = rec.scales.front();
        const auto& now = rec.scales.back();
        return across ? std::abs((now.right - now.left) / (mm.right - mm.left))
                      : std::abs((now.bottom - now.top) / (mm.bottom - mm.top));
    }
};

} // namespace korvel::test
