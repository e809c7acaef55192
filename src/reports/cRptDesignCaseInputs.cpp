#include "reports/cRptDesignCaseInputs.h"

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "reports/DesignCaseTables.h"
#include "reports/ReportLines.h"

namespace qvc {

namespace {

constexpr const char* kClass = "cRptDesignCaseInputs";

using reports::CellKind;
using reports::cellText;
using reports::moneyText;
using reports::withCurrency;
using Rows = std::vector<std::pair<std::string, std::string>>;

void failed(doc::DocumentObject& docs, const std::string& title, const char* procedure) {
    reports::writeFailureNote(docs, title + " " + texts().gXstrCanNotGen, procedure, kClass, false);
}

// A rate with two decimals and the percent unit ("6.50 %").
std::string rateText(const rt::Value& value) {
    return reports::formatNumber(value.toDouble(), 2) + " " + texts().gXstrPercentPerYear;
}

// The initial investment and its first loan, for the simple analyses.
Rows shortInvestmentRows() {
    const ThreadState& state = threadState();
    const ResourceTexts& res = texts();
    const bool hasItem = state.arrInvCosts.isDimensioned() && state.arrInvCosts.ubound(2) >= 1;
    const bool hasLoan = state.arrLoan.isDimensioned() && state.arrLoan.ubound(2) >= 1;
    const std::string& na = res.gXstrNA;
    return {
        {withCurrency(res.gXstrDCInitialInvCost),
         hasItem ? moneyText(state.arrInvCosts(2, 1)) : na},
        {res.gXstrDCColPercentFinanced,
         hasLoan ? cellText(state.arrLoan(4, 1), CellKind::Plain) + " " + res.gXstrPercentPerYear
                 : na},
        {res.gXstrDCColTermOfLoan, hasLoan ? cellText(state.arrLoan(5, 1), CellKind::Plain) : na},
        {res.gXstrDCAnnualInterestRate, hasLoan ? rateText(state.arrLoan(6, 1)) : na},
        {withCurrency(res.gXstrDCColSalvageValue),
         hasItem ? moneyText(state.arrInvCosts(9, 1)) : na},
    };
}

// Energy (annual item 1) and maintenance (annual item 2), for the simple analyses.
Rows shortAnnualRows() {
    const auto& items = threadState().arrAnOpCost;
    const ResourceTexts& res = texts();
    const long count = items.ubound(2);
    Rows rows = {{withCurrency(res.gXstrDCAnnualEngCost), ""},
                 {res.gXstrDCEngCostEscRate, ""},
                 {withCurrency(res.gXstrDCAnnMaintainCost), ""},
                 {res.gXstrDCMaintainCostEscRate, ""}};
    if (count >= 1) {
        rows[0].second = moneyText(items(2, 1));
        rows[1].second = rateText(items(5, 1));
    }
    if (count >= 2) {
        rows[2].second = moneyText(items(2, 2));
        rows[3].second = rateText(items(5, 2));
    }
    return rows;
}

}  // namespace

void cRptDesignCaseInputs::setInvCostTable(doc::DocumentObject& docs, const std::string& subCode) {
    const std::string& title = texts().gXstrDCTableInvCosts;
    try {
        if (subCode == "DC1")
            reports::writeDetailedTable(docs, title, reports::detailedColumns("Inv"),
                                        threadState().arrInvCosts);
        else
            reports::writeShortTable(docs, title, shortInvestmentRows());
    } catch (...) {
        failed(docs, title, "setInvCostTable");
    }
}

void cRptDesignCaseInputs::setLoanTable(doc::DocumentObject& docs) {
    const std::string& title = texts().gXstrDCTableLoan;
    try {
        reports::writeDetailedTable(docs, title, reports::detailedColumns("Loan"),
                                    threadState().arrLoan);
    } catch (...) {
        failed(docs, title, "setLoanTable");
    }
}

void cRptDesignCaseInputs::setAnnualCost(doc::DocumentObject& docs, const std::string& subCode) {
    const std::string& title = texts().gXstrDCTableOpCost;
    try {
        if (subCode == "DC1")
            reports::writeDetailedTable(docs, title, reports::detailedColumns("Ann"),
                                        threadState().arrAnOpCost);
        else
            reports::writeShortTable(docs, title, shortAnnualRows());
    } catch (...) {
        failed(docs, title, "setAnnualCost");
    }
}

void cRptDesignCaseInputs::setNONAnnualCost(doc::DocumentObject& docs) {
    const std::string& title = texts().gXstrDCTableNonOpCost;
    try {
        reports::writeDetailedTable(docs, title, reports::detailedColumns("Other"),
                                    threadState().arrOtherCost);
    } catch (...) {
        failed(docs, title, "setNONAnnualCost");
    }
}

}  // namespace qvc
