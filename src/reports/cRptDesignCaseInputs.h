#pragma once
// The design case inputs report (codes "DC1", "DC2"): the cost-item tables of
// the design case loaded in the thread's case arrays (arrInvCosts, arrLoan,
// arrAnOpCost, arrOtherCost). cRptBuilder walks the case snapshots, writes each
// case's general lines and calls these only for lists that have items.
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

#include "qvc/document/DocumentObject.h"

namespace qvc {

class cRptDesignCaseInputs {
  public:
    void setInvCostTable(doc::DocumentObject& docs, const std::string& subCode);
    void setLoanTable(doc::DocumentObject& docs);
    void setAnnualCost(doc::DocumentObject& docs, const std::string& subCode);
    void setNONAnnualCost(doc::DocumentObject& docs);
};

}  // namespace qvc
