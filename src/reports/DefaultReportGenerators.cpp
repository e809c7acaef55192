#include "reports/ReportGenerator.h"
#include "reports/cRptASCIICashFlow.h"
#include "reports/cRptAnalysisDetails.h"
#include "reports/cRptCashFlows.h"
#include "reports/cRptLifeCycleSummary.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc {

// Each result report returns its class from its factory here, for example
//   generators.lifeCycleSummary = [] { return std::make_unique<cRptLifeCycleSummary>(); };
// Until a report is written its factory stays empty and its document carries
// the page frame and the general information only.
ReportGenerators defaultReportGenerators() {
    ReportGenerators generators;
    generators.lifeCycleSummary = [] { return std::make_unique<cRptLifeCycleSummary>(); };
    generators.analysisDetails = [] { return std::make_unique<cRptAnalysisDetails>(); };
    generators.cashFlows = [] { return std::make_unique<cRptCashFlows>(); };
    generators.totPresWorthProfiles = [] { return std::make_unique<cRptTotPresWorthProfiles>(); };
    generators.asciiCashFlow = [] { return std::make_unique<cRptASCIICashFlow>(); };
    return generators;
}

}  // namespace qvc
