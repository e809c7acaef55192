#include "ProjectCommands.h"

#include <filesystem>
#include <iomanip>
#include <iostream>
#include <pugixml.hpp>

#include "JsonRecords.h"
#include "ProjectSession.h"
#include "qvc/InstalledFiles.h"
#include "qvc/ProjectDatabase.h"
#include "qvc/runtime/BasicString.h"

namespace qvc::cli {

int initProject(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        throw CommandError("cannot create the folder " + dir + ": " + ec.message());
    const std::string file = ProjectDatabaseFile(dir);
    if (std::filesystem::exists(file))
        throw CommandError(file + " already exists; nothing was changed");
    std::string err = CreateProjectDatabase(file);
    if (!err.empty())
        throw CommandError("creating " + file + " failed: " + err);
    // The texts of reports and messages travel with the project.
    std::filesystem::copy_file(ShippedResourceDB(), std::filesystem::path(dir) / kResourceDbName,
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        throw CommandError(std::string("copying the resource database failed: ") + ec.message());
    std::cout << file << "\n";
    return 0;
}

int addStudy(const std::string& dir, const std::string& jsonFile) {
    cStudy s = studyFromJson(readJsonFile(jsonFile));
    ProjectSession session(dir);
    session.project().addStudyDetails(s);
    session.check("adding the study");
    std::cout << session.project().LastAddedStudyID() << "\n";
    return 0;
}

int showStudy(const std::string& dir, int studyId) {
    ProjectSession session(dir);
    std::cout << studyToJson(session.study(studyId)).dump(2) << "\n";
    return 0;
}

int updateStudy(const std::string& dir, int studyId, const std::string& jsonFile) {
    cStudy s = studyFromJson(readJsonFile(jsonFile));
    ProjectSession session(dir);
    session.study(studyId);
    session.project().updateStudyDetails(studyId, s);
    session.check("updating study " + std::to_string(studyId));
    return 0;
}

namespace {

// A case read from JSON, with the type, life cycle and study the JSON leaves
// out taken from the study, as a host fills them.
cDesignCase caseForStudy(ProjectSession& session, int studyId, const std::string& jsonFile) {
    CaseScalarsPresent present;
    cDesignCase c = caseFromJson(readJsonFile(jsonFile), &present);
    cStudy s = session.study(studyId);
    if (!present.analysisType)
        c.AnalysisType = s.TypeOfAnalysis;
    if (!present.lifecycle)
        c.Lifecycle = s.Lifecycle;
    if (!present.studyId)
        c.StudyID = static_cast<int16_t>(studyId);
    return c;
}

}  // namespace

int addCase(const std::string& dir, int studyId, const std::string& jsonFile) {
    ProjectSession session(dir);
    cDesignCase c = caseForStudy(session, studyId, jsonFile);
    session.project().addCaseDetails(toId(studyId, "study"), c);
    session.check("adding the case");
    std::cout << session.project().LastAddedCaseID() << "\n";
    return 0;
}

int showCase(const std::string& dir, int studyId, int caseId) {
    ProjectSession session(dir);
    std::cout << caseToJson(session.designCase(studyId, caseId)).dump(2) << "\n";
    return 0;
}

int updateCase(const std::string& dir, int studyId, int caseId, const std::string& jsonFile) {
    ProjectSession session(dir);
    cDesignCase c = caseForStudy(session, studyId, jsonFile);
    session.designCase(studyId, caseId);
    session.project().updateCaseDetails(studyId, caseId, c);
    session.check("updating case " + std::to_string(caseId));
    return 0;
}

int countRecords(const std::string& dir, std::optional<int> studyId) {
    ProjectSession session(dir);
    int16_t n =
        session.project().chkMaxStudyAndCase(studyId ? toId(*studyId, "study") : int16_t{0});
    session.check("counting");
    std::cout << n << "\n";
    return 0;
}

namespace {

// The summary escapes "&", "<" and "'" for the host's parser; undo it for people.
std::string unescapeSummaryText(const std::string& s) {
    return rt::Replace(rt::Replace(rt::Replace(s, "\u00AB", "&"), "\u00AC", "<"), "~", "'");
}

void printSummaryTable(const std::string& markup) {
    pugi::xml_document doc;
    if (!doc.load_string(markup.c_str()))
        throw CommandError("the project summary could not be read");
    static const char* analysis[] = {"private sector", "public sector", "simple payback",
                                     "simple cash flow"};
    for (const auto& study : doc.child("project").children("study")) {
        const int type = study.attribute("TypeofAnalysis").as_int();
        std::cout << "Study " << study.attribute("Id").value() << ": "
                  << unescapeSummaryText(study.attribute("StudyTitle").value()) << "\n"
                  << "  " << (type >= 0 && type <= 3 ? analysis[type] : "unknown type") << ", "
                  << (study.attribute("TypeOfAlternatives").as_int() == 1 ? "independent"
                                                                          : "mutually exclusive")
                  << " alternatives, " << study.attribute("LifeCycle").value() << " years, "
                  << (study.attribute("bTaxChecked").as_int() == 1 ? "with" : "without")
                  << " income taxes, "
                  << "currency " << unescapeSummaryText(study.attribute("CurSymbol").value())
                  << "\n";
        for (const auto& c : study.children("case"))
            std::cout << "  " << std::setw(6) << c.attribute("id").value() << "  "
                      << unescapeSummaryText(c.text().get()) << "\n";
    }
}

}  // namespace

int listProject(const std::string& dir, std::optional<int> studyId, bool table) {
    ProjectSession session(dir);
    std::string markup;
    session.project().getProjectDetails(markup, studyId ? toId(*studyId, "study") : int16_t{0});
    session.check("listing the project");
    if (table) {
        printSummaryTable(markup);
    } else {
        std::cout << markup << "\n";
    }
    return 0;
}

int copyStudy(const std::string& dir, int studyId) {
    ProjectSession session(dir);
    std::string markup;
    const bool ok = session.project().DuplicateStudy(toId(studyId, "study"), markup);
    session.check("copying study " + std::to_string(studyId));
    if (!ok)
        throw CommandError("copying study " + std::to_string(studyId) + " was not complete");
    std::cout << markup << "\n";
    return 0;
}

int deleteStudy(const std::string& dir, int studyId) {
    ProjectSession session(dir);
    session.study(studyId);
    std::string unused;
    session.project().DeleteStudy(toId(studyId, "study"), unused);
    session.check("deleting study " + std::to_string(studyId));
    return 0;
}

int copyOrMoveCase(const std::string& dir, int studyId, int caseId, const std::string& action,
                   int toStudy) {
    ProjectSession session(dir);
    session.designCase(studyId, caseId);
    session.study(toStudy);
    std::string markup;
    const bool ok = session.project().DuplicateCase(toId(studyId, "study"), toId(caseId, "case"),
                                                    action, markup, toId(toStudy, "study"));
    session.check(action == "M" ? "moving the case" : "copying the case");
    if (!ok)
        throw CommandError("the case was not completely copied or moved");
    std::cout << markup << "\n";
    return 0;
}

int deleteCase(const std::string& dir, int studyId, int caseId) {
    ProjectSession session(dir);
    session.designCase(studyId, caseId);
    std::string unused;
    session.project().DeleteCase(toId(studyId, "study"), toId(caseId, "case"), unused);
    session.check("deleting case " + std::to_string(caseId));
    return 0;
}

}  // namespace qvc::cli
