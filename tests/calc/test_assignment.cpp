// The hand-over to the engine, worked out by hand, and its ranges (past one: status 310).

#include <gmock/gmock.h>

#include <cmath>
#include <string>
#include <vector>

#include "CalcFixtures.h"
#include "calc/SalvageLimit.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"

namespace qvc::test {
namespace {

TEST_F(AssignmentTest, FullFamilyCaseReachesTheEngineValueForValue) {
    // 25 years, independent alternatives, 3.5 %, taxes at 28 %.
    study(0, 25);
    st().arrStudy[3] = "1";
    // Item 1: 50000 now at 2 %, sum of years' digits over 10 years, sold in year 20 for 5000
    // (today's money). Item 2: 12000 in year 5, tax exempt, sold in year 15 for 1000. Of two
    // loans in year 0 the last applied wins; the loan of year 7 matches no item.
    inv({invRow(50000, 0, 2, false, 1, 10, 20, 5000), invRow(12000, 5, 0, true, 0, 5, 10, 1000)});
    loans({loanRow(0, 80, 10, 6, 0), loanRow(7, 90, 3, 9, 2), loanRow(0, 50, 5, 4, 1)});
    ann({annRow(3000, 1, 25, 3)});
    other({otherRow(8000, 10, 2, 10, 1)});
    assignAndCalculate();
    EXPECT_EQ(engine().AlternativeType(), 1);
    EXPECT_DOUBLE_EQ(engine().DiscountRate(), 0.035);
    const tavlo::IAlternative& a = alt();
    // Salvage 5000 x 1.02^20 in year 20.
    EXPECT_NEAR(a.CashInvestmentAt(0), 25000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(5), 12000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(15), -1000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(20), -7429.736980, 1e-6);
    EXPECT_NEAR(a.LoanPrincipalAt(1), 5000, 1e-6);
    EXPECT_NEAR(a.LoanInterestAt(1), 1000, 1e-6);
    // Item 1 only: 50000 x 10/55, ..., x 5/55 in year 6; 50000 x 15/55 left.
    EXPECT_NEAR(a.DepreciationAt(1), 9090.909091, 1e-6);
    EXPECT_NEAR(a.BookValueAt(5), 13636.363636, 1e-6);
    EXPECT_NEAR(a.AnnualOpCostAt(1), 3090, 1e-6);             // 3000 x 1.03^y
    EXPECT_NEAR(a.NonAnnualOpCostAt(10), 8836.977003, 1e-6);  // 8000 x 1.01^y, years 10 and 20
    // Tax of year 1: 28 % of (-3090 - 9090.909091 - 1000).
    EXPECT_NEAR(a.TaxAt(1), -3690.654545, 1e-6);
}

TEST_F(AssignmentTest, ALoanWithoutAYearFinancesNothing) {
    study(0, 20);
    inv({invRow(1000, 0, 0, false, 0, 5, 0, 0)});
    loans({loanRow(0, 50, 5, 5, 0)});
    st().arrLoan(3, 1) = rt::Value::null();
    assignAndCalculate();
    EXPECT_EQ(alt().CashInvestmentAt(0), 1000.0);
    EXPECT_EQ(alt().LoanPrincipalAt(1), 0.0);
}

TEST_F(AssignmentTest, SimpleFamilyUsesTheFirstItemsAndFixedValues) {
    // Only the first investment's cost and salvage (paid now, straight line over 2 years, sold
    // at the end), the first loan's terms (level payments), annual costs over the whole study.
    study(2, 10);
    inv({invRow(20000, 3, 5, true, 4, 7, 4, 2000), invRow(999, 1, 1, false, 0, 5, 5, 0)});
    loans({loanRow(0, 60, 8, 5, 2), loanRow(0, 10, 2, 1, 1)});
    ann({annRow(1500, 4, 3, 2), annRow(500, 2, 2, 0)});
    other({otherRow(8000, 2, 2, 2, 0)});
    assignAndCalculate();
    const tavlo::IAlternative& a = alt();
    EXPECT_NEAR(a.CashInvestmentAt(0), 8000, 1e-6);  // 40 % of 20000
    EXPECT_NEAR(a.CashInvestmentAt(10), -2000, 1e-6);
    // R = 12000 x 0.05 / (1 - 1.05^-8).
    EXPECT_NEAR(a.LoanPrincipalAt(1) + a.LoanInterestAt(1), 1856.661764, 1e-6);
    EXPECT_NEAR(a.LoanInterestAt(1), 600, 1e-6);
    EXPECT_NEAR(a.DepreciationAt(2), 10000, 1e-6);
    // 1500 x 1.02^y + 500 in every year.
    EXPECT_NEAR(a.AnnualOpCostAt(1), 2030, 1e-6);
    EXPECT_NEAR(a.AnnualOpCostAt(10), 2328.491630, 1e-6);
    for (int16_t y = 0; y <= 10; ++y)
        EXPECT_EQ(a.NonAnnualOpCostAt(y), 0.0) << y;
}

TEST_F(AssignmentTest, PublicSectorReplacesStoredTaxAndDepreciationData) {
    // Stored 150 % over 99 years (out of range); public sector: straight line over 2 years.
    study(1, 20);
    inv({invRow(1000, 0, 0, true, 3, 99, 10, 0)});
    other({otherRow(300, 4, 1, 1, 0)});
    assignAndCalculate();
    EXPECT_NEAR(alt().DepreciationAt(1), 500, 1e-9);
    EXPECT_NEAR(alt().NonAnnualOpCostAt(4), 300, 1e-9);
    // The private-sector analysis checks the stored life and refuses it.
    study(0, 20);
    assign("inv");
    EXPECT_TRUE(invalid());
    EXPECT_EQ(st().gErrCode, 310);
}

enum List { Inv, Loan, Ann, Other };

struct Override {
    List list;
    long field;
    double value;
};

struct Boundary {
    const char* part;
    std::vector<Override> overrides;
    bool accepted;
};

class RangeTest : public AssignmentTest {
  public:
    rt::DynArray2<rt::Value>& list(List l) {
        rt::DynArray2<rt::Value>* lists[] = {&st().arrInvCosts, &st().arrLoan, &st().arrAnOpCost,
                                             &st().arrOtherCost};
        return *lists[l];
    }

    void fullBaseline() {
        study(0, 20);
        inv({invRow(1000, 2, 0, false, 0, 5, 10, 0)});
        loans({loanRow(2, 50, 5, 5, 0)});
        ann({annRow(100, 1, 10, 0)});
        other({otherRow(100, 5, 2, 5, 0)});
    }
    void simpleBaseline() {
        study(2, 10);
        inv({invRow(1000, 0, 0, false, 0, 2, 0, 0)});
        loans({loanRow(0, 50, 5, 5, 0)});
        ann({annRow(100, 1, 10, 0)});
        other({});
    }

    void check(const std::vector<Boundary>& table, void (RangeTest::*baseline)()) {
        for (const auto& b : table) {
            SCOPED_TRACE(::testing::Message() << "row " << (&b - table.data()) << " of the table");
            (this->*baseline)();
            for (const auto& o : b.overrides)
                list(o.list)(o.field, 1) = o.value;
            calc->m_InvalidCaseData = false;
            st().gErrCode = 0;
            assign(b.part);
            EXPECT_EQ(invalid(), !b.accepted);
            EXPECT_EQ(st().gErrCode, b.accepted ? 0 : 310);
            EXPECT_EQ(st().gErrMsg, "");
        }
    }
};

const double kLimit = 1102.0 / std::pow(1.05, 12);

TEST_F(RangeTest, FullFamily) {
    check(
        {
            {"inv", {{Inv, 2, 9999999}}, true},
            {"inv", {{Inv, 2, 9999999.5}}, false},
            {"inv", {{Inv, 3, 21}, {Inv, 8, 0}}, false},
            {"inv", {{Inv, 7, 2}}, true},
            {"inv", {{Inv, 7, 50.5}}, false},
            {"inv", {{Inv, 8, 18}}, true},
            {"inv", {{Inv, 8, 19}}, false},
            {"inv", {{Inv, 4, 5}, {Inv, 9, kLimit}}, true},
            {"inv", {{Inv, 4, 5}, {Inv, 9, kLimit + 1e-6}}, false},
            {"inv", {{Inv, 2, -500}, {Inv, 9, 0.01}}, false},
            {"inv", {{Loan, 6, 50.01}}, false},
            {"inv", {{Loan, 5, 18}}, true},
            {"inv", {{Loan, 5, 19}}, false},
            // A loan in the last year leaves no room for any term.
            {"inv", {{Inv, 3, 20}, {Inv, 8, 0}, {Loan, 3, 20}, {Loan, 5, 1}}, false},
            {"ann", {{Ann, 2, 9999999.5}}, false},
            {"ann", {{Ann, 3, 20}}, true},
            {"ann", {{Ann, 4, 51}}, false},
            {"ann", {{Ann, 5, 50}}, true},
            {"other", {{Other, 6, 51}}, false},
            {"other", {{Other, 3, 20}, {Other, 4, 1}}, true},
            {"other", {{Other, 3, 21}, {Other, 4, 1}}, false},
            // From year 5 of 20 the item fits 16 times.
            {"other", {{Other, 4, 16}, {Other, 5, 1}}, true},
            {"other", {{Other, 4, 17}, {Other, 5, 1}}, false},
            // 20 - 4.5 = 15.5 counts as 16 (to the even neighbour); 14.5 as 14.
            {"other", {{Other, 3, 5.5}, {Other, 4, 16}, {Other, 5, 1}}, true},
            {"other", {{Other, 3, 6.5}, {Other, 4, 15}, {Other, 5, 1}}, false},
            // Twice from year 5: at most 15 years apart.
            {"other", {{Other, 5, 15}}, true},
            // Once: any interval from 1 to 50.
            {"other", {{Other, 4, 1}, {Other, 5, 50}}, true},
            {"other", {{Other, 4, 1}, {Other, 5, 51}}, false},
            // Seven times from year 5: 15 / 6 = 2.5 counts as 2.
            {"other", {{Other, 4, 7}, {Other, 5, 2}}, true},
            {"other", {{Other, 4, 7}, {Other, 5, 3}}, false},
        },
        &RangeTest::fullBaseline);
}

TEST_F(RangeTest, SimpleFamily) {
    check(
        {
            {"inv", {{Inv, 2, 9999999.5}}, false},
            {"inv", {{Inv, 9, 1000.01}}, false},
            // Salvage lies between 0 and the cost: a rebate cannot keep even 0.
            {"inv", {{Inv, 2, -1}}, false},
            {"inv", {{Loan, 6, 50}}, true},
            {"inv", {{Loan, 4, 100}}, true},
            {"inv", {{Loan, 4, 100.5}}, false},
            {"inv", {{Loan, 5, 10}}, true},
            {"inv", {{Loan, 5, 11}}, false},
            // A one-year term is accepted however late the loan is taken.
            {"inv", {{Loan, 3, 10}, {Loan, 5, 1}}, true},
            {"inv", {{Loan, 3, 10}, {Loan, 5, 2}}, false},
            {"inv", {{Loan, 3, 12}, {Loan, 5, 1}}, true},
            // Start year and number of years are fixed, never read.
            {"ann", {{Ann, 3, 99}, {Ann, 4, 99}}, true},
        },
        &RangeTest::simpleBaseline);
}

TEST(SalvageLimitTest, EscalatedCostCutToWholeMoneyAndDiscountedToDisposal) {
    // 1000 x 1.05^2 = 1102.5 cut to 1102, discounted over 2 + 10 years.
    EXPECT_NEAR(calc::salvageLimit(1000, 0.05, 2, 10), 613.6348, 0.0001);
    EXPECT_EQ(calc::salvageLimit(1234.5, 0, 7, 3), 1234.5);
    EXPECT_EQ(calc::salvageLimit(-0.01, 0.05, 2, 10), 0.0);
    // 100 x 1.15 is 114.99999999999999 in binary; the amount meant is 115.
    EXPECT_DOUBLE_EQ(calc::salvageLimit(100, 0.15, 1, 4), 115.0 / std::pow(1.15, 5));
    // Fractions of money are dropped: 999.99 x 1.1 = 1099.989 -> 1099.
    EXPECT_DOUBLE_EQ(calc::salvageLimit(999.99, 0.1, 1, 0), 1099.0 / 1.1);
}

TEST_F(RangeTest, NullIsOutOfRangeAndTheFirstValueOutOfRangeIsDescribed) {
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    AssignResourceStrings();
    fullBaseline();
    st().arrInvCosts(2, 1) = rt::Value::null();
    assign("inv");
    EXPECT_EQ(CalculatorProbe::invalidValue(*calc),
              "Investment Costs, row 1, Cost: -, allowed -9999999 to 9999999");
    // Without the loan's year the term's limit is unknown; only the first value is described.
    simpleBaseline();
    st().arrLoan(3, 1) = rt::Value::null();
    st().arrAnOpCost(2, 1) = -1.0;
    CalculatorProbe::invalidValue(*calc).clear();
    assign("inv");
    assign("ann");
    EXPECT_EQ(CalculatorProbe::invalidValue(*calc), "Loans, row 1, Term of Loan (years): 5");
}

}  // namespace
}  // namespace qvc::test
