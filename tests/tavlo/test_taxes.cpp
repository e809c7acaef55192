// Income taxes: depreciation and loan interest deducted, tax savings, disposal
// gains, and taxes only for a private-sector study with taxes considered.

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class TaxTest : public EngineTest {
  protected:
    // L = 5, d = 10 %. Item: 10000 in year 0, straight line over 5 years,
    // disposed of in year 4 for 3000; half financed at 8 %, equal principal over
    // 2 years. Annual cost 1000 in years 1..5.
    void taxedStudy(int16_t analysisType, bool taxFlag) {
        study(5, 0.10, 1, analysisType);
        engine->setIncomeTaxFlag(taxFlag);
        engine->setIncomeTaxRate(0.4);
        IAlternative& a = alt(1);
        a.setInvestmentCost(1, 10000);
        a.setDepreciationLife(1, 5);
        a.setUsefulLife(1, 4);
        a.setSalvage(1, 3000);
        a.setLoanFraction(1, 0.5);
        a.setLoanRate(1, 0.08);
        a.setPaymentPlan(1, 1);
        a.setLoanTerm(1, 2);
        a.setAnnualCost(1, 1000);
        a.setAnnualStartYear(1, 1);
        a.setAnnualYears(1, 5);
        calculate();
    }
};

TEST_F(TaxTest, DepreciationInterestAndDisposalGainEnterTheTax) {
    // year  cash  princ int  op    BTCF  NI     dep   taxable tax    ATCF
    //  0    5000  0     0    0     5000  0      0     0       0      5000
    //  1    0     2500  400  1000  3900  -1000  2000  -3400   -1360  2540
    //  2    0     2500  200  1000  3700  -1000  2000  -3200   -1280  2420
    //  3    0     0     0    1000  1000  -1000  2000  -3000   -1200  -200
    //  4    -3000 0     0    1000  -2000 0      2000  -2000   -800   -2800
    //  5    0     0     0    1000  1000  -1000  0     -1000   -400   600
    // Year 4: book value before disposal 10000 - 4 * 2000 = 2000, gain
    // 3000 - 2000 = 1000, so net income -1000 + 1000 = 0.
    // TPW = sum ATCF / 1.1^y = 7618.943068; before tax 11609.514998.
    taxedStudy(0, true);
    IAlternative& a = alt(1);
    const double btcf[] = {5000, 3900, 3700, 1000, -2000, 1000};
    const double netIncome[] = {0, -1000, -1000, -1000, 0, -1000};
    const double depreciation[] = {0, 2000, 2000, 2000, 2000, 0};
    const double taxable[] = {0, -3400, -3200, -3000, -2000, -1000};
    const double tax[] = {0, -1360, -1280, -1200, -800, -400};
    const double atcf[] = {5000, 2540, 2420, -200, -2800, 600};
    const double book[] = {10000, 8000, 6000, 4000, 0, 0};
    for (int16_t y = 0; y <= 5; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.BeforeTaxCashFlowAt(y), btcf[y], 1e-9);
        EXPECT_NEAR(a.NetIncomeAt(y), netIncome[y], 1e-9);
        EXPECT_NEAR(a.DepreciationAt(y), depreciation[y], 1e-9);
        EXPECT_NEAR(a.TaxableIncomeAt(y), taxable[y], 1e-9);
        EXPECT_NEAR(a.TaxAt(y), tax[y], 1e-9);
        EXPECT_NEAR(a.AfterTaxCashFlowAt(y), atcf[y], 1e-9);
        EXPECT_NEAR(a.BookValueAt(y), book[y], 1e-9);
    }
    EXPECT_NEAR(a.TotalPresentWorth(), 7618.943067724, 1e-8);
    EXPECT_NEAR(a.BeforeTaxTPW(), 11609.514998355, 1e-8);
    EXPECT_NEAR(a.PWCashFlowAt(1), 2540 / 1.1, 1e-9);
}

TEST_F(TaxTest, NoTaxOutsideAPrivateStudyWithTaxesConsidered) {
    // Public-sector study (type 1) with the flag on, and a private study with
    // the flag off: every tax is 0, the tax books are still kept, and the total
    // present worth is the before-tax one.
    for (auto [type, flag] : {std::pair<int16_t, bool>{1, true}, {0, false}, {2, true}}) {
        taxedStudy(type, flag);
        IAlternative& a = alt(1);
        for (int16_t y = 0; y <= 5; ++y) {
            EXPECT_EQ(a.TaxAt(y), 0.0);
            EXPECT_EQ(a.AfterTaxCashFlowAt(y), a.BeforeTaxCashFlowAt(y));
        }
        EXPECT_NEAR(a.TaxableIncomeAt(1), -3400.0, 1e-9);
        EXPECT_NEAR(a.TotalPresentWorth(), 11609.514998355, 1e-8);
        EXPECT_NEAR(a.TotalPresentWorth(), a.BeforeTaxTPW(), 1e-12);
    }
}

}  // namespace
}  // namespace tavlo::testing
