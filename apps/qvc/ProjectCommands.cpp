#include "ProjectCommands.h"

#include <fmt/format.h>

#include <iostream>
#include <memory>
#include <pugixml.hpp>

#include "JsonRecords.h"
#include "ProjectSession.h"
#include "qvc/runtime/BasicString.h"

namespace qvc::cli {

int initProject(const std::string& dir) {
    std::cout << createProjectFolder(dir) << "\n";
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
    session.check(fmt::format("updating study {}", studyId));
    return 0;
}

int addCase(const std::string& dir, int studyId, const std::string& jsonFile) {
    ProjectSession session(dir);
    cDesignCase c = caseForStudy(session, studyId, readJsonFile(jsonFile));
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
    cDesignCase c = caseForStudy(session, studyId, readJsonFile(jsonFile));
    session.designCase(studyId, caseId);
    session.project().updateCaseDetails(studyId, caseId, c);
    session.check(fmt::format("updating case {}", caseId));
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
            std::cout << fmt::format("  {:>6}  {}\n", c.attribute("id").value(),
                                     unescapeSummaryText(c.text().get()));
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
    session.check(fmt::format("copying study {}", studyId));
    if (!ok)
        throw CommandError(fmt::format("copying study {} was not complete", studyId));
    std::cout << markup << "\n";
    return 0;
}

int deleteStudy(const std::string& dir, int studyId) {
    ProjectSession session(dir);
    session.study(studyId);
    std::string unused;
    session.project().DeleteStudy(toId(studyId, "study"), unused);
    session.check(fmt::format("deleting study {}", studyId));
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
    session.check(fmt::format("deleting case {}", caseId));
    return 0;
}

namespace {

// What the project commands read from the command line; the callbacks share it.
struct ProjectArguments {
    std::string dir, json;
    int study = 0, kase = 0, toStudy = 0;
    std::optional<int> optStudy;
    bool table = false;
};
using Arguments = std::shared_ptr<ProjectArguments>;

// Adds the required positional arguments named: DIR, CASE, and ID or STUDY for
// the study.
CLI::App* withArguments(CLI::App* cmd, const Arguments& a,
                        std::initializer_list<const char*> names) {
    for (const std::string name : names) {
        if (name == "DIR") {
            cmd->add_option(name, a->dir)->required();
        } else if (name == "CASE") {
            cmd->add_option(name, a->kase)->required();
        } else {
            cmd->add_option(name, a->study)->required();
        }
    }
    return cmd;
}

// When `cmd` is chosen, `run` becomes `command`.
void runs(CLI::App* cmd, std::function<int()>& run, std::function<int()> command) {
    cmd->callback([&run, command = std::move(command)] { run = command; });
}

void addStudyCommands(CLI::App& app, std::function<int()>& run, const Arguments& a) {
    auto* study = app.add_subcommand("study", "add, show or update a study");
    study->require_subcommand(1);
    auto* add =
        withArguments(study->add_subcommand("add", "add a study; prints its ID"), a, {"DIR"});
    add->add_option("--json", a->json, "study as JSON")->required();
    runs(add, run, [a] { return addStudy(a->dir, a->json); });
    runs(withArguments(study->add_subcommand("show", "print a study as JSON"), a, {"DIR", "ID"}),
         run, [a] { return showStudy(a->dir, a->study); });
    auto* update = withArguments(study->add_subcommand("update", "replace a study's settings"), a,
                                 {"DIR", "ID"});
    update->add_option("--json", a->json)->required();
    runs(update, run, [a] { return updateStudy(a->dir, a->study, a->json); });
    runs(withArguments(study->add_subcommand("copy", "copy a study with its cases"), a,
                       {"DIR", "ID"}),
         run, [a] { return copyStudy(a->dir, a->study); });
    runs(withArguments(study->add_subcommand("delete", "delete a study and its cases"), a,
                       {"DIR", "ID"}),
         run, [a] { return deleteStudy(a->dir, a->study); });
}

// `case copy` and `case move`: the same arguments, action "D" or "M".
void addCaseTransferCommands(CLI::App& caseCmd, std::function<int()>& run, const Arguments& a) {
    for (const auto& [name, action] : {std::pair{"copy", "D"}, std::pair{"move", "M"}}) {
        auto* cmd = withArguments(
            caseCmd.add_subcommand(name, std::string(name) + " a design case into a study"), a,
            {"DIR", "STUDY", "CASE"});
        cmd->add_option("--to", a->toStudy, "target study (default: the same study)");
        runs(cmd, run, [a, act = std::string(action)] {
            return copyOrMoveCase(a->dir, a->study, a->kase, act,
                                  a->toStudy != 0 ? a->toStudy : a->study);
        });
    }
}

void addCaseCommands(CLI::App& app, std::function<int()>& run, const Arguments& a) {
    auto* kase = app.add_subcommand("case", "add, show or update a design case");
    kase->require_subcommand(1);
    auto* add = withArguments(kase->add_subcommand("add", "add a design case; prints its ID"), a,
                              {"DIR", "STUDY"});
    add->add_option("--json", a->json)->required();
    runs(add, run, [a] { return addCase(a->dir, a->study, a->json); });
    runs(withArguments(kase->add_subcommand("show", "print a design case as JSON"), a,
                       {"DIR", "STUDY", "CASE"}),
         run, [a] { return showCase(a->dir, a->study, a->kase); });
    auto* update = withArguments(kase->add_subcommand("update", "write a changed design case back"),
                                 a, {"DIR", "STUDY", "CASE"});
    update->add_option("--json", a->json)->required();
    runs(update, run, [a] { return updateCase(a->dir, a->study, a->kase, a->json); });
    addCaseTransferCommands(*kase, run, a);
    runs(withArguments(kase->add_subcommand("delete", "delete a design case"), a,
                       {"DIR", "STUDY", "CASE"}),
         run, [a] { return deleteCase(a->dir, a->study, a->kase); });
}

}  // namespace

void addProjectCommands(CLI::App& app, std::function<int()>& run) {
    auto a = std::make_shared<ProjectArguments>();
    auto* init = app.add_subcommand("init", "create an empty project database DIR/ORV30.mdb");
    init->add_option("DIR", a->dir, "project folder")->required();
    runs(init, run, [a] { return initProject(a->dir); });
    addStudyCommands(app, run, a);
    addCaseCommands(app, run, a);
    auto* list = app.add_subcommand("list", "the project summary (studies and their cases)");
    withArguments(list, a, {"DIR"})->add_option("STUDY", a->optStudy);
    list->add_flag("--table", a->table, "a readable table instead of the mark-up");
    runs(list, run, [a] { return listProject(a->dir, a->optStudy, a->table); });
}

void addCountCommand(CLI::App& app, std::function<int()>& run) {
    auto a = std::make_shared<ProjectArguments>();
    auto* count = app.add_subcommand("count", "number of studies, or of a study's cases");
    withArguments(count, a, {"DIR"})->add_option("STUDY", a->optStudy);
    runs(count, run, [a] { return countRecords(a->dir, a->optStudy); });
}

}  // namespace qvc::cli
