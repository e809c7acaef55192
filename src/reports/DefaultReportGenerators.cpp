#include "reports/ReportGenerator.h"
#include "reports/cRptASCIICashFlow.h"
#include "reports/cRptAnalysisDetails.h"
#include "reports/cRptCashFlows.h"
#include "reports/cRptLifeCycleSummary.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc {

// Each result report returns its class from its factory here, for example
//   generators.lifeCycleSummary = [](const ReportInputs& in) {
//       return std::make_unique<cRptLifeCycleSummary>(in);
//   };
// Until a report is written its factory stays empty and its document carries
// the page frame and the general information only.
ReportGenerators defaultReportGenerators() {
    ReportGenerators generators;
    generators.lifeCycleSummary = [](const ReportInputs& in) {
        return std::make_unique<cRptLifeCycleSummary>(in);
    };
    generators.analysisDetails = [](const ReportInputs& in) {
        return std::make_unique<cRptAnalysisDetails>(in);
    };
    generators.cashFlows = [](const ReportInputs& in) {
        return std::make_unique<cRptCashFlows>(in);
    };
    generators.totPresWorthProfiles = [](const ReportInputs& in) {
        return std::make_unique<cRptTotPresWorthProfiles>(in);
    };
    generators.asciiCashFlow = [](const ReportInputs& in) {
        return std::make_unique<cRptASCIICashFlow>(in);
    };
    return generators;
}

}  // namespace qvc
