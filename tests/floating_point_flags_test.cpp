// The calculation stops on the floating-point flags of the SSE unit alone. That is sound only if
// no x87 instruction computes anything of a case: one that divided by zero would raise its flag
// in the x87 status word, where the calculation no longer looks.

#include "design/floating_point_flags.h"
#include "files/batch_run.h"
#include "support/fake_warnings.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace korvel {
namespace {

#if defined(__x86_64__)
void clearX87Flags() {
    asm volatile("fnclex");
}

int x87Flags() {
    std::uint16_t status = 0;
    asm volatile("fnstsw %0" : "=m"(status));
    return status & 0x3f;
}

// Every reference case, ordinary ones and those that stop on a division by zero, an invalid
// operation or an overflow in every step, run for its results and with its texts composed:
// the x87 unit raises no flag, so it computed nothing that could have stopped a case.
TEST(FloatingPointFlags, TheCalculationRaisesNoX87Flag) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    ASSERT_GT(list.caseCount(), 100);
    IgnoreWarnings warnings;
    DesignCase numbers, texts;
    int stopped = 0;
    clearX87Flags();
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        runBatchCaseForResults(e, numbers, tables, warnings);
        runBatchCase(e, texts, tables, warnings);
        stopped += numbers.fault.stopped() ? 1 : 0;
    }
    EXPECT_EQ(x87Flags(), 0);
    EXPECT_GT(stopped, 10) << "the reference cases no longer stop on floating-point faults";
}

// The flags that stop a calculation are seen until they are cleared.
TEST(FloatingPointFlags, StoppingFlagsAreSeenUntilCleared) {
    clearFloatingPointFlags();
    EXPECT_EQ(raisedStoppingFlags(), 0);
    volatile double zero = 0;
    volatile double one = 1;
    volatile double quotient = one / zero;
    EXPECT_TRUE(std::isinf(quotient));
    EXPECT_EQ(raisedStoppingFlags(), FE_DIVBYZERO);
    volatile double invalid = std::sqrt(-one);
    EXPECT_TRUE(std::isnan(invalid));
    volatile double huge = 1e308;
    volatile double overflow = huge * 10;
    EXPECT_TRUE(std::isinf(overflow));
    EXPECT_EQ(raisedStoppingFlags(), FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    clearFloatingPointFlags();
    EXPECT_EQ(raisedStoppingFlags(), 0);
}
#endif

} // namespace
} // namespace korvel
