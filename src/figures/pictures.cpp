#include "figures/pictures.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace korvel {

namespace {

const Rgb plateGrey = colourFromBgr(0xC0C0C0);
const Rgb black{0, 0, 0};
const Rgb navy = paletteColour(1);

struct Pt {
    double u = 0;
    double v = 0;
};

enum class Side { left, right };

// A picture's own drawing space: design units with y upwards (about 100 across), mapped onto the
// caller's rectangle whatever the direction of its scale. Every shape is made of lines, so the
// caller's fill style does not matter.
class Sketch {
public:
    Sketch(DrawingSurface& s, double x, double y, double w, double h, Pt lo, Pt hi, bool button)
        : s_(s), x_(x), y_(y), w_(w), h_(h), lo_(lo), hi_(hi), button_(button) {}

    // Button pictures are bare silhouettes; the schematics carry the dimension letters.
    bool letters() const { return !button_; }

    void outline(std::initializer_list<Pt> points) {
        profilePen();
        const Pt* previous = nullptr;
        // The analyzer takes an empty list's null begin into the loop over a list of four points.
        // NOLINTNEXTLINE(clang-analyzer-core.NullDereference)
        for (const Pt& p : points) {
            if (previous) segment(*previous, p);
            previous = &p;
        }
    }
    void rect(double u1, double v1, double u2, double v2) {
        outline({{u1, v1}, {u2, v1}, {u2, v2}, {u1, v2}, {u1, v1}});
    }
    void plate(double u1, double v1, double u2, double v2) {
        s_.filledBox(X(u1), Y(v1), X(u2), Y(v2), plateGrey);
        rect(u1, v1, u2, v2);
    }
    // Fillet weld of a built-up profile: the throat line across the corner.
    void weld(Pt a, Pt b) {
        s_.setForeColour(button_ ? navy : black);
        s_.setLineWidth(1);
        segment(a, b);
    }

    void extension(Pt a, Pt b) {
        dimPen();
        segment(a, b);
    }
    // Dimension line with arrowheads at both ends and its letter at the middle, on one side.
    void dimV(double u, double v1, double v2, std::string_view text, Side side) {
        dimPen();
        arrow({u, (v1 + v2) / 2}, {u, v1});
        arrow({u, (v1 + v2) / 2}, {u, v2});
        const bool left = side == Side::left;
        label(text, {u + (left ? -1.2 : 1.2), (v1 + v2) / 2}, left ? 1 : 0, 0.5);
    }
    // Horizontal dimension line with its letter above the middle.
    void dimH(double v, double u1, double u2, std::string_view text) {
        dimPen();
        arrow({(u1 + u2) / 2, v}, {u1, v});
        arrow({(u1 + u2) / 2, v}, {u2, v});
        label(text, {(u1 + u2) / 2, v + 1}, 0.5, 0);
    }
    // A thickness too thin for a dimension line: two arrows pointing at its faces from outside,
    // the letter right of them.
    void thicknessH(double v, double uLeft, double uRight, std::string_view text) {
        dimPen();
        arrow({uLeft - 6, v}, {uLeft, v});
        arrow({uRight + 6, v}, {uRight, v});
        label(text, {uRight + 6.8, v}, 0, 0.5);
    }
    void thicknessV(double u, double vBottom, double vTop, std::string_view text) {
        dimPen();
        arrow({u, vBottom - 5}, {u, vBottom});
        arrow({u, vTop + 4}, {u, vTop});
        label(text, {u + 1.5, (vBottom + vTop) / 2}, 0, 0.5);
    }
    void leader(Pt from, Pt to, std::string_view text) {
        dimPen();
        segment(from, to);
        label(text, {to.u + 0.8, to.v}, 0, 0.5);
    }

private:
    double X(double u) const { return x_ + (u - lo_.u) / (hi_.u - lo_.u) * w_; }
    double Y(double v) const { return y_ + (hi_.v - v) / (hi_.v - lo_.v) * h_; }

    void profilePen() {
        s_.setForeColour(button_ ? navy : black);
        s_.setLineWidth(button_ ? 2 : 1.5);
    }
    void dimPen() {
        s_.setForeColour(navy);
        s_.setLineWidth(1);
    }
    void segment(Pt a, Pt b) { s_.line(X(a.u), Y(a.v), X(b.u), Y(b.v)); }
    void arrow(Pt tail, Pt tip) {
        segment(tail, tip);
        const double du = tip.u - tail.u, dv = tip.v - tail.v;
        const double length = std::hypot(du, dv);
        if (length <= 0) return;
        const double head = std::min(2.2, 0.8 * length), half = 0.45 * head;
        const double eu = du / length, ev = dv / length;
        const Pt back{tip.u - eu * head, tip.v - ev * head};
        segment(tip, {back.u - ev * half, back.v + eu * half});
        segment(tip, {back.u + ev * half, back.v - eu * half});
    }
    // Letter placed by an anchor: ax 0/0.5/1 puts the point at its left/centre/right, ay 0/0.5/1
    // at its bottom/middle/top as the picture stands.
    void label(std::string_view text, Pt at, double ax, double ay) {
        const double width = s_.textWidth(text), height = s_.textHeight(text);
        const double down = h_ < 0 ? -1 : 1; // direction of the picture's "down" in user units
        s_.drawText(X(at.u) - ax * width, Y(at.v) - down * height * (1 - ay), text);
    }

    DrawingSurface& s_;
    double x_, y_, w_, h_;
    Pt lo_, hi_;
    bool button_;
};

// Stiffener schematics: plating from v = 5 to 10, the profile 47 units high above it.
constexpr double plateTop = 10;
constexpr double stiffTop = 57;

void plating(Sketch& k) {
    k.plate(10, 5, 90, plateTop);
}

// H left of the profile, from the plating to the top.
void heightMark(Sketch& k, double topLeft, double dimU, double top) {
    k.extension({topLeft - 0.5, top}, {dimU - 1, top});
    k.dimV(dimU, plateTop, top, "H", Side::left);
}
void widthMark(Sketch& k, double u1, double u2, double top, std::string_view text = "B") {
    k.extension({u1, top + 0.5}, {u1, top + 6});
    k.extension({u2, top + 0.5}, {u2, top + 6});
    k.dimH(top + 5, u1, u2, text);
}
// tf at the free end of a flange.
void flangeMark(Sketch& k, double flangeEnd, double bottom, double top) {
    const double u = flangeEnd + 5;
    k.extension({flangeEnd + 0.5, bottom}, {u + 1, bottom});
    k.extension({flangeEnd + 0.5, top}, {u + 1, top});
    k.thicknessV(u, bottom, top, "tf");
}

void rolledAngle(Sketch& k) {
    plating(k);
    // Root fillet as on the to-scale figure: f = 2·tw, one intermediate point at 0.3·f.
    k.outline({{46, 10}, {50, 10}, {50, 48}, {51.2, 50.8}, {54, 52}, {74, 52}, {74, 57}, {46, 57}, {46, 10}});
    if (!k.letters()) return;
    heightMark(k, 46, 38, stiffTop);
    widthMark(k, 46, 74, stiffTop);
    k.thicknessH(25, 46, 50, "tw");
    flangeMark(k, 74, 52, stiffTop);
}

void builtUpAngle(Sketch& k) {
    plating(k);
    k.rect(46, 10, 50, 52);
    k.rect(46, 52, 74, 57);
    k.weld({44, 10}, {46, 12});
    k.weld({52, 10}, {50, 12});
    k.weld({50, 50}, {52, 52});
    if (!k.letters()) return;
    heightMark(k, 46, 38, stiffTop);
    widthMark(k, 46, 74, stiffTop);
    k.thicknessH(25, 46, 50, "tw");
    flangeMark(k, 74, 52, stiffTop);
}

void tee(Sketch& k) {
    plating(k);
    k.outline({{48, 10}, {52, 10}, {52, 52}, {66, 52}, {66, 57}, {34, 57}, {34, 52}, {48, 52}, {48, 10}});
    if (!k.letters()) return;
    heightMark(k, 34, 26, stiffTop);
    widthMark(k, 34, 66, stiffTop);
    k.thicknessH(25, 48, 52, "tw");
    flangeMark(k, 66, 52, stiffTop);
}

void flatBar(Sketch& k) {
    plating(k);
    k.rect(47, 10, 53, 57);
    if (!k.letters()) return;
    heightMark(k, 47, 33, stiffTop);
    k.thicknessH(30, 47, 53, "tw");
}

// The bulb as the to-scale figure draws it (tw 4, c 14, r 5): c from the web face to the tip.
void bulbFlat(Sketch& k) {
    plating(k);
    k.outline({{46, 10}, {46, 57}, {59, 57}, {62.5, 55.5}, {64, 52}, {62.5, 48.5}, {50, 41.25}, {50, 10}, {46, 10}});
    if (!k.letters()) return;
    heightMark(k, 46, 38, stiffTop);
    k.thicknessH(25, 46, 50, "tw");
    k.extension({50, 57.5}, {50, 63});
    k.extension({64, 52.5}, {64, 63});
    k.dimH(62, 50, 64, "c");
    k.leader({62.9, 55.9}, {69, 60}, "r");
}

void rhs(Sketch& k) {
    plating(k);
    k.rect(35, 10, 65, 57);
    k.rect(39, 14, 61, 53);
    if (!k.letters()) return;
    heightMark(k, 35, 27, stiffTop);
    widthMark(k, 35, 65, stiffTop);
    k.thicknessH(33, 61, 65, "t");
}

// Open trapezoid closed by the plating: top B = 24, webs spread by a = 13, wall t = 4.
void trapez(Sketch& k) {
    plating(k);
    k.outline({{25, 10}, {38, 57}, {62, 57}, {75, 10}});
    k.outline({{29, 10}, {42, 53}, {58, 53}, {71, 10}});
    if (!k.letters()) return;
    heightMark(k, 38, 17, stiffTop);
    k.extension({25, 10.5}, {25, 63});
    k.extension({38, 57.5}, {38, 63});
    k.extension({62, 57.5}, {62, 63});
    k.dimH(62, 25, 38, "a");
    k.dimH(62, 38, 62, "B");
    // Wall thickness measured across the right web at mid-height.
    const double v = 33.5;
    const double outer = 75 - 13 * (v - 10) / 47;
    const double inner = 71 - 13 * (v - 10) / 43;
    k.thicknessH(v, inner, outer, "t");
}

void iBeam(Sketch& k) {
    plating(k);
    k.outline({{34, 10},
               {66, 10},
               {66, 15},
               {52, 15},
               {52, 52},
               {66, 52},
               {66, 57},
               {34, 57},
               {34, 52},
               {48, 52},
               {48, 15},
               {34, 15},
               {34, 10}});
    if (!k.letters()) return;
    heightMark(k, 34, 26, stiffTop);
    widthMark(k, 34, 66, stiffTop);
    k.thicknessH(33, 48, 52, "tw");
    flangeMark(k, 66, 52, stiffTop);
}

// Girders: deeper, built up from plates and welded to a wider strip of plating.
constexpr double girderTop = 59;
constexpr double girderFlange = 54.5;

void girderPlating(Sketch& k) {
    k.plate(8, 5, 92, plateTop);
}

void girderLPicture(Sketch& k) {
    girderPlating(k);
    k.rect(46, 10, 50, girderFlange);
    k.rect(46, girderFlange, 70, girderTop);
    k.weld({44, 10}, {46, 12});
    k.weld({52, 10}, {50, 12});
    k.weld({50, girderFlange - 2}, {52, girderFlange});
    if (!k.letters()) return;
    heightMark(k, 46, 38, girderTop);
    widthMark(k, 46, 70, girderTop);
    k.thicknessH(25, 46, 50, "tw");
    flangeMark(k, 70, girderFlange, girderTop);
}

void girderTPicture(Sketch& k) {
    girderPlating(k);
    k.rect(48, 10, 52, girderFlange);
    k.rect(36, girderFlange, 64, girderTop);
    k.weld({46, 10}, {48, 12});
    k.weld({54, 10}, {52, 12});
    k.weld({48, girderFlange - 2}, {46, girderFlange});
    k.weld({52, girderFlange - 2}, {54, girderFlange});
    if (!k.letters()) return;
    heightMark(k, 36, 28, girderTop);
    widthMark(k, 36, 64, girderTop);
    k.thicknessH(25, 48, 52, "tw");
    flangeMark(k, 64, girderFlange, girderTop);
}

struct Entry {
    std::string_view name;
    void (*paint)(Sketch&);
    bool button;
};

constexpr Entry catalogue[] = {
    {"pic_l", rolledAngle, false},
    {"pic_lb", builtUpAngle, false},
    {"pic_t", tee, false},
    {"pic_f", flatBar, false},
    {"pic_hp", bulbFlat, false},
    {"pic_rhs", rhs, false},
    {"pic_usp", trapez, false},
    {"pic_i", iBeam, false},
    {"pic_GirderL", girderLPicture, false},
    {"pic_GirderT", girderTPicture, false},
    {"pic_small_l", rolledAngle, true},
    {"pic_small_t", tee, true},
    {"pic_small_fb", flatBar, true},
    {"pic_small_hp", bulbFlat, true},
    {"pic_small_rhs", rhs, true},
    {"pic_small_u", trapez, true},
    {"pic_small_i", iBeam, true},
    {"pic_small_lg", girderLPicture, true},
    {"pic_small_tg", girderTPicture, true},
};

} // namespace

bool drawPicture(DrawingSurface& surface, std::string_view name, double x, double y, double w, double h) {
    if (name == "pic_blank") return true;
    for (const Entry& e : catalogue) {
        if (e.name != name) continue;
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h)) return true;
        const Rgb kept = surface.foreColour();
        surface.setDashStyle(DashStyle::solid);
        // The schematics fill the dialog's 4:3 area; a button shows the profile alone.
        const Pt lo = e.button ? Pt{6, 2} : Pt{0, 0};
        const Pt hi = e.button ? Pt{94, 62} : Pt{100, 75};
        Sketch sketch(surface, x, y, w, h, lo, hi, e.button);
        e.paint(sketch);
        surface.setLineWidth(1);
        surface.setForeColour(kept);
        return true;
    }
    return false;
}

} // namespace korvel
