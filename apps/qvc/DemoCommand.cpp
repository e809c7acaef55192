#include "DemoCommand.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

#include "JsonRecords.h"
#include "ProjectCommands.h"
#include "ProjectSession.h"
#include "ReportCommands.h"
#include "qvc/ProjectDatabase.h"

namespace qvc::cli {

namespace fs = std::filesystem;

std::string examplesDir() {
    if (const char* env = std::getenv("QVC_EXAMPLES_DIR"))
        return env;
    return QVC_EXAMPLES_DIR;
}

int runDemo(const std::string& outDir) {
    const fs::path example = fs::path(examplesDir()) / "office-hvac";
    const fs::path projectDir = fs::path(outDir) / "Office HVAC project";
    std::error_code ec;
    fs::remove_all(projectDir, ec);
    fs::create_directories(projectDir);
    initProject(projectDir.string());
    // The example is prepared by a fictitious firm unless the user names one.
    setenv("QVC_COMPANY", "example engineering associates", 0);

    ProjectSession session(projectDir.string());
    session.project().addStudyDetails(
        studyFromJson(readJsonFile((example / "study.json").string())));
    session.check("adding the example study");
    const int studyId = session.project().GetMaxStudyID();
    const cStudy study = session.study(studyId);

    std::vector<fs::path> caseFiles;
    for (const auto& entry : fs::directory_iterator(example / "cases"))
        if (entry.path().extension() == ".json")
            caseFiles.push_back(entry.path());
    std::sort(caseFiles.begin(), caseFiles.end());
    std::cout << "Study " << studyId << ": " << study.StudyTitle << "\n";
    for (const auto& file : caseFiles) {
        cDesignCase c = caseFromJson(readJsonFile(file.string()));
        c.AnalysisType = study.TypeOfAnalysis;
        c.Lifecycle = study.Lifecycle;
        c.StudyID = static_cast<int16_t>(studyId);
        session.project().addCaseDetails(static_cast<int16_t>(studyId), c);
        session.check("adding " + file.filename().string());
        std::cout << "  case " << session.project().GetMaxCaseID() << ": " << c.CaseTitle << "\n";
    }
    std::cout << "Project: " << ProjectDatabaseFile(projectDir.string()) << "\n\n";
    listProject(projectDir.string(), std::nullopt, true);

    ReportOptions options;
    options.outDir = (fs::path(outDir) / "reports").string();
    fs::remove_all(options.outDir, ec);
    std::cout << "\n";  // the answer, then the reports under their heading
    return calculate(projectDir.string(), studyId, "SI-DC-LS-AD-CF-TPW-ACF", options);
}

}  // namespace qvc::cli
