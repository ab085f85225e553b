#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace korvel::test {

// A hand-calculated value agrees when it differs by no more than `relative` of itself (and by
// no more than a trace around zero).
inline void expectRelative(double expected, double actual, double relative) {
    EXPECT_NEAR(expected, actual, std::fabs(expected) * relative + 1e-12);
}

} // namespace korvel::test
