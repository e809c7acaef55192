#include "WexCommands.h"

#include <fmt/format.h>

#include <iostream>
#include <memory>
#include <vector>

#include "ProjectSession.h"
#include "StudyConversion.h"
#include "qvc/cWEXTagImporter.h"

namespace qvc::cli {

namespace {

std::vector<std::string> buildingsOf(const std::string& wexDir) {
    cWEXTagImporter importer;
    importer.WexProjectPath = wexDir;
    std::vector<std::string> buildings;
    importer.getBuildings(buildings);
    if (!importer.getErrorMsg().empty())
        throw CommandError("reading the buildings of " + wexDir +
                           " failed: " + importer.getErrorMsg());
    return buildings;
}

// The tag ID and name of a "tagID#name#" line.
std::pair<std::string, std::string> splitBuilding(const std::string& line) {
    const auto hash = line.find('#');
    std::string name = line.substr(hash + 1);
    if (!name.empty() && name.back() == '#')
        name.pop_back();
    return {line.substr(0, hash), name};
}

}  // namespace

int listBuildings(const std::string& wexDir) {
    for (const std::string& b : buildingsOf(wexDir))
        std::cout << b << "\n";
    return 0;
}

int importBuilding(const std::string& dir, int studyId, const std::string& wexDir,
                   const std::string& building, bool equipment) {
    ProjectSession session(dir);
    session.study(studyId);

    // The building as the importer expects it: "tagID#name", the name becoming
    // the case title.
    std::string details;
    for (const std::string& line : buildingsOf(wexDir)) {
        auto [id, name] = splitBuilding(line);
        if (building == line || building == id || building == name) {
            details = id + "#" + name;
            break;
        }
    }
    if (details.empty())
        throw CommandError("there is no building '" + building + "' in " + wexDir +
                           " (see `qvc wex buildings " + wexDir + "`)");

    cWEXTagImporter importer;
    importer.StudyID = toId(studyId, "study");
    importer.WexProjectPath = wexDir;
    int16_t caseId = 0;
    std::string title;
    importer.ImportWEXData(details, equipment, caseId, title);
    const std::string err = importer.getErrorMsg();
    if (caseId > 0)
        std::cout << caseId << "\n";
    if (!err.empty()) {
        if (caseId > 0)
            throw CommandError(fmt::format("case {} was stored, but {}", caseId, err));
        throw CommandError("importing the building failed: " + err);
    }
    return 0;
}

void addWexCommands(CLI::App& app, std::function<int()>& run) {
    struct Options {
        std::string dir, wexDir, building;
        int study = 0, type = 0;
        bool equipment = false;
    };
    auto o = std::make_shared<Options>();

    auto* wex = app.add_subcommand("wex", "buildings of a sibling building-load project");
    wex->require_subcommand(1);
    auto* list = wex->add_subcommand("buildings", "list the buildings of WEXDIR/Project.mdb");
    list->add_option("WEXDIR", o->wexDir, "folder of the sibling project")->required();
    list->callback([o, &run] { run = [o] { return listBuildings(o->wexDir); }; });

    auto* imp = wex->add_subcommand("import", "import a building as a new case; prints its ID");
    imp->add_option("DIR", o->dir, "project folder")->required();
    imp->add_option("STUDY", o->study)->required();
    imp->add_option("WEXDIR", o->wexDir, "folder of the sibling project")->required();
    imp->add_option("BUILDING", o->building, "tag ID, name, or a line of `wex buildings`")
        ->required();
    imp->add_flag("--equipment", o->equipment, "also import the equipment as investments");
    imp->callback([o, &run] {
        run = [o] {
            return importBuilding(o->dir, o->study, o->wexDir, o->building, o->equipment);
        };
    });

    CLI::App* studyCmd = app.get_subcommand("study");
    auto* convert = studyCmd->add_subcommand(
        "convert", "rewrite a study's cases for a new type of analysis (0-3) and store it");
    convert->add_option("DIR", o->dir)->required();
    convert->add_option("STUDY", o->study)->required();
    convert
        ->add_option("TYPE", o->type, "0 private, 1 public, 2 simple payback, 3 simple cash flow")
        ->required();
    convert->callback([o, &run] {
        run = [o] {
            ProjectSession session(o->dir);
            convertStudy(session, o->study, o->type);
            return 0;
        };
    });
}

}  // namespace qvc::cli
