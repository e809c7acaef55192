#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class ComparisonTest : public EngineTest {
  protected:
    // 5 years at 5 % (annuity factor 4.329477): 1000 a year (TPW 4329.48);
    // 2000 now and 500 a year (4164.74); 1000 now and 800 a year (4463.58).
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

TEST_F(ComparisonTest, ExclusiveAreChainedByFirstCostIndependentAllFaceNumberOne) {
    // By first cost: 1 against 3 (base wins), then 1 against 2 (2 wins).
    threeAlternatives(0);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    expectPair(1, 1, 3, 1);
    expectPair(2, 1, 2, 2);
    EXPECT_NEAR(cmp(1).NPWSavings(), 4329.476670631 - 4463.581336505, 1e-8);
    EXPECT_NEAR(cmp(2).NPWSavings(), 164.738335315, 1e-8);
    EXPECT_EQ(alt(2).Rank(), 1);
    EXPECT_EQ(alt(1).Rank(), 2);
    EXPECT_EQ(alt(3).Rank(), 3);
    // SIR(5) = 500 x 4.329477 / 2000 and 200 x 4.329477 / 1000.
    EXPECT_NEAR(cmp(2).SIR(5), 1.082369167658, 1e-10);
    EXPECT_NEAR(cmp(1).SIR(5), 0.865895334, 1e-9);
    // Savings reinvested at d: AIRR = 1.05 x SIR(5)^(1/5) - 1, also below d.
    EXPECT_NEAR(cmp(2).AIRR(), 0.066754249454, 1e-9);
    EXPECT_NEAR(cmp(1).AIRR(), 0.020193093098, 1e-9);
    threeAlternatives(1);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    expectPair(1, 1, 2, 2);
    expectPair(2, 1, 3, 1);
    // Renumbered 3, 1, 2: the base is number 1, at position 2.
    alt(1).setNumber(3);
    alt(2).setNumber(1);
    alt(3).setNumber(2);
    calculate();
    expectPair(1, 1, 2, 1);
    expectPair(2, 1, 3, 1);
    EXPECT_NEAR(cmp(1).NPWSavings(), 4164.738335315 - 4463.581336505, 1e-8);
}

TEST_F(ComparisonTest, TiesGoToTheLowerNumber) {
    // Numbers 4, 2, 3, 1 costing 100, 100 + 5e-7 (within the tie band), 50, 100.
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
    // Pairing by first cost breaks ties the same way; the base always wins.
    ASSERT_EQ(engine->Comparisons().Count(), 3);
    expectPair(1, 3, 1, 3);
    expectPair(2, 3, 2, 3);
    expectPair(3, 3, 4, 3);
}

TEST_F(ComparisonTest, WithTaxesTheTaxEffectOfInvestmentsCountsAsInvestment) {
    // L = 2, d = 0, t = 40 %. 1: 1000 a year, after tax 600 (all operating). 2: 1000 now
    // (straight line, 2 years) and 400 a year: after tax 40 a year, of which 240 operating
    // and -200 investment. Savings -1000, 560, 560: IRR 7.899937 % (before tax 13.066239 %),
    // SIR(1) = 360 / 800, SIR(2) = 720 / 600, payback 1 + 440 / 560.
    study(2, 0.0, 2);
    withTaxes(0.4);
    annual(1, 1, 1000, 1, 2);
    investment(2, 1000, 0, 0, 2);
    annual(2, 1, 400, 1, 2);
    calculate();
    const IComparison& c = cmp(1);
    const double addInv[] = {1000, -200, -200};
    const double opSavings[] = {0, 360, 360};
    for (int16_t y = 0; y <= 2; ++y) {
        EXPECT_NEAR(c.AddInvCostAt(y), addInv[y], 1e-9);
        EXPECT_NEAR(c.OpCostSavingsAt(y), opSavings[y], 1e-9);
    }
    EXPECT_NEAR(c.SIR(1), 0.45, 1e-12);
    EXPECT_NEAR(c.SIR(2), 1.2, 1e-12);
    EXPECT_NEAR(c.IRR(), 0.078999374218, 1e-9);
    EXPECT_NEAR(c.BeforeTaxIRR(), 0.130662386292, 1e-9);
    EXPECT_NEAR(c.PaybackYears(), 1.785714285714, 1e-9);
    EXPECT_EQ(c.Winner(), 2);
}

}  // namespace
}  // namespace tavlo::testing
