#pragma once
// A list row of a design case as one text "name|cost|...", so that tests compare whole rows.

#include <sstream>
#include <string>

#include "qvc/cDesignCase.h"

namespace qvc::test {

template <typename... Fields>
std::string joinedFields(const Fields&... fields) {
    std::ostringstream out;
    out.precision(15);
    const char* separator = "";
    ((out << separator << fields, separator = "|"), ...);
    return out.str();
}

// name|cost|year|escalation|tax exempt|depreciation method|depreciation life|useful life|salvage
inline std::string investmentRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.InvItemName(i), c.InvCost(i), c.InvYear(i), c.InvEscRate(i),
                        c.InvTaxExempt(i), c.InvDepMethod(i), c.InvDepLife(i), c.InvUsefulLife(i),
                        c.SalvageValue(i));
}

inline std::string annualRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.AnnOpCostName(i), c.AnnOpCost(i), c.AnnOpCostStartYear(i),
                        c.AnnOpCostNumYears(i), c.AnnOpCostEscRate(i));
}

inline std::string otherRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.OtherOpCostName(i), c.OtherOpCost(i), c.OtherOpCostStartYear(i),
                        c.OtherOpCostTimes(i), c.OtherOpCostInterval(i), c.OtherOpCostEscRate(i));
}

inline std::string loanRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.LoanItemName(i), c.LoanYear(i), c.LoanPercent(i), c.LoanTerm(i),
                        c.LoanIntRate(i), c.LoanPayPlan(i), c.LoanTotlaInvest(i));
}

}  // namespace qvc::test
