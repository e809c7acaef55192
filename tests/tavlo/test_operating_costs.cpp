// Annual and non-annual operating costs: start years, counts, intervals,
// escalation, and the summary annual operating cost.

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class OperatingCostTest : public EngineTest {};

TEST_F(OperatingCostTest, AnnualAndNonAnnualItemsLandInTheirYears) {
    // L = 10, d = 0.
    // Annual 1: 1000 from year 1 for 3 years, e = 5 %: 1050, 1102.5, 1157.625.
    // Annual 2: 200 from year 8 for 5 years: years 8..10 only (end of study).
    // Annual 3: 50 in year 0 only.
    // Other 1: 500 from year 2, 3 times every 4 years, e = 10 %: years 2, 6, 10
    //   with 500 * 1.1^y = 605, 885.78050, 1296.87123.
    // Other 2: 100 from year 5, 10 times every 3 years: years 5 and 8 (11 > L).
    // Other 3: 70 once in year 4 (interval 0 is fine for a single time).
    study(10, 0.0, 1);
    IAlternative& a = alt(1);
    a.setAnnualCost(1, 1000);
    a.setAnnualStartYear(1, 1);
    a.setAnnualYears(1, 3);
    a.setAnnualEscalation(1, 0.05);
    a.setAnnualCost(2, 200);
    a.setAnnualStartYear(2, 8);
    a.setAnnualYears(2, 5);
    a.setAnnualCost(3, 50);
    a.setAnnualYears(3, 1);
    a.setOtherCost(1, 500);
    a.setOtherStartYear(1, 2);
    a.setOtherTimes(1, 3);
    a.setOtherInterval(1, 4);
    a.setOtherEscalation(1, 0.10);
    a.setOtherCost(2, 100);
    a.setOtherStartYear(2, 5);
    a.setOtherTimes(2, 10);
    a.setOtherInterval(2, 3);
    a.setOtherCost(3, 70);
    a.setOtherStartYear(3, 4);
    a.setOtherTimes(3, 1);
    calculate();

    const double annual[] = {50, 1050, 1102.5, 1157.625, 0, 0, 0, 0, 200, 200, 200};
    const double other[] = {0, 0, 605, 0, 70, 100, 885.7805, 0, 100, 0, 1296.87123005};
    double total = 0;
    for (int16_t y = 0; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.AnnualOpCostAt(y), annual[y], 1e-9);
        EXPECT_NEAR(a.NonAnnualOpCostAt(y), other[y], 1e-8);
        EXPECT_NEAR(a.TotalOpCostAt(y), annual[y] + other[y], 1e-8);
        EXPECT_NEAR(a.BeforeTaxCashFlowAt(y), annual[y] + other[y], 1e-8);
        EXPECT_EQ(a.TotalInvestmentAt(y), 0.0);
        total += annual[y] + other[y];
    }
    EXPECT_NEAR(a.AnnualOperatingCost(), 1050.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), total, 1e-8);
    EXPECT_NEAR(a.PWOpCostAt(6), 885.7805, 1e-9);
}

TEST_F(OperatingCostTest, DiscountingAndAZeroYearStudy) {
    // 100 a year for years 1..3 at d = 10 %: PW 90.909091 + 82.644628 +
    // 75.131480 = 248.685199.
    study(3, 0.10, 1);
    alt(1).setAnnualCost(1, 100);
    alt(1).setAnnualStartYear(1, 1);
    alt(1).setAnnualYears(1, 3);
    calculate();
    EXPECT_NEAR(alt(1).TotalPresentWorth(), 248.685199098, 1e-8);
    EXPECT_NEAR(alt(1).PWOpCostAt(2), 82.644628099, 1e-8);
    // L = 0: only year 0 exists; the annual summary (year 1) is 0.
    study(0, 0.10, 1);
    alt(1).setAnnualCost(1, 100);
    alt(1).setAnnualYears(1, 3);
    calculate();
    EXPECT_NEAR(alt(1).AnnualOpCostAt(0), 100.0, 1e-9);
    EXPECT_EQ(alt(1).AnnualOperatingCost(), 0.0);
}

}  // namespace
}  // namespace tavlo::testing
