#include "design/calc_fault.h"

#include "design/number_format.h"

namespace korvel {

namespace {

std::string quotedNumber(double value, bool single, const char* mask) {
    return single ? formatNumber(static_cast<float>(value), mask) : formatNumber(value, mask);
}

} // namespace

std::string StepOutcome::reason() const {
    if (!failed_ || quoted_ == nullptr) return text_;
    const QuotedReason& q = *quoted_;
    return q.before + quotedNumber(a_, aSingle_, q.mask) + q.middle + quotedNumber(b_, bSingle_, q.mask);
}

} // namespace korvel
