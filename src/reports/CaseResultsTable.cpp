#include "reports/CaseResultsTable.h"

#include "qvc/runtime/BasicString.h"
#include "reports/MoneyText.h"
#include "reports/ResultCases.h"

namespace qvc::reports {

CaseResultsLayout caseResultsLayout(const ReportInputs& in, bool withTaxes) {
    const ResourceTexts& res = in.texts;
    CaseResultsLayout layout;
    layout.headers = {rt::Trim(res.gXstrColDesignCaseName),
                      rt::Trim(res.gXstrColDesignCaseShortName)};
    if (withTaxes) {
        layout.headers.push_back(moneyHeader(in, res.gXstrLSColAfterTaxTPW));
        layout.headers.push_back(moneyHeader(in, res.gXstrLSColBeforeTaxTPW));
        layout.columns = {{2.0f, true},  {1.1f, true},  {1.1f, false},
                          {1.1f, false}, {1.1f, false}, {1.1f, false}};
    } else {
        layout.headers.push_back(moneyHeader(in, res.gXstrLSColTPW));
        layout.columns = {
            {2.6f, true}, {1.2f, true}, {1.25f, false}, {1.25f, false}, {1.2f, false}};
    }
    layout.headers.push_back(annualMoneyHeader(in, res.gXstrLSColAnOpCost));
    layout.headers.push_back(moneyHeader(in, res.gXstrLSColFirstCost));
    return layout;
}

std::vector<std::string> caseResultsRow(const ReportInputs& in, int16_t position, bool withTaxes) {
    const tavlo::IAlternative& a = resultAlternatives(in).Item(position);
    std::vector<std::string> cells{caseTitle(in, position), caseShortTitle(in, position),
                                   moneyText(in, a.TotalPresentWorth())};
    if (withTaxes)
        cells.push_back(moneyText(in, a.BeforeTaxTPW()));
    cells.push_back(moneyText(in, a.AnnualOperatingCost()));
    cells.push_back(moneyText(in, a.FirstCost()));
    return cells;
}

}  // namespace qvc::reports
