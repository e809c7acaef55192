#include <functional>
#include <limits>

#include "EngineFixture.h"
#include "qvc/runtime/Error.h"

namespace tavlo::testing {
namespace {

class ErrorTest : public EngineTest {
  protected:
    // `call` throws `number` after one OnError call naming `className`/`method`.
    void expectFailure(const std::function<void()>& call, int32_t number,
                       const std::string& className, const std::string& method) {
        SCOPED_TRACE(method);
        raised.clear();
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const qvc::rt::Error& e) {
            EXPECT_EQ(e.number(), number) << e.description();
            ASSERT_EQ(raised.size(), 1u);
            EXPECT_EQ(raised[0].error.description, e.description());
            EXPECT_EQ(raised[0].error.source, "Tavlo." + className);
            EXPECT_EQ(raised[0].method, method);
        }
    }

    void simpleStudy() {
        study(3, 0.05, 2);
        engine->setIncomeTaxRate(0.3);
        annual(1, 1, 100, 1, 3);
        investment(2, 50, 0, 0, 2);
    }
};

TEST_F(ErrorTest, IndexYearAndCallsBeforeResultsFail) {
    simpleStudy();
    expectFailure([&] { alt(1).Rank(); }, 5, "Alternative", "Rank");
    expectFailure([&] { cmp(1).IRR(); }, 5, "Comparison", "IRR");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectFailure([&] { alt(1).setSalvage(1, nan); }, 5, "Alternative", "Salvage");
    expectFailure([&] { engine->Alternatives().Item(0); }, 9, "Alternatives", "Item");
    expectFailure([&] { engine->Alternatives().Item(3); }, 9, "Alternatives", "Item");
    expectFailure([&] { alt(1).setOtherTimes(21, 1); }, 9, "Alternative", "OtherTimes");
    alt(1).setAnnualCost(20, 0);  // the last index is fine
    calculate();
    expectFailure([&] { alt(1).PWCashFlowAt(4); }, 9, "Alternative", "PWCashFlowAt");
    EXPECT_NE(lastMessage().find("outside 0..3"), std::string::npos) << lastMessage();
    expectFailure([&] { cmp(1).SIR(4); }, 9, "Comparison", "SIR");
    // A failed calculation keeps the previous results.
    const double tpw = alt(1).TotalPresentWorth();
    engine->setAnalysisPeriod(-1);
    EXPECT_THROW(engine->Calculate(), qvc::rt::Error);
    EXPECT_EQ(alt(1).TotalPresentWorth(), tpw);
    EXPECT_NO_THROW(alt(1).BookValueAt(3));
    engine->setOnError(nullptr);
    EXPECT_THROW(engine->Alternatives().Item(3), qvc::rt::Error);
}

TEST_F(ErrorTest, ValidateInputsAcceptsEveryLimitAndNamesTheFirstValuePastIt) {
    using Spoil = std::function<void(ILifeCycleEngine&, IAlternative&)>;
    struct Case {
        const char* fragment;  // empty: the value is at its limit and accepted
        Spoil spoil;
    };
    const Case cases[] = {
        {"", [](auto& e, auto&) { e.setAnalysisType(3); }},
        {"AnalysisType 4", [](auto& e, auto&) { e.setAnalysisType(4); }},
        {"", [](auto& e, auto&) { e.setAnalysisPeriod(0); }},
        {"", [](auto& e, auto&) { e.setIncomeTaxRate(1.0); }},
        {"IncomeTaxRate 1.001", [](auto& e, auto&) { e.setIncomeTaxRate(1.001); }},
        {"Number is not set", [](auto&, auto& a) { a.setNumber(0); }},
        {"Number 1 is used", [](auto&, auto& a) { a.setNumber(1); }},
        {"Number 1 as the base",
         [](auto& e, auto&) {
             e.setAlternativeType(1);
             e.Alternatives().Item(1).setNumber(7);
         }},
        {"", [](auto&, auto& a) { a.setDepreciationMethod(1, 5); }},
        {"DepreciationMethod 6", [](auto&, auto& a) { a.setDepreciationMethod(1, 6); }},
        {"DepreciationLife 0", [](auto&, auto& a) { a.setDepreciationLife(1, 0); }},
        {"", [](auto&, auto& a) { a.setLoanFraction(1, 1.0); }},
        {"LoanFraction 1.001", [](auto&, auto& a) { a.setLoanFraction(1, 1.001); }},
        {"", [](auto&, auto& a) { a.setPaymentPlan(3, 2); }},
        {"Alternative 2 (number 2), investment item 3: PaymentPlan 3 is outside 0..2",
         [](auto&, auto& a) { a.setPaymentPlan(3, 3); }},
        {"annual item 1: AnnualStartYear -1", [](auto&, auto& a) { a.setAnnualStartYear(1, -1); }},
        {"AnnualEscalation -1", [](auto&, auto& a) { a.setAnnualEscalation(1, -1); }},
        {"", [](auto&, auto& a) { a.setOtherTimes(2, 1); }},
        {"non-annual item 2: OtherInterval 0", [](auto&, auto& a) { a.setOtherTimes(2, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.fragment ? c.fragment : "at the limit");
        simpleStudy();
        ASSERT_TRUE(engine->ValidateInputs()) << lastMessage();
        c.spoil(*engine, alt(2));
        raised.clear();
        if (*c.fragment == '\0') {
            EXPECT_TRUE(engine->ValidateInputs()) << lastMessage();
            EXPECT_TRUE(raised.empty());
            continue;
        }
        EXPECT_FALSE(engine->ValidateInputs());
        ASSERT_EQ(raised.size(), 1u);
        EXPECT_EQ(raised[0].method, "ValidateInputs");
        EXPECT_NE(lastMessage().find(c.fragment), std::string::npos) << lastMessage();
        expectFailure([&] { engine->Calculate(); }, 5, "LifeCycle", "Calculate");
    }
    study(3, 0.05, 0);
    EXPECT_FALSE(engine->ValidateInputs());
    EXPECT_NE(lastMessage().find("no alternatives"), std::string::npos) << lastMessage();
    expectFailure([&] { engine->Calculate(); }, 5, "LifeCycle", "Calculate");
}

}  // namespace
}  // namespace tavlo::testing
