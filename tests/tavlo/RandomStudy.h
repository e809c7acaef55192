#pragma once
// Fills an engine with a random but valid study (fixed seeds: failures repeat).

#include <random>

#include "tavlo/ILifeCycleEngine.h"

namespace tavlo::testing {

class RandomStudy {
  public:
    explicit RandomStudy(unsigned seed) : rng_(seed) {}
    void fill(ILifeCycleEngine& engine) {
        const int16_t years = static_cast<int16_t>(integer(1, 50));
        engine.setAnalysisPeriod(years);
        engine.setAnalysisType(static_cast<int16_t>(integer(0, 3)));
        engine.setAlternativeType(static_cast<int16_t>(integer(0, 1)));
        engine.setDiscountRate(real(0.0, 0.15));
        engine.setIncomeTaxFlag(integer(0, 3) > 0);
        engine.setIncomeTaxRate(real(0.0, 0.6));
        const int16_t count = static_cast<int16_t>(integer(1, 6));
        engine.Alternatives().Initialize(count);
        for (int16_t i = 1; i <= count; ++i) {
            IAlternative& a = engine.Alternatives().Item(i);
            a.setNumber(i);
            fillInvestments(a, years);
            fillOperatingCosts(a, years);
        }
    }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng_);
    }

  private:
    void fillInvestments(IAlternative& a, int16_t years) {
        const int16_t items = static_cast<int16_t>(integer(0, 6));
        for (int16_t j = 1; j <= items; ++j) {
            const int16_t year = static_cast<int16_t>(integer(0, years));
            const double cost = integer(0, 9) == 0 ? -real(0, 2000) : real(0, 50000);
            a.setInvestmentCost(j, cost);
            a.setInvestmentYear(j, year);
            a.setInvestmentEscalation(j, real(0.0, 0.08));
            a.setTaxExempt(j, integer(0, 4) == 0);
            a.setDepreciationMethod(j, static_cast<int16_t>(integer(0, 5)));
            a.setDepreciationLife(j, static_cast<int16_t>(integer(2, 30)));
            a.setUsefulLife(j, static_cast<int16_t>(integer(0, years - year)));
            a.setSalvage(j, cost > 0 ? real(0, cost) : 0.0);
            if (integer(0, 1) == 1 && year < years) {
                a.setLoanRate(j, real(0.0, 0.15));
                a.setLoanFraction(j, real(0.0, 1.0));
                a.setPaymentPlan(j, static_cast<int16_t>(integer(0, 2)));
                a.setLoanTerm(j, static_cast<int16_t>(integer(1, years - year)));
            }
        }
    }
    void fillOperatingCosts(IAlternative& a, int16_t years) {
        const int16_t annualItems = static_cast<int16_t>(integer(0, 5));
        for (int16_t k = 1; k <= annualItems; ++k) {
            a.setAnnualCost(k, real(0, 5000));
            a.setAnnualStartYear(k, static_cast<int16_t>(integer(1, years)));
            a.setAnnualYears(k, static_cast<int16_t>(integer(1, 50)));
            a.setAnnualEscalation(k, real(0.0, 0.08));
        }
        const int16_t otherItems = static_cast<int16_t>(integer(0, 5));
        for (int16_t k = 1; k <= otherItems; ++k) {
            a.setOtherCost(k, real(0, 8000));
            const int16_t start = static_cast<int16_t>(integer(1, years));
            a.setOtherStartYear(k, start);
            a.setOtherTimes(k, static_cast<int16_t>(integer(1, years - start + 1)));
            a.setOtherInterval(k, static_cast<int16_t>(integer(1, 10)));
            a.setOtherEscalation(k, real(0.0, 0.08));
        }
    }
    std::mt19937 rng_;
};

}  // namespace tavlo::testing
