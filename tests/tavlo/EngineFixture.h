#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tavlo/ILifeCycleEngine.h"

namespace tavlo::testing {

struct RaisedError {
    TavloError error;
    std::string method;
};

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() : engine(createEngine()) {
        engine->setOnError([this](const TavloError& e, const std::string&, const std::string&,
                                  const std::string& method) {
            raised.push_back({e, method});
        });
    }
    void study(int16_t years, double discountRate, int16_t count, int16_t analysisType = 1,
               int16_t alternativeType = 0) {
        engine->setAnalysisType(analysisType);
        engine->setAlternativeType(alternativeType);
        engine->setAnalysisPeriod(years);
        engine->setDiscountRate(discountRate);
        engine->setIncomeTaxFlag(false);
        engine->Alternatives().Initialize(count);
        engine->Comparisons().Initialize(count > 1 ? count - 1 : count);
        for (int16_t i = 1; i <= count; ++i) {
            alt(i).setNumber(i);
        }
        nextItem_.assign(static_cast<std::size_t>(count) + 1, 1);
    }
    void withTaxes(double rate) {
        engine->setAnalysisType(0);
        engine->setIncomeTaxFlag(true);
        engine->setIncomeTaxRate(rate);
    }
    // Method 5: not depreciated.
    int16_t investment(int16_t a, double cost, int16_t year = 0, int16_t method = 5,
                       int16_t life = 0) {
        const auto item = static_cast<int16_t>(nextItem_.at(static_cast<std::size_t>(a))++);
        alt(a).setInvestmentCost(item, cost);
        alt(a).setInvestmentYear(item, year);
        alt(a).setDepreciationMethod(item, method);
        alt(a).setDepreciationLife(item, life);
        return item;
    }
    void annual(int16_t a, int16_t item, double cost, int16_t first, int16_t years,
                double escalation = 0.0) {
        alt(a).setAnnualCost(item, cost);
        alt(a).setAnnualStartYear(item, first);
        alt(a).setAnnualYears(item, years);
        alt(a).setAnnualEscalation(item, escalation);
    }
    void other(int16_t a, int16_t item, double cost, int16_t first, int16_t times, int16_t interval,
               double escalation = 0.0) {
        alt(a).setOtherCost(item, cost);
        alt(a).setOtherStartYear(item, first);
        alt(a).setOtherTimes(item, times);
        alt(a).setOtherInterval(item, interval);
        alt(a).setOtherEscalation(item, escalation);
    }
    // Independent alternatives whose savings (base minus challenger) are `savings`.
    void savingsStudy(std::initializer_list<double> savings, double discountRate) {
        study(static_cast<int16_t>(savings.size() - 1), discountRate, 2, 1, 1);
        int16_t year = 0;
        for (double s : savings) {
            if (s != 0.0) {
                investment(s > 0 ? 1 : 2, std::fabs(s), year);
            }
            ++year;
        }
        calculate();
    }
    IAlternative& alt(int16_t i) { return engine->Alternatives().Item(i); }
    IComparison& cmp(int16_t i) { return engine->Comparisons().Item(i); }
    void calculate() {
        ASSERT_TRUE(engine->ValidateInputs()) << lastMessage();
        ASSERT_TRUE(engine->Calculate());
    }
    std::string lastMessage() const {
        return raised.empty() ? std::string() : raised.back().error.description;
    }
    std::unique_ptr<ILifeCycleEngine> engine;
    std::vector<RaisedError> raised;

  private:
    std::vector<int> nextItem_;
};

}  // namespace tavlo::testing
