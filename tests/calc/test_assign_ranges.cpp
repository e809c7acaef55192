// Every range of the hand-over, checked on both sides of each boundary: a
// value inside reaches its setter, a value outside does not and marks the case
// invalid with status 310.

#include <gmock/gmock.h>

#include <cmath>
#include <string>
#include <vector>

#include "AssignmentFixture.h"
#include "calc/SalvageLimit.h"

namespace qvc::test {
namespace {

enum class List { Inv, Loan, Ann, Other };

struct Override {
    List list;
    long field;
    double value;
};

struct Boundary {
    const char* part;
    const char* setter;
    std::vector<Override> overrides;
    bool accepted;
};

std::string describe(const Boundary& b) {
    static const char* names[] = {"inv", "loan", "ann", "other"};
    std::string s = std::string(b.setter) + " with";
    for (const auto& o : b.overrides)
        s += " " + std::string(names[static_cast<int>(o.list)]) + "(" + std::to_string(o.field) +
             ")=" + numberText(o.value);
    return s + (b.accepted ? " accepted" : " refused");
}

class RangeTest : public AssignmentTest {
  public:
    rt::DynArray2<rt::Value>& list(List l) {
        switch (l) {
            case List::Inv:
                return st().arrInvCosts;
            case List::Loan:
                return st().arrLoan;
            case List::Ann:
                return st().arrAnOpCost;
            case List::Other:
                break;
        }
        return st().arrOtherCost;
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

    bool setterCalled(const std::string& setter) {
        for (const auto& c : rec->callsOf(1))
            if (c.rfind(setter + "(1, ", 0) == 0)
                return true;
        return false;
    }

    void check(const std::vector<Boundary>& table, void (RangeTest::*baseline)()) {
        for (const auto& b : table) {
            SCOPED_TRACE(describe(b));
            (this->*baseline)();
            for (const auto& o : b.overrides)
                list(o.list)(o.field, 1) = o.value;
            rec->calls.clear();
            calc->m_InvalidCaseData = false;
            st().gErrCode = 0;
            assign(b.part);
            EXPECT_EQ(setterCalled(b.setter), b.accepted);
            EXPECT_EQ(invalid(), !b.accepted);
            EXPECT_EQ(st().gErrCode, b.accepted ? 0 : 310);
            EXPECT_EQ(st().gErrMsg, "");
        }
    }
};

const double kLimit = 1102.0 / std::pow(1.05, 12);

TEST_F(RangeTest, FullFamilyInvestmentsAndLoans) {
    using L = List;
    check(
        {
            {"inv", "InvestmentCost", {{L::Inv, 2, 9999999}}, true},
            {"inv", "InvestmentCost", {{L::Inv, 2, 9999999.5}}, false},
            {"inv", "InvestmentCost", {{L::Inv, 2, -9999999}}, true},
            {"inv", "InvestmentCost", {{L::Inv, 2, -9999999.5}}, false},
            {"inv", "InvestmentYear", {{L::Inv, 3, 0}}, true},
            {"inv", "InvestmentYear", {{L::Inv, 3, -1}}, false},
            {"inv", "InvestmentYear", {{L::Inv, 3, 20}, {L::Inv, 8, 0}}, true},
            {"inv", "InvestmentYear", {{L::Inv, 3, 21}, {L::Inv, 8, 0}}, false},
            {"inv", "InvestmentEscalation", {{L::Inv, 4, 50}}, true},
            {"inv", "InvestmentEscalation", {{L::Inv, 4, 50.01}}, false},
            {"inv", "InvestmentEscalation", {{L::Inv, 4, -0.01}}, false},
            {"inv", "DepreciationLife", {{L::Inv, 7, 2}}, true},
            {"inv", "DepreciationLife", {{L::Inv, 7, 1.99}}, false},
            {"inv", "DepreciationLife", {{L::Inv, 7, 50}}, true},
            {"inv", "DepreciationLife", {{L::Inv, 7, 50.5}}, false},
            {"inv", "UsefulLife", {{L::Inv, 8, 0}}, true},
            {"inv", "UsefulLife", {{L::Inv, 8, -1}}, false},
            {"inv", "UsefulLife", {{L::Inv, 8, 18}}, true},
            {"inv", "UsefulLife", {{L::Inv, 8, 19}}, false},
            {"inv", "Salvage", {{L::Inv, 9, 1000}}, true},
            {"inv", "Salvage", {{L::Inv, 9, 1000.01}}, false},
            {"inv", "Salvage", {{L::Inv, 9, -0.01}}, false},
            {"inv", "Salvage", {{L::Inv, 4, 5}, {L::Inv, 9, kLimit}}, true},
            {"inv", "Salvage", {{L::Inv, 4, 5}, {L::Inv, 9, kLimit + 1e-6}}, false},
            {"inv", "Salvage", {{L::Inv, 2, -500}, {L::Inv, 9, 0.01}}, false},
            {"inv", "LoanRate", {{L::Loan, 6, 0}}, true},
            {"inv", "LoanRate", {{L::Loan, 6, 50}}, true},
            {"inv", "LoanRate", {{L::Loan, 6, 50.01}}, false},
            {"inv", "LoanRate", {{L::Loan, 6, -0.01}}, false},
            {"inv", "LoanFraction", {{L::Loan, 4, 100}}, true},
            {"inv", "LoanFraction", {{L::Loan, 4, 100.01}}, false},
            {"inv", "LoanFraction", {{L::Loan, 4, -0.01}}, false},
            {"inv", "LoanTerm", {{L::Loan, 5, 1}}, true},
            {"inv", "LoanTerm", {{L::Loan, 5, 0.99}}, false},
            {"inv", "LoanTerm", {{L::Loan, 5, 18}}, true},
            {"inv", "LoanTerm", {{L::Loan, 5, 19}}, false},
            // A loan in the last year leaves no room for any term.
            {"inv",
             "LoanTerm",
             {{L::Inv, 3, 20}, {L::Inv, 8, 0}, {L::Loan, 3, 20}, {L::Loan, 5, 1}},
             false},
        },
        &RangeTest::fullBaseline);
}

TEST_F(RangeTest, FullFamilyOperatingCosts) {
    using L = List;
    check(
        {
            {"ann", "AnnualCost", {{L::Ann, 2, 0}}, true},
            {"ann", "AnnualCost", {{L::Ann, 2, -0.01}}, false},
            {"ann", "AnnualCost", {{L::Ann, 2, 9999999}}, true},
            {"ann", "AnnualCost", {{L::Ann, 2, 9999999.5}}, false},
            {"ann", "AnnualStartYear", {{L::Ann, 3, 1}}, true},
            {"ann", "AnnualStartYear", {{L::Ann, 3, 0}}, false},
            {"ann", "AnnualStartYear", {{L::Ann, 3, 20}}, true},
            {"ann", "AnnualStartYear", {{L::Ann, 3, 21}}, false},
            {"ann", "AnnualYears", {{L::Ann, 4, 1}}, true},
            {"ann", "AnnualYears", {{L::Ann, 4, 0}}, false},
            {"ann", "AnnualYears", {{L::Ann, 4, 50}}, true},
            {"ann", "AnnualYears", {{L::Ann, 4, 51}}, false},
            {"ann", "AnnualEscalation", {{L::Ann, 5, 50}}, true},
            {"ann", "AnnualEscalation", {{L::Ann, 5, 50.5}}, false},
            {"other", "OtherCost", {{L::Other, 2, 9999999}}, true},
            {"other", "OtherCost", {{L::Other, 2, 9999999.5}}, false},
            {"other", "OtherCost", {{L::Other, 2, -0.01}}, false},
            {"other", "OtherEscalation", {{L::Other, 6, 50}}, true},
            {"other", "OtherEscalation", {{L::Other, 6, 51}}, false},
            {"other", "OtherStartYear", {{L::Other, 3, 1}}, true},
            {"other", "OtherStartYear", {{L::Other, 3, 0}}, false},
            {"other", "OtherStartYear", {{L::Other, 3, 20}, {L::Other, 4, 1}}, true},
            {"other", "OtherStartYear", {{L::Other, 3, 21}, {L::Other, 4, 1}}, false},
            // From year 5 of 20 the item fits 16 times.
            {"other", "OtherTimes", {{L::Other, 4, 16}, {L::Other, 5, 1}}, true},
            {"other", "OtherTimes", {{L::Other, 4, 17}, {L::Other, 5, 1}}, false},
            {"other", "OtherTimes", {{L::Other, 4, 0}, {L::Other, 5, 1}}, false},
            // 20 - 4.5 = 15.5 counts as 16 (to the even neighbour); 14.5 as 14.
            {"other",
             "OtherTimes",
             {{L::Other, 3, 5.5}, {L::Other, 4, 16}, {L::Other, 5, 1}},
             true},
            {"other",
             "OtherTimes",
             {{L::Other, 3, 6.5}, {L::Other, 4, 15}, {L::Other, 5, 1}},
             false},
            // Twice from year 5: at most 15 years apart.
            {"other", "OtherInterval", {{L::Other, 5, 15}}, true},
            {"other", "OtherInterval", {{L::Other, 5, 16}}, false},
            {"other", "OtherInterval", {{L::Other, 5, 0}}, false},
            // Once: any interval from 1 to 50.
            {"other", "OtherInterval", {{L::Other, 4, 1}, {L::Other, 5, 50}}, true},
            {"other", "OtherInterval", {{L::Other, 4, 1}, {L::Other, 5, 51}}, false},
            // Seven times from year 5: 15 / 6 = 2.5 counts as 2.
            {"other", "OtherInterval", {{L::Other, 4, 7}, {L::Other, 5, 2}}, true},
            {"other", "OtherInterval", {{L::Other, 4, 7}, {L::Other, 5, 3}}, false},
        },
        &RangeTest::fullBaseline);
}

TEST_F(RangeTest, SimpleFamily) {
    using L = List;
    check(
        {
            {"inv", "InvestmentCost", {{L::Inv, 2, 9999999}}, true},
            {"inv", "InvestmentCost", {{L::Inv, 2, 9999999.5}}, false},
            {"inv", "Salvage", {{L::Inv, 9, 1000}}, true},
            {"inv", "Salvage", {{L::Inv, 9, 1000.01}}, false},
            {"inv", "Salvage", {{L::Inv, 9, -0.01}}, false},
            // Salvage must lie between 0 and the cost, so a rebate cannot keep
            // even a zero salvage.
            {"inv", "Salvage", {{L::Inv, 2, -1}}, false},
            {"inv", "LoanRate", {{L::Loan, 6, 50}}, true},
            {"inv", "LoanRate", {{L::Loan, 6, 50.5}}, false},
            {"inv", "LoanFraction", {{L::Loan, 4, 100}}, true},
            {"inv", "LoanFraction", {{L::Loan, 4, 100.5}}, false},
            {"inv", "LoanTerm", {{L::Loan, 5, 10}}, true},
            {"inv", "LoanTerm", {{L::Loan, 5, 11}}, false},
            {"inv", "LoanTerm", {{L::Loan, 5, 0}}, false},
            // A one-year term is accepted however late the loan is taken.
            {"inv", "LoanTerm", {{L::Loan, 3, 10}, {L::Loan, 5, 1}}, true},
            {"inv", "LoanTerm", {{L::Loan, 3, 10}, {L::Loan, 5, 2}}, false},
            {"inv", "LoanTerm", {{L::Loan, 3, 12}, {L::Loan, 5, 1}}, true},
            {"ann", "AnnualCost", {{L::Ann, 2, 9999999}}, true},
            {"ann", "AnnualCost", {{L::Ann, 2, 9999999.5}}, false},
            {"ann", "AnnualCost", {{L::Ann, 2, -0.5}}, false},
            {"ann", "AnnualEscalation", {{L::Ann, 5, 50}}, true},
            {"ann", "AnnualEscalation", {{L::Ann, 5, 50.5}}, false},
            // Start year and number of years are fixed, never read.
            {"ann", "AnnualYears", {{L::Ann, 3, 99}, {L::Ann, 4, 99}}, true},
        },
        &RangeTest::simpleBaseline);
}

TEST(SalvageLimitTest, EscalatedCostCutToWholeMoneyAndDiscountedToDisposal) {
    EXPECT_DOUBLE_EQ(calc::salvageLimit(1000, 0.05, 2, 10), 1102.0 / std::pow(1.05, 12));
    // 1102 / 1.7958563 (not 1102.5 / 1.7958563 = 613.9133).
    EXPECT_NEAR(calc::salvageLimit(1000, 0.05, 2, 10), 613.6348, 0.0001);
    EXPECT_EQ(calc::salvageLimit(1234.5, 0, 7, 3), 1234.5);
    EXPECT_EQ(calc::salvageLimit(-0.01, 0.05, 2, 10), 0.0);
    // 100 x 1.15 is 114.99999999999999 in binary; the amount meant is 115.
    EXPECT_DOUBLE_EQ(calc::salvageLimit(100, 0.15, 1, 4), 115.0 / std::pow(1.15, 5));
    // Fractions of money are dropped: 999.99 x 1.1 = 1099.989 -> 1099.
    EXPECT_DOUBLE_EQ(calc::salvageLimit(999.99, 0.1, 1, 0), 1099.0 / 1.1);
}

TEST_F(RangeTest, NullFieldsAreOutOfRangeAndTextFailsTheStep) {
    fullBaseline();
    st().arrInvCosts(2, 1) = rt::Value::null();
    assign("inv");
    EXPECT_FALSE(setterCalled("InvestmentCost"));
    EXPECT_FALSE(setterCalled("Salvage"));  // its limit needs the cost
    EXPECT_TRUE(setterCalled("InvestmentYear"));
    EXPECT_TRUE(invalid());
    EXPECT_EQ(st().gErrCode, 310);
    EXPECT_EQ(st().gErrMsg, "");

    // Text that is not a number ends the step with the error record; what was
    // passed before stays passed.
    fullBaseline();
    rec->calls.clear();
    calc->m_InvalidCaseData = false;
    st().gErrCode = 0;
    st().arrInvCosts(4, 1) = rt::Value("five");
    assign("inv");
    EXPECT_THAT(rec->callsOf(1),
                ::testing::ElementsAre("InvestmentCost(1, 1000)", "InvestmentYear(1, 2)"));
    EXPECT_FALSE(invalid());
    EXPECT_THAT(st().gErrMsg, ::testing::StartsWith("13#"));
    EXPECT_THAT(st().gErrMsg, ::testing::EndsWith("#AssignProperties#cORVCalculator#"));
}

}  // namespace
}  // namespace qvc::test
