// Rounding half to even at a count of decimals, decided on the value as it
// reads (fifteen digits) so binary noise does not tip a half; Int and Fix.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSupport.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::rt {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Rounding, HalvesGoToTheEvenNeighbourAsTheValueReads) {
    struct Case {
        double value;
        int decimals;
        double rounded;
    };
    const Case cases[] = {
        {0.5, 0, 0.0},
        {1.5, 0, 2.0},
        {2.5, 0, 2.0},
        {-1.5, 0, -2.0},
        {-2.5, 0, -2.0},
        {12345.5, 0, 12346.0},
        {2.4999, 0, 2.0},
        {2.5001, 0, 3.0},
        {-2.5001, 0, -3.0},
        {1.1 * 55, 0, 60.0},  // 60.50000000000001
        {2.3 * 25, 0, 58.0},  // 57.49999999999999
        {2.675, 2, 2.68},     // stored just below 2.675
        {2.665, 2, 2.66},
        {1.005, 2, 1.0},
        {0.135, 2, 0.14},
        {-0.125, 2, -0.12},
        {1234.5678, 2, 1234.57},
        {9.995, 2, 10.0},
        // Beyond fifteen digits the whole part is kept, every digit.
        {1234567890123456.5, 0, 1234567890123456.0},
        {1234567890123457.5, 0, 1234567890123458.0},
        {1234567890123456.75, 1, 1234567890123456.75},
        {1e300, 0, 1e300},
        {1.0 / 3.0, 20, 1.0 / 3.0},
        {1e-300, 2, 0.0},
        {-kInf, 2, -kInf},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.rounded) << c.value << " to " << c.decimals;
    }
    EXPECT_EQ(RoundHalfEven(123456789012345.5), 123456789012346.0);
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.5)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN, 3)));
    EXPECT_EQ(test::errorNumberOf([] { RoundHalfEven(1.5, -1); }), err::kInvalidProcedureCall);
}

TEST(Rounding, TextFormIsPlainAndNeverNegativeZero) {
    EXPECT_EQ(RoundHalfEvenText(-1234567.895, 2), "-1234567.90");
    EXPECT_EQ(RoundHalfEvenText(-0.4, 0), "0");
    EXPECT_EQ(RoundHalfEvenText(-0.004, 2), "0.00");
    EXPECT_EQ(RoundHalfEvenText(-0.0, 1), "0.0");
    EXPECT_EQ(RoundHalfEvenText(999.5, 0), "1000");
    EXPECT_EQ(RoundHalfEvenText(0.00125, 4), "0.0012");
    EXPECT_EQ(RoundHalfEvenText(0.5, 3), "0.500");
    EXPECT_EQ(RoundHalfEvenText(1e20, 0), "100000000000000000000");
    EXPECT_EQ(RoundHalfEvenText(kNaN, 2), "NaN");
    EXPECT_EQ(RoundHalfEvenText(-kInf, 0), "-Infinity");
}

TEST(Rounding, IntFloorsFixTruncates) {
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Int(-2.0), -2.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_FALSE(std::signbit(Fix(-0.5)));
    EXPECT_FALSE(std::signbit(Int(-0.0)));
    EXPECT_EQ(Int(-kInf), -kInf);
    EXPECT_TRUE(std::isnan(Fix(kNaN)));
}

}  // namespace
}  // namespace qvc::rt
