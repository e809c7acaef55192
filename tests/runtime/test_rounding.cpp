#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::rt {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(12345.5), 12346.0);
    EXPECT_EQ(RoundHalfEven(12346.5), 12346.0);
    // Not halves: ordinary rounding.
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
    EXPECT_EQ(RoundHalfEven(-2.5001), -3.0);
    EXPECT_EQ(RoundHalfEven(0.0), 0.0);
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4)));
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.5)));
}

TEST(Rounding, BinaryNoiseBeyondFifteenDigitsDoesNotDecideAHalf) {
    const double aboveHalf = 1.1 * 55;  // 60.50000000000001
    ASSERT_GT(aboveHalf, 60.5);
    EXPECT_EQ(RoundHalfEven(aboveHalf), 60.0);
    const double belowHalf = 2.3 * 25;  // 57.49999999999999
    ASSERT_LT(belowHalf, 57.5);
    EXPECT_EQ(RoundHalfEven(belowHalf), 58.0);
    // 2.675 is stored just below 2.675 but reads as 2.675: the half goes to the even 8.
    EXPECT_EQ(RoundHalfEven(2.675, 2), 2.68);
    EXPECT_EQ(RoundHalfEven(2.665, 2), 2.66);
    EXPECT_EQ(RoundHalfEven(1.005, 2), 1.0);
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.135, 2), 0.14);
    EXPECT_EQ(RoundHalfEven(-0.125, 2), -0.12);
    EXPECT_EQ(RoundHalfEven(1234.5678, 2), 1234.57);
    EXPECT_EQ(RoundHalfEven(0.1 + 0.2, 2), 0.3);
    EXPECT_EQ(RoundHalfEven(9.995, 2), 10.0);
    EXPECT_EQ(RoundHalfEven(2.5, 0), 2.0);
}

TEST(Rounding, LargeValuesKeepEveryWholeDigit) {
    // Above 1E15 fifteen digits do not cover the whole part; nothing may be lost.
    EXPECT_EQ(RoundHalfEven(1234567890123456.0), 1234567890123456.0);
    EXPECT_EQ(RoundHalfEven(1234567890123456.5), 1234567890123456.0);
    EXPECT_EQ(RoundHalfEven(1234567890123457.5), 1234567890123458.0);
    EXPECT_EQ(RoundHalfEven(1234567890123456.75, 1), 1234567890123456.75);
    EXPECT_EQ(RoundHalfEven(1e300), 1e300);
    EXPECT_EQ(RoundHalfEven(123456789012345.5), 123456789012346.0);
    EXPECT_EQ(RoundHalfEvenText(1e20, 0), "100000000000000000000");
    // Far more decimals than digits: the value itself comes back.
    const double third = 1.0 / 3.0;
    EXPECT_EQ(RoundHalfEven(third, 20), third);
    EXPECT_EQ(RoundHalfEven(1e-300, 2), 0.0);
}

TEST(Rounding, TextFormIsPlainAndNeverNegativeZero) {
    EXPECT_EQ(RoundHalfEvenText(1234567.891, 2), "1234567.89");
    EXPECT_EQ(RoundHalfEvenText(-1234567.895, 2), "-1234567.90");
    EXPECT_EQ(RoundHalfEvenText(0.5, 0), "0");
    EXPECT_EQ(RoundHalfEvenText(-0.4, 0), "0");
    EXPECT_EQ(RoundHalfEvenText(-0.004, 2), "0.00");
    EXPECT_EQ(RoundHalfEvenText(-0.0, 1), "0.0");
    EXPECT_EQ(RoundHalfEvenText(999.5, 0), "1000");
    EXPECT_EQ(RoundHalfEvenText(0.00123, 4), "0.0012");
    EXPECT_EQ(RoundHalfEvenText(0.00125, 4), "0.0012");
    EXPECT_EQ(RoundHalfEvenText(0.05, 0), "0");
    EXPECT_EQ(RoundHalfEvenText(0.5, 3), "0.500");
    EXPECT_EQ(RoundHalfEvenText(7, 2), "7.00");
    EXPECT_EQ(RoundHalfEvenText(std::numeric_limits<double>::quiet_NaN(), 2), "NaN");
    EXPECT_EQ(RoundHalfEvenText(-std::numeric_limits<double>::infinity(), 0), "-Infinity");
}

TEST(Rounding, IntFloorsFixTruncates) {
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Int(-2.0), -2.0);
    EXPECT_EQ(Fix(2.7), 2.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_FALSE(std::signbit(Fix(-0.5)));
    EXPECT_FALSE(std::signbit(Int(-0.0)));
}

TEST(Rounding, NonFiniteValuesPassThroughAndBadCountsRaise) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(RoundHalfEven(inf), inf);
    EXPECT_EQ(RoundHalfEven(-inf, 2), -inf);
    EXPECT_TRUE(std::isnan(RoundHalfEven(nan)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(nan, 3)));
    EXPECT_EQ(Int(-inf), -inf);
    EXPECT_TRUE(std::isnan(Fix(nan)));
    try {
        RoundHalfEven(1.5, -1);
        FAIL() << "negative count of decimals accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidProcedureCall);
    }
}

}  // namespace
}  // namespace qvc::rt
