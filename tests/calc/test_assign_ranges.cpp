// Every range of the hand-over on both sides of each limit: a value past it
// marks the case invalid with status 310.

#include <gmock/gmock.h>

#include <cmath>
#include <string>
#include <vector>

#include "AssignmentFixture.h"
#include "calc/SalvageLimit.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"

namespace qvc::test {
namespace {

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

TEST_F(RangeTest, FullFamilyInvestmentsAndLoans) {
    check(
        {
            {"inv", {{Inv, 2, 9999999}}, true},
            {"inv", {{Inv, 2, 9999999.5}}, false},
            {"inv", {{Inv, 2, -9999999}}, true},
            {"inv", {{Inv, 2, -9999999.5}}, false},
            {"inv", {{Inv, 3, 0}}, true},
            {"inv", {{Inv, 3, -1}}, false},
            {"inv", {{Inv, 3, 20}, {Inv, 8, 0}}, true},
            {"inv", {{Inv, 3, 21}, {Inv, 8, 0}}, false},
            {"inv", {{Inv, 4, 50}}, true},
            {"inv", {{Inv, 4, 50.01}}, false},
            {"inv", {{Inv, 4, -0.01}}, false},
            {"inv", {{Inv, 7, 2}}, true},
            {"inv", {{Inv, 7, 1.99}}, false},
            {"inv", {{Inv, 7, 50}}, true},
            {"inv", {{Inv, 7, 50.5}}, false},
            {"inv", {{Inv, 8, 0}}, true},
            {"inv", {{Inv, 8, -1}}, false},
            {"inv", {{Inv, 8, 18}}, true},
            {"inv", {{Inv, 8, 19}}, false},
            {"inv", {{Inv, 9, 1000}}, true},
            {"inv", {{Inv, 9, 1000.01}}, false},
            {"inv", {{Inv, 9, -0.01}}, false},
            {"inv", {{Inv, 4, 5}, {Inv, 9, kLimit}}, true},
            {"inv", {{Inv, 4, 5}, {Inv, 9, kLimit + 1e-6}}, false},
            {"inv", {{Inv, 2, -500}, {Inv, 9, 0.01}}, false},
            {"inv", {{Loan, 6, 0}}, true},
            {"inv", {{Loan, 6, 50}}, true},
            {"inv", {{Loan, 6, 50.01}}, false},
            {"inv", {{Loan, 6, -0.01}}, false},
            {"inv", {{Loan, 4, 100}}, true},
            {"inv", {{Loan, 4, 100.01}}, false},
            {"inv", {{Loan, 4, -0.01}}, false},
            {"inv", {{Loan, 5, 1}}, true},
            {"inv", {{Loan, 5, 0.99}}, false},
            {"inv", {{Loan, 5, 18}}, true},
            {"inv", {{Loan, 5, 19}}, false},
            // A loan in the last year leaves no room for any term.
            {"inv", {{Inv, 3, 20}, {Inv, 8, 0}, {Loan, 3, 20}, {Loan, 5, 1}}, false},
        },
        &RangeTest::fullBaseline);
}

TEST_F(RangeTest, FullFamilyOperatingCosts) {
    check(
        {
            {"ann", {{Ann, 2, 0}}, true},
            {"ann", {{Ann, 2, -0.01}}, false},
            {"ann", {{Ann, 2, 9999999}}, true},
            {"ann", {{Ann, 2, 9999999.5}}, false},
            {"ann", {{Ann, 3, 1}}, true},
            {"ann", {{Ann, 3, 0}}, false},
            {"ann", {{Ann, 3, 20}}, true},
            {"ann", {{Ann, 3, 21}}, false},
            {"ann", {{Ann, 4, 1}}, true},
            {"ann", {{Ann, 4, 0}}, false},
            {"ann", {{Ann, 4, 50}}, true},
            {"ann", {{Ann, 4, 51}}, false},
            {"ann", {{Ann, 5, 50}}, true},
            {"ann", {{Ann, 5, 50.5}}, false},
            {"other", {{Other, 2, 9999999}}, true},
            {"other", {{Other, 2, 9999999.5}}, false},
            {"other", {{Other, 2, -0.01}}, false},
            {"other", {{Other, 6, 50}}, true},
            {"other", {{Other, 6, 51}}, false},
            {"other", {{Other, 3, 1}}, true},
            {"other", {{Other, 3, 0}}, false},
            {"other", {{Other, 3, 20}, {Other, 4, 1}}, true},
            {"other", {{Other, 3, 21}, {Other, 4, 1}}, false},
            // From year 5 of 20 the item fits 16 times.
            {"other", {{Other, 4, 16}, {Other, 5, 1}}, true},
            {"other", {{Other, 4, 17}, {Other, 5, 1}}, false},
            {"other", {{Other, 4, 0}, {Other, 5, 1}}, false},
            // 20 - 4.5 = 15.5 counts as 16 (to the even neighbour); 14.5 as 14.
            {"other", {{Other, 3, 5.5}, {Other, 4, 16}, {Other, 5, 1}}, true},
            {"other", {{Other, 3, 6.5}, {Other, 4, 15}, {Other, 5, 1}}, false},
            // Twice from year 5: at most 15 years apart.
            {"other", {{Other, 5, 15}}, true},
            {"other", {{Other, 5, 16}}, false},
            {"other", {{Other, 5, 0}}, false},
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
            {"inv", {{Inv, 2, 9999999}}, true},
            {"inv", {{Inv, 2, 9999999.5}}, false},
            {"inv", {{Inv, 9, 1000}}, true},
            {"inv", {{Inv, 9, 1000.01}}, false},
            {"inv", {{Inv, 9, -0.01}}, false},
            // Salvage must lie between 0 and the cost, so a rebate cannot keep
            // even a zero salvage.
            {"inv", {{Inv, 2, -1}}, false},
            {"inv", {{Loan, 6, 50}}, true},
            {"inv", {{Loan, 6, 50.5}}, false},
            {"inv", {{Loan, 4, 100}}, true},
            {"inv", {{Loan, 4, 100.5}}, false},
            {"inv", {{Loan, 5, 10}}, true},
            {"inv", {{Loan, 5, 11}}, false},
            {"inv", {{Loan, 5, 0}}, false},
            // A one-year term is accepted however late the loan is taken.
            {"inv", {{Loan, 3, 10}, {Loan, 5, 1}}, true},
            {"inv", {{Loan, 3, 10}, {Loan, 5, 2}}, false},
            {"inv", {{Loan, 3, 12}, {Loan, 5, 1}}, true},
            {"ann", {{Ann, 2, 9999999}}, true},
            {"ann", {{Ann, 2, 9999999.5}}, false},
            {"ann", {{Ann, 2, -0.5}}, false},
            {"ann", {{Ann, 5, 50}}, true},
            {"ann", {{Ann, 5, 50.5}}, false},
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
    EXPECT_TRUE(invalid());
    EXPECT_EQ(st().gErrCode, 310);
    EXPECT_EQ(st().gErrMsg, "");
    EXPECT_EQ(CalculatorProbe::invalidValue(*calc),
              "Investment Costs, row 1, Cost: -, allowed -9999999 to 9999999");

    // Without the loan's year the term's limit is unknown: no range given.
    // Only the first value out of range is described.
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
