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

// What a check returns: done, or the reason it could not finish. A reason that quotes two numbers
// is kept as its parts and written out only when it is read: a study that asks of thousands of
// scaled cases only whether they pass never formats one.
class StepOutcome {
public:
    static StepOutcome done() { return {}; }
    static StepOutcome fault(std::string why) {
        StepOutcome o;
        o.text_ = std::move(why);
        o.failed_ = true;
        return o;
    }
    // before + a + middle + b, the numbers through `mask`, a float on its own seven digits; the
    // texts are literals.
    template <class A, class B>
    static StepOutcome fault(const char* before, A a, const char* middle, B b, const char* mask) {
        static_assert(std::is_floating_point_v<A> && std::is_floating_point_v<B>, "a quoted number is a real");
        StepOutcome o;
        o.failed_ = true;
        o.quoted_ = Quoted{before, a, std::is_same_v<A, float>, middle, b, std::is_same_v<B, float>, mask};
        return o;
    }

    bool ok() const { return !failed_; }
    std::string reason() const;

private:
    struct Quoted {
        const char* before = nullptr;
        double a = 0;
        bool aSingle = false;
        const char* middle = nullptr;
        double b = 0;
        bool bSingle = false;
        const char* mask = nullptr;
    };
    bool failed_ = false;
    std::string text_;
    Quoted quoted_;
};

} // namespace korvel
