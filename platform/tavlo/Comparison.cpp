#include "Comparison.h"

#include <fmt/format.h>

#include "qvc/runtime/ErrorNumbers.h"

namespace tavlo {

namespace {
constexpr std::string_view kClass = "Comparison";
}

const ComparisonResults& Comparison::available(std::string_view method) const {
    if (!results_.available) {
        errors_->raise(qvc::rt::err::kInvalidProcedureCall,
                       "No results yet: Calculate has not run successfully", kClass, method);
    }
    return results_;
}

double Comparison::at(ComparisonSeries series, int16_t year, std::string_view method) const {
    const ComparisonResults& r = available(method);
    if (year < 0 || year > r.period) {
        errors_->raise(qvc::rt::err::kSubscriptOutOfRange,
                       fmt::format("Year {} is outside 0..{}", year, r.period), kClass, method);
    }
    return r.series(series)[year];
}

int16_t Comparison::BaseCase() const {
    return available("BaseCase").baseCase;
}
int16_t Comparison::Challenger() const {
    return available("Challenger").challenger;
}
int16_t Comparison::Winner() const {
    return available("Winner").winner;
}
double Comparison::AdditionalFirstCost() const {
    return available("AdditionalFirstCost").additionalFirstCost;
}
double Comparison::NPWSavings() const {
    return available("NPWSavings").npwSavings;
}
double Comparison::IRR() const {
    return available("IRR").irr;
}
double Comparison::BeforeTaxIRR() const {
    return available("BeforeTaxIRR").beforeTaxIrr;
}
double Comparison::AIRR() const {
    return available("AIRR").airr;
}
double Comparison::PaybackYears() const {
    return available("PaybackYears").paybackYears;
}
double Comparison::SIR(int16_t y) const {
    return at(ComparisonSeries::SIR, y, "SIR");
}
double Comparison::AddInvCostAt(int16_t y) const {
    return at(ComparisonSeries::AddInvCost, y, "AddInvCostAt");
}
double Comparison::CumAddInvCostAt(int16_t y) const {
    return at(ComparisonSeries::CumAddInvCost, y, "CumAddInvCostAt");
}
double Comparison::OpCostSavingsAt(int16_t y) const {
    return at(ComparisonSeries::OpCostSavings, y, "OpCostSavingsAt");
}
double Comparison::CumOpCostSavingsAt(int16_t y) const {
    return at(ComparisonSeries::CumOpCostSavings, y, "CumOpCostSavingsAt");
}
double Comparison::NPWSavingsAt(int16_t y) const {
    return at(ComparisonSeries::NPWSavings, y, "NPWSavingsAt");
}

}  // namespace tavlo
