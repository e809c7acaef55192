#include <cmath>
#include <initializer_list>

#include "BrentRoot.h"
#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

using RateOfReturnTest = EngineTest;

// IRR: the falling root nearest d; payback: the challenger ahead from then on; NAN: unchecked.
TEST_F(RateOfReturnTest, IrrAndPaybackOnHandWorkedSavings) {
    struct Case {
        std::initializer_list<double> savings;
        double discountRate, irr, tolerance, payback;  // tolerance 0: exactly
    };
    const Case cases[] = {
        {{-1000, 1100}, 0.0, 0.10, 1e-12, NAN},  // a grid point
        // Z(4) = -227.024748, Z(5) = 164.738335: payback 4 + 227.02 / 391.76.
        {{-2000, 500, 500, 500, 500, 500}, 0.05, 0.079308261161, 1e-9, 4.579495},
        {{-1000, 500, 400}, 0.0, -0.069926474563, 1e-9, NAN},
        // No sign change: no rate.
        {{0, 50, 50, 50}, 0.0, -1.0, 0, NAN},
        // Rising through zero at -59.70 % (borrowing), falling at 45.16 %.
        {{-100, 100, 100, -50}, 0.07, 0.451605962956, 1e-9, NAN},
        // -(1.1 - x)(1.2 - x) 100 / x^2, x = 1 + r: rising at 10 %, falling at 20 %.
        {{-100, 230, -132}, 0.07, 0.20, 1e-12, NAN},
        // -(8x - 9)(8x - 11)(8x - 13) / x^3: falling at 12.5 % and 62.5 %.
        {{-512, 2112, -2872, 1287}, 0.30, 0.125, 1e-9, NAN},
        {{-512, 2112, -2872, 1287}, 0.45, 0.625, 1e-9, NAN},
        // -(4x - 5)(2x - 3)(4x - 7) / x^3: falling at 25 % and 75 %; at 50 % the lower wins.
        {{-32, 144, -214, 105}, 0.50, 0.25, 0, NAN},
        {{-32, 144, -214, 105}, 0.60, 0.75, 0, NAN},
        // A sum of 1 against 1e9 moved is zero within tolerance; 2 is not.
        {{-499999999.5, 500000000.5}, 0.05, 0.0, 0, NAN},
        {{-499999999, 500000001}, 0.05, 2.0 / 499999999, 1e-10, NAN},
        {{-1000, 500, 500, 500, 500}, 0.0, NAN, 0, 2.0},  // Z = -1000, -500, 0, ...
        {{-5000, 500, 500, 500, 500}, 0.0, NAN, 0, -1.0},
        {{500, 500, -200}, 0.0, NAN, 0, 0.0},  // ahead from the start
        // Behind again after a late investment: the last negative year is 3.
        {{0, 500, 500, -1500, 500, 500}, 0.0, NAN, 0, 4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases) << " d " << c.discountRate);
        savingsStudy(c.savings, c.discountRate);
        EXPECT_EQ(cmp(1).BeforeTaxIRR(), cmp(1).IRR());
        if (!std::isnan(c.irr)) {
            EXPECT_NEAR(cmp(1).IRR(), c.irr, c.tolerance);
        }
        if (!std::isnan(c.payback)) {
            EXPECT_NEAR(cmp(1).PaybackYears(), c.payback, 1e-6);
        }
    }
}

TEST_F(RateOfReturnTest, AdjustedRateOfReturnIsUndefinedWithoutAPositiveSir) {
    // Undefined for SIR(L) <= 0, for savings without added investment, and L = 0.
    struct Case {
        int16_t years;
        double baseAnnual, challengerAnnual, challengerInvestment, sir;
    };
    for (const Case& c : {Case{2, 0, 0, 1000, 0.0}, Case{2, 0, 100, 1000, -0.185941043},
                          Case{2, 100, 0, 0, -1.0}, Case{0, 200, 0, 100, 2.0}}) {
        study(c.years, 0.05, 2);
        annual(1, 1, c.baseAnnual, c.years == 0 ? 0 : 1, 2);
        annual(2, 1, c.challengerAnnual, 1, 2);
        investment(2, c.challengerInvestment);
        calculate();
        EXPECT_NEAR(cmp(1).SIR(c.years), c.sir, 1e-9);
        EXPECT_EQ(cmp(1).AIRR(), -1.0) << "SIR " << c.sir << " L " << c.years;
    }
}

TEST(BrentRootTest, FindsRootsQuicklyAndAlwaysStops) {
    // Bisection alone would need 34 steps.
    struct Case {
        double (*f)(double);
        double a, b, root;
    };
    const Case cases[] = {
        {[](double x) { return x * x * x - 2 * x - 5; }, 2.0, 3.0, 2.0945514815423265},
        {[](double x) { return std::exp(-x) - x; }, 0.0, 1.0, 0.5671432904097838},
    };
    for (const Case& c : cases) {
        int calls = 0;
        auto f = [&](double x) {
            ++calls;
            return c.f(x);
        };
        EXPECT_NEAR(brentRoot(f, c.a, c.b, c.f(c.a), c.f(c.b), 1e-10), c.root, 1e-10);
        EXPECT_LE(calls, 10) << "root " << c.root;
    }
    // Tolerance 0 on x^3: the bracket never closes, yet the search ends.
    int calls = 0;
    auto cube = [&](double x) {
        if (++calls > 1000) {
            ADD_FAILURE() << "brentRoot does not stop";
            return 0.0;
        }
        return x * x * x;
    };
    EXPECT_NEAR(brentRoot(cube, -1.0, 2.0, -1.0, 8.0, 0.0), 0.0, 1e-15);
    EXPECT_LE(calls, 200);
}

}  // namespace
}  // namespace tavlo::testing
