// The exact calls the engine receives for a study and for whole design cases.

#include <gmock/gmock.h>

#include "AssignmentFixture.h"

namespace qvc::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(AssignmentTest, StudySettingsArePassedAsNumbersAndFractions) {
    study(0, 25);
    st().arrStudy[3] = "1";
    assign("study");
    EXPECT_THAT(rec->calls, ElementsAre("AnalysisType = 0", "AlternativeType = 1",
                                        "AnalysisPeriod = 25", "DiscountRate = 0.035",
                                        "IncomeTaxFlag = True", "IncomeTaxRate = 0.28"));

    rec->calls.clear();
    st().arrStudy[7] = "False";
    st().arrStudy[8] = "0";
    assign("study");
    EXPECT_THAT(rec->callsStartingWith("Income"),
                ElementsAre("IncomeTaxFlag = False", "IncomeTaxRate = 0"));
    EXPECT_FALSE(invalid());
}

TEST_F(AssignmentTest, FullFamilyCaseInCallOrderWithTheLastMatchingLoanWinning) {
    study(0, 25);
    inv({invRow(50000, 0, 2, false, 1, 10, 20, 5000), invRow(12000, 5, 0, true, 0, 5, 10, 1000)});
    // Two loans in year 0 (both applied, the second wins), none in year 5,
    // and one in year 7 that finances nothing.
    loans({loanRow(0, 80, 10, 6, 0), loanRow(7, 90, 3, 9, 2), loanRow(0, 50, 5, 4, 1)});
    ann({annRow(3000, 1, 25, 3)});
    other({otherRow(8000, 10, 2, 10, 1)});
    assignCase();

    EXPECT_THAT(
        rec->callsOf(1),
        ElementsAre(
            // investment 1 and its loans
            "InvestmentCost(1, 50000)", "InvestmentYear(1, 0)", "InvestmentEscalation(1, 0.02)",
            "TaxExempt(1, False)", "DepreciationMethod(1, 1)", "DepreciationLife(1, 10)",
            "UsefulLife(1, 20)", "Salvage(1, 5000)", "LoanRate(1, 0.06)", "LoanFraction(1, 0.8)",
            "PaymentPlan(1, 0)", "LoanTerm(1, 10)", "LoanRate(1, 0.04)", "LoanFraction(1, 0.5)",
            "PaymentPlan(1, 1)", "LoanTerm(1, 5)",
            // investment 2: no loan in its year
            "InvestmentCost(2, 12000)", "InvestmentYear(2, 5)", "InvestmentEscalation(2, 0)",
            "TaxExempt(2, True)", "DepreciationMethod(2, 0)", "DepreciationLife(2, 5)",
            "UsefulLife(2, 10)", "Salvage(2, 1000)", "LoanRate(2, 0)", "LoanFraction(2, 0)",
            "PaymentPlan(2, 0)", "LoanTerm(2, 0)",
            // annual and other operating costs
            "AnnualCost(1, 3000)", "AnnualStartYear(1, 1)", "AnnualYears(1, 25)",
            "AnnualEscalation(1, 0.03)", "OtherCost(1, 8000)", "OtherEscalation(1, 0.01)",
            "OtherStartYear(1, 10)", "OtherTimes(1, 2)", "OtherInterval(1, 10)"));
    EXPECT_FALSE(invalid());
    EXPECT_EQ(st().gErrCode, 0);
}

TEST_F(AssignmentTest, SimpleFamilyCaseUsesTheFirstItemAndFixedValues) {
    study(2, 10);
    // The second investment and the stored year, escalation, tax and
    // depreciation data of the first are not used; nor is the payment plan.
    inv({invRow(20000, 3, 5, true, 4, 7, 4, 2000), invRow(999, 1, 1, false, 0, 5, 5, 0)});
    loans({loanRow(0, 60, 8, 5, 2), loanRow(0, 10, 2, 1, 1)});
    ann({annRow(1500, 4, 3, 2), annRow(500, 2, 2, 0)});
    other({otherRow(8000, 2, 2, 2, 0)});
    assignCase();

    EXPECT_THAT(
        rec->callsOf(1),
        ElementsAre("InvestmentCost(1, 20000)", "InvestmentYear(1, 0)",
                    "InvestmentEscalation(1, 0)", "TaxExempt(1, False)", "DepreciationMethod(1, 0)",
                    "DepreciationLife(1, 2)", "UsefulLife(1, 10)", "Salvage(1, 2000)",
                    "LoanRate(1, 0.05)", "LoanFraction(1, 0.6)", "PaymentPlan(1, 0)",
                    "LoanTerm(1, 8)", "AnnualCost(1, 1500)", "AnnualStartYear(1, 1)",
                    "AnnualYears(1, 10)", "AnnualEscalation(1, 0.02)", "AnnualCost(2, 500)",
                    "AnnualStartYear(2, 1)", "AnnualYears(2, 10)", "AnnualEscalation(2, 0)"));
    EXPECT_FALSE(invalid());
}

TEST_F(AssignmentTest, PublicSectorReplacesStoredTaxAndDepreciationData) {
    study(1, 20);
    // Depreciation life 99 would be out of range, but it is never looked at.
    inv({invRow(1000, 0, 0, true, 3, 99, 10, 0)});
    assign("inv");
    EXPECT_THAT(
        rec->callsOf(1),
        ElementsAre("InvestmentCost(1, 1000)", "InvestmentYear(1, 0)", "InvestmentEscalation(1, 0)",
                    "TaxExempt(1, False)", "DepreciationMethod(1, 0)", "DepreciationLife(1, 2)",
                    "UsefulLife(1, 10)", "Salvage(1, 0)", "LoanRate(1, 0)", "LoanFraction(1, 0)",
                    "PaymentPlan(1, 0)", "LoanTerm(1, 0)"));
    EXPECT_FALSE(invalid());

    // The private-sector analysis passes the same stored data on and checks it.
    rec->calls.clear();
    study(0, 20);
    assign("inv");
    EXPECT_THAT(rec->callsStartingWith("Alt1.TaxExempt"), ElementsAre("Alt1.TaxExempt(1, True)"));
    EXPECT_THAT(rec->callsStartingWith("Alt1.DepreciationMethod"),
                ElementsAre("Alt1.DepreciationMethod(1, 3)"));
    EXPECT_THAT(rec->callsStartingWith("Alt1.DepreciationLife"), IsEmpty());
    EXPECT_TRUE(invalid());
    EXPECT_EQ(st().gErrCode, 310);
}

TEST_F(AssignmentTest, EmptyListsGetTheZeroItemsOfEachFamily) {
    // Full family: no investment calls at all, one zero annual item, one
    // harmless other item.
    study(0, 20);
    assignCase();
    EXPECT_THAT(rec->callsOf(1),
                ElementsAre("AnnualCost(1, 0)", "AnnualStartYear(1, 1)", "AnnualYears(1, 2)",
                            "AnnualEscalation(1, 0)", "OtherCost(1, 0)", "OtherEscalation(1, 0)",
                            "OtherStartYear(1, 1)", "OtherTimes(1, 1)", "OtherInterval(1, 1)"));

    // Simple family: the zero loan with a one-year term, two zero annual
    // items, and nothing for other costs.
    rec->calls.clear();
    study(3, 20);
    assignCase();
    EXPECT_THAT(
        rec->callsOf(1),
        ElementsAre("LoanRate(1, 0)", "LoanFraction(1, 0)", "PaymentPlan(1, 0)", "LoanTerm(1, 1)",
                    "AnnualCost(1, 0)", "AnnualStartYear(1, 1)", "AnnualYears(1, 2)",
                    "AnnualEscalation(1, 0)", "AnnualCost(2, 0)", "AnnualStartYear(2, 1)",
                    "AnnualYears(2, 2)", "AnnualEscalation(2, 0)"));
    EXPECT_FALSE(invalid());
}

TEST_F(AssignmentTest, LoansOnlyFinanceInvestmentsOfTheSameYear) {
    study(0, 20);
    inv({invRow(1000, 2, 0, false, 0, 5, 5, 0), invRow(2000, 4, 0, false, 0, 5, 5, 0)});
    loans({loanRow(3, 50, 5, 5, 0)});
    assign("inv");
    EXPECT_THAT(
        rec->callsStartingWith("Alt1.Loan"),
        ElementsAre("Alt1.LoanRate(1, 0)", "Alt1.LoanFraction(1, 0)", "Alt1.LoanTerm(1, 0)",
                    "Alt1.LoanRate(2, 0)", "Alt1.LoanFraction(2, 0)", "Alt1.LoanTerm(2, 0)"));
    EXPECT_FALSE(invalid());
}

TEST_F(AssignmentTest, EachPartGoesToTheAlternativeAtItsPosition) {
    CalculatorProbe::BuildCollections(*calc, 3);
    study(0, 20);
    ann({annRow(700, 1, 5, 0)});
    assign("ann", 3);
    EXPECT_THAT(rec->callsOf(1), IsEmpty());
    EXPECT_THAT(rec->callsOf(3).front(), "AnnualCost(1, 700)");

    // An unknown part, or one spelled in other letters, does nothing.
    rec->calls.clear();
    assign("Ann", 1);
    assign("loan", 1);
    assign("", 1);
    EXPECT_THAT(rec->calls, IsEmpty());
    EXPECT_TRUE(st().gErrMsg.empty());
}

}  // namespace
}  // namespace qvc::test
