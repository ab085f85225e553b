#include "sections/profile_outline.h"

#include "sections/profile_formulas.h"
#include "sections/profile_type_table.h"

namespace korvel {

namespace {

struct OutlineBuilder {
    ProfileOutline& o;
    void point(double x, double y) { o.points.push_back({static_cast<float>(x), static_cast<float>(y)}); }
    void rectangle(double x1, double y1, double x2, double y2) {
        point(x1, y1);
        point(x2, y2);
        ++o.rectangleCount;
    }
};

// The working profile on its strip: the dimensions and the places every outline starts from.
struct Place {
    double H, B, tw, tf, t, se;
    double x0; // left face of the web
    double xl; // left edge of a centred flange or box
    double xr;
};

Place placeOf(const DesignCase& dc) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf, t = dc.t, se = dc.se;
    return {H, B, tw, tf, t, se, se / 2 - tw / 2, se / 2 - B / 2, se / 2 + B / 2};
}

void plate(OutlineBuilder& b, const Place& p) {
    b.rectangle(0, 0, p.se, p.t);
}

// The letters' places every type starts from: web from the plate to the flange, s across it.
DimensionLayout webLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    const double H = dc.H, tw = dc.tw, tf = dc.tf, t = dc.t;
    const double webX = o.webX, webR = webX + tw / 2;
    DimensionLayout l;
    l.webBottom = t;
    l.webTop = t + H - tf;
    l.faceLeft = webX - tw / 2;
    l.faceRight = webR;
    l.bLeft = webR;
    l.bY = t + H - tf - 5 * unit;
    return l;
}

// s a third of the way up the web; the top of the web ends at the profile's right edge.
DimensionLayout withWebThickness(DimensionLayout l) {
    l.thicknessY = l.webBottom + 0.3 * (l.webTop - l.webBottom);
    l.webTopRight = l.xMax;
    return l;
}

// A flange centred on the web (tee, I).
DimensionLayout centredFlange(DimensionLayout l, const DesignCase& dc, const ProfileOutline& o) {
    const double B = dc.B;
    l.xMin = l.topLeft = o.webX - B / 2;
    l.xMax = l.topRight = l.bRight = o.webX + B / 2;
    return l;
}

} // namespace

void rolledAngleOutline(const DesignCase& dc, ProfileOutline& o) { // with a three-point root fillet
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    const double x0 = p.x0, t = p.t, tw = p.tw, tf = p.tf, H = p.H, B = p.B;
    const double f = rolledAngleFillet(dc.tw);
    b.point(x0, t);
    b.point(x0 + tw, t);
    b.point(x0 + tw, t + H - tf - f);
    b.point(x0 + tw + 0.3 * f, t + H - tf - 0.3 * f);
    b.point(x0 + tw + f, t + H - tf);
    b.point(x0 + B, t + H - tf);
    b.point(x0 + B, t + H);
    b.point(x0, t + H);
    b.point(x0, t);
    o.polygonCount = 9;
    plate(b, p);
}

void builtUpAngleOutline(const DesignCase& dc, ProfileOutline& o) {
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    plate(b, p);
    b.rectangle(p.x0, p.t, p.x0 + p.tw, p.t + p.H - p.tf);
    b.rectangle(p.x0, p.t + p.H - p.tf, p.x0 + p.B, p.t + p.H);
}

void teeOutline(const DesignCase& dc, ProfileOutline& o) {
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    plate(b, p);
    b.rectangle(p.x0, p.t, p.x0 + p.tw, p.t + p.H - p.tf);
    b.rectangle(p.xl, p.t + p.H - p.tf, p.xr, p.t + p.H);
}

void flatBarOutline(const DesignCase& dc, ProfileOutline& o) {
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    plate(b, p);
    b.rectangle(p.x0, p.t, p.x0 + p.tw, p.t + p.H);
}

void bulbFlatOutline(const DesignCase& dc, ProfileOutline& o) { // the real bulb, not the equivalent angle
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    const double x0 = p.x0, t = p.t, tw = p.tw, H = p.H;
    const double c = dc.a, r = dc.bfCol4;
    b.point(x0, t);
    b.point(x0, t + H);
    b.point(x0 + tw + c - r, t + H);
    b.point(x0 + tw + c - 0.3 * r, t + H - 0.3 * r);
    b.point(x0 + tw + c, t + H - r);
    b.point(x0 + tw + c - 0.3 * r, t + H - 1.7 * r);
    b.point(x0 + tw, t + H - 1.7 * r - 0.58 * (c - 0.3 * r));
    b.point(x0 + tw, t);
    b.point(x0, t);
    o.polygonCount = 9;
    plate(b, p);
}

void rhsOutline(const DesignCase& dc, ProfileOutline& o) {
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    const double w = p.tw; // wall thickness
    plate(b, p);
    b.rectangle(p.xl, p.t, p.xr, p.t + p.H);
    b.rectangle(p.xl + w, p.t + w, p.xr - w, p.t + p.H - w);
}

void trapezOutline(const DesignCase& dc, ProfileOutline& o) { // webs spread by a on each side towards the plate
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    const double xl = p.xl, xr = p.xr, t = p.t, H = p.H;
    const double a = dc.a, w = p.tw;
    b.point(xl - a, t);
    b.point(xl, t + H);
    b.point(xr, t + H);
    b.point(xr + a, t);
    b.point(xl - a + w, t);
    b.point(xl + w, t + H - w);
    b.point(xr - w, t + H - w);
    b.point(xr + a - w, t);
    o.polygonCount = 8;
    plate(b, p);
}

void iOutline(const DesignCase& dc, ProfileOutline& o) {
    OutlineBuilder b{o};
    const Place p = placeOf(dc);
    plate(b, p);
    b.rectangle(p.xl, p.t, p.xr, p.t + p.tf);
    b.rectangle(p.x0, p.t + p.tf, p.x0 + p.tw, p.t + p.H - p.tf);
    b.rectangle(p.xl, p.t + p.H - p.tf, p.xr, p.t + p.H);
}

DimensionLayout angleLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    DimensionLayout l = webLayout(dc, o, unit);
    l.xMin = l.topLeft = l.faceLeft;
    l.xMax = l.topRight = l.bRight = l.faceLeft + dc.B;
    return withWebThickness(l);
}

DimensionLayout bulbFlatLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    // The bulb reaches c beyond the web; B is its equivalent angle's flange.
    DimensionLayout l = webLayout(dc, o, unit);
    l.xMin = l.topLeft = l.faceLeft;
    l.topRight = l.bRight = l.faceLeft + dc.B;
    l.xMax = l.faceRight + dc.a;
    return withWebThickness(l);
}

DimensionLayout flatBarLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    DimensionLayout l = webLayout(dc, o, unit);
    l.xMin = l.topLeft = l.faceLeft;
    l.xMax = l.topRight = l.faceRight;
    l.webTop = dc.t + dc.H;
    l.flange = false;
    return withWebThickness(l);
}

DimensionLayout rhsLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    const double H = dc.H, B = dc.B, tw = dc.tw, t = dc.t;
    const double xl = o.webX - B / 2, xr = o.webX + B / 2;
    DimensionLayout l = webLayout(dc, o, unit);
    l.xMin = l.topLeft = xl;
    l.xMax = l.topRight = xr;
    l.webBottom = t + tw;
    l.webTop = t + H - tw;
    l.faceLeft = xl;
    l.faceRight = xl + tw;
    l.bLeft = xl + tw;
    l.bRight = xr - tw;
    l.bY = t + H - tw - 5 * unit;
    l.thicknessY = t + 0.35 * H; // clear of b under the top
    l.webTopRight = l.xMax;
    return l;
}

DimensionLayout trapezLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    // s across the left web at mid-height, as the webs lean.
    const double H = dc.H, B = dc.B, tw = dc.tw, t = dc.t, a = dc.a;
    const double xl = o.webX - B / 2, xr = o.webX + B / 2;
    DimensionLayout l = webLayout(dc, o, unit);
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
    l.thicknessY = t + H / 2; // where faceLeft was taken
    l.webTopRight = H > 0 ? xr + a * tw / H : l.xMax;
    return l;
}

DimensionLayout iLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    DimensionLayout l = centredFlange(webLayout(dc, o, unit), dc, o);
    l.webBottom = dc.t + dc.tf;
    return withWebThickness(l);
}

DimensionLayout teeLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    return withWebThickness(centredFlange(webLayout(dc, o, unit), dc, o));
}

ProfileOutline profileOutline(const DesignCase& dc) {
    ProfileOutline o;
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (!facts) return o;
    const double H = dc.H, t = dc.t, se = dc.se;
    o.height = static_cast<float>(H + t);
    o.width = static_cast<float>(se);
    o.neutralAxis = static_cast<float>(dc.stiff.zp + t / 2);
    o.webX = static_cast<float>(se / 2);
    facts->outline(dc, o);
    return o;
}

DimensionLayout dimensionLayout(const DesignCase& dc, const ProfileOutline& o, double unit) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    return facts ? facts->dimensionLayout(dc, o, unit) : DimensionLayout{};
}

std::string_view schematicPictureName(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->schematicPicture : "pic_blank";
}

std::string_view girderSchematicPictureName(int girderType) {
    const GirderTypeFacts* facts = girderTypeFacts(girderType);
    return facts ? facts->schematicPicture : "pic_GirderT";
}

} // namespace korvel
