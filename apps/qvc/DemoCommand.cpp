#include "DemoCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "JsonRecords.h"
#include "ProjectCommands.h"
#include "ProjectSession.h"
#include "ReportCommands.h"
#include "qvc/InstalledFiles.h"
#include "qvc/ProjectDatabase.h"

namespace qvc::cli {

namespace fs = std::filesystem;

namespace {

// Marks a folder the demo made, so that a later demo may empty it again.
constexpr const char* kDemoMarker = ".qvc-demo";

// True when `folder` is the demo's to empty: made by an earlier demo (it holds
// the marker). Raises CommandError when it is the user's: anything but a
// missing or empty folder without the marker.
bool ownedByDemo(const fs::path& folder) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(folder, ec);
    if (!fs::exists(status))
        return false;
    if (!fs::is_directory(status))
        throw CommandError("\"" + folder.string() +
                           "\" is in the way and was not made by `qvc demo`; it is left as "
                           "it is: choose another output folder");
    if (fs::is_regular_file(fs::symlink_status(folder / kDemoMarker, ec)))
        return true;
    if (!fs::is_empty(folder, ec))
        throw CommandError("\"" + folder.string() +
                           "\" already exists and was not made by `qvc demo`; it is left as "
                           "it is: choose another output folder or remove it yourself");
    return false;
}

// Makes `folder` an empty folder of the demo's own (see ownedByDemo).
void claimFolder(const fs::path& folder) {
    std::error_code ec;
    if (ownedByDemo(folder)) {
        fs::remove_all(folder, ec);
        if (ec)
            throw CommandError("cannot clear \"" + folder.string() + "\": " + ec.message());
    }
    fs::create_directories(folder, ec);
    if (ec)
        throw CommandError("cannot create \"" + folder.string() + "\": " + ec.message());
    std::ofstream marker(folder / kDemoMarker);
    marker << "Made by `qvc demo`: the next `qvc demo` empties this folder.\n";
    if (!marker.flush())
        throw CommandError("cannot write in \"" + folder.string() + "\"");
}

}  // namespace

std::string examplesDir() {
    return ExamplesDirectory();
}

int runDemo(const std::string& outDir) {
    const fs::path example = fs::path(examplesDir()) / "office-hvac";
    const fs::path projectDir = fs::path(outDir) / "Office HVAC project";
    const fs::path reportDir = fs::path(outDir) / "reports";
    // Both folders are checked before either is emptied.
    ownedByDemo(reportDir);
    claimFolder(projectDir);
    initProject(projectDir.string());
    // The example is prepared by a fictitious firm unless the user names one.
    setenv("QVC_COMPANY", "example engineering associates", 0);

    ProjectSession session(projectDir.string());
    session.project().addStudyDetails(
        studyFromJson(readJsonFile((example / "study.json").string())));
    session.check("adding the example study");
    const int studyId = session.project().LastAddedStudyID();
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
        std::cout << "  case " << session.project().LastAddedCaseID() << ": " << c.CaseTitle
                  << "\n";
    }
    std::cout << "Project: " << ProjectDatabaseFile(projectDir.string()) << "\n\n";
    listProject(projectDir.string(), std::nullopt, true);

    ReportOptions options;
    claimFolder(reportDir);
    options.outDir = reportDir.string();
    std::cout << "\n";  // the answer, then the reports under their heading
    return calculate(projectDir.string(), studyId, "SI-DC-LS-AD-CF-TPW-ACF", options);
}

void addDemoCommand(CLI::App& app, std::function<int()>& run) {
    auto outDir = std::make_shared<std::string>("demo-output");
    auto* demo = app.add_subcommand("demo", "create the bundled example project and run it");
    demo->add_option("OUTDIR", *outDir, "folder for the project and its reports");
    demo->callback([outDir, &run] { run = [outDir] { return runDemo(*outDir); }; });
}

}  // namespace qvc::cli
