#pragma once

// The weighted least-squares line of a stress along one panel coordinate, from sums that add up
// element by element and, being linear in the stresses, load case by load case: a combination's
// sums are the factored sums of its load cases. Coordinates are taken from the middle of the
// panel so that the sums stay well conditioned.

namespace korvel {

// Sums over the elements that depend on the mesh only: Sigma w, Sigma w t, Sigma w t^2.
struct PlaceSums {
    double w = 0, wt = 0, wtt = 0;
    void add(double weight, double t) {
        w += weight;
        wt += weight * t;
        wtt += weight * t * t;
    }
};

// Sums that carry the stress: Sigma w s, Sigma w t s.
struct StressSums {
    double ws = 0, wts = 0;
    void add(double weight, double t, double s) {
        ws += weight * s;
        wts += weight * t * s;
    }
    void addScaled(const StressSums& o, double factor) {
        ws += factor * o.ws;
        wts += factor * o.wts;
    }
};

// s(t) = a + b t; b = 0 and a the weighted mean when the elements share one t.
struct FitLine {
    double a = 0, b = 0;
    double at(double t) const { return a + b * t; }
};

FitLine fitLine(const PlaceSums& place, const StressSums& stress, bool oneLine);

} // namespace korvel
