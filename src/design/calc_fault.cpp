#include "design/calc_fault.h"

#include "design/number_format.h"

namespace korvel {

namespace {

std::string quotedNumber(double value, bool single, const char* mask) {
    return single ? formatNumber(static_cast<float>(value), mask) : formatNumber(value, mask);
}

} // namespace

std::string StepOutcome::reason() const {
    if (!failed_ || quoted_.before == nullptr) return text_;
    const Quoted& q = quoted_;
    return q.before + quotedNumber(q.a, q.aSingle, q.mask) + q.middle + quotedNumber(q.b, q.bSingle, q.mask);
}

} // namespace korvel
