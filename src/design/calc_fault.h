#pragma once

#include <string>
#include <type_traits>
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

// The fixed words of a stop reason that quotes two numbers: before, the first number, middle, the
// second, each number through `mask` (literals, kept where the check is written).
struct QuotedReason {
    const char* before;
    const char* middle;
    const char* mask;
};

// What a check returns: done, or the reason it could not finish. A reason that quotes numbers is
// kept as its words and numbers and written out only when it is read: a study that asks of
// thousands of scaled cases only whether they pass never formats one. The outcome stays small,
// as every step of every calculation returns one.
class StepOutcome {
public:
    static StepOutcome done() { return {}; }
    static StepOutcome fault(std::string why) {
        StepOutcome o;
        o.text_ = std::move(why);
        o.failed_ = true;
        return o;
    }
    // A float is quoted on its own seven digits, as it is formatted everywhere.
    template <class A, class B>
    static StepOutcome fault(const QuotedReason& words, A a, B b) {
        static_assert(std::is_floating_point_v<A> && std::is_floating_point_v<B>, "a quoted number is a real");
        StepOutcome o;
        o.failed_ = true;
        o.quoted_ = &words;
        o.a_ = a;
        o.b_ = b;
        o.aSingle_ = std::is_same_v<A, float>;
        o.bSingle_ = std::is_same_v<B, float>;
        return o;
    }

    bool ok() const { return !failed_; }
    std::string reason() const;

private:
    bool failed_ = false;
    bool aSingle_ = false;
    bool bSingle_ = false;
    const QuotedReason* quoted_ = nullptr;
    double a_ = 0;
    double b_ = 0;
    std::string text_;
};

} // namespace korvel
