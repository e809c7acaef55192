// Comparisons: both pairing rules, savings, SIR, IRR, AIRR, payback,
// winners, ranking ties and a study with one alternative.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>

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

    // Two independent alternatives over L = savings.size() - 1 years whose
    // actual savings (base minus challenger) are `savings`: a positive amount
    // is a cost of the base in its year, a negative one a cost of the
    // challenger. No taxes.
    void savingsStudy(std::initializer_list<double> savings, double discountRate) {
        study(static_cast<int16_t>(savings.size() - 1), discountRate, 2, 1, 1);
        std::fill(std::begin(nextItem_), std::end(nextItem_), 1);
        int16_t year = 0;
        for (double s : savings) {
            investment(s > 0 ? 1 : 2, std::fabs(s), year++);
        }
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

TEST_F(ComparisonTest, OnlyFallingRootsAreRatesOfReturnAndTheNearestToTheDiscountRateCounts) {
    // -100, 100, 100, -50 (the base pays 50 more at the end): the present worth
    // is negative near r = -1, rises through zero at -59.70 % (a borrowing
    // rate), and falls through zero at 45.16 %: the rate of return.
    savingsStudy({-100, 100, 100, -50}, 0.07);
    EXPECT_NEAR(cmp(1).IRR(), 0.451605962956, 1e-9);
    EXPECT_NEAR(cmp(1).BeforeTaxIRR(), 0.451605962956, 1e-9);
    // -100, 230, -132 = -(1.1 - x)(1.2 - x) x 100 / x^2 with x = 1 + r: zero at
    // 10 % (rising: negative below, positive above) and 20 % (falling). Both are
    // grid points that count as zero; only the falling one is the root.
    savingsStudy({-100, 230, -132}, 0.07);
    EXPECT_NEAR(cmp(1).IRR(), 0.20, 1e-12);
    savingsStudy({-100, 230, -132}, 0.0);
    EXPECT_NEAR(cmp(1).IRR(), 0.20, 1e-12);  // even with the rising root nearer d
    // -512, 2112, -2872, 1287 = -(8x - 9)(8x - 11)(8x - 13) / x^3: falling at
    // 12.5 %, rising at 37.5 %, falling at 62.5 %, all between grid points.
    // d = 30 % is nearer 12.5 %; d = 45 % nearer 62.5 %.
    savingsStudy({-512, 2112, -2872, 1287}, 0.30);
    EXPECT_NEAR(cmp(1).IRR(), 0.125, 1e-9);
    savingsStudy({-512, 2112, -2872, 1287}, 0.45);
    EXPECT_NEAR(cmp(1).IRR(), 0.625, 1e-9);
    savingsStudy({-512, 2112, -2872, 1287}, 5.0);
    EXPECT_NEAR(cmp(1).IRR(), 0.625, 1e-9);
    // -32, 144, -214, 105 = -(4x - 5)(2x - 3)(4x - 7) / x^3: falling at 25 % and
    // 75 %, rising at 50 %, all grid points. d = 50 % is as near to either: the
    // lower wins; d = 60 % picks 75 %.
    savingsStudy({-32, 144, -214, 105}, 0.50);
    EXPECT_EQ(cmp(1).IRR(), 0.25);
    savingsStudy({-32, 144, -214, 105}, 0.60);
    EXPECT_EQ(cmp(1).IRR(), 0.75);
}

TEST_F(ComparisonTest, AChallengerFinancedByALoanHasNoRateOfReturn) {
    // Both buy the same 1000 item now; the challenger borrows all of it at 10 %
    // over 2 years (level payments R = 100 / (1 - 1.1^-2) = 576.190476). The
    // savings +1000, -576.19, -576.19 have the present worth zero at 10 %, but
    // rising (negative below 10 %): borrowing, not a return. At d = 12 % the
    // loan is worth less than its principal: Z(y) = 1000, 485.54, 26.21 stays
    // positive, so the challenger is ahead from the start.
    study(2, 0.12, 2, 1, 1);
    investment(1, 1000);
    investment(2, 1000);
    alt(2).setLoanRate(1, 0.10);
    alt(2).setLoanFraction(1, 1.0);
    alt(2).setPaymentPlan(1, 0);
    alt(2).setLoanTerm(1, 2);
    calculate();
    EXPECT_NEAR(alt(2).TotalInvestmentAt(1), 576.190476190, 1e-6);
    EXPECT_EQ(cmp(1).IRR(), -1.0);
    EXPECT_EQ(cmp(1).BeforeTaxIRR(), -1.0);
    EXPECT_EQ(cmp(1).PaybackYears(), 0.0);
    EXPECT_NEAR(cmp(1).NPWSavings(), 26.208697765, 1e-6);
}

TEST_F(ComparisonTest, AdjustedRateOfReturnReinvestsTheSavingsAtTheDiscountRate) {
    // Comparison 2 of the three alternatives: d = 5 %, L = 5, SIR(5) =
    // 1.082369: 1.082369^(1/5) = exp(0.079150 / 5) = 1.015956, x 1.05 = 1.066754.
    threeAlternatives(0);
    EXPECT_NEAR(cmp(2).AIRR(), 0.066754249454, 1e-9);
    // Comparison 1 loses (SIR 0.865895 < 1) but the AIRR is still defined:
    // 1.05 x 0.865895^(1/5) - 1 = 2.019 %, below the discount rate.
    EXPECT_NEAR(cmp(1).AIRR(), 0.020193093098, 1e-9);
    // d = 0, L = 2, SIR(2) = 1.2: sqrt(1.2) - 1.
    study(2, 0.0, 2);
    annual(1, 600, 1, 2);
    investment(2, 1000);
    calculate();
    EXPECT_NEAR(cmp(1).SIR(2), 1.2, 1e-12);
    EXPECT_NEAR(cmp(1).AIRR(), std::sqrt(1.2) - 1.0, 1e-12);
    // SIR(L) = 0: additional investment, no savings.
    study(2, 0.05, 2);
    investment(2, 1000);
    calculate();
    EXPECT_EQ(cmp(1).SIR(2), 0.0);
    EXPECT_EQ(cmp(1).AIRR(), -1.0);
    // SIR(L) < 0: the challenger costs more to build and to run.
    annual(2, 100, 1, 2);
    calculate();
    EXPECT_LT(cmp(1).SIR(2), 0.0);
    EXPECT_EQ(cmp(1).AIRR(), -1.0);
    // SIR(L) = -1, undefined: savings without additional investment.
    study(2, 0.05, 2);
    annual(1, 100, 1, 2);
    calculate();
    EXPECT_EQ(cmp(1).SIR(2), -1.0);
    EXPECT_EQ(cmp(1).AIRR(), -1.0);
    // L = 0 with SIR(0) = 200 / 100 = 2: no year to grow over.
    study(0, 0.05, 2);
    annual(1, 200, 0, 1);
    investment(2, 100);
    calculate();
    EXPECT_EQ(cmp(1).SIR(0), 2.0);
    EXPECT_EQ(cmp(1).AIRR(), -1.0);
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
