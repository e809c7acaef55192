#pragma once
// The design case inputs report (codes "DC1", "DC2"): the cost-item tables of
// one design case (its snapshot: investment items, loans, annual and other
// operating costs). cRptBuilder walks the case snapshots, writes each case's
// general lines and calls these only for lists that have items.
//
// "DC1" (types of analysis 0 and 1) writes the detailed tables: investment (9
// columns when the study considers income taxes, 6 otherwise), loan, annual and
// other operating costs, one row per item under a shaded header row. "DC2"
// (simple analyses) writes two short label/value tables: the initial investment
// with its first loan, and the energy and maintenance costs.
//
// Each table operation catches its own failure and writes the failure note
// ("<table title> could not be generated.", the error and the procedure) in
// place of the table; it never throws.

#include <string>
#include <utility>
#include <vector>

#include "common/CaseSnapshot.h"
#include "qvc/document/DocumentObject.h"
#include "reports/ReportInputs.h"

namespace qvc {

class cRptDesignCaseInputs {
  public:
    // The tables of `designCase`; both outlive this object.
    cRptDesignCaseInputs(const ReportInputs& inputs, const CaseSnapshot& designCase)
        : in_(inputs), case_(designCase) {}
    cRptDesignCaseInputs(ReportInputs&&, const CaseSnapshot&) = delete;

    void setInvCostTable(doc::DocumentObject& docs, const std::string& subCode);
    void setLoanTable(doc::DocumentObject& docs);
    void setAnnualCost(doc::DocumentObject& docs, const std::string& subCode);
    void setNONAnnualCost(doc::DocumentObject& docs);

  private:
    void failed(doc::DocumentObject& docs, const std::string& title, const char* procedure) const;
    std::string rateText(const rt::Value& value) const;
    std::vector<std::pair<std::string, std::string>> shortInvestmentRows() const;
    std::vector<std::pair<std::string, std::string>> shortAnnualRows() const;

    const ReportInputs& in_;
    const CaseSnapshot& case_;
};

}  // namespace qvc
