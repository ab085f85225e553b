#include "figures/panel_figure.h"

#include "design/number_format.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel {

namespace {

const Rgb black{0, 0, 0};
const Rgb white{255, 255, 255};
const Rgb plateGrey = colourFromBgr(0xC0C0C0);
const Rgb panelYellow = colourFromBgr(0x80FFFF);
const Rgb stiffenerBlue = colourFromBgr(0xFF0000);
const Rgb sigxRed = colourFromBgr(255);
const Rgb sigyGreen = colourFromBgr(65280);

constexpr double arrowBase = 8; // length v of the larger stress arrow
constexpr double bracketLineWidth = 1.8;

// Plan of the plating, stiffeners along x and girders along y. Between the first two girders
// lies the assessed panel: span L1, plate 1 (s1) below the assessed stiffener, plate 2 (s2) above.
constexpr double planLeft = 14, planRight = 56, planBottom = 12, planTop = 58;
constexpr double girderX[] = {16, 39, 54};
constexpr double stiffenerY[] = {20, 33, 46};
constexpr double stiffenerHalf = 0.6;
constexpr double midSpan = (girderX[0] + girderX[1]) / 2;

// Elevation of a girder on the plan's y: the plating seen edge-on, the web up to the flange, and
// end brackets of arm a on the supports at the plan's bottom and top. The scantling span Lgs
// ends on each bracket 0.25a from its toe.
constexpr double plateBack = 66, plateFace = 67.2;
constexpr double flangeX = 79;
constexpr double heelX = 85;
constexpr double supportEnd = 87;
constexpr double bracketArm = 12;
constexpr double toeLow = planBottom + bracketArm, toeHigh = planTop - bracketArm;
constexpr double spanLow = toeLow - 0.25 * bracketArm, spanHigh = toeHigh + 0.25 * bracketArm;
constexpr double spanX = flangeX + 0.25 * (heelX - flangeX); // where the span points lie on the brackets
constexpr double trippingY[] = {27.5, 35, 42.5};

constexpr double lgLabelY = 40;
constexpr double lgsLabelY = 31;

// A label's box in figure units, y upwards.
struct LabelBox {
    double left, top, right, bottom;
    bool meets(const LabelBox& o) const { return left < o.right && o.left < right && bottom < o.top && o.bottom < top; }
};

// Text placed by an anchor: ax 0/0.5/1 puts (x, y) at its left/centre/right, ay 0/0.5/1 at its
// bottom/middle/top; measured in the surface's current font.
LabelBox boxOf(const DrawingSurface& s, const PanelLabel& l) {
    const double w = s.textWidth(l.text), h = s.textHeight(l.text);
    const double left = l.x - l.ax * w, top = l.y + (1 - l.ay) * h;
    return {left, top, left + w, top - h};
}

bool anyMeet(const DrawingSurface& s, const std::vector<PanelLabel>& labels) {
    std::vector<LabelBox> boxes;
    boxes.reserve(labels.size());
    for (const PanelLabel& l : labels) {
        const LabelBox b = boxOf(s, l);
        if (std::any_of(boxes.begin(), boxes.end(), [&](const LabelBox& o) { return o.meets(b); })) return true;
        boxes.push_back(b);
    }
    return false;
}

// Drawing calls in the figure's own units, offset to its origin; y upwards.
class Frame {
public:
    Frame(DrawingSurface& surface, double x0, double y0) : s(surface), x0_(x0), y0_(y0) {}

    void line(double x1, double y1, double x2, double y2) { s.line(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2); }
    void box(double x1, double y1, double x2, double y2) { s.box(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2); }
    void circle(double x, double y, double r) { s.circle(x0_ + x, y0_ + y, r); }

    // Text placed by an anchor: ax 0/0.5/1 puts (x, y) at its left/centre/right, ay 0/0.5/1 at
    // its bottom/middle/top.
    void label(const PanelLabel& l) {
        const LabelBox b = boxOf(s, l);
        s.drawText(x0_ + b.left, y0_ + b.top, l.text);
    }

    void arrow(double x1, double y1, double x2, double y2, double head) {
        line(x1, y1, x2, y2);
        const double dx = x2 - x1, dy = y2 - y1;
        const double length = std::hypot(dx, dy);
        if (length <= 0) return;
        head = std::min(head, 0.6 * length);
        const double half = 0.45 * head, ex = dx / length, ey = dy / length;
        const double bx = x2 - ex * head, by = y2 - ey * head;
        line(x2, y2, bx - ey * half, by + ex * half);
        line(x2, y2, bx + ey * half, by - ex * half);
    }

    // Dimension line with arrowheads at both ends.
    void dimension(double x1, double y1, double x2, double y2) {
        const double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
        arrow(mx, my, x1, y1, dimensionHead);
        arrow(mx, my, x2, y2, dimensionHead);
    }
    // Vertical dimension whose label sits in a gap of the line at yLabel.
    void dimensionWithGap(double x, double y1, double y2, double yLabel, std::string_view text) {
        const double room = std::min(yLabel - y1, y2 - yLabel) - 1.5;
        const double half = std::max(0.0, std::min((s.textHeight(text) + 0.8) / 2, room));
        arrow(x, yLabel - half, x, y1, dimensionHead);
        arrow(x, yLabel + half, x, y2, dimensionHead);
    }

    DrawingSurface& s;

private:
    static constexpr double dimensionHead = 1.2;
    double x0_, y0_;
};

// Signed arrow lengths of two stresses acting in one direction: the larger magnitude gets the
// base length with its sign, the other its share of it; on equal magnitudes the second stress
// counts as the larger. At least one stress must be non-zero.
std::pair<double, double> arrowLengths(double first, double second) {
    const auto sign = [](double value) { return value < 0 ? -1.0 : 1.0; };
    if (std::fabs(first) > std::fabs(second)) return {sign(first) * arrowBase, second * arrowBase / std::fabs(first)};
    return {first * arrowBase / std::fabs(second), sign(second) * arrowBase};
}

// A stress arrow standing on a panel edge at (x, y), `outward` pointing away from the panel:
// tension points away from the edge, compression at it. A zero length draws nothing.
void stressArrow(Frame& f, double x, double y, double outX, double outY, double length) {
    if (length == 0) return;
    const double a = std::fabs(length);
    const double farX = x + outX * a, farY = y + outY * a;
    if (length > 0)
        f.arrow(x, y, farX, farY, 1.6);
    else
        f.arrow(farX, farY, x, y, 1.6);
}

void platingAndStiffeners(Frame& f) {
    DrawingSurface& s = f.s;
    s.setForeColour(black);
    s.setFillStyle(FillStyle::solid);
    s.setFillColour(plateGrey);
    f.box(planLeft, planBottom, planRight, planTop);
    s.setFillColour(panelYellow);
    f.box(girderX[0], stiffenerY[0], girderX[1], stiffenerY[2]);

    // Girder lines, carried below the plan to the span dimensions, and the stiffener lines
    // carried out to the spacing dimensions.
    s.setDashStyle(DashStyle::dashDot);
    for (double x : girderX) f.line(x, 5.5, x, planTop + 2);
    for (double y : stiffenerY) f.line(planRight, y, 59.3, y);
    s.setDashStyle(DashStyle::solid);

    s.setFillColour(stiffenerBlue);
    s.setForeColour(stiffenerBlue);
    for (double y : stiffenerY) f.box(planLeft, y - stiffenerHalf, planRight, y + stiffenerHalf);
    s.setForeColour(black);
}

void planDimensions(Frame& f) {
    f.dimension(girderX[0], 8, girderX[1], 8);
    f.dimension(girderX[1], 8, girderX[2], 8);

    f.dimension(58.5, stiffenerY[0], 58.5, stiffenerY[1]);
    f.dimension(58.5, stiffenerY[1], 58.5, stiffenerY[2]);

    // The girder span, support to support, right of the elevation.
    f.line(supportEnd + 0.8, planBottom, 107.3, planBottom);
    f.line(supportEnd + 0.8, planTop, 107.3, planTop);
    f.dimensionWithGap(106.5, planBottom, planTop, lgLabelY, "Lg");
}

// Corners A to D of the panel and the points 1 (support), 2 (mid-span) and 3 (far support) on the
// assessed stiffener. Point 3 mirrors point 1 and carries its label only: six marks.
void checkPoints(Frame& f) {
    DrawingSurface& s = f.s;
    const double left = girderX[0], right = girderX[1];
    const double low = stiffenerY[0], mid = stiffenerY[1], high = stiffenerY[2];
    s.setForeColour(black);
    s.setFillStyle(FillStyle::solid);
    s.setFillColour(black);
    const std::pair<double, double> marks[] = {{left, low},   {left, high}, {right, low},
                                               {right, high}, {left, mid},  {midSpan, mid}};
    for (const auto& [x, y] : marks) f.circle(x, y, 0.9);
}

void girderElevation(Frame& f) {
    DrawingSurface& s = f.s;
    s.setForeColour(black);
    s.setFillStyle(FillStyle::solid);
    s.setFillColour(plateGrey);
    f.box(plateBack, planBottom, plateFace, planTop); // the plating of the plan, edge-on
    s.setLineWidth(bracketLineWidth);
    f.line(plateBack, planBottom, supportEnd, planBottom);
    f.line(plateBack, planTop, supportEnd, planTop);
    f.line(flangeX, toeLow, flangeX, toeHigh);
    f.line(flangeX, toeLow, heelX, planBottom);
    f.line(flangeX, toeHigh, heelX, planTop);
    for (double y : trippingY) f.line(plateFace, y, flangeX, y);
    s.setLineWidth(1);

    for (double x = 68; x <= supportEnd; x += 3) { // the supports are hatched on their far side
        f.line(x, planBottom, x - 1.2, planBottom - 1.2);
        f.line(x, planTop, x + 1.2, planTop + 1.2);
    }

    f.dimension(77, trippingY[0], 77, trippingY[1]);

    f.line(76.3, toeHigh, flangeX - 0.4, toeHigh);
    f.dimension(77, toeHigh, 77, planTop);

    f.line(flangeX + 0.4, toeLow, 83.8, toeLow);
    f.line(spanX + 0.4, spanLow, 100.8, spanLow);
    f.line(spanX + 0.4, spanHigh, 100.8, spanHigh);
    f.dimension(83, spanLow, 83, toeLow);
    f.dimensionWithGap(100, spanLow, spanHigh, lgsLabelY, "Lgs");
}

void stressArrows(Frame& f, const DesignCase& dc) {
    DrawingSurface& s = f.s;
    const double SigxB = dc.SigxB, SigyC = dc.SigyC;
    if (dc.SigxA != 0 || SigxB != 0) {
        const auto [a, b] = arrowLengths(dc.SigxA, SigxB);
        s.setForeColour(sigxRed);
        stressArrow(f, planLeft - 0.6, stiffenerY[0], -1, 0, a);
        stressArrow(f, planLeft - 0.6, stiffenerY[2], -1, 0, b);
        s.setForeColour(black);
    }
    if (dc.SigyA != 0 || SigyC != 0) {
        const auto [a, c] = arrowLengths(dc.SigyA, SigyC);
        s.setForeColour(sigyGreen);
        stressArrow(f, girderX[0] + 3, planTop + 0.6, 0, 1, a);
        stressArrow(f, girderX[1] - 3, planTop + 0.6, 0, 1, c);
        s.setForeColour(black);
    }
    if (dc.p > 0) { // pressure on the plate side, onto the plating of the elevation
        s.setForeColour(stiffenerBlue);
        f.arrow(58, 53.5, plateBack - 0.4, 53.5, 1.6);
        s.setForeColour(black);
    }
}

void axes(Frame& f) {
    f.s.setForeColour(black);
    f.arrow(2.5, 3, 10.5, 3, 1.4);
    f.arrow(2.5, 3, 2.5, 11, 1.4);
}

// The font the labels are written in: the surface's, made smaller until no two labels meet. The
// figure keeps its proportions while the text keeps its size on the screen, so a figure drawn
// short and wide, or very small, has text as tall as a good part of it.
void fitLabelFont(DrawingSurface& s, const std::vector<PanelLabel>& labels) {
    Font font = s.font();
    constexpr int maxSteps = 60; // 0.9^60: a hundredth of the size, far below anything legible
    for (int step = 0; step < maxSteps && anyMeet(s, labels); ++step) {
        font.size *= 0.9;
        s.setFont(font);
    }
}

} // namespace

std::vector<PanelLabel> panelLabels(const DesignCase& dc, char sep) {
    constexpr double off = 0.9; // the point labels beside their marks
    const double left = girderX[0], right = girderX[1], mid = stiffenerY[1];
    std::vector<PanelLabel> labels = {
        {"L1", midSpan, 7.2, 0.5, 1},
        {"L2", (girderX[1] + girderX[2]) / 2, 7.2, 0.5, 1},
        {"s1", 59.3, (stiffenerY[0] + stiffenerY[1]) / 2, 0, 0.5},
        {"s2", 59.3, (stiffenerY[1] + stiffenerY[2]) / 2, 0, 0.5},
        {"Lg", 106.5, lgLabelY, 0.5, 0.5},
        {"A", left + off, stiffenerY[0] + off, 0, 0},
        {"B", left + off, stiffenerY[2] - off, 0, 1},
        {"C", right - off, stiffenerY[0] + off, 1, 0},
        {"D", right - off, stiffenerY[2] - off, 1, 1},
        {"1", left + off, mid + off, 0, 0},
        {"2", midSpan, mid + off, 0.5, 0},
        {"3", right - off, mid + off, 1, 0},
        {"Lt", 76.2, (trippingY[0] + trippingY[1]) / 2, 1, 0.5},
        {"a", 76.2, (toeHigh + planTop) / 2, 1, 0.5},
        {formatNumber(0.25, "0.00", sep) + "a", 84, spanLow + 0.6, 0, 0},
        {"Lgs", 100, lgsLabelY, 0.5, 0.5},
    };
    if (dc.SigxA != 0 || dc.SigxB != 0) labels.push_back({"Sigx", planLeft - 4.6, stiffenerY[2] + 1.4, 0.5, 0});
    if (dc.SigyA != 0 || dc.SigyC != 0) labels.push_back({"Sigy", girderX[1] - 1.6, planTop + 5, 0, 0.5});
    if (dc.p > 0) labels.push_back({"p/ps", 61.8, 54.6, 0.5, 0});
    labels.push_back({"x", 10.5, 3.9, 0.5, 0});
    labels.push_back({"y", 3.4, 11, 0, 0.5});
    return labels;
}

void drawPanelFigure(DrawingSurface& surface, const DesignCase& dc, double x0, double y0, char sep) {
    Frame f(surface, x0, y0);
    const Font callersFont = surface.font();
    const std::vector<PanelLabel> labels = panelLabels(dc, sep);
    fitLabelFont(surface, labels);
    surface.setLineWidth(1);
    surface.setDashStyle(DashStyle::solid);
    platingAndStiffeners(f);
    planDimensions(f);
    checkPoints(f);
    girderElevation(f);
    stressArrows(f, dc);
    axes(f);
    surface.setForeColour(black);
    for (const PanelLabel& l : labels) f.label(l);
    surface.setFont(callersFont);
    surface.setFillStyle(FillStyle::transparent);
    surface.setFillColour(white);
}

} // namespace korvel
