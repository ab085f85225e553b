#include "fe/panel_axes.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

// Directions shorter than this (relative where a length is at hand) give no axis.
constexpr double tinyLength = 1e-9;

} // namespace

double norm(const Vec3& a) {
    return std::sqrt(dot(a, a));
}

PanelPlacement placePanel(const Vec3& O, const Vec3& Px, const Vec3& Py) {
    PanelPlacement p;
    p.axes.O = O;
    const Vec3 dx = Px - O;
    const double lx = norm(dx);
    if (!(lx > tinyLength)) {
        p.fault = AxisFault::pxOnO;
        return p;
    }
    p.axes.x = (1 / lx) * dx;
    const Vec3 dy = Py - O;
    const Vec3 across = dy - dot(dy, p.axes.x) * p.axes.x;
    const double ly = norm(across);
    if (!(ly > tinyLength * std::max(1.0, norm(dy)))) {
        p.fault = AxisFault::pyOnXLine;
        return p;
    }
    p.axes.y = (1 / ly) * across;
    p.axes.n = cross(p.axes.x, p.axes.y);
    return p;
}

Vec3 panelCoordinates(const PanelAxes& axes, const Vec3& Q) {
    const Vec3 d = Q - axes.O;
    return {dot(axes.x, d), dot(axes.y, d), dot(axes.n, d)};
}

PlaneStress fromGlobalTensor(const PanelAxes& axes, const std::array<double, 6>& s) {
    // s: sx sy sz sxy syz szx
    const auto apply = [&s](const Vec3& v) {
        return Vec3{s[0] * v.x + s[3] * v.y + s[5] * v.z, s[3] * v.x + s[1] * v.y + s[4] * v.z,
                    s[5] * v.x + s[4] * v.y + s[2] * v.z};
    };
    const Vec3 Sx = apply(axes.x);
    return {dot(axes.x, Sx), dot(axes.y, apply(axes.y)), dot(axes.y, Sx)};
}

std::optional<PlaneStress> fromElementAxes(const PanelAxes& axes, double s11, double s22, double s12, const Vec3& e1) {
    const Vec3 inPlane = e1 - dot(e1, axes.n) * axes.n;
    const double length = norm(inPlane);
    if (!(length > tinyLength * std::max(1.0, norm(e1)))) return std::nullopt;
    // e1 = c x + s y, so e2 = n * e1 = -s x + c y.
    const double c = dot(inPlane, axes.x) / length;
    const double s = dot(inPlane, axes.y) / length;
    return PlaneStress{c * c * s11 + s * s * s22 - 2 * c * s * s12, s * s * s11 + c * c * s22 + 2 * c * s * s12,
                       c * s * (s11 - s22) + (c * c - s * s) * s12};
}

} // namespace korvel
