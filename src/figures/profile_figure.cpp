#include "figures/profile_figure.h"

#include "figures/pictures.h"
#include "sections/profile_outline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace korvel {

namespace {

const Rgb black{0, 0, 0};
const Rgb dimensionInk = paletteColour(1);
const Rgb axisInk = paletteColour(9);

// Where the letters go, in the outline's frame (mm): the profile's horizontal extent, the web
// (or the measured wall) and the flange.
struct Layout {
    double xMin = 0, xMax = 0;        // leftmost and rightmost of the profile
    double topLeft = 0, topRight = 0; // ends of the top edge
    double webBottom = 0, webTop = 0; // h
    double webTopRight = 0;           // right edge of the profile at the top of the web
    double thicknessY = 0;            // s is measured across the web or wall at this height
    double faceLeft = 0, faceRight = 0;
    bool flange = true;
    double bLeft = 0, bRight = 0, bY = 0; // b
};

Layout layoutOf(const DesignCase& dc, const ProfileOutline& o, double unit) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf, t = dc.t;
    const double webX = o.webX, webL = webX - tw / 2, webR = webX + tw / 2;
    const double xl = webX - B / 2, xr = webX + B / 2;
    Layout l;
    l.webBottom = t;
    l.webTop = t + H - tf;
    l.faceLeft = webL;
    l.faceRight = webR;
    l.bLeft = webR;
    l.bY = t + H - tf - 5 * unit;
    switch (dc.stiffenerType) {
    case stiffLTable:
    case stiffLBuiltUp:
        l.xMin = l.topLeft = webL;
        l.xMax = l.topRight = l.bRight = webL + B;
        break;
    case stiffBFTable: // the bulb reaches c beyond the web; B is its equivalent angle's flange
        l.xMin = l.topLeft = webL;
        l.topRight = l.bRight = webL + B;
        l.xMax = webR + dc.a;
        break;
    case stiffFlatbarTable:
    case stiffFlatbarBuiltUp:
        l.xMin = l.topLeft = webL;
        l.xMax = l.topRight = webR;
        l.webTop = t + H;
        l.flange = false;
        break;
    case stiffRHS:
        l.xMin = l.topLeft = xl;
        l.xMax = l.topRight = xr;
        l.webBottom = t + tw;
        l.webTop = t + H - tw;
        l.faceLeft = xl;
        l.faceRight = xl + tw;
        l.bLeft = xl + tw;
        l.bRight = xr - tw;
        l.bY = t + H - tw - 5 * unit;
        break;
    case stiffTrapez: { // s across the left web at mid-height, as the webs lean
        const double a = dc.a;
        l.xMin = xl - a;
        l.xMax = xr + a;
        l.topLeft = xl;
        l.topRight = xr;
        l.webTop = t + H - tw;
        l.faceLeft = xl - a / 2; // the outer face at mid-height
        l.faceRight = l.faceLeft + tw;
        l.bLeft = xl + tw;
        l.bRight = xr - tw;
        l.bY = t + H - tw - 5 * unit;
        break;
    }
    case stiffIBuiltUp:
        l.xMin = l.topLeft = xl;
        l.xMax = l.topRight = l.bRight = xr;
        l.webBottom = t + tf;
        break;
    default: // tee
        l.xMin = l.topLeft = xl;
        l.xMax = l.topRight = l.bRight = xr;
        break;
    }
    if (dc.stiffenerType == stiffTrapez)
        l.thicknessY = t + H / 2; // where faceLeft was taken
    else if (dc.stiffenerType == stiffRHS)
        l.thicknessY = t + 0.35 * H; // clear of b under the top
    else
        l.thicknessY = l.webBottom + 0.3 * (l.webTop - l.webBottom);
    l.webTopRight = dc.stiffenerType == stiffTrapez && H > 0 ? xr + dc.a * tw / H : l.xMax;
    return l;
}

// Drawing in the outline's frame, shifted to its origin in the square; y upwards.
class Frame {
public:
    Frame(DrawingSurface& surface, double ox, double oy, double unit) : s(surface), ox_(ox), oy_(oy), u_(unit) {}

    void line(double x1, double y1, double x2, double y2) { s.line(ox_ + x1, oy_ + y1, ox_ + x2, oy_ + y2); }
    void box(double x1, double y1, double x2, double y2) { s.box(ox_ + x1, oy_ + y1, ox_ + x2, oy_ + y2); }
    void label(std::string_view text, double x, double y, double ax, double ay) {
        const double w = s.textWidth(text), h = s.textHeight(text);
        s.drawText(ox_ + x - ax * w, oy_ + y + (1 - ay) * h, text);
    }
    void arrow(double x1, double y1, double x2, double y2) {
        line(x1, y1, x2, y2);
        const double dx = x2 - x1, dy = y2 - y1, length = std::hypot(dx, dy);
        if (length <= 0) return;
        const double head = std::min(2.5 * u_, 0.5 * length), half = 0.4 * head;
        const double ex = dx / length, ey = dy / length, bx = x2 - ex * head, by = y2 - ey * head;
        line(x2, y2, bx - ey * half, by + ex * half);
        line(x2, y2, bx + ey * half, by - ex * half);
    }
    void dimension(double x1, double y1, double x2, double y2) {
        arrow((x1 + x2) / 2, (y1 + y2) / 2, x1, y1);
        arrow((x1 + x2) / 2, (y1 + y2) / 2, x2, y2);
    }
    double unit() const { return u_; }

    DrawingSurface& s;

private:
    double ox_, oy_, u_;
};

bool wellFormed(const ProfileOutline& o) {
    const std::size_t n = static_cast<std::size_t>(std::max(0, o.polygonCount));
    const std::size_t k = static_cast<std::size_t>(std::max(0, o.rectangleCount));
    if (o.polygonCount < 0 || o.rectangleCount < 0 || n == 1) return false;
    const std::size_t used = n + 2 * k;
    if (used == 0 || used > o.points.size() || used > static_cast<std::size_t>(ProfileOutline::maxPoints)) return false;
    return std::all_of(o.points.begin(), o.points.end(),
                       [](const OutlinePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

// Open polygon point i to i + 1, then the rectangles as pairs of opposite corners.
void drawOutline(Frame& f, const ProfileOutline& o) {
    const auto& p = o.points;
    const std::size_t n = static_cast<std::size_t>(o.polygonCount);
    for (std::size_t i = 0; i + 1 < n; ++i) f.line(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
    for (std::size_t j = 0; j < static_cast<std::size_t>(o.rectangleCount); ++j) {
        const OutlinePoint& a = p[n + 2 * j];
        const OutlinePoint& b = p[n + 2 * j + 1];
        f.box(a.x, a.y, b.x, b.y);
    }
}

void drawAxes(Frame& f, const DesignCase& dc, const ProfileOutline& o, const Layout& l) {
    const double u = f.unit(), top = dc.t + dc.H;
    f.s.setForeColour(axisInk);
    f.s.setDashStyle(DashStyle::dashDot);
    f.line(o.webX, -12 * u, o.webX, top + 14 * u);
    const double left = std::min(0.0, l.xMin - 14 * u), right = std::max<double>(o.width, l.xMax + 22 * u) + 4 * u;
    f.line(left, o.neutralAxis, right, o.neutralAxis);
    f.s.setDashStyle(DashStyle::solid);
    f.label("Z", o.webX + 1.5 * u, top + 14 * u, 0, 1);
    f.label("Y", right + 1.5 * u, o.neutralAxis, 0, 0.5);
}

void drawLetters(Frame& f, const DesignCase& dc, const ProfileOutline& o, const Layout& l) {
    const double u = f.unit(), t = dc.t, top = dc.t + dc.H;
    f.s.setForeColour(dimensionInk);

    f.dimension(0, -6 * u, o.width, -6 * u);
    f.label("se", o.width + 1.5 * u, -6 * u, 0, 0.5);

    const double xH = std::min(l.xMin, l.topLeft) - 10 * u;
    f.line(l.topLeft - 0.5 * u, top, xH - u, top);
    f.dimension(xH, t, xH, top);
    f.label("H", xH - 1.5 * u, t + dc.H / 2, 1, 0.5);

    const double xh = l.xMax + 10 * u;
    f.line(l.webTopRight + 0.5 * u, l.webTop, xh + u, l.webTop);
    if (l.webBottom > t) f.line(l.xMax + 0.5 * u, l.webBottom, xh + u, l.webBottom);
    f.dimension(xh, l.webBottom, xh, l.webTop);
    f.label("h", xh + 1.5 * u, (l.webBottom + l.webTop) / 2, 0, 0.5);

    if (l.flange) {
        const double yB = top + 6 * u;
        f.line(l.topLeft, top + 0.5 * u, l.topLeft, yB + u);
        f.line(l.topRight, top + 0.5 * u, l.topRight, yB + u);
        f.dimension(l.topLeft, yB, l.topRight, yB);
        f.label("B", l.topRight + 1.5 * u, yB, 0, 0.5);

        f.dimension(l.bLeft, l.bY, l.bRight, l.bY);
        f.label("b", (l.bLeft + l.bRight) / 2, l.bY - u, 0.5, 1);
    }

    const double y = l.thicknessY;
    f.arrow(l.faceLeft - 5 * u, y, l.faceLeft, y);
    f.arrow(l.faceRight + 5 * u, y, l.faceRight, y);
    f.label("s", l.faceRight + 6 * u, y, 0, 0.5);
}

void drawToScale(DrawingSurface& surface, const DesignCase& dc) {
    const ProfileOutline& o = dc.stiff.outline;
    const double height = o.height, width = o.width;
    const double m = std::max(height, width);
    if (!wellFormed(o) || !std::isfinite(m) || !(m > 0) || !(height > 0) || !(width > 0)) {
        surface.setScale(0, 1, 1, 0);
        surface.clear();
        return;
    }
    const double side = 1.8 * m;
    surface.setScale(0, side, side, 0);
    surface.clear();

    Frame f(surface, 0.9 * m - width / 2, 0.9 * m - 0.4 * height, m / 100);
    surface.setLineWidth(1.5);
    surface.setDashStyle(DashStyle::solid);
    surface.setFillStyle(FillStyle::transparent);
    surface.setForeColour(black);
    drawOutline(f, o);
    surface.setLineWidth(1);

    if (dc.stiffenerType >= 0 && dc.stiffenerType < stiffenerTypeCount) {
        const Layout l = layoutOf(dc, o, f.unit());
        drawAxes(f, dc, o, l);
        drawLetters(f, dc, o, l);
    }
    surface.setForeColour(black);
}

} // namespace

void drawProfileFigure(DrawingSurface& surface, const DesignCase& dc, bool toScale) {
    if (toScale) {
        drawToScale(surface, dc);
        return;
    }
    surface.setScale(0, 75, 100, 0);
    surface.clear();
    drawPicture(surface, schematicPictureName(dc.stiffenerType), 0, 75, 100, -75);
}

} // namespace korvel
