#pragma once

#include <string>
#include <utility>

namespace korvel {

// Where a calculation stopped and why. A check that meets a floating-point fault (a division
// by zero, the square root of a negative number, an overflow) ends the calculation there: its
// results and every later result stay at the not-computed marker rather than showing numbers
// that do not belong to this case.
struct CalcFault {
    std::string step;   // the check that stopped, e.g. "plate buckling"
    std::string reason; // in the engineer's words, e.g. "square root of a negative number: σe exceeds Fyp"

    bool stopped() const { return !step.empty(); }
    // One sentence for the listings and the batch log.
    std::string message() const { return "Calculation stopped in " + step + ": " + reason; }
    void clear() {
        step.clear();
        reason.clear();
    }
    bool operator==(const CalcFault& o) const { return step == o.step && reason == o.reason; }
};

// What a check returns: empty when it finished, otherwise the reason it could not.
struct StepOutcome {
    std::string reason;
    bool ok() const { return reason.empty(); }
    static StepOutcome done() { return {}; }
    static StepOutcome fault(std::string why) { return StepOutcome{std::move(why)}; }
};

} // namespace korvel
