// A host: creates a project, adds a study and two design cases, calculates the
// study and writes its reports.  Usage: qvc-embed-example PROJECT_DIR REPORT_DIR
#include <filesystem>
#include <iostream>

#include "qvc/InstalledFiles.h"
#include "qvc/ProjectDatabase.h"
#include "qvc/ReportOutput.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"

qvc::cDesignCase designCase(const char* title, double firstCost, double energyPerYear) {
    qvc::cDesignCase c;
    c.CaseTitle = c.CaseShortTitle = title;
    c.AnalysisType = 1, c.Lifecycle = 10;  // public sector, ten years
    c.setInvItemName(1, "Equipment"), c.setInvCost(1, firstCost);
    c.setAnnOpCostName(1, "Energy"), c.setAnnOpCost(1, energyPerYear);
    c.setAnnOpCostStartYear(1, 1), c.setAnnOpCostNumYears(1, 10);
    return c;
}

int main(int argc, char** argv) {
    if (argc != 3)
        return std::cerr << "usage: " << argv[0] << " PROJECT_DIR REPORT_DIR\n", 2;
    std::filesystem::create_directories(argv[1]), std::filesystem::create_directories(argv[2]);
    qvc::ResManager().SetResourceDB(qvc::ShippedResourceDB());
    qvc::SetReportFolder(std::filesystem::absolute(argv[2]).string());
    if (auto err = qvc::CreateProjectDatabase(qvc::ProjectDatabaseFile(argv[1])); !err.empty())
        return std::cerr << err << "\n", 1;

    qvc::cORVProject project;
    project.setWorkPath(argv[1], "", "");
    qvc::cStudy study;
    study.StudyTitle = "Boiler replacement", study.CurSymbol = "$", study.BaseYear = 2026;
    study.TypeOfAnalysis = 1, study.Lifecycle = 10, study.DiscountRate = 5.0;
    project.addStudyDetails(study);
    const auto id = static_cast<int16_t>(project.LastAddedStudyID());
    project.addCaseDetails(id, designCase("Standard boiler", 100000, 10000));
    project.addCaseDetails(id, designCase("Condensing boiler", 150000, 4000));
    if (!project.getErrorMsg().empty())
        return std::cerr << project.getErrorMsg() << "\n", 1;

    qvc::cORVCalculator calc;
    calc.StudyID = id, calc.sReportTypes = "SI-DC-LS-AD-CF-TPW-ACF";
    if (!calc.PerformCalc() || !calc.BuildReports())
        return std::cerr << calc.getErrorMsg() << "\n", 1;
    const auto& cases = calc.objLifeCycle->Alternatives();
    for (int16_t i = 1; i <= cases.Count(); ++i)
        std::cout << "case " << i << " total present worth " << std::fixed
                  << cases.Item(i).TotalPresentWorth() << "\n";
}
