#pragma once

// Section-property records of the stiffener and the girder.
// Units: mm, mm2, mm3, mm4, mm6 (warping constant), kg/m (weight).
// zp is measured from the plate's mid-thickness towards the profile; section moduli are taken
// at the plate mid-thickness (…p) and at the free edge of the profile (…s).

#include <string>
#include <vector>

namespace korvel {

// Web height, outstanding flange width, web-to-flange offset, flange unsymmetry and the
// warping factor of the working profile (ABS buckling guide, torsional buckling).
struct ProfileShape {
    double hw = 0;
    double b2 = 0;
    double e = 0;
    double u = 0;
    double m = 1;
    bool operator==(const ProfileShape& o) const {
        return hw == o.hw && b2 == o.b2 && e == o.e && u == o.u && m == o.m;
    }
};

// One corner of the cross-section outline, in mm (single precision, as the figure draws it).
struct OutlinePoint {
    float x = 0;
    float y = 0;
    bool operator==(const OutlinePoint& o) const { return x == o.x && y == o.y; }
};

// The cross-section of the stiffener standing on its plate strip, to scale. Origin: lower left
// corner of the strip (0, 0)-(width, t); y grows away from the plate; the web is centred on webX.
// Polygon profiles (rolled angle, bulb flat, Trapez) list `polygonCount` points joined in order,
// followed by the plate as one rectangle; the others list only rectangles. Each rectangle is a
// pair of opposite corners, the plate first.
struct ProfileOutline {
    static constexpr int maxPoints = 81;
    std::vector<OutlinePoint> points;
    int polygonCount = 0;   // n: points of the open polygon, 0 for the rectangle types
    int rectangleCount = 0; // k: rectangles following the polygon (the plate counts)
    float height = 0;       // drawing height H + t
    float width = 0;        // drawing width se
    float neutralAxis = 0;  // zp + t/2 above the lower face of the plate
    float webX = 0;         // web centre line, se/2
    bool operator==(const ProfileOutline& o) const {
        return points == o.points && polygonCount == o.polygonCount && rectangleCount == o.rectangleCount &&
               height == o.height && width == o.width && neutralAxis == o.neutralAxis && webX == o.webX;
    }
};

struct StiffenerSection {
    // Bare profile.
    double Ax = 0;
    double g = 0;
    double zc = 0;
    double yc = 0;
    double Iy = 0;
    double Iz = 0;
    float Iyf = 0;
    double Gamma = 0;
    double Io = 0;
    float K = 0;

    // Plated with the yield and scantling width sy.
    double sy = 0;
    double Aey = 0;
    double zpy = 0;
    double Iey = 0;
    double Wp = 0;
    double Ws = 0;

    // Plated with the buckling effective width se.
    double Ae = 0;
    double zp = 0;
    double Ie = 0;
    double Wep = 0;
    double Wes = 0;
    double re = 0;

    // Plated with the bending width sw.
    double Iew = 0;
    double Wesw = 0;

    // Proportion rules (web and flange slenderness): whether each applies to this profile and
    // was formed, its ratio and its limit.
    bool webRule = false;
    double webRatio = 0;
    double webLimit = 0;
    bool flangeRule = false;
    double flangeRatio = 0;
    double flangeLimit = 0;

    // Whether this calculation formed the plated properties (the figure then forms the outline).
    bool plated = false;
    // Formed only where the outline would overflow single precision (it stops the calculation).
    ProfileOutline outline;
};

struct GirderSection {
    // Working girder profile.
    double H = 0;
    double B = 0;
    double tw = 0;
    float tf = 0;

    double hw = 0; // web height H - tf
    double Ag = 0;
    double gg = 0;
    double zcg = 0;
    float Iyg = 0;
    double sge = 0;
    double Aeg = 0;
    double zpg = 0;
    double Ieg = 0;
    double Wgp = 0;
    float Wgs = 0;
};

} // namespace korvel
