#include "figures/profile_figure.h"

#include "sections/stiffener_section.h"

#include "design/number_format.h"
#include "figures/pictures.h"
#include "sections/profile_outline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace korvel {

namespace {

const Rgb black{0, 0, 0};
const Rgb dimensionInk = paletteColour(1);
const Rgb axisInk = paletteColour(9);

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

// A dimension's text: its letter and the real size, "H = 250", "s = 9.5" ("s = 9,5").
std::string sized(const char* letter, double mm, char sep) {
    const double whole = std::round(mm);
    return std::string(letter) + " = " + formatNumber(mm, std::fabs(mm - whole) < 0.05 ? "0" : "0.0", sep);
}

// The part of the strip that is drawn: the profile with room on either side, never more than
// the strip itself. A wide strip would shrink the section to a sliver.
struct Strip {
    double left = 0, right = 0;
    bool cutLeft = false, cutRight = false;
};

Strip visibleStrip(const DesignCase& dc, const ProfileOutline& o, const DimensionLayout& l) {
    const double room = std::max({0.5 * (l.xMax - l.xMin), 0.5 * static_cast<double>(dc.H), 10.0});
    Strip s;
    s.left = std::max(0.0, l.xMin - room);
    s.right = std::min(static_cast<double>(o.width), l.xMax + room);
    s.cutLeft = s.left > 0;
    s.cutRight = s.right < o.width;
    return s;
}

// Spacing of the texts: a share of the drawing, but never less than the letters need; and the
// decimal separator their sizes are written with.
struct Spacing {
    double u = 1;         // one hundredth of the square
    double gap = 1;       // between a line and its text
    double th = 1;        // text height
    char separator = '.'; // of the sizes
};

// The texts around the section and where they reach, in the outline's frame.
struct Extent {
    double left = 0, right = 0, bottom = 0, top = 0;
};

Extent textExtent(DrawingSurface& s, const DesignCase& dc, const ProfileOutline& o, const DimensionLayout& l,
                  const Strip& strip, const Spacing& sp) {
    const double top = dc.t + dc.H;
    Extent e;
    const double xH = std::min(l.xMin, l.topLeft) - 6 * sp.u;
    e.left = std::min(strip.left - 4 * sp.u - sp.gap - s.textWidth("Y"),
                      xH - sp.gap - s.textWidth(sized("H", dc.H, sp.separator)));
    const double right = strip.right + 4 * sp.u;
    e.right = std::max({right + sp.gap + s.textWidth("Y"),
                        strip.right + sp.gap + s.textWidth(sized("se", o.width, sp.separator)),
                        l.xMax + 6 * sp.u + sp.gap + s.textWidth(sized("h", l.webTop - l.webBottom, sp.separator)),
                        l.topRight + sp.gap + s.textWidth(sized("B", l.topRight - l.topLeft, sp.separator)),
                        l.xMax + 6 * sp.u + sp.gap + s.textWidth(sized("s", dc.tw, sp.separator)),
                        l.xMax + 6 * sp.u + sp.gap + s.textWidth(sized("b", l.bRight - l.bLeft, sp.separator))});
    e.bottom = -4 * sp.u - sp.th;
    e.top = top + 4 * sp.u + 1.5 * sp.th;
    return e;
}

void drawAxes(Frame& f, const DesignCase& dc, const ProfileOutline& o, const Strip& strip, const Spacing& sp) {
    const double u = sp.u, top = dc.t + dc.H;
    // The Z axis reaches above the B dimension and its text; "Z" stands left of its end, away
    // from "B", which stands right of the flange.
    const double zTop = top + 4 * u + 1.5 * sp.th;
    f.s.setForeColour(axisInk);
    f.s.setDashStyle(DashStyle::dashDot);
    f.line(o.webX, -4 * u - sp.th, o.webX, zTop);
    const double left = strip.left - 4 * u, right = strip.right + 4 * u;
    f.line(left, o.neutralAxis, right, o.neutralAxis);
    f.s.setDashStyle(DashStyle::solid);
    f.label("Z", o.webX - sp.gap, zTop, 1, 1);
    // "Y" at the left end of its axis, away from the column of texts right of the section,
    // unless "H = ..." stands at that height.
    const double midH = dc.t + dc.H / 2;
    if (std::fabs(o.neutralAxis - midH) > 1.3 * sp.th)
        f.label("Y", left - sp.gap, o.neutralAxis, 1, 0.5);
    else
        f.label("Y", right + sp.gap, o.neutralAxis, 0, 0.5);
}

void drawLetters(Frame& f, const DesignCase& dc, const ProfileOutline& o, const DimensionLayout& l, const Strip& strip,
                 const Spacing& sp) {
    const double u = sp.u, t = dc.t, top = dc.t + dc.H;
    f.s.setForeColour(dimensionInk);

    // se: the whole width of the strip, whatever part of it is drawn.
    f.dimension(strip.left, -4 * u, strip.right, -4 * u);
    f.label(sized("se", o.width, sp.separator), strip.right + sp.gap, -4 * u, 0, 0.5);

    const double xH = std::min(l.xMin, l.topLeft) - 6 * u;
    f.line(l.topLeft - 0.5 * u, top, xH - u, top);
    f.dimension(xH, t, xH, top);
    f.label(sized("H", dc.H, sp.separator), xH - sp.gap, t + dc.H / 2, 1, 0.5);

    const double xh = l.xMax + 6 * u;
    f.line(l.webTopRight + 0.5 * u, l.webTop, xh + u, l.webTop);
    if (l.webBottom > t) f.line(l.xMax + 0.5 * u, l.webBottom, xh + u, l.webBottom);
    f.dimension(xh, l.webBottom, xh, l.webTop);
    f.label(sized("h", l.webTop - l.webBottom, sp.separator), xh + sp.gap, (l.webBottom + l.webTop) / 2, 0, 0.5);

    if (l.flange) {
        const double yB = top + 4 * u;
        f.line(l.topLeft, top + 0.5 * u, l.topLeft, yB + u);
        f.line(l.topRight, top + 0.5 * u, l.topRight, yB + u);
        f.dimension(l.topLeft, yB, l.topRight, yB);
        f.label(sized("B", l.topRight - l.topLeft, sp.separator), l.topRight + sp.gap, yB, 0, 0.5);

        // The texts of b, h and s stand in one column right of the h dimension, each at the
        // height of its own lines: b under the flange, h at mid-web, s beside them.
        f.dimension(l.bLeft, l.bY, l.bRight, l.bY);
        f.label(sized("b", l.bRight - l.bLeft, sp.separator), xh + sp.gap, l.bY, 0, 0.5);
    }

    const double y = l.thicknessY;
    f.arrow(l.faceLeft - 5 * u, y, l.faceLeft, y);
    f.arrow(l.faceRight + 5 * u, y, l.faceRight, y);
    // "s = 10" is wider than the room beside a web: it stands right of the h dimension, at the
    // height of its arrows.
    // Over or under "h = ...", clear of "b = ..." and of the neutral axis, whose "Y" stands at the
    // same side.
    const double mid = (l.webBottom + l.webTop) / 2;
    double sy = mid - 1.3 * sp.th;
    for (const double candidate : {mid - 1.3 * sp.th, mid + 1.3 * sp.th, mid - 2.6 * sp.th, mid + 2.6 * sp.th}) {
        const bool clearOfB = !l.flange || std::fabs(candidate - l.bY) > 1.1 * sp.th;
        const bool clearOfY = std::fabs(candidate - o.neutralAxis) > 0.9 * sp.th;
        if (clearOfB && clearOfY) {
            sy = candidate;
            break;
        }
    }
    f.label(sized("s", dc.tw, sp.separator), xh + sp.gap, sy, 0, 0.5);
}

// The outline with the strip cut to the part drawn; a cut end carries a break mark.
void drawTrimmedOutline(Frame& f, const ProfileOutline& o, const Strip& strip, double t, double u) {
    const auto& p = o.points;
    const std::size_t n = static_cast<std::size_t>(o.polygonCount);
    for (std::size_t i = 0; i + 1 < n; ++i) f.line(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
    for (std::size_t j = 0; j < static_cast<std::size_t>(o.rectangleCount); ++j) {
        const OutlinePoint& a = p[n + 2 * j];
        const OutlinePoint& b = p[n + 2 * j + 1];
        const bool isStrip = std::min(a.y, b.y) == 0 && std::min(a.x, b.x) == 0 && std::max(a.x, b.x) == o.width;
        if (!isStrip || (!strip.cutLeft && !strip.cutRight)) {
            f.box(a.x, a.y, b.x, b.y);
            continue;
        }
        f.line(strip.left, 0, strip.right, 0);
        f.line(strip.left, t, strip.right, t);
        for (const auto& [x, cut] : {std::pair{strip.left, strip.cutLeft}, std::pair{strip.right, strip.cutRight}}) {
            if (!cut) {
                f.line(x, 0, x, t);
                continue;
            }
            // A break: a short zigzag across the plate.
            const double w = std::max(1.5 * u, 0.25 * t);
            f.line(x, -0.3 * t, x + w, 0.35 * t);
            f.line(x + w, 0.35 * t, x - w, 0.65 * t);
            f.line(x - w, 0.65 * t, x, 1.3 * t);
        }
    }
}

} // namespace

void drawProfileOutline(DrawingSurface& surface, const DesignCase& dc, const ProfileOutline& o, char separator) {
    const double height = o.height, width = o.width;
    if (!wellFormed(o) || !std::isfinite(std::max(height, width)) || !(height > 0) || !(width > 0) ||
        !stiffenerTypeFacts(dc.stiffenerType)) {
        surface.setScale(0, 1, 1, 0);
        surface.clear();
        return;
    }
    // The square holds the profile, the part of the strip drawn and the texts around them. The
    // texts keep their size on the screen, so the square is widened until they fit: a few
    // rounds settle it.
    const DimensionLayout bare = dimensionLayout(dc, o, 0);
    const Strip strip = visibleStrip(dc, o, bare);
    double side = std::max(strip.right - strip.left, height) / 0.7;
    Spacing sp;
    sp.separator = separator;
    Extent e;
    for (int round = 0; round < 4; ++round) {
        surface.setScale(0, side, side, 0);
        sp.u = side / 100;
        sp.th = surface.textHeight("H");
        sp.gap = std::max(sp.u, 0.35 * sp.th);
        e = textExtent(surface, dc, o, dimensionLayout(dc, o, sp.u), strip, sp);
        const double needed = 1.02 * std::max(e.right - e.left, e.top - e.bottom);
        if (needed <= side) break;
        side = needed;
    }
    surface.setScale(0, side, side, 0);
    surface.clear();

    // The texts and the section centred in the square.
    Frame f(surface, (side - (e.right - e.left)) / 2 - e.left, (side - (e.top - e.bottom)) / 2 - e.bottom, sp.u);
    surface.setLineWidth(1.5);
    surface.setDashStyle(DashStyle::solid);
    surface.setFillStyle(FillStyle::transparent);
    surface.setForeColour(black);
    drawTrimmedOutline(f, o, strip, dc.t, sp.u);
    surface.setLineWidth(1);

    const DimensionLayout l = dimensionLayout(dc, o, sp.u);
    drawAxes(f, dc, o, strip, sp);
    drawLetters(f, dc, o, l, strip, sp);
    surface.setForeColour(black);
}

void drawProfileFigure(DrawingSurface& surface, const DesignCase& dc, bool toScale, char separator) {
    if (toScale) {
        drawProfileOutline(surface, dc, sectionOutline(dc), separator);
        return;
    }
    surface.setScale(0, 75, 100, 0);
    surface.clear();
    drawPicture(surface, schematicPictureName(dc.stiffenerType), 0, 75, 100, -75);
}

} // namespace korvel
