#pragma once

// Where a panel lies in a finite-element model and how an element's stresses read in its axes.
// Units: mm for coordinates, MPa for stresses, as the model's export gives them.
//
// O is the corner at edge A and stiffener end A, P_x a point along the stiffeners towards end C,
// P_y a point towards edge B. x = unit(P_x - O), y = unit(P_y - O without its x part), n = x * y;
// a point Q has panel coordinates (x.(Q - O), y.(Q - O), n.(Q - O)).

#include <array>
#include <optional>

namespace korvel {

struct Vec3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(double k, const Vec3& a) {
    return {k * a.x, k * a.y, k * a.z};
}
inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double norm(const Vec3& a);

struct PanelAxes {
    Vec3 O, x, y, n;
    bool operator==(const PanelAxes& o) const { return O == o.O && x == o.x && y == o.y && n == o.n; }
};

// Why a panel cannot be placed by its three points.
enum class AxisFault { none, pxOnO, pyOnXLine };

struct PanelPlacement {
    PanelAxes axes;
    AxisFault fault = AxisFault::none;
};

// The axes of a panel; a P_x closer to O than 1e-9 mm, or a P_y whose distance from the line
// O-P_x is below 1e-9 of its distance from O, cannot give directions.
PanelPlacement placePanel(const Vec3& O, const Vec3& Px, const Vec3& Py);

// Panel coordinates of a model point: along x, along y and off the plane.
Vec3 panelCoordinates(const PanelAxes& axes, const Vec3& Q);

// In-plane stresses in panel axes.
struct PlaneStress {
    double sx = 0, sy = 0, txy = 0;
    bool operator==(const PlaneStress& o) const { return sx == o.sx && sy == o.sy && txy == o.txy; }
};

// A global stress tensor (sx sy sz sxy syz szx) read in the panel's axes: xT S x, yT S y, xT S y.
PlaneStress fromGlobalTensor(const PanelAxes& axes, const std::array<double, 6>& s);

// Element in-plane stresses s11, s22, s12 in the element's axes, whose first axis e1 is given in
// model coordinates: e1 is projected into the panel plane, e2 = n * e1, and the 2x2 tensor is
// turned into (x, y). Nothing when e1 is (nearly) normal to the panel.
std::optional<PlaneStress> fromElementAxes(const PanelAxes& axes, double s11, double s22, double s12, const Vec3& e1);

} // namespace korvel
