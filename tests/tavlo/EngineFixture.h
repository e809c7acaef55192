#pragma once
// Shared set-up for the engine tests: an engine with the study settings given,
// and a record of every OnError call.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tavlo/ILifeCycleEngine.h"

namespace tavlo::testing {

struct RaisedError {
    TavloError error;
    std::string library;
    std::string className;
    std::string method;
};

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() : engine(createEngine()) {
        engine->setOnError([this](const TavloError& e, const std::string& lib,
                                  const std::string& cls, const std::string& method) {
            raised.push_back({e, lib, cls, method});
        });
    }

    // A study of `years` years with `count` alternatives numbered 1..count.
    void study(int16_t years, double discountRate, int16_t count, int16_t analysisType = 1,
               int16_t alternativeType = 0) {
        engine->setAnalysisType(analysisType);
        engine->setAlternativeType(alternativeType);
        engine->setAnalysisPeriod(years);
        engine->setDiscountRate(discountRate);
        engine->Alternatives().Initialize(count);
        engine->Comparisons().Initialize(count > 1 ? count - 1 : count);
        for (int16_t i = 1; i <= count; ++i) {
            alt(i).setNumber(i);
        }
    }

    void withTaxes(double rate) {
        engine->setAnalysisType(0);
        engine->setIncomeTaxFlag(true);
        engine->setIncomeTaxRate(rate);
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
};

}  // namespace tavlo::testing
