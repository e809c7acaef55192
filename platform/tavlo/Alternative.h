#pragma once
// The engine's alternative: stores the inputs its setters receive and serves the
// results Calculate leaves in it.

#include <string_view>
#include <vector>

#include "AlternativeInputs.h"
#include "AlternativeResults.h"
#include "ErrorReporter.h"
#include "tavlo/IAlternative.h"

namespace tavlo {

class Alternative final : public IAlternative {
  public:
    explicit Alternative(const ErrorReporter& errors) : errors_(&errors) {}

    int16_t Number() const override { return number_; }
    void setNumber(int16_t number) override { number_ = number; }

    void setInvestmentCost(int16_t item, double cost) override;
    void setInvestmentYear(int16_t item, int16_t year) override;
    void setInvestmentEscalation(int16_t item, double rate) override;
    void setTaxExempt(int16_t item, bool exempt) override;
    void setDepreciationMethod(int16_t item, int16_t method) override;
    void setDepreciationLife(int16_t item, int16_t years) override;
    void setUsefulLife(int16_t item, int16_t years) override;
    void setSalvage(int16_t item, double salvage) override;
    void setLoanRate(int16_t item, double rate) override;
    void setLoanFraction(int16_t item, double fraction) override;
    void setPaymentPlan(int16_t item, int16_t plan) override;
    void setLoanTerm(int16_t item, int16_t years) override;
    void setAnnualCost(int16_t item, double cost) override;
    void setAnnualStartYear(int16_t item, int16_t year) override;
    void setAnnualYears(int16_t item, int16_t years) override;
    void setAnnualEscalation(int16_t item, double rate) override;
    void setOtherCost(int16_t item, double cost) override;
    void setOtherStartYear(int16_t item, int16_t year) override;
    void setOtherTimes(int16_t item, int16_t times) override;
    void setOtherInterval(int16_t item, int16_t years) override;
    void setOtherEscalation(int16_t item, double rate) override;

    int16_t Rank() const override;
    double TotalPresentWorth() const override;
    double BeforeTaxTPW() const override;
    double FirstCost() const override;
    double AnnualOperatingCost() const override;

    double CashInvestmentAt(int16_t year) const override;
    double LoanPrincipalAt(int16_t year) const override;
    double LoanInterestAt(int16_t year) const override;
    double TotalInvestmentAt(int16_t year) const override;
    double AnnualOpCostAt(int16_t year) const override;
    double NonAnnualOpCostAt(int16_t year) const override;
    double TotalOpCostAt(int16_t year) const override;
    double BeforeTaxCashFlowAt(int16_t year) const override;
    double NetIncomeAt(int16_t year) const override;
    double DepreciationAt(int16_t year) const override;
    double TaxableIncomeAt(int16_t year) const override;
    double TaxAt(int16_t year) const override;
    double AfterTaxCashFlowAt(int16_t year) const override;
    double BookValueAt(int16_t year) const override;
    double PWInvestmentAt(int16_t year) const override;
    double PWOpCostAt(int16_t year) const override;
    double PWCashFlowAt(int16_t year) const override;

    // For the engine.
    const AlternativeInputs& inputs() const { return inputs_; }
    AlternativeResults& results() { return results_; }
    const AlternativeResults& results() const { return results_; }

  private:
    template <typename Item>
    Item& item(std::vector<Item>& list, int16_t index, std::string_view method);
    double checked(double value, std::string_view method) const;
    const AlternativeResults& available(std::string_view method) const;
    double at(Series series, int16_t year, std::string_view method) const;

    const ErrorReporter* errors_;
    int16_t number_ = 0;
    AlternativeInputs inputs_;
    AlternativeResults results_;
};

}  // namespace tavlo
