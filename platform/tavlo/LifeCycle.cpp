#include "LifeCycle.h"

#include <cmath>

#include "CashFlowCalculator.h"
#include "ComparisonCalculator.h"
#include "InputValidator.h"
#include "TieOrder.h"
#include "Tolerances.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace tavlo {

namespace {
constexpr std::string_view kClass = "LifeCycle";
}

LifeCycle::LifeCycle() : alternatives_(errors_), comparisons_(errors_) {}

void LifeCycle::setDiscountRate(double rate) {
    errors_.checkFinite(rate, kClass, "DiscountRate");
    study_.discountRate = rate;
}

void LifeCycle::setIncomeTaxRate(double rate) {
    errors_.checkFinite(rate, kClass, "IncomeTaxRate");
    study_.incomeTaxRate = rate;
}

bool LifeCycle::ValidateInputs() {
    if (auto problem = firstInputProblem(study_, alternatives_)) {
        errors_.report(qvc::rt::err::kInvalidProcedureCall, *problem, kClass, "ValidateInputs");
        return false;
    }
    return true;
}

bool LifeCycle::Calculate() {
    if (auto problem = firstInputProblem(study_, alternatives_)) {
        errors_.raise(qvc::rt::err::kInvalidProcedureCall, "Cannot calculate: " + *problem, kClass,
                      "Calculate");
    }
    const std::size_t years = static_cast<std::size_t>(study_.analysisPeriod) + 1;
    discount_.resize(years);
    for (std::size_t y = 0; y < years; ++y) {
        discount_[y] = std::pow(1.0 + study_.discountRate, -static_cast<double>(y));
    }
    CashFlowCalculator cashFlows(study_, discount_);
    for (std::size_t p = 0; p < alternatives_.size(); ++p) {
        Alternative& alternative = alternatives_.at(p);
        cashFlows.calculate(alternative.inputs(), alternative.results());
    }
    rankAlternatives();
    compareAlternatives();
    return true;
}

// Rank 1 = lowest total present worth; ties go to the lower Number.
void LifeCycle::rankAlternatives() {
    const std::size_t n = alternatives_.size();
    std::vector<double> tpw(n);
    std::vector<int16_t> numbers(n);
    for (std::size_t p = 0; p < n; ++p) {
        tpw[p] = alternatives_.at(p).results().totalPresentWorth;
        numbers[p] = alternatives_.at(p).Number();
    }
    const std::vector<std::size_t> order = orderWithTies(tpw, numbers, kEqualForOrder);
    for (std::size_t r = 0; r < n; ++r) {
        alternatives_.at(order[r]).results().rank = static_cast<int16_t>(r + 1);
    }
}

// The positions of the alternatives in pairing order: by first cost for
// mutually exclusive alternatives (ties by Number), by Number for independent
// ones (Number 1, the base of every comparison, comes first).
std::vector<std::size_t> LifeCycle::pairingOrder() const {
    const std::size_t n = alternatives_.size();
    std::vector<double> keys(n);
    std::vector<int16_t> numbers(n);
    for (std::size_t p = 0; p < n; ++p) {
        const Alternative& alternative = alternatives_.at(p);
        keys[p] = study_.alternativeType == 0 ? alternative.results().firstCost : 0.0;
        numbers[p] = alternative.Number();
    }
    return orderWithTies(keys, numbers, kEqualForOrder);
}

void LifeCycle::compareAlternatives() {
    const std::size_t n = alternatives_.size();
    comparisons_.resize(n - 1);
    if (n < 2) {
        return;
    }
    const std::vector<std::size_t> order = pairingOrder();
    ComparisonCalculator calculator(study_, discount_);
    std::size_t base = order[0];
    for (std::size_t k = 1; k < n; ++k) {
        const Alternative& b = alternatives_.at(base);
        const Alternative& c = alternatives_.at(order[k]);
        ComparisonResults& out = comparisons_.at(k - 1).results();
        calculator.calculate(b.Number(), b.results(), c.Number(), c.results(), out);
        if (study_.alternativeType == 0 && out.winner == c.Number()) {
            base = order[k];
        }
    }
}

std::unique_ptr<ILifeCycleEngine> createEngine() {
    return std::make_unique<LifeCycle>();
}

}  // namespace tavlo
