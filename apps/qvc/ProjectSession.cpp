#include "ProjectSession.h"

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>
#include <limits>

#include "JsonRecords.h"

#include "qvc/InstalledFiles.h"
#include "qvc/ProjectDatabase.h"
#include "qvc/ResManager.h"

namespace qvc::cli {

int recordNumber(const std::string& record) {
    const int number = std::atoi(record.c_str());
    return number != 0 ? number : kErrInvalidArgument;
}

std::string recordDescription(const std::string& record) {
    const size_t start = record.find('#');
    if (start == std::string::npos)
        return record;
    const size_t end = record.find('#', start + 1);
    return record.substr(start + 1, end == std::string::npos ? end : end - start - 1);
}

int16_t toId(int id, const char* what) {
    if (id < 1 || id > std::numeric_limits<int16_t>::max())
        throw CommandError(fmt::format("{} ID {} is outside 1..32767", what, id),
                           kErrInvalidArgument);
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

std::string createProjectFolder(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        throw CommandError("cannot create the folder " + dir + ": " + ec.message(), kErrPathAccess);
    const std::string file = ProjectDatabaseFile(dir);
    if (std::filesystem::exists(file))
        throw CommandError(file + " already exists; nothing was changed", kErrFileExists);
    std::string err = CreateProjectDatabase(file);
    if (!err.empty())
        throw CommandError("creating " + file + " failed: " + err, recordNumber(err),
                           recordDescription(err));
    // The texts of reports and messages travel with the project.
    std::filesystem::copy_file(ShippedResourceDB(), std::filesystem::path(dir) / kResourceDbName,
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        throw CommandError(std::string("copying the resource database failed: ") + ec.message(),
                           kErrPathAccess);
    return file;
}

ProjectSession::ProjectSession(const std::string& dir, std::ostream& notices)
    : resourcesNamed_(nameResources(dir)), project_(std::make_unique<cORVProject>()) {
    if (!std::filesystem::is_regular_file(ProjectDatabaseFile(dir)))
        throw CommandError("no project in " + dir + " (run `qvc init " + dir + "` first)",
                           kErrFileNotFound, "no project in " + dir);
    const std::string textsProblem = project_->getErrorMsg();
    if (!textsProblem.empty() && resourceDbFor(dir) != ShippedResourceDB()) {
        // A project made by an older qvc keeps an older copy of the texts,
        // which may lack texts this version's reports need.
        notices << "qvc: the project's own report texts cannot be used (" << textsProblem
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
                             company != nullptr ? company : "", ComponentVersion(),
                             std::filesystem::temp_directory_path().string());
}

void ProjectSession::check(const std::string& what) {
    std::string err = project_->getErrorMsg();
    if (!err.empty())
        throw CommandError(what + " failed: " + err, recordNumber(err), recordDescription(err));
}

cStudy ProjectSession::study(int studyId) {
    const int16_t id = toId(studyId, "study");
    const bool exists = project_->StudyExists(id);
    check(fmt::format("reading study {}", studyId));
    if (!exists)
        throw CommandError(fmt::format("there is no study {}", studyId), kErrNoCurrentRecord);
    cStudy s;
    project_->getStudyDetails(id, s);
    check(fmt::format("reading study {}", studyId));
    return s;
}

cDesignCase caseForStudy(ProjectSession& session, int studyId, const nlohmann::ordered_json& j) {
    CaseScalarsPresent present;
    cDesignCase c = caseFromJson(j, &present);
    cStudy s = session.study(studyId);
    if (!present.analysisType)
        c.AnalysisType = s.TypeOfAnalysis;
    if (!present.lifecycle)
        c.Lifecycle = s.Lifecycle;
    if (!present.studyId)
        c.StudyID = static_cast<int16_t>(studyId);
    return c;
}

cDesignCase ProjectSession::designCase(int studyId, int caseId) {
    cStudy s = study(studyId);
    const bool exists = project_->CaseExists(toId(studyId, "study"), toId(caseId, "case"));
    check(fmt::format("reading case {}", caseId));
    if (!exists)
        throw CommandError(fmt::format("study {} has no case {}", studyId, caseId),
                           kErrNoCurrentRecord);
    cDesignCase c;
    c.AnalysisType = s.TypeOfAnalysis;
    c.Lifecycle = s.Lifecycle;
    c.StudyID = static_cast<int16_t>(studyId);
    project_->getCaseDetails(toId(studyId, "study"), toId(caseId, "case"), c);
    check(fmt::format("reading case {}", caseId));
    return c;
}

}  // namespace qvc::cli
