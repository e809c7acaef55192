#pragma once
// The inputs of one alternative as the setters store them. Lists grow to the
// largest index set; unset fields stay zero.

#include <cstdint>
#include <vector>

namespace tavlo {

struct InvestmentItem {
    double cost = 0.0;
    int16_t year = 0;
    double escalation = 0.0;
    bool taxExempt = false;
    int16_t depreciationMethod = 0;
    int16_t depreciationLife = 0;
    int16_t usefulLife = 0;
    double salvage = 0.0;
    // The loan financing this item.
    double loanRate = 0.0;
    double loanFraction = 0.0;
    int16_t paymentPlan = 0;
    int16_t loanTerm = 0;
};

struct AnnualItem {
    double cost = 0.0;
    int16_t startYear = 0;
    int16_t years = 0;
    double escalation = 0.0;
};

struct OtherItem {
    double cost = 0.0;
    int16_t startYear = 0;
    int16_t times = 0;
    int16_t interval = 0;
    double escalation = 0.0;
};

struct AlternativeInputs {
    std::vector<InvestmentItem> investments;
    std::vector<AnnualItem> annual;
    std::vector<OtherItem> other;
};

}  // namespace tavlo
