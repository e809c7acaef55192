#include "Alternative.h"

#include <fmt/format.h>

#include "qvc/runtime/ErrorNumbers.h"

namespace tavlo {

namespace {
constexpr std::string_view kClass = "Alternative";
}

template <typename Item>
Item& Alternative::item(std::vector<Item>& list, int16_t index, std::string_view method) {
    errors_->checkIndex(index, kMaxItems, "Item", kClass, method);
    if (list.size() < static_cast<std::size_t>(index)) {
        list.resize(static_cast<std::size_t>(index));
    }
    return list[static_cast<std::size_t>(index) - 1];
}

double Alternative::checked(double value, std::string_view method) const {
    errors_->checkFinite(value, kClass, method);
    return value;
}

void Alternative::setInvestmentCost(int16_t i, double v) {
    item(inputs_.investments, i, "InvestmentCost").cost = checked(v, "InvestmentCost");
}
void Alternative::setInvestmentYear(int16_t i, int16_t v) {
    item(inputs_.investments, i, "InvestmentYear").year = v;
}
void Alternative::setInvestmentEscalation(int16_t i, double v) {
    item(inputs_.investments, i, "InvestmentEscalation").escalation =
        checked(v, "InvestmentEscalation");
}
void Alternative::setTaxExempt(int16_t i, bool v) {
    item(inputs_.investments, i, "TaxExempt").taxExempt = v;
}
void Alternative::setDepreciationMethod(int16_t i, int16_t v) {
    item(inputs_.investments, i, "DepreciationMethod").depreciationMethod = v;
}
void Alternative::setDepreciationLife(int16_t i, int16_t v) {
    item(inputs_.investments, i, "DepreciationLife").depreciationLife = v;
}
void Alternative::setUsefulLife(int16_t i, int16_t v) {
    item(inputs_.investments, i, "UsefulLife").usefulLife = v;
}
void Alternative::setSalvage(int16_t i, double v) {
    item(inputs_.investments, i, "Salvage").salvage = checked(v, "Salvage");
}
void Alternative::setLoanRate(int16_t i, double v) {
    item(inputs_.investments, i, "LoanRate").loanRate = checked(v, "LoanRate");
}
void Alternative::setLoanFraction(int16_t i, double v) {
    item(inputs_.investments, i, "LoanFraction").loanFraction = checked(v, "LoanFraction");
}
void Alternative::setPaymentPlan(int16_t i, int16_t v) {
    item(inputs_.investments, i, "PaymentPlan").paymentPlan = v;
}
void Alternative::setLoanTerm(int16_t i, int16_t v) {
    item(inputs_.investments, i, "LoanTerm").loanTerm = v;
}
void Alternative::setAnnualCost(int16_t i, double v) {
    item(inputs_.annual, i, "AnnualCost").cost = checked(v, "AnnualCost");
}
void Alternative::setAnnualStartYear(int16_t i, int16_t v) {
    item(inputs_.annual, i, "AnnualStartYear").startYear = v;
}
void Alternative::setAnnualYears(int16_t i, int16_t v) {
    item(inputs_.annual, i, "AnnualYears").years = v;
}
void Alternative::setAnnualEscalation(int16_t i, double v) {
    item(inputs_.annual, i, "AnnualEscalation").escalation = checked(v, "AnnualEscalation");
}
void Alternative::setOtherCost(int16_t i, double v) {
    item(inputs_.other, i, "OtherCost").cost = checked(v, "OtherCost");
}
void Alternative::setOtherStartYear(int16_t i, int16_t v) {
    item(inputs_.other, i, "OtherStartYear").startYear = v;
}
void Alternative::setOtherTimes(int16_t i, int16_t v) {
    item(inputs_.other, i, "OtherTimes").times = v;
}
void Alternative::setOtherInterval(int16_t i, int16_t v) {
    item(inputs_.other, i, "OtherInterval").interval = v;
}
void Alternative::setOtherEscalation(int16_t i, double v) {
    item(inputs_.other, i, "OtherEscalation").escalation = checked(v, "OtherEscalation");
}

const AlternativeResults& Alternative::available(std::string_view method) const {
    if (!results_.available) {
        errors_->raise(qvc::rt::err::kInvalidProcedureCall,
                       "No results yet: Calculate has not run successfully", kClass, method);
    }
    return results_;
}

double Alternative::at(Series series, int16_t year, std::string_view method) const {
    const AlternativeResults& r = available(method);
    if (year < 0 || year > r.period) {
        errors_->raise(qvc::rt::err::kSubscriptOutOfRange,
                       fmt::format("Year {} is outside 0..{}", year, r.period), kClass, method);
    }
    return r.series(series)[year];
}

int16_t Alternative::Rank() const {
    return available("Rank").rank;
}
double Alternative::TotalPresentWorth() const {
    return available("TotalPresentWorth").totalPresentWorth;
}
double Alternative::BeforeTaxTPW() const {
    return available("BeforeTaxTPW").beforeTaxTPW;
}
double Alternative::FirstCost() const {
    return available("FirstCost").firstCost;
}
double Alternative::AnnualOperatingCost() const {
    return available("AnnualOperatingCost").annualOperatingCost;
}

double Alternative::CashInvestmentAt(int16_t y) const {
    return at(Series::CashInvestment, y, "CashInvestmentAt");
}
double Alternative::LoanPrincipalAt(int16_t y) const {
    return at(Series::LoanPrincipal, y, "LoanPrincipalAt");
}
double Alternative::LoanInterestAt(int16_t y) const {
    return at(Series::LoanInterest, y, "LoanInterestAt");
}
double Alternative::TotalInvestmentAt(int16_t y) const {
    return at(Series::TotalInvestment, y, "TotalInvestmentAt");
}
double Alternative::AnnualOpCostAt(int16_t y) const {
    return at(Series::AnnualOpCost, y, "AnnualOpCostAt");
}
double Alternative::NonAnnualOpCostAt(int16_t y) const {
    return at(Series::NonAnnualOpCost, y, "NonAnnualOpCostAt");
}
double Alternative::TotalOpCostAt(int16_t y) const {
    return at(Series::TotalOpCost, y, "TotalOpCostAt");
}
double Alternative::BeforeTaxCashFlowAt(int16_t y) const {
    return at(Series::BeforeTaxCashFlow, y, "BeforeTaxCashFlowAt");
}
double Alternative::NetIncomeAt(int16_t y) const {
    return at(Series::NetIncome, y, "NetIncomeAt");
}
double Alternative::DepreciationAt(int16_t y) const {
    return at(Series::Depreciation, y, "DepreciationAt");
}
double Alternative::TaxableIncomeAt(int16_t y) const {
    return at(Series::TaxableIncome, y, "TaxableIncomeAt");
}
double Alternative::TaxAt(int16_t y) const {
    return at(Series::Tax, y, "TaxAt");
}
double Alternative::AfterTaxCashFlowAt(int16_t y) const {
    return at(Series::AfterTaxCashFlow, y, "AfterTaxCashFlowAt");
}
double Alternative::BookValueAt(int16_t y) const {
    return at(Series::BookValue, y, "BookValueAt");
}
double Alternative::PWInvestmentAt(int16_t y) const {
    return at(Series::PWInvestment, y, "PWInvestmentAt");
}
double Alternative::PWOpCostAt(int16_t y) const {
    return at(Series::PWOpCost, y, "PWOpCostAt");
}
double Alternative::PWCashFlowAt(int16_t y) const {
    return at(Series::PWCashFlow, y, "PWCashFlowAt");
}

}  // namespace tavlo
