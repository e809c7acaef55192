#include "ProjectSession.h"

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>

#include "qvc/InstalledFiles.h"
#include "qvc/ProjectDatabase.h"
#include "qvc/ResManager.h"

namespace qvc::cli {

int16_t toId(int id, const char* what) {
    if (id < 1 || id > std::numeric_limits<int16_t>::max())
        throw CommandError(fmt::format("{} ID {} is outside 1..32767", what, id));
    return static_cast<int16_t>(id);
}

std::string resourceDbFor(const std::string& dir) {
    const auto own = std::filesystem::path(dir) / kResourceDbName;
    if (std::filesystem::is_regular_file(own))
        return own.string();
    return ShippedResourceDB();
}

bool nameResources(const std::string& dir) {
    ResManager res;
    const std::string db = resourceDbFor(dir);
    res.SetResourceDB(db);
    res.SetHelpFile(ShippedHelpFile());
    return std::filesystem::is_regular_file(db);
}

ProjectSession::ProjectSession(const std::string& dir)
    : resourcesNamed_(nameResources(dir)), project_(std::make_unique<cORVProject>()) {
    if (!std::filesystem::is_regular_file(ProjectDatabaseFile(dir)))
        throw CommandError("no project in " + dir + " (run `qvc init " + dir + "` first)");
    const std::string textsProblem = project_->getErrorMsg();
    if (!textsProblem.empty() && resourceDbFor(dir) != ShippedResourceDB()) {
        // A project made by an older qvc keeps an older copy of the texts,
        // which may lack texts this version's reports need.
        std::cerr << "qvc: the project's own report texts cannot be used (" << textsProblem
                  << "); using the texts that came with qvc\n";
        ResManager res;
        res.SetResourceDB(ShippedResourceDB());
        project_ = std::make_unique<cORVProject>();
    }
    project_->setWorkPath(dir, "", "");
    // What the page header and footer of every report show: the project (its
    // folder's name), who prepared it, and this program.
    const std::filesystem::path folder = std::filesystem::absolute(dir);
    const char* company = std::getenv("QVC_COMPANY");
    project_->setProjectPath(folder.string(), folder.filename().string(), "QVComponents17",
                             company != nullptr ? company : "", QVC_VERSION,
                             std::filesystem::temp_directory_path().string());
}

void ProjectSession::check(const std::string& what) {
    std::string err = project_->getErrorMsg();
    if (!err.empty())
        throw CommandError(what + " failed: " + err);
}

cStudy ProjectSession::study(int studyId) {
    const int16_t id = toId(studyId, "study");
    const bool exists = project_->StudyExists(id);
    check(fmt::format("reading study {}", studyId));
    if (!exists)
        throw CommandError(fmt::format("there is no study {}", studyId));
    cStudy s;
    project_->getStudyDetails(id, s);
    check(fmt::format("reading study {}", studyId));
    return s;
}

cDesignCase ProjectSession::designCase(int studyId, int caseId) {
    cStudy s = study(studyId);
    const bool exists = project_->CaseExists(toId(studyId, "study"), toId(caseId, "case"));
    check(fmt::format("reading case {}", caseId));
    if (!exists)
        throw CommandError(fmt::format("study {} has no case {}", studyId, caseId));
    cDesignCase c;
    c.AnalysisType = s.TypeOfAnalysis;
    c.Lifecycle = s.Lifecycle;
    c.StudyID = static_cast<int16_t>(studyId);
    project_->getCaseDetails(toId(studyId, "study"), toId(caseId, "case"), c);
    check(fmt::format("reading case {}", caseId));
    return c;
}

}  // namespace qvc::cli
