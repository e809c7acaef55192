// Comparisons: both pairing rules, savings, SIR, IRR, payback, winners,
// ranking ties and a study with one alternative.

#include <cmath>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class ComparisonTest : public EngineTest {
  protected:
    void investment(int16_t a, double cost, int16_t year = 0) {
        const int16_t item = static_cast<int16_t>(nextItem_[a]++);
        alt(a).setInvestmentCost(item, cost);
        alt(a).setInvestmentYear(item, year);
        alt(a).setDepreciationMethod(item, 5);
    }
    void annual(int16_t a, double cost, int16_t first, int16_t years) {
        alt(a).setAnnualCost(1, cost);
        alt(a).setAnnualStartYear(1, first);
        alt(a).setAnnualYears(1, years);
    }
    // Three alternatives over 5 years at 5 %:
    //   1: no investment, 1000 a year;   TPW = 1000 * 4.329477 = 4329.476671
    //   2: 2000 now, 500 a year;          TPW = 2000 + 2164.738335 = 4164.738335
    //   3: 1000 now, 800 a year;          TPW = 1000 + 3463.581337 = 4463.581337
    // (4.329477 = sum of 1.05^-y for y = 1..5.)
    void threeAlternatives(int16_t alternativeType) {
        study(5, 0.05, 3, 1, alternativeType);
        annual(1, 1000, 1, 5);
        investment(2, 2000);
        annual(2, 500, 1, 5);
        investment(3, 1000);
        annual(3, 800, 1, 5);
        calculate();
    }

    int nextItem_[8] = {1, 1, 1, 1, 1, 1, 1, 1};
};

TEST_F(ComparisonTest, MutuallyExclusiveAlternativesAreChainedByFirstCost) {
    // First costs 0 (1), 1000 (3), 2000 (2). Comparison 1: base 1 vs 3, savings
    // 4329.48 - 4463.58 = -134.10, base wins. Comparison 2: the winner 1 vs 2,
    // savings 4329.48 - 4164.74 = 164.74, challenger 2 wins: the overall
    // choice, which also has rank 1.
    threeAlternatives(0);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    EXPECT_EQ(cmp(1).BaseCase(), 1);
    EXPECT_EQ(cmp(1).Challenger(), 3);
    EXPECT_EQ(cmp(1).Winner(), 1);
    EXPECT_NEAR(cmp(1).NPWSavings(), 4329.476670631 - 4463.581336505, 1e-8);
    EXPECT_NEAR(cmp(1).AdditionalFirstCost(), 1000.0, 1e-9);
    EXPECT_EQ(cmp(2).BaseCase(), 1);
    EXPECT_EQ(cmp(2).Challenger(), 2);
    EXPECT_EQ(cmp(2).Winner(), 2);
    EXPECT_NEAR(cmp(2).NPWSavings(), 164.738335315, 1e-8);
    EXPECT_EQ(alt(2).Rank(), 1);
    EXPECT_EQ(alt(1).Rank(), 2);
    EXPECT_EQ(alt(3).Rank(), 3);
}

TEST_F(ComparisonTest, SavingsSirIrrAndPaybackOfOneComparison) {
    // Comparison 2 above (base 1, challenger 2): additional investment 2000 in
    // year 0; savings 500 / 1.05^y in years 1..5.
    // SIR(5) = 2164.738335 / 2000 = 1.082369; SIR(0) = 0 / 2000 = 0.
    // IRR of (-2000, 500 x 5) = 7.930826 % (PW at that rate is 0).
    // Payback: Z(4) = 1772.975252 - 2000 = -227.024748, Z(5) = 164.738335,
    // so 4 + 227.024748 / 391.763083 = 4.579495 years.
    threeAlternatives(0);
    IComparison& c = cmp(2);
    EXPECT_NEAR(c.AdditionalFirstCost(), 2000.0, 1e-9);
    EXPECT_NEAR(c.AddInvCostAt(0), 2000.0, 1e-9);
    EXPECT_EQ(c.AddInvCostAt(1), 0.0);
    EXPECT_NEAR(c.OpCostSavingsAt(2), 500 / 1.1025, 1e-9);
    EXPECT_NEAR(c.CumOpCostSavingsAt(4), 1772.975252081, 1e-8);
    EXPECT_NEAR(c.CumAddInvCostAt(5), 2000.0, 1e-9);
    EXPECT_NEAR(c.NPWSavingsAt(0), -2000.0, 1e-9);
    EXPECT_NEAR(c.NPWSavingsAt(3), 500 / std::pow(1.05, 3), 1e-9);
    EXPECT_NEAR(c.SIR(5), 1.082369167658, 1e-10);
    EXPECT_EQ(c.SIR(0), 0.0);
    EXPECT_NEAR(c.IRR(), 0.079308261161, 1e-9);
    EXPECT_NEAR(c.BeforeTaxIRR(), c.IRR(), 1e-12);
    EXPECT_NEAR(c.PaybackYears(), 4.579495, 1e-6);
    // Comparison 1 (base 1, challenger 3): SIR undefined in no year since the
    // additional investment is 1000 > 0; SIR(5) = 200 * 4.329477 / 1000.
    EXPECT_NEAR(cmp(1).SIR(5), 0.865895334, 1e-9);
}

TEST_F(ComparisonTest, IndependentAlternativesAllFaceNumberOne) {
    threeAlternatives(1);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    EXPECT_EQ(cmp(1).BaseCase(), 1);
    EXPECT_EQ(cmp(1).Challenger(), 2);
    EXPECT_EQ(cmp(1).Winner(), 2);
    EXPECT_EQ(cmp(2).BaseCase(), 1);
    EXPECT_EQ(cmp(2).Challenger(), 3);
    EXPECT_EQ(cmp(2).Winner(), 1);
}

TEST_F(ComparisonTest, IndependentPairingFollowsNumbersNotPositions) {
    // Positions 1..3 carry the numbers 3, 1, 2: the base is the alternative
    // numbered 1 (position 2), challengers 2 then 3.
    threeAlternatives(1);
    alt(1).setNumber(3);
    alt(2).setNumber(1);
    alt(3).setNumber(2);
    calculate();
    EXPECT_EQ(cmp(1).BaseCase(), 1);
    EXPECT_EQ(cmp(1).Challenger(), 2);
    EXPECT_EQ(cmp(2).Challenger(), 3);
    // Number 1 is position 2 (2000 now, 500 a year), number 2 is position 3.
    EXPECT_NEAR(cmp(1).NPWSavings(), 4164.738335315 - 4463.581336505, 1e-8);
}

TEST_F(ComparisonTest, OneAlternativeHasNoComparisons) {
    study(5, 0.05, 1);
    ASSERT_EQ(engine->Comparisons().Count(), 1);  // as the caller sized it
    annual(1, 100, 1, 5);
    calculate();
    EXPECT_EQ(engine->Comparisons().Count(), 0);
    EXPECT_EQ(alt(1).Rank(), 1);
}

TEST_F(ComparisonTest, RateOfReturnCases) {
    // (-1000, +1100): exactly 10 %, a grid point.
    study(1, 0.0, 2);
    investment(2, 1000);
    annual(1, 1100, 1, 1);
    calculate();
    EXPECT_NEAR(cmp(1).IRR(), 0.10, 1e-12);
    // (-1000, +500, +400): a negative rate, -6.992647 %, between grid points.
    study(2, 0.0, 2);
    investment(2, 1000);
    alt(1).setAnnualCost(1, 500);
    alt(1).setAnnualStartYear(1, 1);
    alt(1).setAnnualYears(1, 1);
    alt(1).setOtherCost(1, 400);
    alt(1).setOtherStartYear(1, 2);
    alt(1).setOtherTimes(1, 1);
    calculate();
    EXPECT_NEAR(cmp(1).IRR(), -0.069926474563, 1e-9);
    // Savings in every year and no extra investment: no sign change, -1.
    study(3, 0.0, 2);
    annual(1, 100, 1, 3);
    annual(2, 50, 1, 3);
    calculate();
    EXPECT_EQ(cmp(1).IRR(), -1.0);
    EXPECT_EQ(cmp(1).BeforeTaxIRR(), -1.0);
    EXPECT_EQ(cmp(1).SIR(3), -1.0);  // no additional investment
    // Identical alternatives: no savings at all.
    study(3, 0.0, 2);
    calculate();
    EXPECT_EQ(cmp(1).IRR(), -1.0);
}

TEST_F(ComparisonTest, PaybackCases) {
    // d = 0, 1000 extra now, 500 saved a year for 4 years:
    // Z = -1000, -500, 0, 500, 1000: the last negative year is 1, and
    // 1 + 500 / (0 + 500) = exactly 2 years.
    study(4, 0.0, 2);
    annual(1, 500, 1, 4);
    investment(2, 1000);
    calculate();
    EXPECT_DOUBLE_EQ(cmp(1).PaybackYears(), 2.0);
    // 5000 extra, only 2000 saved: never pays back.
    investment(2, 4000);
    calculate();
    EXPECT_EQ(cmp(1).PaybackYears(), -1.0);
    // The challenger saves from year 1 and costs nothing extra: 0.
    study(4, 0.0, 2);
    annual(1, 500, 1, 4);
    calculate();
    EXPECT_EQ(cmp(1).PaybackYears(), 0.0);
    // Ahead at first, behind after a late investment, ahead again:
    // Z = 0, 500, 1000, -500 (2000 in year 3, 500 saved), 0, 500 with L = 5:
    // the last negative year is 3, payback 3 + 500 / 500 = 4.
    study(5, 0.0, 2);
    annual(1, 500, 1, 5);
    investment(2, 2000, 3);
    calculate();
    EXPECT_DOUBLE_EQ(cmp(1).PaybackYears(), 4.0);
}

TEST_F(ComparisonTest, WinnerNeedsMoreThanHalfACent) {
    // d = 0: the base costs 0.004 (or 0.006) in year 1, the challenger nothing.
    for (auto [cost, winner] : {std::pair<double, int16_t>{0.004, 1}, {0.006, 2}}) {
        study(1, 0.0, 2);
        annual(1, cost, 1, 1);
        calculate();
        EXPECT_NEAR(cmp(1).NPWSavings(), cost, 1e-12);
        EXPECT_EQ(cmp(1).Winner(), winner) << cost;
        EXPECT_EQ(alt(2).Rank(), 1);  // ranking itself does not use the threshold
    }
}

TEST_F(ComparisonTest, TiesGoToTheLowerNumber) {
    // Four alternatives at positions 1..4 numbered 4, 2, 3, 1. Positions 1, 2
    // and 4 cost 100 (position 2 plus 5e-7, within the 1e-6 tie band),
    // position 3 costs 50. Ranks: position 3 first; then numbers 1, 2, 4, i.e.
    // positions 4, 2, 1.
    study(0, 0.0, 4);
    const int16_t numbers[] = {4, 2, 3, 1};
    const double costs[] = {100, 100.0000005, 50, 100};
    for (int16_t p = 1; p <= 4; ++p) {
        alt(p).setNumber(numbers[p - 1]);
        investment(p, costs[p - 1]);
    }
    calculate();
    EXPECT_EQ(alt(3).Rank(), 1);
    EXPECT_EQ(alt(4).Rank(), 2);
    EXPECT_EQ(alt(2).Rank(), 3);
    EXPECT_EQ(alt(1).Rank(), 4);
    // Mutually exclusive pairing orders first costs the same way: 50 (number
    // 3), then numbers 1, 2, 4. The base wins every comparison.
    ASSERT_EQ(engine->Comparisons().Count(), 3);
    EXPECT_EQ(cmp(1).BaseCase(), 3);
    EXPECT_EQ(cmp(1).Challenger(), 1);
    EXPECT_EQ(cmp(2).Challenger(), 2);
    EXPECT_EQ(cmp(3).Challenger(), 4);
    EXPECT_EQ(cmp(3).Winner(), 3);
}

TEST_F(ComparisonTest, WithTaxesTheTaxEffectOfInvestmentsCountsAsInvestment) {
    // L = 2, d = 0, t = 40 %, private sector with taxes.
    // 1: 1000 a year operating cost. After tax 600 a year; operating part
    //    1000 * 0.6 = 600, investment part 0. TPW 1200.
    // 2: 1000 now (straight line over 2 years) and 400 a year. Years 1, 2:
    //    taxable -400 - 500 = -900, tax -360, after tax 40; operating part
    //    400 * 0.6 = 240, investment part 40 - 240 = -200. TPW 1080.
    // Comparison (base 1, challenger 2):
    //    AddInv 1000, -200, -200 (cumulative 1000, 800, 600);
    //    OpSav 0, 360, 360 (cumulative 0, 360, 720); NPW -1000, 560, 560 = 120.
    //    SIR(1) = 360 / 800 = 0.45, SIR(2) = 720 / 600 = 1.2.
    //    After-tax IRR of (-1000, 560, 560): 560x^2 + 560x = 1000 with
    //    x = 1/(1+r): r = 7.899937 %; before tax (-1000, 600, 600): 13.066239 %.
    //    Payback: Z = -1000, -440, 120: 1 + 440 / 560 = 1.785714 years.
    study(2, 0.0, 2);
    withTaxes(0.4);
    annual(1, 1000, 1, 2);
    alt(2).setInvestmentCost(1, 1000);
    alt(2).setDepreciationLife(1, 2);
    annual(2, 400, 1, 2);
    calculate();
    EXPECT_NEAR(alt(1).TotalPresentWorth(), 1200.0, 1e-9);
    EXPECT_NEAR(alt(2).TotalPresentWorth(), 1080.0, 1e-9);
    IComparison& c = cmp(1);
    const double addInv[] = {1000, -200, -200};
    const double opSavings[] = {0, 360, 360};
    for (int16_t y = 0; y <= 2; ++y) {
        EXPECT_NEAR(c.AddInvCostAt(y), addInv[y], 1e-9);
        EXPECT_NEAR(c.OpCostSavingsAt(y), opSavings[y], 1e-9);
    }
    EXPECT_NEAR(c.NPWSavings(), 120.0, 1e-9);
    EXPECT_NEAR(c.SIR(1), 0.45, 1e-12);
    EXPECT_NEAR(c.SIR(2), 1.2, 1e-12);
    EXPECT_NEAR(c.IRR(), 0.078999374218, 1e-9);
    EXPECT_NEAR(c.BeforeTaxIRR(), 0.130662386292, 1e-9);
    EXPECT_NEAR(c.PaybackYears(), 1.785714285714, 1e-9);
    EXPECT_EQ(c.Winner(), 2);
}

}  // namespace
}  // namespace tavlo::testing
