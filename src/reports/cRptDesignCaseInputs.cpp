#include "reports/cRptDesignCaseInputs.h"

#include "reports/DesignCaseTables.h"
#include "reports/ReportLines.h"

namespace qvc {

namespace {

constexpr const char* kClass = "cRptDesignCaseInputs";

using reports::CellKind;
using Rows = std::vector<std::pair<std::string, std::string>>;

}  // namespace

void cRptDesignCaseInputs::failed(doc::DocumentObject& docs, const std::string& title,
                                  const char* procedure) const {
    reports::writeFailureNote(docs, in_.texts, title + " " + in_.texts.gXstrCanNotGen, procedure,
                              kClass, false);
}

// A rate with two decimals and the percent unit ("6.50 %").
std::string cRptDesignCaseInputs::rateText(const rt::Value& value) const {
    return reports::formatNumber(value.toDouble(), 2) + " " + in_.texts.gXstrPercentPerYear;
}

// The initial investment and its first loan, for the simple analyses.
Rows cRptDesignCaseInputs::shortInvestmentRows() const {
    const ResourceTexts& res = in_.texts;
    const bool hasItem = case_.Inv.isDimensioned() && case_.Inv.ubound(2) >= 1;
    const bool hasLoan = case_.Loan.isDimensioned() && case_.Loan.ubound(2) >= 1;
    const std::string& na = res.gXstrNA;
    const auto plain = [this](const rt::Value& value) {
        return reports::cellText(in_, value, CellKind::Plain);
    };
    return {
        {reports::withCurrency(in_, res.gXstrDCInitialInvCost),
         hasItem ? reports::moneyText(in_, case_.Inv(2, 1)) : na},
        {res.gXstrDCColPercentFinanced,
         hasLoan ? plain(case_.Loan(4, 1)) + " " + res.gXstrPercentPerYear : na},
        {res.gXstrDCColTermOfLoan, hasLoan ? plain(case_.Loan(5, 1)) : na},
        {res.gXstrDCAnnualInterestRate, hasLoan ? rateText(case_.Loan(6, 1)) : na},
        {reports::withCurrency(in_, res.gXstrDCColSalvageValue),
         hasItem ? reports::moneyText(in_, case_.Inv(9, 1)) : na},
    };
}

// Energy (annual item 1) and maintenance (annual item 2), for the simple analyses.
Rows cRptDesignCaseInputs::shortAnnualRows() const {
    const auto& items = case_.Ann;
    const ResourceTexts& res = in_.texts;
    const long count = items.ubound(2);
    Rows rows = {{reports::withCurrency(in_, res.gXstrDCAnnualEngCost), ""},
                 {res.gXstrDCEngCostEscRate, ""},
                 {reports::withCurrency(in_, res.gXstrDCAnnMaintainCost), ""},
                 {res.gXstrDCMaintainCostEscRate, ""}};
    if (count >= 1) {
        rows[0].second = reports::moneyText(in_, items(2, 1));
        rows[1].second = rateText(items(5, 1));
    }
    if (count >= 2) {
        rows[2].second = reports::moneyText(in_, items(2, 2));
        rows[3].second = rateText(items(5, 2));
    }
    return rows;
}

void cRptDesignCaseInputs::setInvCostTable(doc::DocumentObject& docs, const std::string& subCode) {
    const std::string& title = in_.texts.gXstrDCTableInvCosts;
    try {
        if (subCode == "DC1")
            reports::writeDetailedTable(docs, in_, title, reports::detailedColumns(in_, "Inv"),
                                        case_.Inv, case_.Gen);
        else
            reports::writeShortTable(docs, title, shortInvestmentRows());
    } catch (...) {
        failed(docs, title, "setInvCostTable");
    }
}

void cRptDesignCaseInputs::setLoanTable(doc::DocumentObject& docs) {
    const std::string& title = in_.texts.gXstrDCTableLoan;
    try {
        reports::writeDetailedTable(docs, in_, title, reports::detailedColumns(in_, "Loan"),
                                    case_.Loan, case_.Gen);
    } catch (...) {
        failed(docs, title, "setLoanTable");
    }
}

void cRptDesignCaseInputs::setAnnualCost(doc::DocumentObject& docs, const std::string& subCode) {
    const std::string& title = in_.texts.gXstrDCTableOpCost;
    try {
        if (subCode == "DC1")
            reports::writeDetailedTable(docs, in_, title, reports::detailedColumns(in_, "Ann"),
                                        case_.Ann, case_.Gen);
        else
            reports::writeShortTable(docs, title, shortAnnualRows());
    } catch (...) {
        failed(docs, title, "setAnnualCost");
    }
}

void cRptDesignCaseInputs::setNONAnnualCost(doc::DocumentObject& docs) {
    const std::string& title = in_.texts.gXstrDCTableNonOpCost;
    try {
        reports::writeDetailedTable(docs, in_, title, reports::detailedColumns(in_, "Other"),
                                    case_.Other, case_.Gen);
    } catch (...) {
        failed(docs, title, "setNONAnnualCost");
    }
}

}  // namespace qvc
