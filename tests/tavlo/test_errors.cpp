// Bad input and bad calls: OnError is raised with a clear description, then the
// call fails with the runtime error; ValidateInputs names the first bad input.
// Also the collections' identity and the promise that getters never allocate.

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "EngineFixture.h"
#include "qvc/runtime/Error.h"

// Counts every allocation of this test program (and of the engine it loads).
namespace {
thread_local long gAllocations = 0;
}
void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tavlo::testing {
namespace {

class ErrorTest : public EngineTest {
  protected:
    // Runs `call`, expects qvc::rt::Error `number` and one OnError call naming
    // `className`/`method` with the same number and description.
    template <typename Call>
    void expectFailure(Call call, int32_t number, const std::string& className,
                       const std::string& method) {
        raised.clear();
        try {
            call();
            ADD_FAILURE() << "no error from " << method;
        } catch (const qvc::rt::Error& e) {
            EXPECT_EQ(e.number(), number) << e.description();
            ASSERT_EQ(raised.size(), 1u);
            EXPECT_EQ(raised[0].error.number, number);
            EXPECT_EQ(raised[0].error.description, e.description());
            EXPECT_EQ(raised[0].error.source, "Tavlo." + className);
            EXPECT_EQ(raised[0].library, "Tavlo");
            EXPECT_EQ(raised[0].className, className);
            EXPECT_EQ(raised[0].method, method);
        }
    }

    void expectInvalid(const std::string& fragment) {
        raised.clear();
        EXPECT_FALSE(engine->ValidateInputs());
        ASSERT_EQ(raised.size(), 1u);
        EXPECT_EQ(raised[0].method, "ValidateInputs");
        EXPECT_NE(raised[0].error.description.find(fragment), std::string::npos)
            << raised[0].error.description;
        expectFailure([&] { engine->Calculate(); }, 5, "LifeCycle", "Calculate");
    }

    void simpleStudy() {
        study(3, 0.05, 2);
        engine->setIncomeTaxRate(0.3);
        engine->setIncomeTaxFlag(false);
        alt(1).setAnnualCost(1, 100);
        alt(1).setAnnualYears(1, 3);
        alt(2).setInvestmentCost(1, 50);
        alt(2).setDepreciationLife(1, 2);
    }
};

TEST_F(ErrorTest, IndexAndYearOutOfRange) {
    simpleStudy();
    expectFailure([&] { engine->Alternatives().Item(0); }, 9, "Alternatives", "Item");
    expectFailure([&] { engine->Alternatives().Item(3); }, 9, "Alternatives", "Item");
    expectFailure([&] { engine->Comparisons().Item(2); }, 9, "Comparisons", "Item");
    expectFailure([&] { alt(1).setInvestmentCost(0, 1); }, 9, "Alternative", "InvestmentCost");
    expectFailure([&] { alt(1).setOtherTimes(21, 1); }, 9, "Alternative", "OtherTimes");
    alt(1).setAnnualCost(20, 0);  // the last index is fine
    calculate();
    expectFailure([&] { alt(1).CashInvestmentAt(-1); }, 9, "Alternative", "CashInvestmentAt");
    expectFailure([&] { alt(1).PWCashFlowAt(4); }, 9, "Alternative", "PWCashFlowAt");
    expectFailure([&] { cmp(1).SIR(4); }, 9, "Comparison", "SIR");
    expectFailure([&] { cmp(1).NPWSavingsAt(-1); }, 9, "Comparison", "NPWSavingsAt");
    EXPECT_NO_THROW(alt(1).BookValueAt(3));
    EXPECT_NE(lastMessage().find("outside 0..3"), std::string::npos) << lastMessage();
}

TEST_F(ErrorTest, InvalidArgumentsAndCallsBeforeResults) {
    simpleStudy();
    expectFailure([&] { alt(1).Rank(); }, 5, "Alternative", "Rank");
    expectFailure([&] { alt(1).TaxAt(0); }, 5, "Alternative", "TaxAt");
    expectFailure([&] { cmp(1).IRR(); }, 5, "Comparison", "IRR");
    expectFailure([&] { cmp(1).AIRR(); }, 5, "Comparison", "AIRR");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectFailure([&] { alt(1).setSalvage(1, nan); }, 5, "Alternative", "Salvage");
    expectFailure([&] { engine->setDiscountRate(std::numeric_limits<double>::infinity()); }, 5,
                  "LifeCycle", "DiscountRate");
    expectFailure([&] { engine->Alternatives().Initialize(-1); }, 5, "Alternatives", "Initialize");
    expectFailure([&] { engine->Comparisons().Initialize(-2); }, 5, "Comparisons", "Initialize");
    // Calculate before any alternative exists.
    study(3, 0.05, 0);
    expectInvalid("no alternatives");
}

TEST_F(ErrorTest, ValidateInputsNamesTheFirstBadInput) {
    struct Case {
        const char* fragment;
        void (*spoil)(ILifeCycleEngine&);
    };
    const Case cases[] = {
        {"AnalysisPeriod -1", [](ILifeCycleEngine& e) { e.setAnalysisPeriod(-1); }},
        {"DiscountRate -1", [](ILifeCycleEngine& e) { e.setDiscountRate(-1.0); }},
        {"AlternativeType 2", [](ILifeCycleEngine& e) { e.setAlternativeType(2); }},
        {"AnalysisType 4", [](ILifeCycleEngine& e) { e.setAnalysisType(4); }},
        {"IncomeTaxRate", [](ILifeCycleEngine& e) { e.setIncomeTaxRate(1.5); }},
        {"Number is not set", [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setNumber(0); }},
        {"Number 1 is used", [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setNumber(1); }},
        {"investment item 1: DepreciationMethod 6",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setDepreciationMethod(1, 6); }},
        {"investment item 3: PaymentPlan 3",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setPaymentPlan(3, 3); }},
        {"LoanFraction 1.2",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(1).setLoanFraction(2, 1.2); }},
        {"InvestmentYear -1",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(1).setInvestmentYear(1, -1); }},
        {"UsefulLife -2",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(1).setUsefulLife(1, -2); }},
        {"DepreciationLife -1",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setDepreciationLife(1, -1); }},
        {"DepreciationLife 0",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(2).setDepreciationLife(1, 0); }},
        {"annual item 1: AnnualStartYear -3",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(1).setAnnualStartYear(1, -3); }},
        {"non-annual item 2: OtherInterval 0",
         [](ILifeCycleEngine& e) { e.Alternatives().Item(1).setOtherTimes(2, 3); }},
        {"Number 1 as the base",
         [](ILifeCycleEngine& e) {
             e.setAlternativeType(1);
             e.Alternatives().Item(1).setNumber(7);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fragment);
        simpleStudy();
        ASSERT_TRUE(engine->ValidateInputs()) << lastMessage();
        c.spoil(*engine);
        expectInvalid(c.fragment);
    }
    // The description names the alternative and the item.
    simpleStudy();
    alt(2).setPaymentPlan(3, 3);
    EXPECT_FALSE(engine->ValidateInputs());
    EXPECT_EQ(lastMessage(),
              "Alternative 2 (number 2), investment item 3: PaymentPlan 3 is "
              "outside 0..2");
}

TEST_F(ErrorTest, FailedCalculateKeepsThePreviousResults) {
    simpleStudy();
    calculate();
    const double tpw = alt(1).TotalPresentWorth();
    engine->setAnalysisPeriod(-1);
    EXPECT_THROW(engine->Calculate(), qvc::rt::Error);
    EXPECT_EQ(alt(1).TotalPresentWorth(), tpw);
    EXPECT_NO_THROW(alt(1).CashInvestmentAt(3));
}

TEST_F(ErrorTest, CollectionsAreTheSameObjectsAndInitializeGivesFreshMembers) {
    IAlternatives* alternatives = &engine->Alternatives();
    IComparisons* comparisons = &engine->Comparisons();
    simpleStudy();
    calculate();
    EXPECT_EQ(&engine->Alternatives(), alternatives);
    EXPECT_EQ(&engine->Comparisons(), comparisons);
    engine->Alternatives().Initialize(3);
    EXPECT_EQ(engine->Alternatives().Count(), 3);
    EXPECT_EQ(alt(1).Number(), 0);
    expectFailure([&] { alt(1).FirstCost(); }, 5, "Alternative", "FirstCost");
    engine->Comparisons().Initialize(5);
    EXPECT_EQ(engine->Comparisons().Count(), 5);
    for (int16_t i = 1; i <= 3; ++i) {
        alt(i).setNumber(i);
    }
    calculate();
    EXPECT_EQ(engine->Comparisons().Count(), 2);
}

TEST_F(ErrorTest, WithoutAHandlerErrorsStillThrow) {
    engine->setOnError(nullptr);
    EXPECT_THROW(engine->Alternatives().Item(1), qvc::rt::Error);
    EXPECT_FALSE(engine->ValidateInputs());
}

TEST_F(ErrorTest, GettersDoNotAllocate) {
    simpleStudy();
    calculate();
    const IAlternative& a = alt(1);
    const IComparison& c = cmp(1);
    const long before = gAllocations;
    double sum = 0;
    for (int16_t y = 0; y <= 3; ++y) {
        sum += a.CashInvestmentAt(y) + a.LoanPrincipalAt(y) + a.LoanInterestAt(y) +
               a.TotalInvestmentAt(y) + a.AnnualOpCostAt(y) + a.NonAnnualOpCostAt(y) +
               a.TotalOpCostAt(y) + a.BeforeTaxCashFlowAt(y) + a.NetIncomeAt(y) +
               a.DepreciationAt(y) + a.TaxableIncomeAt(y) + a.TaxAt(y) + a.AfterTaxCashFlowAt(y) +
               a.BookValueAt(y) + a.PWInvestmentAt(y) + a.PWOpCostAt(y) + a.PWCashFlowAt(y);
        sum += c.AddInvCostAt(y) + c.CumAddInvCostAt(y) + c.OpCostSavingsAt(y) +
               c.CumOpCostSavingsAt(y) + c.NPWSavingsAt(y) + c.SIR(y);
    }
    sum += a.Rank() + a.TotalPresentWorth() + a.BeforeTaxTPW() + a.FirstCost() +
           a.AnnualOperatingCost() + c.BaseCase() + c.Challenger() + c.Winner() +
           c.AdditionalFirstCost() + c.NPWSavings() + c.IRR() + c.BeforeTaxIRR() + c.AIRR() +
           c.PaybackYears();
    sum += engine->Alternatives().Item(2).FirstCost() + engine->Comparisons().Count();
    EXPECT_EQ(gAllocations, before);
    EXPECT_TRUE(std::isfinite(sum));
}

}  // namespace
}  // namespace tavlo::testing
