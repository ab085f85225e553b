#pragma once

// The search every study makes along one number: a scan from where the case passes towards the
// end of the range finds the first change from passing to not passing, and bisection narrows
// that bracket to a relative 1e-6. No response is taken to be monotone: the scan goes on to its
// end, and a case that passes again beyond the first crossing is reported so.

#include <functional>
#include <optional>
#include <vector>

namespace korvel {

inline constexpr double searchPrecision = 1e-6;
inline constexpr int scanIntervals = 64;

// Calculates the case at `value` and tells whether it passes. It may move `value` to the number
// the case can hold (a single-precision field), which the search then keeps.
using Probe = std::function<bool(double& value)>;

struct Crossing {
    enum class Kind {
        passesThroughout, // every scan point passes: `pass` is the last one
        crossed,          // `pass` passes and `fail`, within the precision beyond it, does not
        failsAtStart,     // the first scan point does not pass
    };
    Kind kind = Kind::failsAtStart;
    double pass = 0;
    double fail = 0;
    std::optional<double> passesAgainAt; // a scan point beyond `fail` where the case passes again
    bool operator==(const Crossing& o) const {
        return kind == o.kind && pass == o.pass && fail == o.fail && passesAgainAt == o.passesAgainAt;
    }
};

// Runs the probe at each scan point in order (from where the search starts to where it ends),
// then bisects the first change from passing to not passing. With `stopAtCrossing` the scan is
// not carried beyond the crossing (passesAgainAt is then never set).
Crossing findCrossing(const std::vector<double>& scan, const Probe& passes, bool stopAtCrossing = false);

// scanIntervals + 1 points from `from` to `to`, evenly spaced.
std::vector<double> evenScan(double from, double to);

} // namespace korvel
