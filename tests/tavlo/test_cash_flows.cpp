// The per-year series of one alternative, worked out by hand: investments
// (escalation, salvage, first cost, items outside the study), operating costs,
// loans under each payment plan, and income taxes.

#include <cmath>
#include <vector>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

using CashFlowTest = EngineTest;

TEST_F(CashFlowTest, InvestmentsAreEscalatedPaidAndSalvaged) {
    // L = 10, d = 5 %, no taxes, no depreciation.
    // Item 1: C = 1000 in year 2, e = 3 %, life 5, salvage 200:
    //   K = 1000 x 1.03^2 = 1060.90 paid in year 2; disposal in year 7 returns
    //   Sa = 200 x 1.03^7 = 245.974773.
    // Item 2: 500 in year 0, e = 10 %: K = 500 (1.1^0), never disposed of.
    // Item 3: a rebate of -100 in year 0. First cost = 500 - 100 = 400.
    // TPW = 400 + 1060.9 / 1.05^2 - 245.974773 / 1.05^7
    //     = 400 + 962.267574 - 174.809679 = 1187.457895.
    study(10, 0.05, 1);
    IAlternative& a = alt(1);
    const int16_t item = investment(1, 1000, 2);
    a.setInvestmentEscalation(item, 0.03);
    a.setUsefulLife(item, 5);
    a.setSalvage(item, 200);
    a.setInvestmentEscalation(investment(1, 500), 0.10);
    investment(1, -100);
    calculate();
    const double cash[] = {400, 0, 1060.9, 0, 0, 0, 0, -245.974773085, 0, 0, 0};
    for (int16_t y = 0; y <= 10; ++y) {
        EXPECT_NEAR(a.CashInvestmentAt(y), cash[y], 1e-8) << "year " << y;
    }
    EXPECT_NEAR(a.FirstCost(), 400.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), 1187.457894782, 1e-8);
    EXPECT_NEAR(a.BeforeTaxTPW(), 1187.457894782, 1e-8);
    EXPECT_NEAR(a.PWInvestmentAt(2), 962.267573696, 1e-8);
    // Method "none": item 1 is on the books at K from year 2 until its
    // disposal year, item 2 at 500 throughout; the rebate is no asset.
    EXPECT_NEAR(a.BookValueAt(1), 500.0, 1e-9);
    EXPECT_NEAR(a.BookValueAt(6), 1560.9, 1e-9);
    EXPECT_NEAR(a.BookValueAt(7), 500.0, 1e-9);
    EXPECT_EQ(a.Rank(), 1);
    EXPECT_EQ(engine->Comparisons().Count(), 0);

    // L = 10, d = 0. 300 in year 8, e = 3 %, life 5 (would end in 13), salvage
    // 50: K = 300 x 1.03^8 = 380.031024, disposed of in year 10 for
    // 50 x 1.03^10 = 67.195819. An item paid in year 11 has no effect.
    study(10, 0.0, 1);
    IAlternative& b = alt(1);
    const int16_t late = investment(1, 300, 8);
    b.setInvestmentEscalation(late, 0.03);
    b.setUsefulLife(late, 5);
    b.setSalvage(late, 50);
    investment(1, 999, 11);
    calculate();
    EXPECT_NEAR(b.CashInvestmentAt(8), 380.031024416, 1e-8);
    EXPECT_NEAR(b.CashInvestmentAt(10), -67.195818967, 1e-8);
    EXPECT_NEAR(b.TotalPresentWorth(), 380.031024416 - 67.195818967, 1e-8);
    EXPECT_EQ(b.BookValueAt(10), 0.0);
    EXPECT_EQ(b.FirstCost(), 0.0);
}

TEST_F(CashFlowTest, OperatingCostsLandInTheirYears) {
    // L = 10, d = 0.
    // Annual 1: 1000 from year 1 for 3 years, e = 5 %: 1050, 1102.5, 1157.625.
    // Annual 2: 200 from year 8 for 5 years: years 8..10 only (end of study).
    // Annual 3: 50 in year 0 only.
    // Other 1: 500 from year 2, 3 times every 4 years, e = 10 %: years 2, 6, 10
    //   with 500 x 1.1^y = 605, 885.7805, 1296.87123005.
    // Other 2: 100 from year 5, 10 times every 3 years: years 5 and 8 (11 > L).
    // Other 3: 70 once in year 4 (interval 0 is fine for a single time).
    // Other 4: 10 from year 7, 3 times every year: years 7, 8, 9.
    study(10, 0.0, 1);
    annual(1, 1, 1000, 1, 3, 0.05);
    annual(1, 2, 200, 8, 5);
    annual(1, 3, 50, 0, 1);
    other(1, 1, 500, 2, 3, 4, 0.10);
    other(1, 2, 100, 5, 10, 3);
    other(1, 3, 70, 4, 1, 0);
    other(1, 4, 10, 7, 3, 1);
    calculate();
    const IAlternative& a = alt(1);
    const double annualCost[] = {50, 1050, 1102.5, 1157.625, 0, 0, 0, 0, 200, 200, 200};
    const double otherCost[] = {0, 0, 605, 0, 70, 100, 885.7805, 10, 110, 10, 1296.87123005};
    double total = 0;
    for (int16_t y = 0; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.AnnualOpCostAt(y), annualCost[y], 1e-9);
        EXPECT_NEAR(a.NonAnnualOpCostAt(y), otherCost[y], 1e-8);
        EXPECT_EQ(a.TotalInvestmentAt(y), 0.0);
        total += annualCost[y] + otherCost[y];
    }
    EXPECT_NEAR(a.AnnualOperatingCost(), 1050.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), total, 1e-8);
    EXPECT_NEAR(a.PWOpCostAt(6), 885.7805, 1e-9);

    // 100 a year for years 1..3 at d = 10 %: PW 90.909091 + 82.644628 +
    // 75.131480 = 248.685199.
    study(3, 0.10, 1);
    annual(1, 1, 100, 1, 3);
    calculate();
    EXPECT_NEAR(alt(1).TotalPresentWorth(), 248.685199098, 1e-8);
    EXPECT_NEAR(alt(1).PWOpCostAt(2), 82.644628099, 1e-8);
    // L = 0: only year 0 exists, and there is no year 1 for the annual summary
    // (whatever else happens in year 0).
    study(0, 0.10, 1);
    annual(1, 1, 100, 0, 3);
    other(1, 1, 70, 0, 1, 1);
    calculate();
    EXPECT_NEAR(alt(1).AnnualOpCostAt(0), 100.0, 1e-9);
    EXPECT_NEAR(alt(1).NonAnnualOpCostAt(0), 70.0, 1e-9);
    EXPECT_EQ(alt(1).AnnualOperatingCost(), 0.0);
}

TEST_F(CashFlowTest, LoansRepayUnderEachPlan) {
    // 10000 paid in year 2, 80 % financed: P = 8000, the cash part 2000; the
    // repayments run from year 3.
    // Level payments at 6 % over 5 years: R = 8000 x 0.06 / (1 - 1.06^-5) =
    // 1899.171203; interest on the opening balance (8000, 6580.828797,
    // 5076.507321, 3481.926557, 1791.670947), the rest of R repays principal.
    // At 0 %: 8000 / 5 = 1600 a year. Equal principal: 1600 a year, interest
    // 6 % of 8000, 6400, ... Interest only: 480 a year, 8000 in year 5.
    // With L = 5 the balance 5076.507321 still open is repaid in year 5.
    struct Case {
        int16_t plan;
        double rate;
        int16_t years;
        std::vector<double> principal, interest;  // years 3..
    };
    const Case cases[] = {
        {0,
         0.06,
         12,
         {1419.171203450, 1504.321475656, 1594.580764196, 1690.255610048, 1791.670946650},
         {480, 394.849727793, 304.590439254, 208.915593402, 107.500256799}},
        {0, 0.0, 12, {1600, 1600, 1600, 1600, 1600}, {0, 0, 0, 0, 0}},
        {1, 0.06, 12, {1600, 1600, 1600, 1600, 1600}, {480, 384, 288, 192, 96}},
        {2, 0.06, 12, {0, 0, 0, 0, 8000}, {480, 480, 480, 480, 480}},
        {0,
         0.06,
         5,
         {1419.171203450, 1504.321475656, 5076.507320894},
         {480, 394.849727793, 304.590439254}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "plan " << c.plan << " rate " << c.rate << " L " << c.years);
        study(c.years, 0.0, 1);
        const int16_t item = investment(1, 10000, 2);
        alt(1).setLoanFraction(item, 0.8);
        alt(1).setLoanRate(item, c.rate);
        alt(1).setPaymentPlan(item, c.plan);
        alt(1).setLoanTerm(item, 5);
        calculate();
        EXPECT_NEAR(alt(1).CashInvestmentAt(2), 2000.0, 1e-9);
        for (int16_t y = 0; y <= c.years; ++y) {
            const std::size_t k = static_cast<std::size_t>(y) - 3;
            const bool paying = y >= 3 && k < c.principal.size();
            EXPECT_NEAR(alt(1).LoanPrincipalAt(y), paying ? c.principal[k] : 0.0, 1e-8) << y;
            EXPECT_NEAR(alt(1).LoanInterestAt(y), paying ? c.interest[k] : 0.0, 1e-8) << y;
        }
    }
}

TEST_F(CashFlowTest, AtItsOwnRateALoanIsWorthItsPrincipal) {
    // Discounting at the loan rate, the repayments are worth P = 8000, so the
    // total present worth is the unfinanced 10000, whatever the plan, also
    // when the study ends before the loan does.
    for (int16_t plan : {0, 1, 2}) {
        for (double rate : {0.0, 0.06, 0.125}) {
            for (int16_t years : {10, 3}) {
                study(years, rate, 1);
                const int16_t item = investment(1, 10000);
                alt(1).setLoanFraction(item, 0.8);
                alt(1).setLoanRate(item, rate);
                alt(1).setPaymentPlan(item, plan);
                alt(1).setLoanTerm(item, 5);
                calculate();
                EXPECT_NEAR(alt(1).TotalPresentWorth(), 10000.0, 1e-8)
                    << "plan " << plan << " rate " << rate << " L " << years;
            }
        }
    }
    // No loan for a rebate (not an asset) or for a term of 0.
    study(5, 0.0, 1);
    for (double cost : {-500.0, 1000.0}) {
        const int16_t item = investment(1, cost);
        alt(1).setLoanFraction(item, 0.5);
        alt(1).setLoanRate(item, 0.05);
        alt(1).setLoanTerm(item, cost < 0 ? 3 : 0);
    }
    calculate();
    EXPECT_NEAR(alt(1).CashInvestmentAt(0), 500.0, 1e-9);
    for (int16_t y = 0; y <= 5; ++y) {
        EXPECT_EQ(alt(1).LoanPrincipalAt(y) + alt(1).LoanInterestAt(y), 0.0);
    }
}

// L = 5, d = 10 %, t = 40 %. Item: 10000 in year 0, straight line over 5
// years, disposed of in year 4 for 3000; half financed at 8 %, equal principal
// over 2 years. Annual cost 1000 in years 1..5.
void taxedItems(IAlternative& a) {
    const int16_t item = 1;
    a.setInvestmentCost(item, 10000);
    a.setDepreciationLife(item, 5);
    a.setUsefulLife(item, 4);
    a.setSalvage(item, 3000);
    a.setLoanFraction(item, 0.5);
    a.setLoanRate(item, 0.08);
    a.setPaymentPlan(item, 1);
    a.setLoanTerm(item, 2);
    a.setAnnualCost(1, 1000);
    a.setAnnualStartYear(1, 1);
    a.setAnnualYears(1, 5);
}

TEST_F(CashFlowTest, DepreciationInterestAndDisposalGainEnterTheTax) {
    // year  cash  princ int  op    BTCF  NI     dep   taxable tax    ATCF
    //  0    5000  0     0    0     5000  0      0     0       0      5000
    //  1    0     2500  400  1000  3900  -1000  2000  -3400   -1360  2540
    //  2    0     2500  200  1000  3700  -1000  2000  -3200   -1280  2420
    //  3    0     0     0    1000  1000  -1000  2000  -3000   -1200  -200
    //  4    -3000 0     0    1000  -2000 0      2000  -2000   -800   -2800
    //  5    0     0     0    1000  1000  -1000  0     -1000   -400   600
    // Year 4: book value before disposal 10000 - 4 x 2000 = 2000, gain
    // 3000 - 2000 = 1000, so net income -1000 + 1000 = 0.
    // TPW = sum ATCF / 1.1^y = 7618.943068; before tax 11609.514998.
    study(5, 0.10, 1);
    withTaxes(0.4);
    taxedItems(alt(1));
    calculate();
    const IAlternative& a = alt(1);
    const double btcf[] = {5000, 3900, 3700, 1000, -2000, 1000};
    const double netIncome[] = {0, -1000, -1000, -1000, 0, -1000};
    const double depreciation[] = {0, 2000, 2000, 2000, 2000, 0};
    const double tax[] = {0, -1360, -1280, -1200, -800, -400};
    const double atcf[] = {5000, 2540, 2420, -200, -2800, 600};
    const double book[] = {10000, 8000, 6000, 4000, 0, 0};
    for (int16_t y = 0; y <= 5; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.BeforeTaxCashFlowAt(y), btcf[y], 1e-9);
        EXPECT_NEAR(a.NetIncomeAt(y), netIncome[y], 1e-9);
        EXPECT_NEAR(a.DepreciationAt(y), depreciation[y], 1e-9);
        EXPECT_NEAR(a.TaxAt(y), tax[y], 1e-9);
        EXPECT_NEAR(a.AfterTaxCashFlowAt(y), atcf[y], 1e-9);
        EXPECT_NEAR(a.BookValueAt(y), book[y], 1e-9);
    }
    EXPECT_NEAR(a.TotalPresentWorth(), 7618.943067724, 1e-8);
    EXPECT_NEAR(a.BeforeTaxTPW(), 11609.514998355, 1e-8);

    // A public-sector study with the flag on, a private one with the flag off
    // and a simple payback study: no tax, though the tax books are still kept.
    for (auto [type, flag] : {std::pair<int16_t, bool>{1, true}, {0, false}, {2, true}}) {
        study(5, 0.10, 1, type);
        engine->setIncomeTaxFlag(flag);
        engine->setIncomeTaxRate(0.4);
        taxedItems(alt(1));
        calculate();
        for (int16_t y = 0; y <= 5; ++y) {
            EXPECT_EQ(alt(1).TaxAt(y), 0.0);
        }
        EXPECT_NEAR(alt(1).TaxableIncomeAt(1), -3400.0, 1e-9);
        EXPECT_NEAR(alt(1).TotalPresentWorth(), 11609.514998355, 1e-8);
    }
}

}  // namespace
}  // namespace tavlo::testing
