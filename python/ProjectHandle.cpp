#include "ProjectHandle.h"

#include <fmt/format.h>
#include <pybind11/stl.h>

#include <filesystem>
#include <pugixml.hpp>
#include <sstream>

#include "JsonBridge.h"
#include "JsonRecords.h"
#include "StudyConversion.h"

namespace qvc::py {

namespace pyb = pybind11;
using cli::toId;

ProjectHandle::ProjectHandle(const std::string& path, bool create)
    : dir_(std::filesystem::absolute(path).lexically_normal().string()) {
    if (create)
        cli::createProjectFolder(dir_);
    open();
}

cli::ProjectSession ProjectHandle::open() const {
    std::ostringstream notices;
    cli::ProjectSession session(dir_, notices);
    if (!notices.str().empty() && PyErr_WarnEx(PyExc_UserWarning, notices.str().c_str(), 1) != 0)
        throw pyb::error_already_set();
    return session;
}

std::string ProjectHandle::summary(cli::ProjectSession& session, int studyId) const {
    std::string markup;
    session.project().getProjectDetails(markup, studyId == 0 ? int16_t{0} : toId(studyId, "study"));
    session.check("listing the project");
    return markup;
}

std::vector<int> ProjectHandle::studies() const {
    cli::ProjectSession session = open();
    pugi::xml_document doc;
    doc.load_string(summary(session, 0).c_str());
    std::vector<int> ids;
    for (const auto& study : doc.child("project").children("study"))
        ids.push_back(study.attribute("Id").as_int());
    return ids;
}

std::vector<int> ProjectHandle::cases(int studyId) const {
    cli::ProjectSession session = open();
    session.study(studyId);
    pugi::xml_document doc;
    doc.load_string(summary(session, studyId).c_str());
    std::vector<int> ids;
    for (const auto& c : doc.child("project").child("study").children("case"))
        ids.push_back(c.attribute("id").as_int());
    return ids;
}

int ProjectHandle::addStudy(const pyb::handle& record) {
    const cStudy s = cli::studyFromJson(jsonFromPython(record, "study"));
    cli::ProjectSession session = open();
    session.project().addStudyDetails(s);
    session.check("adding the study");
    return session.project().LastAddedStudyID();
}

pyb::object ProjectHandle::study(int studyId) const {
    cli::ProjectSession session = open();
    return pythonFromJson(cli::studyToJson(session.study(studyId)));
}

void ProjectHandle::updateStudy(int studyId, const pyb::handle& record) {
    const cStudy s = cli::studyFromJson(jsonFromPython(record, "study"));
    cli::ProjectSession session = open();
    session.study(studyId);
    session.project().updateStudyDetails(studyId, s);
    session.check(fmt::format("updating study {}", studyId));
}

int ProjectHandle::copyStudy(int studyId) {
    cli::ProjectSession session = open();
    session.study(studyId);
    std::string markup;
    const bool ok = session.project().DuplicateStudy(toId(studyId, "study"), markup);
    session.check(fmt::format("copying study {}", studyId));
    if (!ok)
        throw cli::CommandError(fmt::format("copying study {} was not complete", studyId));
    return session.project().LastAddedStudyID();
}

void ProjectHandle::deleteStudy(int studyId) {
    cli::ProjectSession session = open();
    session.study(studyId);
    std::string unused;
    session.project().DeleteStudy(toId(studyId, "study"), unused);
    session.check(fmt::format("deleting study {}", studyId));
}

void ProjectHandle::convert(int studyId, int type) {
    cli::ProjectSession session = open();
    cli::convertStudy(session, studyId, type);
}

int ProjectHandle::addCase(int studyId, const pyb::handle& record) {
    const nlohmann::ordered_json j = jsonFromPython(record, "case");
    cli::ProjectSession session = open();
    const cDesignCase c = cli::caseForStudy(session, studyId, j);
    session.project().addCaseDetails(toId(studyId, "study"), c);
    session.check("adding the case");
    return session.project().LastAddedCaseID();
}

pyb::object ProjectHandle::designCase(int studyId, int caseId) const {
    cli::ProjectSession session = open();
    return pythonFromJson(cli::caseToJson(session.designCase(studyId, caseId)));
}

void ProjectHandle::updateCase(int studyId, int caseId, const pyb::handle& record) {
    const nlohmann::ordered_json j = jsonFromPython(record, "case");
    cli::ProjectSession session = open();
    const cDesignCase c = cli::caseForStudy(session, studyId, j);
    session.designCase(studyId, caseId);
    session.project().updateCaseDetails(studyId, caseId, c);
    session.check(fmt::format("updating case {}", caseId));
}

int ProjectHandle::transferCase(int studyId, int caseId, const char* action, int toStudy) {
    cli::ProjectSession session = open();
    session.designCase(studyId, caseId);
    session.study(toStudy);
    std::string markup;
    const bool ok = session.project().DuplicateCase(toId(studyId, "study"), toId(caseId, "case"),
                                                    action, markup, toId(toStudy, "study"));
    session.check(std::string(action) == "M" ? "moving the case" : "copying the case");
    if (!ok)
        throw cli::CommandError("the case was not completely copied or moved");
    return session.project().LastAddedCaseID();
}

int ProjectHandle::copyCase(int studyId, int caseId, std::optional<int> toStudy) {
    return transferCase(studyId, caseId, "D", toStudy.value_or(studyId));
}

void ProjectHandle::moveCase(int studyId, int caseId, int toStudy) {
    transferCase(studyId, caseId, "M", toStudy);
}

void ProjectHandle::deleteCase(int studyId, int caseId) {
    cli::ProjectSession session = open();
    session.designCase(studyId, caseId);
    std::string unused;
    session.project().DeleteCase(toId(studyId, "study"), toId(caseId, "case"), unused);
    session.check(fmt::format("deleting case {}", caseId));
}

}  // namespace qvc::py
