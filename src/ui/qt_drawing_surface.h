#pragma once

// The drawing interface over a QPainter, on any paint device: the main window's figure box, a
// printer page, a PDF writer or a QImage. The figures, the printed listings and the report draw
// through it without knowing which.
//
// The user scale maps onto a target rectangle in the painter's coordinates; a top greater than
// the bottom makes y grow upwards, while text stays upright with its top left corner at the
// given point. Font sizes are points on every device: they are resolved against the device's
// logical resolution, so 10 points are as tall on a 1200 dpi PDF as on a 96 dpi screen.
// Line width 1 is one pixel of a 96 dpi screen (1/96 inch), on every device.

#include "figures/drawing_surface.h"

#include <QFont>
#include <QPointF>
#include <QRectF>

class QPainter;
class QPaintDevice;

namespace korvel {

// The Qt font of a drawing font: "times new roman" and "arial" (any capitals) become Times New
// Roman and Arial, with the metric-compatible Liberation Serif and Liberation Sans where those are
// missing; any other name is used as the family. The point size is kept as is (a size that is not
// positive leaves Qt's default).
QFont qtFontFor(const Font& font);

class QtDrawingSurface final : public DrawingSurface {
public:
    // `target` is the drawing area in the painter's current coordinates. Until setScale is
    // called one user unit is one of those coordinates, from the target's top left corner.
    QtDrawingSurface(QPainter& painter, QRectF target);

    void setScale(double left, double top, double right, double bottom) override;
    void clear() override;

    void setFont(const Font& font) override;
    Font font() const override { return font_; }

    void setForeColour(Rgb colour) override { fore_ = colour; }
    Rgb foreColour() const override { return fore_; }
    void setLineWidth(double width) override { lineWidth_ = width; }
    void setDashStyle(DashStyle style) override { dash_ = style; }
    void setFillColour(Rgb colour) override { fillColour_ = colour; }
    void setFillStyle(FillStyle style) override { fill_ = style; }

    void line(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void filledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    // The radius is in units across; the circle stays round under an unequal scale.
    void circle(double cx, double cy, double radius) override;
    void drawText(double x, double y, std::string_view text) override;
    // The pictures are drawn by code, so they stay sharp on the printer.
    void picture(std::string_view name, double x, double y, double width, double height) override;

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

    // The point of the painter's coordinates that the user point (x, y) maps to.
    QPointF toDevice(double x, double y) const;
    // The font as it is resolved on the painter's device.
    QFont deviceFont() const;

private:
    QRectF deviceRect(double x1, double y1, double x2, double y2) const;
    void applyPen();

    QPainter& painter_;
    QPaintDevice* device_;
    QRectF target_;
    double left_ = 0;
    double top_ = 0;
    double unitX_ = 1; // painter coordinates per user unit across
    double unitY_ = 1; // and down; negative when y grows upwards

    Font font_;
    QFont qfont_;
    Rgb fore_;
    double lineWidth_ = 1;
    DashStyle dash_ = DashStyle::solid;
    Rgb fillColour_{255, 255, 255};
    FillStyle fill_ = FillStyle::transparent;
};

} // namespace korvel
