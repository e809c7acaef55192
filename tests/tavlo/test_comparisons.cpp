// Comparisons: both pairing rules, the savings series, SIR, winners, ranking
// ties, a study with one alternative, and the split of after-tax cash flows.

#include <cmath>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class ComparisonTest : public EngineTest {
  protected:
    // Three alternatives over 5 years at 5 %:
    //   1: no investment, 1000 a year;   TPW = 1000 x 4.329477 = 4329.476671
    //   2: 2000 now, 500 a year;          TPW = 2000 + 2164.738335 = 4164.738335
    //   3: 1000 now, 800 a year;          TPW = 1000 + 3463.581337 = 4463.581337
    // (4.329477 = sum of 1.05^-y for y = 1..5.)
    void threeAlternatives(int16_t alternativeType) {
        study(5, 0.05, 3, 1, alternativeType);
        annual(1, 1, 1000, 1, 5);
        investment(2, 2000);
        annual(2, 1, 500, 1, 5);
        investment(3, 1000);
        annual(3, 1, 800, 1, 5);
        calculate();
    }
    void expectPair(int16_t k, int16_t base, int16_t challenger, int16_t winner) {
        SCOPED_TRACE(k);
        EXPECT_EQ(cmp(k).BaseCase(), base);
        EXPECT_EQ(cmp(k).Challenger(), challenger);
        EXPECT_EQ(cmp(k).Winner(), winner);
    }
};

TEST_F(ComparisonTest, MutuallyExclusiveAlternativesAreChainedByFirstCost) {
    // First costs 0 (1), 1000 (3), 2000 (2). Comparison 1: base 1 vs 3, savings
    // 4329.48 - 4463.58 = -134.10, base wins. Comparison 2: the winner 1 vs 2,
    // savings 4329.48 - 4164.74 = 164.74, challenger 2 wins: the overall
    // choice, which also has rank 1.
    threeAlternatives(0);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    expectPair(1, 1, 3, 1);
    expectPair(2, 1, 2, 2);
    EXPECT_NEAR(cmp(1).NPWSavings(), 4329.476670631 - 4463.581336505, 1e-8);
    EXPECT_NEAR(cmp(1).AdditionalFirstCost(), 1000.0, 1e-9);
    EXPECT_NEAR(cmp(2).NPWSavings(), 164.738335315, 1e-8);
    EXPECT_EQ(alt(2).Rank(), 1);
    EXPECT_EQ(alt(1).Rank(), 2);
    EXPECT_EQ(alt(3).Rank(), 3);

    // Comparison 2 in detail: additional investment 2000 in year 0; savings
    // 500 / 1.05^y in years 1..5. SIR(5) = 2164.738335 / 2000 = 1.082369,
    // SIR(0) = 0 / 2000 = 0.
    const IComparison& c = cmp(2);
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
    // Comparison 1: SIR(5) = 200 x 4.329477 / 1000.
    EXPECT_NEAR(cmp(1).SIR(5), 0.865895334, 1e-9);
}

TEST_F(ComparisonTest, IndependentAlternativesAllFaceNumberOne) {
    threeAlternatives(1);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    expectPair(1, 1, 2, 2);
    expectPair(2, 1, 3, 1);
    // Positions 1..3 renumbered 3, 1, 2: the base is number 1 (position 2:
    // 2000 now, 500 a year), the challengers numbers 2 then 3.
    alt(1).setNumber(3);
    alt(2).setNumber(1);
    alt(3).setNumber(2);
    calculate();
    expectPair(1, 1, 2, 1);
    expectPair(2, 1, 3, 1);
    EXPECT_NEAR(cmp(1).NPWSavings(), 4164.738335315 - 4463.581336505, 1e-8);

    // One alternative: no comparison, whatever size the caller gave.
    study(5, 0.05, 1);
    ASSERT_EQ(engine->Comparisons().Count(), 1);
    annual(1, 1, 100, 1, 5);
    calculate();
    EXPECT_EQ(engine->Comparisons().Count(), 0);
    EXPECT_EQ(alt(1).Rank(), 1);
}

TEST_F(ComparisonTest, WinnerNeedsMoreThanHalfACent) {
    // d = 0: the base costs 0.004 (or 0.006) in year 1, the challenger nothing.
    for (auto [cost, winner] : {std::pair<double, int16_t>{0.004, 1}, {0.006, 2}}) {
        study(1, 0.0, 2);
        annual(1, 1, cost, 1, 1);
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
    const int16_t ranks[] = {4, 3, 1, 2};
    for (int16_t p = 1; p <= 4; ++p) {
        EXPECT_EQ(alt(p).Rank(), ranks[p - 1]) << "position " << p;
    }
    // Mutually exclusive pairing orders first costs the same way: 50 (number
    // 3), then numbers 1, 2, 4. The base wins every comparison.
    ASSERT_EQ(engine->Comparisons().Count(), 3);
    expectPair(1, 3, 1, 3);
    expectPair(2, 3, 2, 3);
    expectPair(3, 3, 4, 3);
}

TEST_F(ComparisonTest, WithTaxesTheTaxEffectOfInvestmentsCountsAsInvestment) {
    // L = 2, d = 0, t = 40 %, private sector with taxes.
    // 1: 1000 a year operating cost. After tax 600 a year; operating part
    //    1000 x 0.6 = 600, investment part 0. TPW 1200.
    // 2: 1000 now (straight line over 2 years) and 400 a year. Years 1, 2:
    //    taxable -400 - 500 = -900, tax -360, after tax 40; operating part
    //    400 x 0.6 = 240, investment part 40 - 240 = -200. TPW 1080.
    // Comparison (base 1, challenger 2):
    //    AddInv 1000, -200, -200 (cumulative 1000, 800, 600);
    //    OpSav 0, 360, 360 (cumulative 0, 360, 720); NPW -1000, 560, 560 = 120.
    //    SIR(1) = 360 / 800 = 0.45, SIR(2) = 720 / 600 = 1.2.
    //    After-tax IRR of (-1000, 560, 560): 560x^2 + 560x = 1000 with
    //    x = 1/(1+r): r = 7.899937 %; before tax (-1000, 600, 600): 13.066239 %.
    //    Payback: Z = -1000, -440, 120: 1 + 440 / 560 = 1.785714 years.
    study(2, 0.0, 2);
    withTaxes(0.4);
    annual(1, 1, 1000, 1, 2);
    investment(2, 1000, 0, 0, 2);
    annual(2, 1, 400, 1, 2);
    calculate();
    EXPECT_NEAR(alt(1).TotalPresentWorth(), 1200.0, 1e-9);
    EXPECT_NEAR(alt(2).TotalPresentWorth(), 1080.0, 1e-9);
    const IComparison& c = cmp(1);
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
