// The figures drawn by code: the panel schematic (labels, stress and pressure arrows, fill state),
// the to-scale cross-section (outline, origin, axes, letters) and the profile pictures.

#include "figures/panel_figure.h"
#include "figures/pictures.h"
#include "figures/profile_figure.h"
#include "sections/profile_outline.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"
#include "support/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace korvel {
namespace {

using test::RecordingSurface;
using Shape = RecordingSurface::Shape;

const Rgb red{255, 0, 0};
const Rgb green{0, 255, 0};
const Rgb white{255, 255, 255};

bool hasText(const RecordingSurface& s, const std::string& text) {
    return std::any_of(s.texts.begin(), s.texts.end(), [&](const auto& t) { return t.text == text; });
}
const RecordingSurface::Text& textOf(const RecordingSurface& s, const std::string& text) {
    const auto it = std::find_if(s.texts.begin(), s.texts.end(), [&](const auto& t) { return t.text == text; });
    EXPECT_NE(it, s.texts.end()) << text;
    return *it;
}
std::vector<Shape> shapesOf(const RecordingSurface& s, Shape::Kind kind) {
    std::vector<Shape> out;
    for (const Shape& sh : s.shapes)
        if (sh.kind == kind) out.push_back(sh);
    return out;
}
bool near(double a, double b) {
    return std::fabs(a - b) < 1e-6;
}
// A line between the two points, drawn either way round.
bool hasLine(const RecordingSurface& s, double x1, double y1, double x2, double y2) {
    return std::any_of(s.shapes.begin(), s.shapes.end(), [&](const Shape& sh) {
        if (sh.kind != Shape::line) return false;
        return (near(sh.x1, x1) && near(sh.y1, y1) && near(sh.x2, x2) && near(sh.y2, y2)) ||
               (near(sh.x1, x2) && near(sh.y1, y2) && near(sh.x2, x1) && near(sh.y2, y1));
    });
}
bool hasBox(const RecordingSurface& s, double x1, double y1, double x2, double y2) {
    return std::any_of(s.shapes.begin(), s.shapes.end(), [&](const Shape& sh) {
        return sh.kind == Shape::box && near(std::min(sh.x1, sh.x2), std::min(x1, x2)) &&
               near(std::max(sh.x1, sh.x2), std::max(x1, x2)) && near(std::min(sh.y1, sh.y2), std::min(y1, y2)) &&
               near(std::max(sh.y1, sh.y2), std::max(y1, y2));
    });
}

// Some line starts or ends at the point (single-precision outline coordinates).
bool touches(const RecordingSurface& s, double x, double y) {
    const auto at = [&](double px, double py) { return std::fabs(px - x) < 1e-4 && std::fabs(py - y) < 1e-4; };
    return std::any_of(s.shapes.begin(), s.shapes.end(), [&](const Shape& sh) {
        return sh.kind == Shape::line && (at(sh.x1, sh.y1) || at(sh.x2, sh.y2));
    });
}

DesignCase unloaded() {
    DesignCase dc;
    dc.SigxA = 0;
    dc.SigxB = 0;
    dc.SigyA = 0;
    dc.SigyC = 0;
    dc.Tau = 0;
    dc.p = 0;
    return dc;
}

// ---------------------------------------------------------------------------------------------
// Panel layout figure

TEST(PanelFigure, UnloadedPanelShowsEveryLabelAndNoArrows) {
    RecordingSurface s;
    drawPanelFigure(s, unloaded(), 0, 0);
    for (const char* label :
         {"A", "B", "C", "D", "1", "2", "3", "Lg", "L1", "L2", "s1", "s2", "Lt", "a", "Lgs", "0.25a", "x", "y"})
        EXPECT_TRUE(hasText(s, label)) << label;
    for (const char* label : {"Sigx", "Sigy", "p/ps"}) EXPECT_FALSE(hasText(s, label)) << label;
    for (const Shape& sh : s.shapes) {
        EXPECT_NE(sh.colour, red);
        EXPECT_NE(sh.colour, green);
    }
    const auto circles = shapesOf(s, Shape::circle);
    ASSERT_EQ(circles.size(), 6u);
    for (const Shape& c : circles) {
        EXPECT_EQ(c.fill, FillStyle::solid);
        EXPECT_EQ(c.fillColour, (Rgb{0, 0, 0}));
        EXPECT_EQ(c.colour, (Rgb{0, 0, 0}));
    }
}

TEST(PanelFigure, StaysInsideItsAreaFromAnyOrigin) {
    RecordingSurface s;
    DesignCase dc; // compressive stresses and a pressure: every arrow drawn
    const double x0 = 170, y0 = 200;
    drawPanelFigure(s, dc, x0, y0);
    const auto inside = [&](double x, double y) {
        return x >= x0 && x <= x0 + panelFigureWidth && y >= y0 && y <= y0 + panelFigureHeight;
    };
    for (const Shape& sh : s.shapes) {
        if (sh.kind == Shape::circle) {
            EXPECT_TRUE(inside(sh.x1 - sh.x2, sh.y1 - sh.x2) && inside(sh.x1 + sh.x2, sh.y1 + sh.x2));
        } else {
            EXPECT_TRUE(inside(sh.x1, sh.y1) && inside(sh.x2, sh.y2))
                << sh.x1 << "," << sh.y1 << " " << sh.x2 << "," << sh.y2;
        }
    }
    for (const auto& t : s.texts) // top left and bottom right of the text, y upwards
        EXPECT_TRUE(inside(t.x, t.y) && inside(t.x + s.textWidth(t.text), t.y - 1)) << t.text;
}

TEST(PanelFigure, FillsInOrderAndLeavesTheFillStateReset) {
    RecordingSurface s;
    drawPanelFigure(s, DesignCase{}, 0, 0);
    const auto boxes = shapesOf(s, Shape::box);
    ASSERT_GE(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].fill, FillStyle::solid);
    EXPECT_EQ(boxes[0].fillColour, (Rgb{192, 192, 192}));
    EXPECT_EQ(boxes[1].fillColour, (Rgb{255, 255, 128}));
    EXPECT_EQ(boxes[2].fillColour, (Rgb{0, 0, 255})); // the stiffeners follow the panel
    // The dash-dot construction lines come between the panel and the stiffeners.
    const auto firstDashDot =
        std::find_if(s.shapes.begin(), s.shapes.end(), [](const Shape& sh) { return sh.dash == DashStyle::dashDot; });
    const auto firstBlue = std::find_if(s.shapes.begin(), s.shapes.end(), [](const Shape& sh) {
        return sh.kind == Shape::box && sh.fillColour == Rgb{0, 0, 255};
    });
    EXPECT_LT(firstDashDot - s.shapes.begin(), firstBlue - s.shapes.begin());
    EXPECT_TRUE(std::any_of(s.shapes.begin(), s.shapes.end(), [](const Shape& sh) { return sh.lineWidth == 1.8; }));

    s.box(0, 0, 1, 1); // what the next drawing of the surface gets
    EXPECT_EQ(s.shapes.back().fill, FillStyle::transparent);
    EXPECT_EQ(s.shapes.back().fillColour, white);
    EXPECT_EQ(s.shapes.back().lineWidth, 1);
    EXPECT_EQ(s.shapes.back().dash, DashStyle::solid);
}

// Signed arrow length: positive when the arrow points away from the panel (tension).
struct Arrow {
    double length;
    double position; // across the arrow: y of a Sigx arrow, x of a Sigy arrow
};
std::vector<Arrow> arrowsOf(const RecordingSurface& s, Rgb colour, bool horizontal, double panelCentre) {
    std::vector<Arrow> out;
    for (const Shape& sh : s.shapes) {
        if (sh.kind != Shape::line || sh.colour != colour) continue;
        const double along1 = horizontal ? sh.x1 : sh.y1, along2 = horizontal ? sh.x2 : sh.y2;
        const double across1 = horizontal ? sh.y1 : sh.x1, across2 = horizontal ? sh.y2 : sh.x2;
        if (across1 != across2) continue; // an arrowhead
        const double length = std::fabs(along2 - along1);
        const bool away = std::fabs(along2 - panelCentre) > std::fabs(along1 - panelCentre);
        out.push_back({away ? length : -length, across1});
    }
    return out;
}
// The arrow nearest to a position across, if any lies within `reach`.
std::optional<double> arrowAt(const std::vector<Arrow>& arrows, double position, double reach) {
    std::optional<double> found;
    double best = reach;
    for (const Arrow& a : arrows)
        if (std::fabs(a.position - position) < best) {
            best = std::fabs(a.position - position);
            found = a.length;
        }
    return found;
}

struct ArrowRow {
    double first, second;           // SigxA, SigxB (or SigyA, SigyC)
    double firstShare, secondShare; // expected signed length over the base length; 0 = no arrow
};
// The larger magnitude gets the base length with its sign, the other its share; on equal
// magnitudes the second counts as the larger.
const ArrowRow arrowRows[] = {
    {100, 50, 1, 0.5}, {100, -50, 1, -0.5}, {-50, -100, -0.5, -1}, {-80, 80, -1, 1}, {80, 80, 1, 1},
    {0, -40, 0, -1},   {25, 0, 1, 0},       {-0.1, 0.1, -1, 1}, // SigxB is single precision: 0.1f is the larger by a
                                                                // hair
};

TEST(PanelFigure, LongitudinalArrowsScaleBySigxAandSigxB) {
    double base = 0;
    for (const ArrowRow& row : arrowRows) {
        SCOPED_TRACE(testing::Message() << "SigxA " << row.first << ", SigxB " << row.second);
        DesignCase dc = unloaded();
        dc.SigxA = row.first;
        dc.SigxB = static_cast<float>(row.second);
        RecordingSurface s;
        drawPanelFigure(s, dc, 0, 0);
        // A and B lie on the two edges the longitudinal stresses act on; the panel spans A to C.
        const auto& A = textOf(s, "A");
        const auto& B = textOf(s, "B");
        const auto& C = textOf(s, "C");
        const auto arrows = arrowsOf(s, red, true, (A.x + C.x) / 2);
        EXPECT_EQ(arrows.size(), std::size_t(row.firstShare != 0) + std::size_t(row.secondShare != 0));
        EXPECT_TRUE(hasText(s, "Sigx"));
        EXPECT_FALSE(hasText(s, "Sigy"));
        const double reach = std::fabs(B.y - A.y) / 2;
        const auto a = arrowAt(arrows, A.y, reach), b = arrowAt(arrows, B.y, reach);
        ASSERT_EQ(a.has_value(), row.firstShare != 0);
        ASSERT_EQ(b.has_value(), row.secondShare != 0);
        const double full = std::max(a ? std::fabs(*a) : 0.0, b ? std::fabs(*b) : 0.0);
        if (base == 0) base = full;
        EXPECT_NEAR(full, base, 1e-9) << "the larger stress always gets the same length";
        if (a) {
            EXPECT_NEAR(*a, row.firstShare * base, 1e-6);
        }
        if (b) {
            EXPECT_NEAR(*b, row.secondShare * base, 1e-6);
        }
    }
}

TEST(PanelFigure, TransverseArrowsScaleBySigyAandSigyC) {
    const ArrowRow rows[] = {{-30, -15, -1, -0.5}, {-30, 15, -1, 0.5}, {20, -20, 1, -1}};
    for (const ArrowRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "SigyA " << row.first << ", SigyC " << row.second);
        DesignCase dc = unloaded();
        dc.SigyA = row.first;
        dc.SigyC = static_cast<float>(row.second);
        RecordingSurface s;
        drawPanelFigure(s, dc, 0, 0);
        const auto& A = textOf(s, "A");
        const auto& B = textOf(s, "B");
        const auto& C = textOf(s, "C");
        const auto arrows = arrowsOf(s, green, false, (A.y + B.y) / 2);
        ASSERT_EQ(arrows.size(), 2u);
        EXPECT_TRUE(hasText(s, "Sigy"));
        EXPECT_FALSE(hasText(s, "Sigx"));
        const double reach = std::fabs(C.x - A.x) / 2;
        const auto a = arrowAt(arrows, A.x, reach), c = arrowAt(arrows, C.x, reach);
        ASSERT_TRUE(a && c);
        EXPECT_NEAR(*c / *a, row.secondShare / row.firstShare, 1e-9);
        EXPECT_EQ(*a > 0, row.firstShare > 0);
    }
}

TEST(PanelFigure, PressureArrowOnlyForPositivePressure) {
    RecordingSurface without;
    drawPanelFigure(without, unloaded(), 0, 0);
    for (double p : {0.03, 1e-6, 0.0, -0.05}) {
        DesignCase dc = unloaded();
        dc.p = p;
        RecordingSurface s;
        drawPanelFigure(s, dc, 0, 0);
        EXPECT_EQ(hasText(s, "p/ps"), p > 0) << p;
        EXPECT_EQ(s.shapes.size() > without.shapes.size(), p > 0) << p;
    }
}

// Measures text as the window does: a font of `size` points is 1.33 pixels a point high and 0.6
// of that a character wide, in figure units of a figure drawn `scale` pixels a unit. Remembers
// each text's box as it was drawn.
class PixelSurface final : public DrawingSurface {
public:
    struct Box {
        std::string text;
        double left, top, right, bottom;
    };
    explicit PixelSurface(double pixelsPerUnit) : scale_(pixelsPerUnit) {}
    std::vector<Box> boxes;

    void setScale(double, double, double, double) override {}
    void clear() override {}
    void setFont(const Font& font) override { font_ = font; }
    Font font() const override { return font_; }
    void setForeColour(Rgb) override {}
    Rgb foreColour() const override { return {}; }
    void setLineWidth(double) override {}
    void setDashStyle(DashStyle) override {}
    void setFillColour(Rgb) override {}
    void setFillStyle(FillStyle) override {}
    void line(double, double, double, double) override {}
    void box(double, double, double, double) override {}
    void filledBox(double, double, double, double, Rgb) override {}
    void circle(double, double, double) override {}
    void drawText(double x, double y, std::string_view text) override {
        boxes.push_back({std::string(text), x, y, x + textWidth(text), y - textHeight(text)});
    }
    void picture(std::string_view, double, double, double, double) override {}
    double textWidth(std::string_view text) const override {
        return 0.6 * textHeight(text) * static_cast<double>(text.size());
    }
    double textHeight(std::string_view) const override { return 1.33 * font_.size / scale_; }

private:
    double scale_;
    Font font_;
};

TEST(PanelFigure, LabelsNeverMeetAtAnySize) {
    // The window keeps the figure's proportions and the text's size on the screen: from a figure
    // squeezed to 100 pixels wide to one filling a large screen, at the sizes the window and the
    // report write it in, every label stands clear of every other.
    DesignCase loaded; // stresses and a pressure: "Sigx", "Sigy" and "p/ps" too
    const std::size_t labelCount = panelLabels(loaded).size();
    for (const double widthPx : {100.0, 180.0, 260.0, 330.0, 480.0, 800.0, 1400.0, 2400.0})
        for (const double fontSize : {5.0, 8.0, 9.0, 12.0, 16.0}) {
            PixelSurface s(widthPx / panelFigureWidth);
            Font f;
            f.size = fontSize;
            s.setFont(f);
            drawPanelFigure(s, loaded, 0, 0);
            ASSERT_EQ(s.boxes.size(), labelCount);
            for (std::size_t i = 0; i < s.boxes.size(); ++i)
                for (std::size_t j = i + 1; j < s.boxes.size(); ++j) {
                    const auto& a = s.boxes[i];
                    const auto& b = s.boxes[j];
                    const bool meet = a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
                    EXPECT_FALSE(meet) << a.text << " and " << b.text << " at " << widthPx << " px, " << fontSize
                                       << " pt";
                }
            EXPECT_EQ(s.font(), f) << "the caller's font is set back";
        }
}

// ---------------------------------------------------------------------------------------------
// Profile cross-section figure

// A stiffener with its outline as the plated-properties step leaves it.
DesignCase stiffener(int type, float H, float B, float tw, float tf, float se) {
    DesignCase dc;
    dc.stiffenerType = type;
    dc.H = H;
    dc.B = B;
    dc.tw = tw;
    dc.tf = tf;
    dc.t = 20;
    dc.se = se;
    dc.stiff.zp = 50;
    if (type == stiffLTable) dc.bfCol4 = rolledAngleFillet(tw);
    dc.stiff.plated = true;
    return dc;
}

// The lower left corner of the plate strip in the square: the strip is the one box (or the pair
// of long lines of a cut strip) that lies t high under the section.
std::pair<double, double> stripOrigin(const RecordingSurface& s, double visibleWidth, double t) {
    for (const Shape& sh : s.shapes)
        if (sh.kind == Shape::box && near(std::fabs(sh.x2 - sh.x1), visibleWidth) && near(std::fabs(sh.y2 - sh.y1), t))
            return {std::min(sh.x1, sh.x2), std::min(sh.y1, sh.y2)};
    for (const Shape& sh : s.shapes)
        if (sh.kind == Shape::line && near(std::fabs(sh.x2 - sh.x1), visibleWidth) && near(sh.y1, sh.y2))
            return {std::min(sh.x1, sh.x2), sh.y1}; // the lower edge comes first
    ADD_FAILURE() << "no strip " << visibleWidth << " wide";
    return {0, 0};
}

TEST(ProfileFigure, RolledAngleToScaleIsTheNinePointPolygonWithItsFillet) {
    // L 200x90x9x14 on a strip 150 wide, 20 thick: the whole strip is drawn, the square is
    // filled by the section and its dimension texts.
    const DesignCase dc = stiffener(stiffLTable, 200, 90, 9, 14, 150);
    RecordingSurface s;
    drawProfileFigure(s, dc, true);
    ASSERT_FALSE(s.scales.empty());
    const auto sc = s.scales.back();
    EXPECT_NEAR(sc.left, 0, 1e-9);
    EXPECT_NEAR(sc.top - sc.bottom, sc.right, 1e-9); // square, y upwards
    EXPECT_GT(220 / sc.right, 0.6) << "the section fills the square";
    const auto [ox, oy] = stripOrigin(s, 150, 20);
    const ProfileOutline outline = sectionOutline(dc);
    const auto& p = outline.points;
    ASSERT_EQ(outline.polygonCount, 9);
    for (int i = 0; i + 1 < 9; ++i)
        EXPECT_TRUE(hasLine(s, ox + p[i].x, oy + p[i].y, ox + p[i + 1].x, oy + p[i + 1].y)) << "edge " << i + 1;
    // The fillet's middle point: web face 79.5 + 0.3 x 18 across, 206 - 0.3 x 18 up.
    EXPECT_TRUE(touches(s, ox + 84.9, oy + 200.6));
    EXPECT_EQ(shapesOf(s, Shape::box).size(), 1u);
    // Z through the web centre, Y at zp + t/2 = 60 above the plate face.
    EXPECT_TRUE(std::any_of(s.shapes.begin(), s.shapes.end(), [&](const Shape& sh) {
        return sh.dash == DashStyle::dashDot && near(sh.x1, ox + 75) && near(sh.x2, ox + 75);
    }));
    EXPECT_TRUE(std::any_of(s.shapes.begin(), s.shapes.end(), [&](const Shape& sh) {
        return sh.dash == DashStyle::dashDot && near(sh.y1, oy + 60) && near(sh.y2, oy + 60);
    }));
    // The letters with the real sizes: h = 200 - 14, b = 90 - 9.
    for (const char* text : {"Z", "Y", "se = 150", "b = 81", "B = 90", "h = 186", "H = 200", "s = 9"})
        EXPECT_TRUE(hasText(s, text)) << text;
    // "Z" stands left of its axis, "B" right of the flange: never on each other.
    EXPECT_LT(textOf(s, "Z").x, ox + 75);
    EXPECT_GT(textOf(s, "B = 90").x, ox + 75 - 4.5 + 90);
}

TEST(ProfileFigure, BuiltUpAngleIsThreePlainRectangles) {
    const DesignCase dc = stiffener(stiffLBuiltUp, 200, 90, 9, 14, 150);
    RecordingSurface s;
    drawProfileFigure(s, dc, true);
    const auto [ox, oy] = stripOrigin(s, 150, 20);
    const double x0 = 75 - 4.5;
    EXPECT_EQ(shapesOf(s, Shape::box).size(), 3u);
    EXPECT_TRUE(hasBox(s, ox + x0, oy + 20, ox + x0 + 9, oy + 206));
    EXPECT_TRUE(hasBox(s, ox + x0, oy + 206, ox + x0 + 90, oy + 220));
    EXPECT_FALSE(touches(s, ox + 84.9, oy + 200.6)); // no root fillet
}

TEST(ProfileFigure, AWideStripIsCutSoTheSectionKeepsItsSize) {
    // Trapez 200 x 150, wall 8, a = 0 on a strip 2000 wide: the strip is drawn 100 beyond the
    // section on either side (half the height), with break marks, and "se" still says 2000.
    DesignCase dc = stiffener(stiffTrapez, 200, 150, 8, 8, 2000);
    dc.a = 0;
    RecordingSurface s;
    drawProfileFigure(s, dc, true);
    const double side = s.scales.back().right;
    EXPECT_GT(350 / side, 0.6) << "the drawn strip and the section fill the square";
    const auto [ox, oy] = stripOrigin(s, 350, 20); // 150 + 2 x 100
    const double xl = ox + 100, xr = ox + 250;
    EXPECT_TRUE(hasLine(s, xl, oy + 20, xl, oy + 220)); // outer webs
    EXPECT_TRUE(hasLine(s, xr, oy + 220, xr, oy + 20));
    EXPECT_TRUE(hasLine(s, xl + 8, oy + 20, xl + 8, oy + 212)); // inner webs
    EXPECT_TRUE(hasLine(s, xr - 8, oy + 212, xr - 8, oy + 20));
    EXPECT_TRUE(shapesOf(s, Shape::box).empty()); // the cut strip is drawn edge by edge
    EXPECT_TRUE(hasText(s, "se = 2000"));
}

TEST(ProfileFigure, NotToScaleShowsTheSchematicOfTheType) {
    DesignCase dc;
    dc.stiffenerType = stiffTrapez;
    RecordingSurface s;
    drawProfileFigure(s, dc, false);
    ASSERT_FALSE(s.scales.empty());
    const auto sc = s.scales.back();
    EXPECT_EQ(sc.left, 0);
    EXPECT_EQ(sc.right, 100);
    EXPECT_EQ(sc.top, 75);
    EXPECT_EQ(sc.bottom, 0);
    for (const char* letter : {"H", "B", "a", "t"}) EXPECT_TRUE(hasText(s, letter)) << letter;
    EXPECT_FALSE(hasText(s, "Z"));
}

TEST(ProfileFigure, InvalidTypeOrMalformedOutlineDrawsNothing) {
    const DesignCase bad = stiffener(stiffLTable, 200, 90, 9, 14, 150);
    ProfileOutline malformed = sectionOutline(bad);
    malformed.polygonCount = 50; // more points than the outline holds
    RecordingSurface badSurface;
    drawProfileOutline(badSurface, bad, malformed);
    EXPECT_TRUE(badSurface.shapes.empty() && badSurface.texts.empty());

    DesignCase unknown = stiffener(stiffLTable, 200, 90, 9, 14, 150);
    unknown.stiffenerType = 42;
    DesignCase notPlated = stiffener(stiffLTable, 200, 90, 9, 14, 150);
    notPlated.stiff.plated = false; // the calculation stopped before the plated properties
    for (const DesignCase& dc : {unknown, notPlated}) {
        RecordingSurface s;
        drawProfileFigure(s, dc, true);
        EXPECT_TRUE(s.shapes.empty() && s.texts.empty());
    }
    RecordingSurface blank;
    drawProfileFigure(blank, unknown, false);
    EXPECT_TRUE(blank.shapes.empty() && blank.texts.empty());
}

// ---------------------------------------------------------------------------------------------
// Pictures

const char* const pictureNames[] = {
    "pic_l",         "pic_lb",      "pic_t",       "pic_f",        "pic_hp",       "pic_rhs",      "pic_usp",
    "pic_i",         "pic_GirderL", "pic_GirderT", "pic_small_l",  "pic_small_t",  "pic_small_fb", "pic_small_hp",
    "pic_small_rhs", "pic_small_u", "pic_small_i", "pic_small_lg", "pic_small_tg",
};

TEST(Pictures, EveryNameDrawsInsideItsRectangleAndKeepsTheColour) {
    for (const char* name : pictureNames) {
        RecordingSurface s;
        const Rgb kept{12, 34, 56};
        s.setForeColour(kept);
        const double x = 10, y = 20, w = 100, h = 75;
        ASSERT_TRUE(drawPicture(s, name, x, y, w, h)) << name;
        EXPECT_FALSE(s.shapes.empty()) << name;
        EXPECT_EQ(s.foreColour(), kept) << name;
        const auto inside = [&](double px, double py) {
            return px >= x - 1e-9 && px <= x + w + 1e-9 && py >= y - 1e-9 && py <= y + h + 1e-9;
        };
        for (const Shape& sh : s.shapes) EXPECT_TRUE(inside(sh.x1, sh.y1) && inside(sh.x2, sh.y2)) << name;
        for (const auto& t : s.texts) EXPECT_TRUE(inside(t.x, t.y)) << name << " " << t.text;
    }
    RecordingSurface blank;
    EXPECT_TRUE(drawPicture(blank, "pic_blank", 0, 0, 100, 75));
    EXPECT_TRUE(blank.shapes.empty() && blank.texts.empty());
}

TEST(Pictures, StandUprightWhicheverWayTheScaleRuns) {
    // The plating lies at the bottom of the picture: at large y with y downwards, small y upwards.
    const auto plateMiddle = [](const RecordingSurface& s) {
        const auto plates = shapesOf(s, Shape::filledBox);
        EXPECT_EQ(plates.size(), 1u);
        return plates.empty() ? 0.0 : (plates[0].y1 + plates[0].y2) / 2;
    };
    for (const char* name : {"pic_t", "pic_small_hp"}) {
        RecordingSurface down, up;
        drawPicture(down, name, 0, 0, 100, 75);
        drawPicture(up, name, 0, 75, 100, -75);
        EXPECT_GT(plateMiddle(down), 60) << name;
        EXPECT_LT(plateMiddle(up), 15) << name;
    }
    // "B" stands above its dimension line, 62 of the 75 design units up, both ways round (texts
    // are placed by their top left corner and are one unit high on the recorder).
    RecordingSurface down, up;
    drawPicture(down, "pic_t", 0, 0, 100, 75);
    drawPicture(up, "pic_t", 0, 75, 100, -75);
    EXPECT_LE(textOf(down, "B").y + 1, 75 - 62 + 1e-9);
    EXPECT_GE(textOf(up, "B").y - 1, 62 - 1e-9);
}

TEST(Pictures, EveryProfileTypeHasItsPictures) {
    RecordingSurface s;
    for (int type = 0; type < stiffenerTypeCount; ++type) {
        EXPECT_TRUE(drawPicture(s, schematicPictureName(type), 0, 0, 100, 75)) << type;
        EXPECT_TRUE(drawPicture(s, stiffenerPictureName(type), 0, 0, 36, 36)) << type;
    }
    for (int type : {girderL, girderT}) {
        EXPECT_TRUE(drawPicture(s, girderSchematicPictureName(type), 0, 0, 100, 75)) << type;
        EXPECT_TRUE(drawPicture(s, girderPictureName(type), 0, 0, 36, 36)) << type;
    }
}

TEST(Pictures, UnknownNameDrawsNothing) {
    for (const char* name : {"pic_x", "", "PIC_L", "pic_small_blank"}) {
        RecordingSurface s;
        EXPECT_FALSE(drawPicture(s, name, 0, 0, 100, 75)) << name;
        EXPECT_TRUE(s.shapes.empty() && s.texts.empty()) << name;
    }
}

} // namespace
} // namespace korvel
