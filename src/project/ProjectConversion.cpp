// Analysis type conversion of cORVProject: rewrites every design case of a
// study so that its item lists suit the new type of analysis.
//
// The types 0 and 1 work with the full lists: the first rows get default
// names and attributes. The types 2 and 3 work with one investment, one loan,
// two annual costs (energy and maintenance) and no other costs: each list is
// consolidated into its first row(s) and the rest is cleared, so that the
// write-back deletes the cleared rows.

#include <cmath>
#include <optional>

#include "common/ThreadState.h"
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

// The names the conversion gives the first rows, from the loaded resource texts.
struct DefaultNames {
    std::string investment;
    std::string loan;
    std::string energy;
    std::string maintenance;
};

DefaultNames defaultNames() {
    const ResourceTexts& res = threadState().res;
    DefaultNames names;
    names.investment = res.gXstrDCInitialInvCost;
    // The loan text reads "On Loan" or the like; the row is named from its
    // fourth character on.
    names.loan = rt::Mid(res.gXstrASCIILoanPrincipal, 4);
    names.energy = res.gXstrEnergy;
    names.maintenance = res.gXstrMaintenance;
    return names;
}

// A double sum that overflowed fails the conversion, as the arithmetic of the
// original number type would.
double checkedSum(double sum) {
    if (std::isinf(sum) || std::isnan(sum))
        throw rt::Error(rt::err::kOverflow, "Overflow");
    return sum;
}

void clearInvestment(cDesignCase& c, int16_t i, int16_t L) {
    c.setInvItemName(i, "");
    c.setInvCost(i, 0.0);
    c.setInvYear(i, 0);
    c.setInvEscRate(i, 0.0);
    c.setInvTaxExempt(i, false);
    c.setInvDepMethod(i, 0);
    c.setInvDepLife(i, 10);
    c.setInvUsefulLife(i, L);
    c.setSalvageValue(i, 0.0);
}

void clearLoan(cDesignCase& c, int16_t i) {
    c.setLoanItemName(i, "");
    c.setLoanYear(i, 0);
    c.setLoanPercent(i, 0.0);
    c.setLoanTerm(i, 10);
    c.setLoanIntRate(i, 0.0);
    c.setLoanPayPlan(i, 0);
    c.setLoanTotlaInvest(i, 0.0);
}

void clearAnnual(cDesignCase& c, int16_t i, int16_t L) {
    c.setAnnOpCostName(i, "");
    c.setAnnOpCost(i, 0.0);
    c.setAnnOpCostStartYear(i, 1);
    c.setAnnOpCostNumYears(i, L);
    c.setAnnOpCostEscRate(i, 0.0);
}

void clearOther(cDesignCase& c, int16_t i) {
    c.setOtherOpCostName(i, "");
    c.setOtherOpCost(i, 0.0);
    c.setOtherOpCostStartYear(i, 1);
    c.setOtherOpCostTimes(i, 1);
    c.setOtherOpCostInterval(i, 1);
    c.setOtherOpCostEscRate(i, 0.0);
}

// Types 0 and 1: default names and attributes for the first rows; every
// other value keeps what the case held.
void applyFullListRules(cDesignCase& c, int16_t L, const DefaultNames& names) {
    c.setInvItemName(1, names.investment);
    c.setInvYear(1, 0);
    c.setInvEscRate(1, 0.0);
    c.setInvTaxExempt(1, false);
    c.setInvDepMethod(1, 0);
    c.setInvDepLife(1, 2);
    c.setInvUsefulLife(1, L);

    c.setLoanItemName(1, names.loan);
    c.setLoanTotlaInvest(1, c.InvCost(1));
    if (c.LoanPercent(1) == 0.0)
        c.setLoanTerm(1, 1);
    c.setLoanYear(1, 0);
    c.setLoanPayPlan(1, 0);

    c.setAnnOpCostName(1, names.energy);
    c.setAnnOpCostStartYear(1, 1);
    c.setAnnOpCostNumYears(1, L);

    c.setAnnOpCostName(2, names.maintenance);
    c.setAnnOpCostStartYear(2, 1);
    c.setAnnOpCostNumYears(2, L);
}

// True when loan row k holds anything: a stored row, a name or any amount.
bool isEnteredLoan(const cDesignCase& c, int16_t k) {
    return c.LoanItemPK(k) != 0 || !rt::Trim(c.LoanItemName(k)).empty() ||
           c.LoanPercent(k) != 0.0 || c.LoanTerm(k) != 0 || c.LoanIntRate(k) != 0.0 ||
           c.LoanTotlaInvest(k) != 0.0 || c.LoanPayPlan(k) != 0;
}

// Investments made in year 0 with a positive cost become one investment.
void mergeSimpleInvestment(cDesignCase& c, int16_t L, const DefaultNames& names) {
    double cost = 0.0;
    double salvage = 0.0;
    for (int16_t j = 1; j <= cDesignCase::kInvestments; ++j) {
        if (c.InvYear(j) == 0 && c.InvCost(j) > 0.0) {
            cost = checkedSum(cost + c.InvCost(j));
            salvage = checkedSum(salvage + c.SalvageValue(j));
        }
    }
    c.setInvItemName(1, names.investment);
    c.setInvCost(1, cost);
    c.setInvYear(1, 0);
    c.setInvEscRate(1, 0.0);
    c.setInvTaxExempt(1, false);
    c.setInvDepMethod(1, 0);
    c.setInvDepLife(1, 10);
    c.setInvUsefulLife(1, L);
    c.setSalvageValue(1, salvage);
}

// The first loan taken in year 0 becomes the only loan. A row the case never
// filled also reads year 0, but it is no loan: a case without loans gets the
// cleared loan row (term 10), not a term of 0 that no calculation accepts.
void keepFirstSimpleLoan(cDesignCase& c, const DefaultNames& names) {
    std::optional<int16_t> first;
    for (int16_t k = 1; k <= cDesignCase::kLoans && !first; ++k) {
        if (c.LoanYear(k) == 0 && isEnteredLoan(c, k))
            first = k;
    }
    if (!first) {
        clearLoan(c, 1);
        c.setLoanItemName(1, names.loan);
        return;
    }
    const int16_t k = *first;
    const double percent = c.LoanPercent(k);
    const int16_t term = c.LoanTerm(k);
    const double rate = c.LoanIntRate(k);
    const int16_t plan = c.LoanPayPlan(k);
    const double total = c.LoanTotlaInvest(k);
    c.setLoanItemName(1, names.loan);
    c.setLoanYear(1, 0);
    c.setLoanPercent(1, percent);
    c.setLoanTerm(1, term);
    c.setLoanIntRate(1, rate);
    c.setLoanPayPlan(1, plan);
    c.setLoanTotlaInvest(1, total);
}

// Annual costs that start in year 1 become one energy cost with their mean
// escalation.
void mergeSimpleAnnualCosts(cDesignCase& c, int16_t L, const DefaultNames& names) {
    double annual = 0.0;
    double escalation = 0.0;
    int count = 0;
    for (int16_t j = 1; j <= cDesignCase::kAnnualCosts; ++j) {
        if (c.AnnOpCostStartYear(j) == 1) {
            annual = checkedSum(annual + c.AnnOpCost(j));
            escalation = checkedSum(escalation + c.AnnOpCostEscRate(j));
            ++count;
        }
    }
    c.setAnnOpCostName(1, names.energy);
    c.setAnnOpCost(1, annual);
    c.setAnnOpCostStartYear(1, 1);
    c.setAnnOpCostNumYears(1, L);
    c.setAnnOpCostEscRate(1, escalation != 0.0 ? escalation / count : 0.0);
}

// Types 2 and 3: the first row of each list is worked out from the case as
// read, then every later row is cleared.
void applySimpleListRules(cDesignCase& c, int16_t L, const DefaultNames& names) {
    mergeSimpleInvestment(c, L, names);
    keepFirstSimpleLoan(c, names);
    mergeSimpleAnnualCosts(c, L, names);
    clearOther(c, 1);

    // Row 2: only the named maintenance cost remains.
    clearInvestment(c, 2, L);
    clearLoan(c, 2);
    clearAnnual(c, 2, L);
    c.setAnnOpCostName(2, names.maintenance);
    clearOther(c, 2);

    for (int16_t i = 3; i <= cDesignCase::kInvestments; ++i) {
        clearInvestment(c, i, L);
        clearAnnual(c, i, L);
        clearOther(c, i);
    }
    for (int16_t i = 3; i <= cDesignCase::kLoans; ++i)
        clearLoan(c, i);
}

}  // namespace

// All cases are converted in one transaction: when one cannot be read or
// written, none is changed.
void cORVProject::ChangeAnalysisType(int16_t TypeOfAnalysis, int16_t iStudyID, int16_t iLifecycle) {
    ProjectOperation op(*this, "ChangeAnalysisType");
    try {
        if (!op.openForWrite())
            return;
        rt::DynArray<int16_t> caseIds;
        db().getCaseIDs(iStudyID, caseIds);
        if (!db().ErrorText().empty()) {
            m_sErrMsg = db().ErrorText();
            return;
        }
        const DefaultNames names = defaultNames();
        if (IsArrayDimensioned(caseIds)) {
            for (long i = caseIds.lbound(); i <= caseIds.ubound(); ++i) {
                const int16_t caseId = caseIds(i);
                cDesignCase c;
                getCaseDetails(iStudyID, caseId, c);
                if (!op.ok())
                    return;
                if (TypeOfAnalysis == 0 || TypeOfAnalysis == 1) {
                    applyFullListRules(c, iLifecycle, names);
                } else if (TypeOfAnalysis == 2 || TypeOfAnalysis == 3) {
                    applySimpleListRules(c, iLifecycle, names);
                }
                updateCaseDetails(iStudyID, caseId, c);
                if (!op.ok())
                    return;
            }
        }
        op.close();
        notifyChanged();
    } catch (...) {
        op.fail();
        CloseDatabase();
    }
}

}  // namespace qvc
