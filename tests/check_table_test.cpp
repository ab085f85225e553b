// The table of checks and the state of a utilisation: the table's order is the results table's
// column order, and a state is never read from the number a check computed.

#include "design/check_table.h"
#include "files/batch_results_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace korvel {
namespace {

TEST(CheckTable, RowsInIdOrderAndTheResultsTableColumnsFollowIt) {
    const std::string header = batchResultsHeader();
    std::size_t from = header.find("\tBuckling\t");
    ASSERT_NE(std::string::npos, from);
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        EXPECT_EQ(static_cast<int>(i), static_cast<int>(checkTable[i].id)) << checkTable[i].symbol;
        EXPECT_NE(checkTable[i].value == nullptr, checkTable[i].single == nullptr) << checkTable[i].symbol;
        const std::size_t at = header.find(std::string("\t") + checkTable[i].heading, from);
        ASSERT_NE(std::string::npos, at) << checkTable[i].heading;
        from = at + 1;
    }
}

TEST(Utilisation, StateIsKeptNotReadFromTheValue) {
    EXPECT_EQ(ResultState::notComputed, Utilisation<double>().state());
    EXPECT_EQ(-2.0, Utilisation<double>().written());
    EXPECT_EQ(ResultState::notApplicable, Utilisation<float>::notApplicable().state());
    EXPECT_EQ(-99.0f, Utilisation<float>::notApplicable().written());

    // A check whose result happens to equal a marker has still computed it.
    const Utilisation<double> minusTwo = -2.0;
    EXPECT_EQ(ResultState::computed, minusTwo.state());
    const Utilisation<float> minusNinetyNine = -99.0f;
    EXPECT_EQ(ResultState::computed, minusNinetyNine.state());
    // An undefined result of arithmetic is a computed NaN, which stops the calculation; it is
    // never taken for a marker.
    const Utilisation<double> undefined = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ResultState::computed, undefined.state());
    EXPECT_TRUE(std::isnan(undefined.written()));
    const double zero = 0;
    const Utilisation<float> zeroOverZero = static_cast<float>(zero / zero);
    EXPECT_EQ(ResultState::computed, zeroOverZero.state());
}

} // namespace
} // namespace korvel
