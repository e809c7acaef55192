#include "ReportCommands.h"

#include <filesystem>
#include <iostream>

#include "ProjectSession.h"
#include "ViewerSetup.h"
#include "qvc/cORVCalculator.h"
#include "qvc/ui/Services.h"

namespace qvc::cli {

namespace {

int16_t actionFor(const ReportOptions& options) {
    return options.print ? 1 : 0;
}

void prepareOutput(const ReportOptions& options) {
    std::error_code ec;
    std::filesystem::create_directories(options.outDir, ec);
    if (ec)
        throw CommandError("cannot create the output folder " + options.outDir + ": " +
                           ec.message());
    ui::Services::setOutputFolder(std::filesystem::absolute(options.outDir));
}

void listOutput(const ReportOptions& options) {
    for (const auto& entry : std::filesystem::directory_iterator(options.outDir))
        std::cout << entry.path().string() << "\n";
}

}  // namespace

int calculate(const std::string& dir, int studyId, const std::string& reportTypes,
              const ReportOptions& options) {
    ProjectSession session(dir);
    session.study(studyId);
    prepareOutput(options);
    ViewerSetup viewerSetup(options);
    cORVCalculator calc;
    calc.StudyID = toId(studyId, "study");
    calc.sReportTypes = reportTypes;
    const bool calculated = calc.PerformCalc();
    const std::string error = calc.getErrorMsg();
    const int16_t status = calc.ReturnError();
    const bool built = calc.BuildReports(actionFor(options));
    if (!options.print && !options.view)
        listOutput(options);
    if (calculated && built)
        return 0;
    if (calculated) {
        // The failure itself has been shown by the message box.
        std::cerr << "qvc: the study was calculated, but its reports could not be "
                  << (options.print ? "printed" : "written") << "\n";
        return 1;
    }
    std::cerr << "qvc: the study was not calculated (status " << status << ")";
    if (calc.ReturnERRDC() != 0)
        std::cerr << ", design case " << calc.ReturnERRDC();
    if (!error.empty())
        std::cerr << ": " << error;
    std::cerr << "\n";
    return built ? 3 : 1;
}

int inputReports(const std::string& dir, int studyId, int caseId, const ReportOptions& options) {
    ProjectSession session(dir);
    const cStudy study = session.study(studyId);
    if (caseId != 0)
        session.designCase(studyId, caseId);
    prepareOutput(options);
    ViewerSetup viewerSetup(options);
    session.project().InputReports(toId(studyId, "study"), study.TypeOfAnalysis,
                                   caseId == 0 ? int16_t{0} : toId(caseId, "case"),
                                   actionFor(options));
    session.check("building the input reports");
    if (!options.print && !options.view)
        listOutput(options);
    return 0;
}

}  // namespace qvc::cli
