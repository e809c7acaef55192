// Investment items and their loans (part "inv" of the engine assignment).

#include <algorithm>

#include "calc/EngineAssignment.h"
#include "calc/SalvageLimit.h"

namespace qvc::calc {
namespace {

constexpr double kMaxAmount = 9999999;
constexpr double kMaxRatePercent = 50;
constexpr double kMaxLoanPercent = 100;
constexpr double kMaxDepreciationLife = 50;

}  // namespace

void EngineAssignment::investments(int16_t position) {
    const int16_t type = typeOfAnalysis();
    const int16_t years = analysisLength();
    tavlo::IAlternative& alt = alternative(position);
    if (isSimpleFamily(type))
        simpleInvestment(alt, years);
    else
        fullInvestments(alt, years, type);
}

// The simple family uses the first investment item and the first loan only;
// year, escalation, taxes and depreciation are fixed and the item lasts the
// whole study.
void EngineAssignment::simpleInvestment(tavlo::IAlternative& alt, int16_t years) {
    const ResourceTexts& res = state_.res;
    const auto& inv = state_.arrInvCosts;
    if (inv.isDimensioned()) {
        const rt::Value& cost = inv(2, 1);
        if (inRange(cost, -kMaxAmount, kMaxAmount,
                    {res.gXstrDCTableInvCosts, 1, res.gXstrDCColCost}))
            alt.setInvestmentCost(1, cost.toDouble());
        alt.setInvestmentYear(1, 0);
        alt.setInvestmentEscalation(1, 0.0);
        alt.setTaxExempt(1, false);
        alt.setDepreciationMethod(1, 0);
        alt.setDepreciationLife(1, 2);
        alt.setUsefulLife(1, years);
        const rt::Value& salvage = inv(9, 1);
        if (inRange(salvage, 0.0, numberOf(cost),
                    {res.gXstrDCTableInvCosts, 1, res.gXstrDCColSalvageValue}))
            alt.setSalvage(1, salvage.toDouble());
    }

    const auto& loan = state_.arrLoan;
    if (loan.isDimensioned()) {
        const rt::Value& rate = loan(6, 1);
        if (inRange(rate, 0.0, kMaxRatePercent,
                    {res.gXstrDCTableLoan, 1, res.gXstrDCColInterestRate}))
            alt.setLoanRate(1, rate.toDouble() / 100.0);
        const rt::Value& share = loan(4, 1);
        if (inRange(share, 0.0, kMaxLoanPercent,
                    {res.gXstrDCTableLoan, 1, res.gXstrDCColPercentFinanced}))
            alt.setLoanFraction(1, share.toDouble() / 100.0);
        alt.setPaymentPlan(1, 0);
        // A one-year term is always possible, even for a loan taken in the last year.
        const rt::Value& term = loan(5, 1);
        Bound longest;
        if (auto loanYear = numberOf(loan(3, 1)))
            longest = std::max(1.0, years - *loanYear);
        if (inRange(term, 1.0, longest, {res.gXstrDCTableLoan, 1, res.gXstrDCColTermOfLoan}))
            alt.setLoanTerm(1, term.toInt16());
    } else {
        alt.setLoanRate(1, 0.0);
        alt.setLoanFraction(1, 0.0);
        alt.setPaymentPlan(1, 0);
        alt.setLoanTerm(1, 1);
    }
}

void EngineAssignment::fullInvestments(tavlo::IAlternative& alt, int16_t years, int16_t type) {
    const auto& inv = state_.arrInvCosts;
    if (!inv.isDimensioned())
        return;
    for (long j = 1; j <= inv.ubound(2); ++j) {
        const int16_t item = itemIndex(j);
        itemPurchase(alt, item, j, years);
        itemTaxTreatment(alt, item, j, type);
        itemDisposal(alt, item, j, years);
        loanForItem(alt, item, numberOf(inv(3, j)), years);
    }
}

// Cost, year of purchase and escalation of the investment item in row j.
void EngineAssignment::itemPurchase(tavlo::IAlternative& alt, int16_t item, long j, int16_t years) {
    const ResourceTexts& res = state_.res;
    const auto& inv = state_.arrInvCosts;
    const rt::Value& cost = inv(2, j);
    if (inRange(cost, -kMaxAmount, kMaxAmount, {res.gXstrDCTableInvCosts, j, res.gXstrDCColCost}))
        alt.setInvestmentCost(item, cost.toDouble());

    const rt::Value& year = inv(3, j);
    if (inRange(year, 0.0, static_cast<double>(years),
                {res.gXstrDCTableInvCosts, j, res.gXstrDCColYear}))
        alt.setInvestmentYear(item, year.toInt16());

    const rt::Value& escalation = inv(4, j);
    if (inRange(escalation, 0.0, kMaxRatePercent,
                {res.gXstrDCTableInvCosts, j, res.gXstrDCColEscRate}))
        alt.setInvestmentEscalation(item, escalation.toDouble() / 100.0);
}

// Only the private-sector analysis deals with taxes and depreciation; the
// public-sector one ignores whatever the case stored for them.
void EngineAssignment::itemTaxTreatment(tavlo::IAlternative& alt, int16_t item, long j,
                                        int16_t type) {
    if (type == 1) {
        alt.setTaxExempt(item, false);
        alt.setDepreciationMethod(item, 0);
        alt.setDepreciationLife(item, 2);
        return;
    }
    const ResourceTexts& res = state_.res;
    const auto& inv = state_.arrInvCosts;
    alt.setTaxExempt(item, inv(5, j).toBool());
    alt.setDepreciationMethod(item, inv(6, j).toInt16());
    const rt::Value& depLife = inv(7, j);
    if (inRange(depLife, 2.0, kMaxDepreciationLife,
                {res.gXstrDCTableInvCosts, j, res.gXstrDCColDepLife}))
        alt.setDepreciationLife(item, depLife.toInt16());
}

// Useful life and salvage value: the item must be disposed of within the
// study, and its salvage value stays within the limit its cost, escalation,
// year and life allow.
void EngineAssignment::itemDisposal(tavlo::IAlternative& alt, int16_t item, long j, int16_t years) {
    const ResourceTexts& res = state_.res;
    const auto& inv = state_.arrInvCosts;
    const std::optional<double> buyYear = numberOf(inv(3, j));
    const rt::Value& usefulLife = inv(8, j);
    Bound longestLife;
    if (buyYear)
        longestLife = std::max(0.0, years - *buyYear);
    if (inRange(usefulLife, 0.0, longestLife, {res.gXstrDCTableInvCosts, j, res.gXstrDCColUseLife}))
        alt.setUsefulLife(item, usefulLife.toInt16());

    const rt::Value& salvage = inv(9, j);
    Bound limit;
    const std::optional<double> c = numberOf(inv(2, j));
    const std::optional<double> e = numberOf(inv(4, j));
    const std::optional<double> n = numberOf(usefulLife);
    if (c && e && buyYear && n)
        limit = salvageLimit(*c, *e / 100.0, *buyYear, *n);
    if (inRange(salvage, 0.0, limit, {res.gXstrDCTableInvCosts, j, res.gXstrDCColSalvageValue}))
        alt.setSalvage(item, salvage.toDouble());
}

// Every loan taken in the item's year is applied in turn, so the last one
// wins; an item without a loan gets the zero loan.
void EngineAssignment::loanForItem(tavlo::IAlternative& alt, int16_t item,
                                   std::optional<double> itemYear, int16_t years) {
    const ResourceTexts& res = state_.res;
    const auto& loan = state_.arrLoan;
    bool matched = false;
    if (loan.isDimensioned()) {
        for (long k = 1; k <= loan.ubound(2); ++k) {
            const std::optional<double> loanYear = numberOf(loan(3, k));
            if (!itemYear || !loanYear || *loanYear != *itemYear)
                continue;
            matched = true;
            const rt::Value& rate = loan(6, k);
            if (inRange(rate, 0.0, kMaxRatePercent,
                        {res.gXstrDCTableLoan, k, res.gXstrDCColInterestRate}))
                alt.setLoanRate(item, rate.toDouble() / 100.0);
            const rt::Value& share = loan(4, k);
            if (inRange(share, 0.0, kMaxLoanPercent,
                        {res.gXstrDCTableLoan, k, res.gXstrDCColPercentFinanced}))
                alt.setLoanFraction(item, share.toDouble() / 100.0);
            alt.setPaymentPlan(item, loan(7, k).toInt16());
            const rt::Value& term = loan(5, k);
            if (inRange(term, 1.0, years - *loanYear,
                        {res.gXstrDCTableLoan, k, res.gXstrDCColTermOfLoan}))
                alt.setLoanTerm(item, term.toInt16());
        }
    }
    if (!matched) {
        alt.setLoanRate(item, 0.0);
        alt.setLoanFraction(item, 0.0);
        alt.setPaymentPlan(item, 0);
        alt.setLoanTerm(item, 0);
    }
}

}  // namespace qvc::calc
