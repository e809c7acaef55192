#pragma once
// A cORVProject pointed at a project folder, with the checks every command
// needs: the folder holds a project, IDs fit, and component errors become
// CommandErrors. Shared by `qvc` and the Python package.

#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "qvc/cORVProject.h"

namespace qvc::cli {

// The file name of a project's resource database beside ORV30.mdb.
inline constexpr const char* kResourceDbName = "QVCStrings.mdb";

// A failure a command reports to the user; main prints it and exits 1. It
// carries the error number (the component's, or the classic Basic/Jet number of
// the failure the host found itself) and the description without the context,
// for hosts that report the two apart.
class CommandError : public std::runtime_error {
  public:
    explicit CommandError(const std::string& text, int number = 5, std::string description = "")
        : std::runtime_error(text),
          number_(number),
          description_(description.empty() ? text : std::move(description)) {}
    int number() const { return number_; }
    const std::string& description() const { return description_; }

  private:
    int number_;
    std::string description_;
};

// The number (5 when there is none) and the description of a component's
// error record "number#description#procedure#class#".
int recordNumber(const std::string& record);
std::string recordDescription(const std::string& record);

// Classic numbers of the failures a host finds before the component does.
inline constexpr int kErrInvalidArgument = 5;
inline constexpr int kErrFileExists = 58;
inline constexpr int kErrPathAccess = 75;
inline constexpr int kErrNoCurrentRecord = 3021;
inline constexpr int kErrFileNotFound = 3024;

class ProjectSession {
  public:
    // `notices` receives what the user should know but is no failure (a
    // project's own texts that cannot be used).
    explicit ProjectSession(const std::string& dir, std::ostream& notices = std::cerr);
    cORVProject& project() { return *project_; }
    // Raises CommandError with the component's error record (and its number)
    // when the last operation failed.
    void check(const std::string& what);
    // The study, or CommandError when there is none with that ID.
    cStudy study(int studyId);
    // The case filled from the database, with the study's type, life cycle and ID.
    cDesignCase designCase(int studyId, int caseId);

  private:
    // Names the resource database and help page before the project object,
    // which loads the texts, is created.
    bool resourcesNamed_;
    std::unique_ptr<cORVProject> project_;
};

int16_t toId(int id, const char* what);

// A case read from its JSON record (JsonRecords.h), with the type, life cycle
// and study the record leaves out taken from the study, as a host fills them.
cDesignCase caseForStudy(ProjectSession& session, int studyId, const nlohmann::ordered_json& j);

// Makes the folder (and its parents) and an empty project database in it,
// with a copy of the shipped resource texts; returns the database file.
// Raises CommandError when the folder already holds a project.
std::string createProjectFolder(const std::string& dir);

// The resource database a project folder uses: its own copy (made by `qvc
// init`) when there is one, else the one built with qvc.
std::string resourceDbFor(const std::string& dir);
// Names that database and the help page through ResManager; true when the
// database exists.
bool nameResources(const std::string& dir);

}  // namespace qvc::cli
