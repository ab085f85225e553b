#include "ui/qt_drawing_surface.h"

#include "figures/pictures.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace korvel {

namespace {

QColor toQColor(Rgb c) {
    return {c.r & 0xFF, c.g & 0xFF, c.b & 0xFF};
}

Qt::PenStyle toPenStyle(DashStyle style) {
    switch (style) {
    case DashStyle::dash:
        return Qt::DashLine;
    case DashStyle::dot:
        return Qt::DotLine;
    case DashStyle::dashDot:
        return Qt::DashDotLine;
    case DashStyle::dashDotDot:
        return Qt::DashDotDotLine;
    case DashStyle::solid:
        break;
    }
    return Qt::SolidLine;
}

// A drawing with a NaN or infinite coordinate (a figure of a case whose calculation stopped) is
// left out rather than handed to the painter.
bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Device pixels of one 96 dpi screen pixel: line width 1 is equally thin on screen and paper.
double screenPixel(const QPaintDevice* device) {
    const int dpi = device ? device->logicalDpiX() : 96;
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

} // namespace

QFont qtFontFor(const Font& font) {
    const QString name = QString::fromStdString(font.name).trimmed().toLower();
    QFont f;
    if (name == QLatin1String("times new roman")) {
        f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
        f.setStyleHint(QFont::Serif);
    } else if (name == QLatin1String("arial")) {
        f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        f.setStyleHint(QFont::SansSerif);
    } else if (!name.isEmpty()) {
        f.setFamilies({QString::fromStdString(font.name)});
    }
    if (font.size > 0 && std::isfinite(font.size)) f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

QtDrawingSurface::QtDrawingSurface(QPainter& painter, QRectF target)
    : painter_(painter), device_(painter.device()), target_(target) {
    setScale(0, 0, target.width(), target.height());
    setFont(font_);
}

void QtDrawingSurface::setScale(double left, double top, double right, double bottom) {
    // An empty scale would divide by zero; the previous scale stays in force.
    if (!finite({left, top, right, bottom}) || right == left || bottom == top) return;
    left_ = left;
    top_ = top;
    unitX_ = target_.width() / (right - left);
    unitY_ = target_.height() / (bottom - top);
}

QPointF QtDrawingSurface::toDevice(double x, double y) const {
    return {target_.left() + (x - left_) * unitX_, target_.top() + (y - top_) * unitY_};
}

QRectF QtDrawingSurface::deviceRect(double x1, double y1, double x2, double y2) const {
    return QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized();
}

void QtDrawingSurface::clear() {
    painter_.fillRect(target_, Qt::white);
}

void QtDrawingSurface::setFont(const Font& font) {
    font_ = font;
    qfont_ = qtFontFor(font);
}

QFont QtDrawingSurface::deviceFont() const {
    return device_ ? QFont(qfont_, device_) : qfont_;
}

void QtDrawingSurface::applyPen() {
    QPen pen(toQColor(fore_));
    pen.setWidthF(std::max(lineWidth_, 0.0) * screenPixel(device_));
    pen.setStyle(toPenStyle(dash_));
    painter_.setPen(pen);
    if (fill_ == FillStyle::solid)
        painter_.setBrush(toQColor(fillColour_));
    else
        painter_.setBrush(Qt::NoBrush);
}

void QtDrawingSurface::line(double x1, double y1, double x2, double y2) {
    if (!finite({x1, y1, x2, y2})) return;
    applyPen();
    painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void QtDrawingSurface::box(double x1, double y1, double x2, double y2) {
    if (!finite({x1, y1, x2, y2})) return;
    applyPen();
    painter_.drawRect(deviceRect(x1, y1, x2, y2));
}

void QtDrawingSurface::filledBox(double x1, double y1, double x2, double y2, Rgb colour) {
    if (!finite({x1, y1, x2, y2})) return;
    painter_.fillRect(deviceRect(x1, y1, x2, y2), toQColor(colour));
}

void QtDrawingSurface::circle(double cx, double cy, double radius) {
    if (!finite({cx, cy, radius})) return;
    applyPen();
    const double r = std::abs(radius * unitX_);
    painter_.drawEllipse(toDevice(cx, cy), r, r);
}

void QtDrawingSurface::drawText(double x, double y, std::string_view text) {
    if (!finite({x, y}) || text.empty()) return;
    const QFont f = deviceFont();
    painter_.setFont(f);
    painter_.setPen(toQColor(fore_));
    const QFontMetricsF metrics(qfont_, device_);
    const QPointF topLeft = toDevice(x, y);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), toQString(text));
}

void QtDrawingSurface::picture(std::string_view name, double x, double y, double width, double height) {
    drawPicture(*this, name, x, y, width, height);
}

double QtDrawingSurface::textWidth(std::string_view text) const {
    const QFontMetricsF metrics(qfont_, device_);
    return metrics.horizontalAdvance(toQString(text)) / std::abs(unitX_);
}

double QtDrawingSurface::textHeight(std::string_view) const {
    const QFontMetricsF metrics(qfont_, device_);
    return metrics.height() / std::abs(unitY_);
}

} // namespace korvel
