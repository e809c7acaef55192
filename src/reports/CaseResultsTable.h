#pragma once
// The list of design cases with their results that the life-cycle summary
// (table 2) and the present worth profiles report share: name, short name,
// total present worth (after tax, and before tax, for private studies with
// income taxes), annual operating cost and first cost of each case.

#include <cstdint>
#include <string>
#include <vector>

#include "reports/ReportInputs.h"
#include "reports/ResultTable.h"

namespace qvc::reports {

struct CaseResultsLayout {
    std::vector<std::string> headers;
    std::vector<ResultColumn> columns;
};

// Six columns with `withTaxes` (after- and before-tax present worth), five
// otherwise; every money header names the currency.
CaseResultsLayout caseResultsLayout(const ReportInputs& in, bool withTaxes);

// The cells of the case at `position` in the results, in the layout's order.
std::vector<std::string> caseResultsRow(const ReportInputs& in, int16_t position, bool withTaxes);

}  // namespace qvc::reports
