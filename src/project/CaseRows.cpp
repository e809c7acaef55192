#include "project/CaseRows.h"

#include "qvc/runtime/BasicString.h"

namespace qvc {

using rt::Value;

const CaseListInfo& caseListInfo(CaseList list) {
    static const CaseListInfo infos[] = {
        {CaseList::Investment, cDesignCase::kInvestments, "tblInvestmentCost", "iInvestmentCostId"},
        {CaseList::Loan, cDesignCase::kLoans, "tblLoanDetails", "iLoanDetailsId"},
        {CaseList::Annual, cDesignCase::kAnnualCosts, "tblAnnualOPCost", "iAnnualOpCostId"},
        {CaseList::Other, cDesignCase::kOtherCosts, "tblOtherOPCost", "iOtherOpCostId"},
    };
    return infos[static_cast<int>(list)];
}

namespace {

std::string rowName(const cDesignCase& c, CaseList list, int16_t i) {
    switch (list) {
        case CaseList::Investment:
            return c.InvItemName(i);
        case CaseList::Loan:
            return c.LoanItemName(i);
        case CaseList::Annual:
            return c.AnnOpCostName(i);
        case CaseList::Other:
            return c.OtherOpCostName(i);
    }
    return {};
}

double rowAmount(const cDesignCase& c, CaseList list, int16_t i) {
    switch (list) {
        case CaseList::Investment:
            return c.InvCost(i);
        case CaseList::Loan:
            return c.LoanPercent(i);
        case CaseList::Annual:
            return c.AnnOpCost(i);
        case CaseList::Other:
            return c.OtherOpCost(i);
    }
    return 0.0;
}

}  // namespace

bool rowHasNameOrAmount(const cDesignCase& c, CaseList list, int16_t i) {
    return !rt::Trim(rowName(c, list, i)).empty() || rowAmount(c, list, i) != 0.0;
}

bool rowHasAmount(const cDesignCase& c, CaseList list, int16_t i) {
    return rowAmount(c, list, i) != 0.0;
}

int32_t rowKey(const cDesignCase& c, CaseList list, int16_t i) {
    switch (list) {
        case CaseList::Investment:
            return c.InvItemPK(i);
        case CaseList::Loan:
            return c.LoanItemPK(i);
        case CaseList::Annual:
            return c.AnnItemPK(i);
        case CaseList::Other:
            return c.OtherItemPK(i);
    }
    return 0;
}

void writeCaseRow(dao::Recordset& rs, const cDesignCase& c, CaseList list, int16_t i,
                  int32_t caseId) {
    switch (list) {
        case CaseList::Investment:
            rs.setField("sInvItemName", Value(c.InvItemName(i)));
            rs.setField("dInvCost", Value(c.InvCost(i)));
            rs.setField("nInvYear", Value(c.InvYear(i)));
            rs.setField("dInvEscRate", Value(c.InvEscRate(i)));
            rs.setField("bInvTaxExempt", Value(c.InvTaxExempt(i)));
            rs.setField("nInvDepMethod", Value(c.InvDepMethod(i)));
            rs.setField("nInvDepLife", Value(c.InvDepLife(i)));
            rs.setField("nInvUsefulLife", Value(c.InvUsefulLife(i)));
            rs.setField("dInvSalvage", Value(c.SalvageValue(i)));
            break;
        case CaseList::Loan:
            rs.setField("sLoanItemName", Value(c.LoanItemName(i)));
            rs.setField("dInvStartYear", Value(c.LoanTotlaInvest(i)));
            rs.setField("nLoanYear", Value(c.LoanYear(i)));
            rs.setField("dLoanPercent", Value(c.LoanPercent(i)));
            rs.setField("nLoanTerm", Value(c.LoanTerm(i)));
            rs.setField("dLoanIntRate", Value(c.LoanIntRate(i)));
            rs.setField("nLoanPayPlan", Value(c.LoanPayPlan(i)));
            break;
        case CaseList::Annual:
            rs.setField("sAnnOpCostName", Value(c.AnnOpCostName(i)));
            rs.setField("dAnnOpCost", Value(c.AnnOpCost(i)));
            rs.setField("nAnnOpCostStartYear", Value(c.AnnOpCostStartYear(i)));
            rs.setField("nAnnOpCostNumYears", Value(c.AnnOpCostNumYears(i)));
            rs.setField("dAnnOpCostEscRate", Value(c.AnnOpCostEscRate(i)));
            break;
        case CaseList::Other:
            rs.setField("sOtherOpCostName", Value(c.OtherOpCostName(i)));
            rs.setField("dOtherOpCost", Value(c.OtherOpCost(i)));
            rs.setField("nOtherOpCostStartYear", Value(c.OtherOpCostStartYear(i)));
            rs.setField("nOtherOpCostTimes", Value(c.OtherOpCostTimes(i)));
            rs.setField("nOtherOpCostInterval", Value(c.OtherOpCostInterval(i)));
            rs.setField("dOtherOpCostEscRate", Value(c.OtherOpCostEscRate(i)));
            break;
    }
    rs.setField("iCaseId", Value(caseId));
}

void readCaseRow(cDesignCase& c, CaseList list, int16_t i, const rt::DynArray2<Value>& a) {
    switch (list) {
        case CaseList::Investment:
            c.setInvItemName(i, a(1, i).toText());
            c.setInvCost(i, a(2, i).toDouble());
            c.setInvYear(i, a(3, i).toInt16());
            c.setInvEscRate(i, a(4, i).toDouble());
            c.setInvTaxExempt(i, a(5, i).toBool());
            c.setInvDepMethod(i, a(6, i).toInt16());
            c.setInvDepLife(i, a(7, i).toInt16());
            c.setInvUsefulLife(i, a(8, i).toInt16());
            c.setSalvageValue(i, a(9, i).toDouble());
            c.setInvItemPK(i, a(10, i).toInt32());
            break;
        case CaseList::Loan:
            c.setLoanItemName(i, a(1, i).toText());
            c.setLoanTotlaInvest(i, a(2, i).toDouble());
            c.setLoanYear(i, a(3, i).toInt16());
            c.setLoanPercent(i, a(4, i).toDouble());
            c.setLoanTerm(i, a(5, i).toInt16());
            c.setLoanIntRate(i, a(6, i).toDouble());
            c.setLoanPayPlan(i, a(7, i).toInt16());
            c.setLoanItemPK(i, a(8, i).toInt32());
            break;
        case CaseList::Annual:
            c.setAnnOpCostName(i, a(1, i).toText());
            c.setAnnOpCost(i, a(2, i).toDouble());
            c.setAnnOpCostStartYear(i, a(3, i).toInt16());
            c.setAnnOpCostNumYears(i, a(4, i).toInt16());
            c.setAnnOpCostEscRate(i, a(5, i).toDouble());
            c.setAnnItemPK(i, a(6, i).toInt32());
            break;
        case CaseList::Other:
            c.setOtherOpCostName(i, a(1, i).toText());
            c.setOtherOpCost(i, a(2, i).toDouble());
            c.setOtherOpCostStartYear(i, a(3, i).toInt16());
            c.setOtherOpCostTimes(i, a(4, i).toInt16());
            c.setOtherOpCostInterval(i, a(5, i).toInt16());
            c.setOtherOpCostEscRate(i, a(6, i).toDouble());
            c.setOtherItemPK(i, a(7, i).toInt32());
            break;
    }
}

}  // namespace qvc
