#include "sections/profile_outline.h"

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

} // namespace

ProfileOutline profileOutline(const DesignCase& dc) {
    ProfileOutline o;
    if (dc.stiffenerType < 0 || dc.stiffenerType >= stiffenerTypeCount) return o;
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf, t = dc.t, se = dc.se;
    const double x0 = se / 2 - tw / 2; // left face of the web
    const double xl = se / 2 - B / 2;  // left edge of a centred flange or box
    const double xr = se / 2 + B / 2;
    o.height = static_cast<float>(H + t);
    o.width = static_cast<float>(se);
    o.neutralAxis = static_cast<float>(dc.stiff.zp + t / 2);
    o.webX = static_cast<float>(se / 2);

    OutlineBuilder b{o};
    const auto plate = [&] { b.rectangle(0, 0, se, t); };
    switch (dc.stiffenerType) {
    case stiffLTable: { // rolled angle with a three-point root fillet
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
        plate();
        break;
    }
    case stiffLBuiltUp:
        plate();
        b.rectangle(x0, t, x0 + tw, t + H - tf);
        b.rectangle(x0, t + H - tf, x0 + B, t + H);
        break;
    case stiffTTable:
    case stiffTBuiltUp:
        plate();
        b.rectangle(x0, t, x0 + tw, t + H - tf);
        b.rectangle(xl, t + H - tf, xr, t + H);
        break;
    case stiffFlatbarTable:
    case stiffFlatbarBuiltUp:
        plate();
        b.rectangle(x0, t, x0 + tw, t + H);
        break;
    case stiffBFTable: { // the real bulb, not the equivalent angle
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
        plate();
        break;
    }
    case stiffRHS: {
        const double w = tw; // wall thickness
        plate();
        b.rectangle(xl, t, xr, t + H);
        b.rectangle(xl + w, t + w, xr - w, t + H - w);
        break;
    }
    case stiffTrapez: { // webs spread by a on each side towards the plate
        const double a = dc.a, w = tw;
        b.point(xl - a, t);
        b.point(xl, t + H);
        b.point(xr, t + H);
        b.point(xr + a, t);
        b.point(xl - a + w, t);
        b.point(xl + w, t + H - w);
        b.point(xr - w, t + H - w);
        b.point(xr + a - w, t);
        o.polygonCount = 8;
        plate();
        break;
    }
    case stiffIBuiltUp:
        plate();
        b.rectangle(xl, t, xr, t + tf);
        b.rectangle(x0, t + tf, x0 + tw, t + H - tf);
        b.rectangle(xl, t + H - tf, xr, t + H);
        break;
    default:
        break;
    }
    return o;
}

std::string_view schematicPictureName(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->schematicPicture : "pic_blank";
}

std::string_view girderSchematicPictureName(int girderType) {
    return girderType == girderL ? "pic_GirderL" : "pic_GirderT";
}

} // namespace korvel
